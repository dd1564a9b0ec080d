// Translating the windows at their load: captions, fonts, the credit label and the order in
// which captions enter the table.
#include <gtest/gtest.h>

#include <algorithm>

#include "filters/form2.h"
#include "filters/form3.h"
#include "locale/form7.h"
#include "locale/translate.h"
#include "support/main_window.h"
#include "support/working_folder.h"

using sg::test::MainWindow;
using sg::test::writeFile;

namespace {

sg::locale::Form7& form7(MainWindow& w) { return *w.registry.findAs<sg::locale::Form7>("Form7"); }

std::vector<std::string> keys(sg::locale::Form7& f) { return f.table().found_captions.items(); }

}  // namespace

TEST(WindowTranslation, WithoutALocaleFileCaptionsStayAndTheCreditIsEmpty) {
  MainWindow w;
  ASSERT_NE(w.registry.find("Form7"), nullptr);
  EXPECT_FALSE(w.registry.find("Form7")->visible());
  EXPECT_EQ(w.c("Label1").caption(), "World");
  EXPECT_EQ(w.c("Command5").caption(), "Render");
  EXPECT_EQ(w.c("Label28").caption(), "");
  EXPECT_EQ(w.c("Label28").charset(), 0);
}

TEST(WindowTranslation, TheMainWindowsListedCaptionsAreTranslated) {
  writeFile("locale.txt",
            "Render\r\nRendern\r\nSelect...\r\nWaehlen...\r\n@author\r\nUebersetzt von B.\r\n"
            "Strandvale G\r\nnot listed\r\nImage settings\r\nBildeinstellungen\r\n");
  MainWindow w;
  EXPECT_EQ(w.c("Command5").caption(), "Rendern");
  EXPECT_EQ(w.c("Command7").caption(), "Waehlen...");
  EXPECT_EQ(w.c("Command8").caption(), "Waehlen...");
  EXPECT_EQ(w.c("Label28").caption(), "Uebersetzt von B.");
  EXPECT_EQ(w.c("frameI").caption(), "Bildeinstellungen");  // listed as FrameI
  // The title label and the window title are not in the list.
  EXPECT_EQ(w.c("Label14").caption(), "Strandvale G");
  EXPECT_EQ(w.form1->caption(), "Strandvale G");
}

TEST(WindowTranslation, ConfirmIsTranslatedInBothFilterDialogsButNotByADifferentCase) {
  writeFile("locale.txt", "Confirm\r\nBestaetigen\r\nclear list\r\nleeren\r\n");
  MainWindow w;
  w.c("Command7").userClick();
  w.c("Command8").userClick();
  auto* f2 = w.registry.find("Form2");
  auto* f3 = w.registry.find("Form3");
  ASSERT_TRUE(f2 && f3);
  EXPECT_EQ(f2->control("Command3").caption(), "Bestaetigen");
  EXPECT_EQ(f3->control("Command3").caption(), "Bestaetigen");
  EXPECT_EQ(f2->control("Command2").caption(), "Clear list");
  EXPECT_EQ(f3->control("Command2").caption(), "Clear list");
}

TEST(WindowTranslation, TheCharsetGoesToEveryTranslatedControlOnly) {
  writeFile("locale.txt", "@charset\r\n204\r\nWorld\r\n\xcc\xe8\xf0\r\n");
  MainWindow w;
  EXPECT_EQ(w.c("Label1").caption(), "\xcc\xe8\xf0");
  EXPECT_EQ(w.c("Label1").charset(), 204);
  EXPECT_EQ(w.c("checkwater").charset(), 204);  // translated to itself, still the new font
  EXPECT_EQ(w.c("Label14").charset(), 0);       // not listed
  EXPECT_EQ(w.c("txtmapname").charset(), 0);
  w.c("Command7").userClick();
  EXPECT_EQ(w.registry.find("Form2")->control("add1").charset(), 204);
  EXPECT_EQ(w.registry.find("Form2")->control("Text1").charset(), 0);
}

TEST(WindowTranslation, ARefusedCharsetTranslatesWithThePreviousOne) {
  writeFile("locale.txt", "@charset\r\n300\r\nWorld\r\nMonde\r\n");
  MainWindow w;
  ASSERT_EQ(w.svc.dialogs.messages().size(), 1u);
  EXPECT_EQ(w.svc.dialogs.messages()[0].text, "Invalid charset");
  EXPECT_EQ(w.c("Label1").caption(), "Monde");
  EXPECT_EQ(w.c("Label1").charset(), 0);
}

TEST(WindowTranslation, CaptionsMetAtLoadsFollowTheFilesPairsInOrderOfMeeting) {
  writeFile("locale.txt", "Unused key\r\nnothing\r\nConfirm\r\nOK\r\n");
  MainWindow w;
  auto k = keys(form7(w));
  ASSERT_GE(k.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(k.begin(), k.begin() + 4),
            (std::vector<std::string>{"@author", "@charset", "Unused key", "Confirm"}));
  // The main window's list begins with Label1 "World"; windows that loaded before it (the
  // settings dialog) may come first.
  EXPECT_NE(std::find(k.begin() + 4, k.end(), "World"), k.end());
  const size_t before = k.size();
  w.c("Command8").userClick();
  k = keys(form7(w));
  // The block dialog's new captions, in the order of its list; "Confirm" was known already.
  EXPECT_EQ(std::vector<std::string>(k.begin() + static_cast<long>(before), k.end()),
            (std::vector<std::string>{"Remove checked", "Clear list", "Add checked", "Uncheck all"}));
}

TEST(WindowTranslation, TheTableIsBuiltOnceAndAReloadedWindowTranslatesFromItsDesign) {
  writeFile("locale.txt", "Add to list\r\nAjouter\r\n");
  MainWindow w;
  writeFile("locale.txt", "Add to list\r\nHinzufuegen\r\n");
  w.c("Command7").userClick();
  auto* f2 = w.registry.find("Form2");
  EXPECT_EQ(f2->control("add1").caption(), "Ajouter");
  w.registry.close(*f2);
  w.registry.collect();
  w.c("Command7").userClick();
  EXPECT_EQ(w.registry.find("Form2")->control("add1").caption(), "Ajouter");
}

TEST(WindowTranslation, UnloadedWindowsAndListedNamesWithoutControlsAreSkipped) {
  MainWindow w;
  const size_t before = keys(form7(w)).size();
  sg::locale::translateForm(w.registry, "Form3");  // not loaded
  sg::locale::translateForm(w.registry, "Form9");
  EXPECT_EQ(keys(form7(w)).size(), before);
  // The main window's list names one control that it does not have; translating again is
  // harmless and finds every caption known.
  sg::locale::translateForm(w.registry, "Form1");
  EXPECT_EQ(keys(form7(w)).size(), before);
}

TEST(WindowTranslation, TheMainWindowListsItsTranslatableControls) {
  MainWindow w;
  const auto& items = w.c("translate_caption").items();
  EXPECT_EQ(items.size(), 81u);
  // The "Zoomable map" box and the last job's three buttons take the first four of the six
  // empty places the list had.
  EXPECT_EQ(std::count(items.begin(), items.end(), std::string()), 2);
  for (const char* n : {"checkzoomablemap", "cmdopenimage", "cmdopenfolder", "cmdopenmap"})
    EXPECT_NE(std::find(items.begin(), items.end(), n), items.end()) << n;
  EXPECT_EQ(items.front(), "Label1");
  int missing = 0;
  for (const auto& n : items)
    if (!n.empty() && !w.form1->find(n)) ++missing;
  EXPECT_LE(missing, 1);  // Command15 is listed but the window has no such button
}
