#include <gtest/gtest.h>

#include <filesystem>

#include "settings/form5.h"
#include "support/main_window.h"
#include "support/working_folder.h"

using sg::test::MainWindow;
using sg::test::readFile;
using sg::test::writeFile;
using namespace sg;

namespace {

using Paths = std::vector<std::string>;

forms::Form& form5(MainWindow& w) { return w.registry.get("Form5"); }
forms::Control& dialog(MainWindow& w, const char* name) { return form5(w).control(name); }
// The main window loaded now (a restart replaces it).
forms::Form& main(MainWindow& w) { return *w.registry.find("Form1"); }
forms::Control& mainList(MainWindow& w) { return main(w).control("txtcustompath"); }
forms::Control& history(MainWindow& w) { return dialog(w, "custompathlist"); }

void click(MainWindow& w, const char* button) { dialog(w, button).userClick(); }

// A settings file with this history, then a start-up that reads it.
void writeHistory(const Paths& paths) {
  std::string file = "CustomSavePath\r\n\r\nCustomPathList\r\n" + std::to_string(paths.size()) + "\r\n";
  for (const auto& p : paths) file += p + "\r\n";
  writeFile("settings.dat", file);
}

// The history as written to settings.dat by the last save.
Paths savedHistory() {
  std::string file = readFile("settings.dat");
  Paths lines;
  for (size_t at = 0, end; (end = file.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(file.substr(at, end - at));
  Paths out;
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i] != "CustomPathList") continue;
    size_t n = std::stoul(lines[i + 1]);
    for (size_t k = 0; k < n; ++k) out.push_back(lines[i + 2 + k]);
  }
  return out;
}

bool saved() { return std::filesystem::exists("settings.dat"); }

}  // namespace

TEST(SettingsDialog, EveryOptionButtonAndCheckBoxSavesAtOnce) {
  MainWindow w;
  const std::pair<const char*, const char*> controls[] = {
      {"oppathlocalappdata", "localAppPath"},
      {"oppathcustom", "custom"},
      {"oppathappdata", "appPath"},
      {"worldfoldernosnooping", "worldFolderNoSnooping"},
      {"worldfolderalpha", "worldFolderAlpha"},
      {"worldnameempty", "worldNameEmpty"},
      {"worldnamenosnooping", "worldNameNoSnooping"},
      {"worldnamenoparsing", "worldNameNoParsing"},
      {"worldnamenoserverprefix", "worldNameNoServerPrefix"},
      {"custompathnoloading", "CustomPathNoLoading"},
      {"custompathnosaving", "CustomPathNoSaving"}};
  for (const auto& [name, line] : controls) {
    std::filesystem::remove("settings.dat");
    dialog(w, name).userClick();
    ASSERT_TRUE(saved()) << name;
    EXPECT_NE(readFile("settings.dat").find(std::string("\r\n") + line + "\r\n"), std::string::npos)
        << name;
  }
  // Unticking saves too, and the flag's line goes.
  std::filesystem::remove("settings.dat");
  dialog(w, "worldnameempty").userClick();
  ASSERT_TRUE(saved());
  EXPECT_EQ(readFile("settings.dat").find("worldNameEmpty"), std::string::npos);
}

TEST(SettingsDialog, TheEditorWritesTheSelectedEntryIntoBothListsOnceNoSeparatorEndsIt) {
  writeHistory({"C:\\a", "D:\\b"});
  MainWindow w;
  auto& input = dialog(w, "custompathinput");
  input.setText("typed");  // nothing selected: the editor empties itself
  EXPECT_EQ(input.text(), "");

  history(w).setListIndex(0);
  EXPECT_EQ(input.text(), "C:\\a");
  input.setText("C:\\a\\");
  EXPECT_EQ(history(w).list(0), "C:\\a");
  EXPECT_EQ(mainList(w).list(0), "C:\\a");
  input.setText("C:\\a\\b");
  EXPECT_EQ(history(w).list(0), "C:\\a\\b");
  EXPECT_EQ(mainList(w).list(0), "C:\\a\\b");
  input.setText("\"E:\\q\"/");  // quotes go, and the separator still holds the write back
  EXPECT_EQ(input.text(), "E:\\q/");
  EXPECT_EQ(history(w).list(0), "C:\\a\\b");
  input.setText("\"E:\\q\"");
  EXPECT_EQ(input.text(), "E:\\q");
  EXPECT_EQ(history(w).items(), (Paths{"E:\\q", "D:\\b"}));
  EXPECT_EQ(mainList(w).items(), (Paths{"E:\\q", "D:\\b"}));
  // Edits are saved by the next save, not by themselves.
  EXPECT_EQ(savedHistory(), (Paths{"C:\\a", "D:\\b"}));
}

TEST(SettingsDialog, MovesAtTheEdgesDoNothingAndDoNotSave) {
  writeHistory({"p0", "p1", "p2"});
  MainWindow w;
  std::filesystem::remove("settings.dat");
  history(w).setListIndex(0);
  click(w, "Command3");
  history(w).setListIndex(2);
  click(w, "Command4");
  EXPECT_FALSE(saved());
  EXPECT_EQ(history(w).items(), (Paths{"p0", "p1", "p2"}));

  // Nothing selected: Move up and Move down save and change nothing.
  history(w).setListIndex(-1);
  click(w, "Command3");
  EXPECT_TRUE(saved());
  std::filesystem::remove("settings.dat");
  click(w, "Command4");
  EXPECT_TRUE(saved());
  EXPECT_EQ(history(w).items(), (Paths{"p0", "p1", "p2"}));
  EXPECT_EQ(mainList(w).items(), (Paths{"p0", "p1", "p2"}));
}

TEST(SettingsDialog, MoveDownOnAnEmptyHistoryDoesNothing) {
  MainWindow w;
  click(w, "Command4");
  EXPECT_FALSE(saved());
  click(w, "Command5");  // Delete with nothing selected still saves
  EXPECT_TRUE(saved());
  EXPECT_EQ(history(w).listCount(), 0);
}

TEST(SettingsDialog, MovesAndDeletionsKeepBothListsPositionForPosition) {
  writeHistory({"p0", "p1", "p2", "p3"});
  MainWindow w;
  history(w).setListIndex(1);
  click(w, "Command4");  // p1 down
  EXPECT_EQ(history(w).listIndex(), 2);
  EXPECT_EQ(dialog(w, "custompathinput").text(), "p1");
  click(w, "Command4");  // and down to the end
  EXPECT_EQ(history(w).items(), (Paths{"p0", "p2", "p3", "p1"}));
  EXPECT_EQ(mainList(w).items(), history(w).items());
  EXPECT_EQ(savedHistory(), history(w).items());

  click(w, "Command3");
  click(w, "Command3");
  click(w, "Command3");  // p1 to the top
  EXPECT_EQ(history(w).listIndex(), 0);
  EXPECT_EQ(history(w).items(), (Paths{"p1", "p0", "p2", "p3"}));
  EXPECT_EQ(mainList(w).items(), history(w).items());

  history(w).setListIndex(2);
  click(w, "Command5");
  EXPECT_EQ(history(w).items(), (Paths{"p1", "p0", "p3"}));
  EXPECT_EQ(mainList(w).items(), history(w).items());
  EXPECT_EQ(savedHistory(), history(w).items());
  EXPECT_EQ(history(w).listIndex(), -1);
  click(w, "Command5");  // nothing selected any more: nothing goes
  EXPECT_EQ(history(w).listCount(), 3);
}

TEST(SettingsDialog, ACopyIsInBothListsSoLaterEditsReachTheRightEntry) {
  writeHistory({"p0", "p1"});
  MainWindow w;
  history(w).setListIndex(0);
  click(w, "Command7");
  EXPECT_EQ(history(w).items(), (Paths{"p0", "p1", "p0"}));
  EXPECT_EQ(mainList(w).items(), history(w).items());
  EXPECT_EQ(savedHistory(), history(w).items());
  EXPECT_EQ(history(w).listIndex(), 0);

  // The copy at the end moves, is edited and deleted in the main window's list as well.
  history(w).setListIndex(2);
  click(w, "Command3");
  dialog(w, "custompathinput").setText("copy");
  EXPECT_EQ(history(w).items(), (Paths{"p0", "copy", "p1"}));
  EXPECT_EQ(mainList(w).items(), history(w).items());
  history(w).setListIndex(2);
  click(w, "Command5");
  EXPECT_EQ(mainList(w).items(), (Paths{"p0", "copy"}));

  // Nothing selected: nothing is copied.
  history(w).setListIndex(-1);
  click(w, "Command7");
  EXPECT_EQ(history(w).listCount(), 2);
}

TEST(SettingsDialog, ADoubleClickPicksTheSamePathInTheMainWindow) {
  const std::string b = sg::test::workingFolder() + "/two/World B";
  std::filesystem::create_directories(b);
  writeFile(b + "/level.dat", "");
  writeHistory({"/srv/one/World A", b});
  MainWindow w;
  auto& worlds = main(w).control("comboworldfolders");
  worlds.setListIndex(worlds.listCount() - 1);  // the custom path entry
  history(w).setListIndex(1);
  history(w).fire(forms::Event::DblClick);
  EXPECT_EQ(mainList(w).listIndex(), 1);
  EXPECT_EQ(mainList(w).text(), b);
  // The main window's own selection handling ran: the path names the map and the entry.
  EXPECT_EQ(main(w).control("txtmapname").text(), "World B");
  EXPECT_NE(main(w).control("stacklist").list(0).find("World B"), std::string::npos);

  // The picked entry edited in the dialog: the box keeps its text until picked again.
  dialog(w, "custompathinput").setText(b + "2");
  EXPECT_EQ(mainList(w).text(), b);
  history(w).fire(forms::Event::DblClick);
  EXPECT_EQ(mainList(w).text(), b + "2");
  EXPECT_EQ(mainList(w).listIndex(), 1);
}

TEST(SettingsDialog, ClearAllFilesAsksAndOnYesStartsTheDeletionBatch) {
  MainWindow w;
  w.svc.dialogs.queueAnswer(platform::Answer::No);
  click(w, "Command1");
  ASSERT_EQ(w.svc.dialogs.messages().size(), 1u);
  const auto& question = w.svc.dialogs.messages()[0];
  EXPECT_EQ(question.text,
            "This will delete all files whose name start with \"renderJob\", including any files "
            "you chose not to delete or renamed as such.\rAre you sure you want to continue?");
  EXPECT_EQ(question.title, "Strandvale G");
  EXPECT_EQ(question.icon, platform::Icon::Exclamation);
  EXPECT_EQ(question.buttons, platform::Buttons::YesNo);
  EXPECT_FALSE(std::filesystem::exists("renderJobDelete.bat"));
  EXPECT_TRUE(w.svc.launcher.records().empty());

  w.svc.dialogs.queueAnswer(platform::Answer::Yes);
  click(w, "Command1");
  w.svc.dialogs.queueAnswer(platform::Answer::Yes);
  click(w, "Command1");
  EXPECT_EQ(readFile("renderJobDelete.bat"), "del renderJob*\r\ndel renderJob*\r\n");
  ASSERT_EQ(w.svc.launcher.records().size(), 2u);
  EXPECT_EQ(w.svc.launcher.records()[1].command, "renderJobDelete.bat");
  EXPECT_TRUE(w.svc.launcher.records()[1].minimised);
}

TEST(SettingsDialog, CloseAndTheCloseBoxOnlyHide) {
  MainWindow w;
  forms::Form& f5 = form5(w);
  f5.show();
  click(w, "Command2");
  EXPECT_FALSE(f5.visible());
  f5.show();
  dialog(w, "customsavepath").setText("kept");
  w.registry.close(f5);
  EXPECT_FALSE(f5.visible());
  EXPECT_EQ(w.registry.find("Form5"), &f5);
  EXPECT_EQ(dialog(w, "customsavepath").text(), "kept");
}

TEST(SettingsDialog, TranslatesItselfWhenItLoads) {
  writeFile("locale.txt", "Close\r\nSchliessen\r\n  Show Alpha world folders\r\n  Alpha zeigen\r\n");
  MainWindow w;
  EXPECT_EQ(dialog(w, "Command2").caption(), "Schliessen");
  EXPECT_EQ(dialog(w, "worldfolderalpha").caption(), "  Alpha zeigen");
  EXPECT_EQ(dialog(w, "Command6").caption(), "Restart");
  EXPECT_EQ(form5(w).height(), 5670);
}

// --- Restart ------------------------------------------------------------------------------------

TEST(Restart, ReloadsTheMainWindowFreshAndKeepsTheDialog) {
  writeHistory({"p0"});
  MainWindow w;
  forms::Form& f5 = form5(w);
  forms::Form* f6 = w.registry.find("Form6");
  main(w).show();
  f5.show();
  const size_t windows = w.registry.loadedForms().size();
  for (int round = 0; round < 5; ++round) {
    forms::Form* before = &main(w);
    // Changes that a fresh start-up must undo, and one that it must pick up from the file.
    before->control("Command6").userClick();
    before->control("checkwater").userClick();
    before->control("stacklist").addItem("second row");
    history(w).setListIndex(0);
    click(w, "Command7");
    click(w, "Command6");
    w.registry.collect();
    ASSERT_FALSE(w.registry.ended()) << round;
    forms::Form& after = main(w);
    EXPECT_TRUE(after.visible());
    EXPECT_EQ(after.width(), 5250);
    EXPECT_EQ(after.control("donotterminate").value(), 0);
    EXPECT_EQ(after.control("checkwater").value(), 0);
    EXPECT_EQ(after.control("stacklist").listCount(), 1);
    EXPECT_EQ(w.registry.loadedForms().size(), windows) << round;
    EXPECT_EQ(w.registry.find("Form5"), &f5);
    EXPECT_EQ(w.registry.find("Form6"), f6);
    EXPECT_TRUE(f5.visible());
    // The history, one entry longer each round, is read once into each list.
    EXPECT_EQ(history(w).listCount(), round + 2);
    EXPECT_EQ(mainList(w).items(), history(w).items());
  }
  // Closing the reloaded main window still ends the program.
  w.registry.close(main(w));
  EXPECT_TRUE(w.registry.ended());
}

TEST(Restart, ListsTheWorldFoldersAnew) {
  std::filesystem::create_directories(MainWindow::savesFolder() + "World1");
  writeFile(MainWindow::savesFolder() + "World1/level.dat", "");
  MainWindow w;
  ASSERT_EQ(main(w).control("comboworldfolders").listCount(), 2);
  dialog(w, "worldfoldernosnooping").userClick();
  click(w, "Command6");
  EXPECT_EQ(main(w).control("comboworldfolders").items(), (Paths{"Custom"}));
  dialog(w, "worldfoldernosnooping").userClick();
  click(w, "Command6");
  EXPECT_EQ(main(w).control("comboworldfolders").listCount(), 2);
  EXPECT_TRUE(w.svc.dialogs.messages().empty());
}

TEST(Restart, WithAnUnreadableSettingsFileTheMainWindowStillGetsTheDialogsHistory) {
  writeHistory({"p0", "p1"});
  MainWindow w;
  // A folder where the file belongs: the restart's save fails and nothing can be read back.
  std::filesystem::remove("settings.dat");
  std::filesystem::create_directory("settings.dat");
  click(w, "Command6");
  EXPECT_EQ(history(w).items(), (Paths{"p0", "p1"}));
  EXPECT_EQ(mainList(w).items(), history(w).items());
  EXPECT_FALSE(w.registry.ended());
}
