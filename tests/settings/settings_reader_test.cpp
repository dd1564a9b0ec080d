#include <gtest/gtest.h>

#include <filesystem>

#include "settings/interface_settings.h"
#include "support/main_window.h"
#include "support/working_folder.h"

using sg::test::MainWindow;
using sg::test::readFile;
using sg::test::crlf;
using sg::test::writeFile;
using namespace sg;

namespace {



}  // namespace

TEST(SettingsReader, UnknownLinesAreSkippedOneByOneAndMayBeReadAsKeys) {
  // The wrong-case key is unknown, so its count and its entry are each read as keys.
  writeFile("settings.dat", crlf({"custompathlist", "1", "worldNameEmpty", "CustomSavePath", "\"E:\\s\\\""}));
  MainWindow w;
  EXPECT_EQ(w.dialog("custompathlist").listCount(), 0);
  EXPECT_EQ(w.dialog("worldnameempty").value(), 1);
  EXPECT_EQ(w.dialog("customsavepath").text(), "E:\\s\\");  // quotes removed on the way in
  EXPECT_EQ(w.dialog("currentlyloading").value(), 0);
}

TEST(SettingsReader, AHistoryThatWasNotToBeLoadedIsConsumedAndTheNextSaveEmptiesIt) {
  writeFile("settings.dat", crlf({"CustomPathNoLoading", "CustomPathList", "2", "C:\\a", "C:\\b", "worldFolderAlpha"}));
  MainWindow w;
  EXPECT_EQ(w.dialog("custompathlist").listCount(), 0);
  EXPECT_EQ(w.c("txtcustompath").listCount(), 0);
  EXPECT_EQ(w.dialog("worldfolderalpha").value(), 1);  // the keys after it still count
  settings::trysave(w.registry);
  EXPECT_NE(readFile("settings.dat").find("CustomPathList\r\n0\r\n"), std::string::npos);
}

TEST(SettingsReader, NotSavingNewPathsStillLoadsTheHistoryThatFollows) {
  writeFile("settings.dat", crlf({"CustomPathNoSaving", "CustomPathList", "1", "D:\\w"}));
  MainWindow w;
  EXPECT_EQ(w.dialog("custompathnosaving").value(), 1);
  EXPECT_EQ(w.dialog("custompathlist").items(), std::vector<std::string>{"D:\\w"});
  EXPECT_EQ(w.c("txtcustompath").items(), std::vector<std::string>{"D:\\w"});
}

TEST(SettingsReader, ACountBeyondTheFileKeepsTheEntriesReadSoFar) {
  // A count is the number that the line begins with: "1e300" is 1.
  struct { const char* count; int entries; } cases[] = {{"5", 2}, {"99999999999999999999", 2}, {"1e300", 1}};
  for (auto& c : cases) {
    writeFile("settings.dat", crlf({"CustomPathList", c.count, "C:\\one", "C:\\two"}));
    MainWindow w;
    EXPECT_EQ(w.dialog("custompathlist").listCount(), c.entries) << c.count;
    EXPECT_EQ(w.c("txtcustompath").listCount(), c.entries) << c.count;
    EXPECT_EQ(w.dialog("currentlyloading").value(), 0);
  }
}

TEST(SettingsReader, CountsAreTakenByTheirWholePart) {
  writeFile("settings.dat", crlf({"CustomPathList", " 1.9 entries", "C:\\one", "worldNameEmpty", "CustomPathList", "-3", "worldFolderAlpha"}));
  MainWindow w;
  EXPECT_EQ(w.dialog("worldnameempty").value(), 1);  // after the one entry, a key again
  EXPECT_EQ(w.dialog("custompathlist").listCount(), 0);  // emptied by the second list
  EXPECT_EQ(w.c("txtcustompath").listCount(), 1);          // the main list only ever grows
  EXPECT_EQ(w.dialog("worldfolderalpha").value(), 1);
}

TEST(SettingsReader, AnUnusableIndexEndsReadingAndKeepsWhatCameBefore) {
  struct { const char* value; int index; bool goesOn; } cases[] = {
      {" 2 ", 2, true}, {"2", 2, true}, {"  3", 3, true}, {"2.5", 2, true}, {"9", 0, false},
      {"-1", 0, false}, {"x", 0, false}, {"", 0, false}, {"2 x", 0, false}};
  for (auto& c : cases) {
    writeFile("settings.dat", crlf({"worldNameNoParsing", "AdvancedOptionsBatchVerbosity", c.value, "worldFolderAlpha"}));
    MainWindow w;
    EXPECT_EQ(w.c("comboverbosity").listIndex(), c.index) << "'" << c.value << "'";
    EXPECT_EQ(w.dialog("comboverbosity").listIndex(), c.index) << "'" << c.value << "'";
    EXPECT_EQ(w.dialog("worldnamenoparsing").value(), 1);
    EXPECT_EQ(w.dialog("worldfolderalpha").value(), c.goesOn ? 1 : 0) << "'" << c.value << "'";
    EXPECT_EQ(w.dialog("currentlyloading").value(), 0);
    EXPECT_TRUE(w.svc.dialogs.messages().empty());
  }
}

TEST(SettingsReader, BrokenFilesStopQuietly) {
  std::string longLine(200000, 'x');
  const std::string files[] = {
      "",
      std::string("\0\xff\x01\r\n\x80\x81", 7),
      crlf({"AdvancedOptionsBatchOutputFile", "out", "CustomSavePath"}),  // the value line is missing
      "AdvancedOptionsBatchOutputFile\r\nout\r\nDefaultSettings",       // truncated inside a key's value
      crlf({longLine, "AdvancedOptionsBatchOutputFile", "out", longLine}),
      "AdvancedOptionsBatchOutputFile\rout\nworldNameEmpty",              // any line end counts
  };
  for (const auto& content : files) {
    writeFile("settings.dat", content);
    MainWindow w;
    EXPECT_EQ(w.dialog("currentlyloading").value(), 0);
    EXPECT_TRUE(w.svc.dialogs.messages().empty());
    EXPECT_EQ(w.c("defaultset").text(), "world 1 normal north");
    bool read = content.find("out") != std::string::npos;
    EXPECT_EQ(w.c("txtoutputfile").text(), read ? "out" : "");
    EXPECT_EQ(w.dialog("txtoutputfile").text(), read ? "out" : "");
  }
}

TEST(SettingsReader, AFolderNamedLikeTheFileIsNotRead) {
  std::filesystem::create_directory("settings.dat");
  MainWindow w;
  EXPECT_EQ(w.dialog("oppathappdata").value(), 1);
  EXPECT_EQ(w.dialog("currentlyloading").value(), 0);
  EXPECT_TRUE(w.svc.dialogs.messages().empty());
}

TEST(SettingsReader, TheFileNameIsMatchedWithoutRegardToCase) {
  writeFile("SETTINGS.DAT", crlf({"worldNameEmpty"}));
  MainWindow w;
  EXPECT_EQ(w.dialog("worldnameempty").value(), 1);
}

TEST(SettingsReader, AnUnknownSavePathOptionLeavesTheSelection) {
  writeFile("settings.dat", crlf({"SavePathOption", "custom", "SavePathOption", "Custom"}));
  MainWindow w;
  EXPECT_EQ(w.dialog("oppathcustom").value(), 1);
}
