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



const char* const kFlagControls[] = {"worldfolderalpha",   "worldfoldernosnooping", "worldnameempty",
                                     "worldnamenosnooping", "worldnamenoparsing",    "worldnamenoserverprefix",
                                     "custompathnoloading", "custompathnosaving"};
const char* const kFlagKeys[] = {"worldFolderAlpha",   "worldFolderNoSnooping", "worldNameEmpty",
                                 "worldNameNoSnooping", "worldNameNoParsing",    "worldNameNoServerPrefix",
                                 "CustomPathNoLoading", "CustomPathNoSaving"};

}  // namespace

TEST(SettingsFile, WithoutAFileStartUpKeepsTheDefaultsAndTheFirstSaveWritesThem) {
  MainWindow w;
  EXPECT_EQ(w.dialog("oppathappdata").value(), 1);
  for (const char* f : kFlagControls) EXPECT_EQ(w.dialog(f).value(), 0) << f;
  EXPECT_EQ(w.dialog("custompathlist").listCount(), 0);
  EXPECT_FALSE(std::filesystem::exists("settings.dat"));
  settings::trysave(w.registry);
  EXPECT_EQ(readFile("settings.dat"),
            crlf({"CustomSavePath", "", "DefaultSettings", "world 1 normal north", "SavePathOption",
                  "appPath", "CustomPathList", "0"}));
}

TEST(SettingsFile, TheDocumentedExampleIsWrittenByteForByteAndReadBack) {
  {
    MainWindow w;
    w.dialog("oppathcustom").setValue(1);
    w.dialog("customsavepath").setText("D:\\games\\saves\\");
    w.dialog("worldnamenoparsing").setValue(1);
    w.dialog("custompathlist").addItem("D:\\old\\world1");
    w.dialog("custompathlist").addItem("E:\\backup\\world");
    w.c("comboverbosity").setListIndex(2);
    w.form1->saveAdvancedMapSettings_Click();
    w.registry.get("Form6").control("CheckAether").setValue(1);
    settings::trysave(w.registry);
    EXPECT_EQ(readFile("settings.dat"),
              crlf({"CustomSavePath", "D:\\games\\saves\\", "DefaultSettings", "world 1 normal north",
                    "SavePathOption", "custom", "worldNameNoParsing", "CustomPathList", "2",
                    "D:\\old\\world1", "E:\\backup\\world", "AdvancedOptionsBatchVerbosity", " 2 ",
                    "UseModAether"}));
  }
  std::string written = readFile("settings.dat");
  MainWindow w;
  EXPECT_EQ(w.dialog("oppathcustom").value(), 1);
  EXPECT_EQ(w.dialog("oppathappdata").value(), 0);
  EXPECT_EQ(w.dialog("customsavepath").text(), "D:\\games\\saves\\");
  EXPECT_EQ(w.dialog("worldnamenoparsing").value(), 1);
  EXPECT_EQ(w.dialog("custompathlist").items(), (std::vector<std::string>{"D:\\old\\world1", "E:\\backup\\world"}));
  EXPECT_EQ(w.c("txtcustompath").items(), w.dialog("custompathlist").items());
  EXPECT_EQ(w.c("comboverbosity").listIndex(), 2);
  EXPECT_EQ(w.dialog("comboverbosity").listIndex(), 2);
  EXPECT_TRUE(w.c("comboDimension").visible());
  settings::trysave(w.registry);
  EXPECT_EQ(readFile("settings.dat"), written);
}

TEST(SettingsFile, EveryFlagCombinationSurvivesASaveAndARestart) {
  for (unsigned mask = 0; mask < 256; mask += 1 + mask % 7) {
    std::filesystem::remove("settings.dat");
    {
      MainWindow w;
      for (unsigned b = 0; b < 8; ++b)
        if (mask & (1u << b)) w.dialog(kFlagControls[b]).setValue(1);
      w.dialog("custompathlist").addItem("C:\\kept");
      settings::trysave(w.registry);
      std::string file = readFile("settings.dat");
      for (unsigned b = 0; b < 8; ++b)
        EXPECT_EQ(file.find(std::string("\r\n") + kFlagKeys[b] + "\r\n") != std::string::npos,
                  (mask & (1u << b)) != 0)
            << kFlagKeys[b] << " mask " << mask;
    }
    MainWindow w;
    for (unsigned b = 0; b < 8; ++b)
      EXPECT_EQ(w.dialog(kFlagControls[b]).value(), (mask & (1u << b)) ? 1 : 0) << mask;
    // A history that was not to be loaded is consumed and not shown.
    size_t shown = (mask & (1u << 6)) ? 0 : 1;
    EXPECT_EQ(w.dialog("custompathlist").listCount(), static_cast<int>(shown)) << mask;
    EXPECT_EQ(w.c("txtcustompath").listCount(), static_cast<int>(shown)) << mask;
  }
}

TEST(SettingsFile, AdvancedOptionsAreSavedOnlyFromTheMirror) {
  {
    MainWindow w;
    w.c("combomapformat").setListIndex(1);
    w.c("checkdisablelogging").setValue(1);
    w.c("checkdisablepostprocessor").setValue(2);  // greyed is not on
    w.c("txtoutputfile").setText("out/map");
    for (const char* c : {"checksurpressstacking", "checksurpressdeletion", "checksurpressautomirroring", "checkmirror"})
      w.c(c).setValue(1);
    w.c("combomirroring").setListIndex(2);
    w.c("combobackground").setListIndex(6);
    w.c("comborotation").setListIndex(3);
    settings::trysave(w.registry);
    EXPECT_EQ(readFile("settings.dat").find("Advanced"), std::string::npos);  // not yet copied
    w.form1->saveAdvancedMapSettings_Click();
    EXPECT_EQ(readFile("settings.dat"),
              crlf({"CustomSavePath", "", "DefaultSettings", "world 1 normal north", "SavePathOption", "appPath",
                    "CustomPathList", "0", "AdvancedOptionsBatchDisableLogging", "AdvancedOptionsBatchMapFormat",
                    " 1 ", "AdvancedOptionsBatchOutputFile", "out/map",
                    "AdvancedOptionsPostProcessorSuppressStacking", "AdvancedOptionsPostProcessorSuppressDeletion",
                    "AdvancedOptionsPostProcessorSuppressAutoMirroring", "AdvancedOptionsPostProcessorMirror",
                    "AdvancedOptionsPostProcessorMirroring", " 2 ", "AdvancedOptionsPostProcessorBackground", " 6 ",
                    "AdvancedOptionsPostProcessorRotation", " 3 "}));
  }
  MainWindow w;
  EXPECT_EQ(w.c("combomapformat").listIndex(), 1);
  EXPECT_EQ(w.c("checkdisablelogging").value(), 1);
  EXPECT_EQ(w.c("txtoutputfile").text(), "out/map");
  EXPECT_EQ(w.c("checkmirror").value(), 1);
  EXPECT_EQ(w.c("combobackground").listIndex(), 6);
  EXPECT_EQ(w.c("comborotation").listIndex(), 3);
  EXPECT_EQ(w.dialog("comborotation").listIndex(), 3);
  EXPECT_EQ(w.dialog("txtoutputfile").text(), "out/map");
}

TEST(SettingsFile, DefaultLineButtonsSaveTheDefault) {
  writeFile("defaultSettings.txt", "world 2 lightmap\r\n");
  writeFile("settings.dat", crlf({"DefaultSettings", "world 3 oblique"}));
  MainWindow w;
  EXPECT_EQ(w.c("defaultset").text(), "world 3 oblique");  // the settings file wins
  w.c("checkcave").setValue(1);
  std::string entry = w.selectedLine();
  w.form1->Command10_Click();
  EXPECT_EQ(w.c("defaultset").text(), entry);
  EXPECT_NE(readFile("settings.dat").find("DefaultSettings\r\n" + entry + "\r\n"), std::string::npos);
  w.form1->Command11_Click();
  EXPECT_EQ(w.c("defaultset").text(), "world 1 normal north");
  EXPECT_EQ(w.selectedLine(), entry);  // the entry and the controls stay
  EXPECT_NE(readFile("settings.dat").find("DefaultSettings\r\nworld 1 normal north\r\n"), std::string::npos);
  EXPECT_EQ(readFile("defaultSettings.txt"), "world 2 lightmap\r\n");
}

TEST(SettingsFile, HistoryEntriesAreTrimmedAndTheLoadingFlagSuppressesSaves) {
  MainWindow w;
  w.dialog("custompathlist").addItem("   C:\\lead ");
  w.dialog("currentlyloading").setValue(1);
  settings::trysave(w.registry);
  EXPECT_FALSE(std::filesystem::exists("settings.dat"));
  w.dialog("currentlyloading").setValue(0);
  settings::trysave(w.registry);
  EXPECT_NE(readFile("settings.dat").find("CustomPathList\r\n1\r\nC:\\lead\r\n"), std::string::npos);
}

TEST(SettingsFile, AFailedSaveKeepsThePreviousFileWhole) {
  MainWindow w;
  w.dialog("worldfolderalpha").setValue(1);
  settings::trysave(w.registry);
  std::string before = readFile("settings.dat");
  // A folder where the new record would be written first makes the save fail part way.
  std::filesystem::create_directory("settings.dat.tmp~");
  w.dialog("worldnameempty").setValue(1);
  settings::trysave(w.registry);
  EXPECT_EQ(readFile("settings.dat"), before);
  EXPECT_TRUE(w.svc.dialogs.messages().empty());
}

TEST(SettingsFile, ASaveWithoutAMainWindowWritesNothing) {
  MainWindow w;
  settings::trysave(w.registry);
  std::string before = readFile("settings.dat");
  w.c("donotterminate").setValue(1);
  w.registry.unload(*w.form1);
  w.dialog("worldnameempty").setValue(1);
  settings::trysave(w.registry);
  EXPECT_EQ(readFile("settings.dat"), before);
}
