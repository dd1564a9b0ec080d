// The translation table: lookups, offers, the locale file and the character set.
#include <gtest/gtest.h>

#include "forms/registry.h"
#include "locale/form7.h"
#include "support/test_services.h"
#include "support/working_folder.h"

using sg::locale::Form7;
using sg::test::writeFile;

namespace {

struct LocaleWindow {
  sg::test::TestServices svc;
  sg::forms::Registry registry{svc.services};
  Form7& load() {
    registry.registerForm("Form7", [](sg::forms::Registry& r) { return std::make_unique<Form7>(r); });
    return registry.get<Form7>("Form7");
  }
};

std::vector<std::pair<std::string, std::string>> pairs(Form7& f) {
  auto t = f.table();
  std::vector<std::pair<std::string, std::string>> out;
  for (int i = 0; i < t.size(); ++i) out.emplace_back(t.found_captions.list(i), t.found_translations.list(i));
  return out;
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

}  // namespace

TEST(LocaleTable, WithoutAFileHoldsOnlyTheTwoSpecialKeys) {
  LocaleWindow w;
  Form7& f = w.load();
  EXPECT_EQ(pairs(f), (Pairs{{"@author", ""}, {"@charset", "0"}}));
  EXPECT_EQ(f.table().chosencharset.text(), "0");
  EXPECT_EQ(f.table().chosencharset.charset(), 0);
  EXPECT_TRUE(w.svc.dialogs.messages().empty());
}

TEST(LocaleTable, LookupsRegisterUnknownCaptionsAndOffersSetTranslations) {
  LocaleWindow w;
  Form7& f = w.load();
  auto t = f.table();

  // Unknown without an offer: registered as its own translation.
  EXPECT_EQ(f.lookup("World"), "World");
  // Known key with an offer: the old translation is returned, the offer replaces it.
  EXPECT_EQ(f.lookup("World", "Welt"), "World");
  EXPECT_EQ(f.lookup("World"), "Welt");
  // An empty offer keeps the translation.
  EXPECT_EQ(f.lookup("World", ""), "Welt");
  // First offer for an unknown key is its translation at once.
  EXPECT_EQ(f.lookup("Time", "Zeit"), "Zeit");
  // Keys are exact text: case and blanks count.
  EXPECT_EQ(f.lookup("world"), "world");
  EXPECT_EQ(f.lookup("World "), "World ");
  EXPECT_EQ(pairs(f), (Pairs{{"@author", ""}, {"@charset", "0"}, {"World", "Welt"}, {"Time", "Zeit"},
                             {"world", "world"}, {"World ", "World "}}));
  // The inputs are cleared after every lookup.
  EXPECT_EQ(t.addfc.text(), "");
  EXPECT_EQ(t.addft.text(), "");
}

TEST(LocaleTable, AnEmptyKeyIsNeverStored) {
  LocaleWindow w;
  Form7& f = w.load();
  auto t = f.table();
  t.found_trans.setText("left over");
  t.addfc.setText("");
  t.addft.setText("something");
  f.doaddfc();
  EXPECT_EQ(t.found_trans.text(), "");
  EXPECT_EQ(t.size(), 2);
  EXPECT_EQ(t.addft.text(), "");
}

TEST(LocaleFile, PairsAreReadInOrderAndTheLaterNonEmptyTranslationWins) {
  writeFile("locale.txt",
            "Confirm\r\nBestaetigen\r\nClear list\r\nLeeren\r\nConfirm\r\nOK\r\nClear list\r\n\r\n"
            "Unused key\r\n\r\n@author\r\nTranslated by A. Person\r\n");
  LocaleWindow w;
  Form7& f = w.load();
  EXPECT_EQ(pairs(f), (Pairs{{"@author", "Translated by A. Person"}, {"@charset", "0"}, {"Confirm", "OK"},
                             {"Clear list", "Leeren"}, {"Unused key", "Unused key"}}));
}

TEST(LocaleFile, AnOddLastLineIsIgnoredAndLineEndsMayVary) {
  writeFile("locale.txt", "Time\nZeit\rWorld\r\nWelt\r\nDangling key");
  LocaleWindow w;
  Form7& f = w.load();
  EXPECT_EQ(pairs(f), (Pairs{{"@author", ""}, {"@charset", "0"}, {"Time", "Zeit"}, {"World", "Welt"}}));
}

TEST(LocaleFile, EmptyBinaryAndHugeFilesAreReadWithoutHarm) {
  {
    writeFile("locale.txt", "");
    LocaleWindow w;
    EXPECT_EQ(w.load().table().size(), 2);
  }
  {
    std::string binary("\0\x01\xff\r\n\x80\0\n\xfe", 9);
    writeFile("locale.txt", binary);
    LocaleWindow w;
    Form7& f = w.load();
    ASSERT_EQ(f.table().size(), 3);
    EXPECT_EQ(f.table().found_captions.list(2), std::string("\0\x01\xff", 3));
    EXPECT_EQ(f.table().found_translations.list(2), std::string("\x80\0", 2));
  }
  {
    // Many distinct keys, and one very long line: read in reasonable time and kept whole.
    std::string content;
    for (int i = 0; i < 40000; ++i) content += "key" + std::to_string(i) + "\r\nvalue\r\n";
    content += std::string(1 << 20, 'x') + "\r\nlong\r\n";
    writeFile("locale.txt", content);
    LocaleWindow w;
    Form7& f = w.load();
    EXPECT_EQ(f.table().size(), 2 + 40000 + 1);
    EXPECT_EQ(f.lookup(std::string(1 << 20, 'x')), "long");
  }
  {
    // A file larger than any translation (8 MB of empty lines) is not read into memory at all.
    writeFile("locale.txt", std::string(8 << 20, '\n'));
    LocaleWindow w;
    EXPECT_EQ(w.load().table().size(), 2);
  }
}

TEST(LocaleCharset, TheCharsetLineIsReadAsANumber) {
  struct { const char* line; const char* chosen; int charset; } cases[] = {
      {"204", "204", 204}, {"abc", "0", 0}, {"  161 Greek", "161", 161}, {"", "0", 0}, {"238.0", "238", 238}};
  for (const auto& c : cases) {
    writeFile("locale.txt", std::string("@charset\r\n") + c.line + "\r\n");
    LocaleWindow w;
    Form7& f = w.load();
    EXPECT_EQ(f.table().chosencharset.text(), c.chosen) << c.line;
    EXPECT_EQ(f.table().chosencharset.charset(), c.charset) << c.line;
    EXPECT_TRUE(w.svc.dialogs.messages().empty()) << c.line;
  }
}

TEST(LocaleCharset, ARefusedNumberWarnsAndFallsBackToTheFontsCharset) {
  for (const char* line : {"999", "3", "-204", "204.5", "99999999999999999999999"}) {
    writeFile("locale.txt", std::string("@charset\r\n") + line + "\r\n");
    LocaleWindow w;
    Form7& f = w.load();
    ASSERT_EQ(w.svc.dialogs.messages().size(), 1u) << line;
    const auto& m = w.svc.dialogs.messages()[0];
    EXPECT_EQ(m.text, "Invalid charset");
    EXPECT_EQ(m.title, "Strandvale G");
    EXPECT_EQ(m.icon, sg::platform::Icon::Error);
    EXPECT_EQ(m.buttons, sg::platform::Buttons::OK);
    EXPECT_EQ(f.table().chosencharset.text(), "0") << line;
    EXPECT_EQ(f.table().chosencharset.charset(), 0) << line;
  }
}
