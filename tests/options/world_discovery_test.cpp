#include <gtest/gtest.h>

#include <filesystem>

#include "settings/interface_settings.h"
#include "support/main_window.h"
#include "support/working_folder.h"

using sg::test::MainWindow;
using sg::test::readFile;
using sg::test::workingFolder;
using sg::test::writeFile;
using namespace sg;

namespace {

using Items = std::vector<std::string>;

void world(const std::string& name, const char* levelFile = "level.dat") {
  writeFile(MainWindow::savesFolder() + name + "/" + levelFile, "");
}

void settingsFile(std::initializer_list<const char*> lines) {
  std::string out;
  for (const char* l : lines) out += std::string(l) + "\r\n";
  writeFile("settings.dat", out);
}

const char* const kFailure =
    "Warning: Could not load the list of world folders from the minecraft saves folder.\r"
    "Attempted to open: ";
const char* const kFailureEnd =
    "\rPlease check your security settings and AppData path.\r"
    "Please change the settings regarding world folder loading and/or world name generation at "
    "the Advanced Interface Settings";

}  // namespace

TEST(WorldDiscovery, OnlyFoldersWithALevelFileAreListedInNameOrder) {
  world("B", "Level.dat");
  world("A");
  std::filesystem::create_directories(MainWindow::savesFolder() + "C/region");
  writeFile(MainWindow::savesFolder() + "not a folder", "");
  MainWindow w;
  EXPECT_EQ(w.c("comboworldfolders").items(), (Items{"A", "B", "Custom"}));
  EXPECT_EQ(w.c("comboworldfolders").text(), "A");
  EXPECT_EQ(w.c("txtmapname").text(), "A");  // derived at start-up
  EXPECT_FALSE(w.c("txtcustompath").enabled());
  EXPECT_TRUE(w.svc.dialogs.messages().empty());
  EXPECT_EQ(w.c("checknosnooping").value(), 0);
}

TEST(WorldDiscovery, AnEmptySavesFolderLeavesOnlyCustom) {
  MainWindow w;
  EXPECT_EQ(w.c("comboworldfolders").items(), (Items{"Custom"}));
  EXPECT_EQ(w.c("comboworldfolders").listIndex(), 0);
  EXPECT_TRUE(w.c("txtcustompath").enabled());
  EXPECT_EQ(w.c("txtcustompath").text(), "");
  EXPECT_EQ(w.c("txtmapname").text(), "Level.dat NOT FOUND");
  EXPECT_TRUE(w.svc.dialogs.messages().empty());
}

TEST(WorldDiscovery, StartUpNamesFollowTheNameSettings) {
  settingsFile({"worldNameNoSnooping"});
  {
    MainWindow w;
    EXPECT_EQ(w.c("txtmapname").text(), "Custom");
  }
  settingsFile({"worldNameEmpty"});
  world("A");
  MainWindow w;
  EXPECT_EQ(w.c("comboworldfolders").items(), (Items{"A", "Custom"}));  // still listed
  EXPECT_EQ(w.c("txtmapname").text(), "");
}

TEST(WorldDiscovery, SlotNamesHeadTheListEvenWhenAFolderHasTheSameName) {
  settingsFile({"worldFolderAlpha"});
  world("World1");
  MainWindow w;
  EXPECT_EQ(w.c("comboworldfolders").items(),
            (Items{"World1", "World2", "World3", "World4", "World5", "World1", "Custom"}));
  // The built-in default line names World1, the first entry of that text.
  EXPECT_EQ(w.c("comboworldfolders").listIndex(), 0);
}

TEST(WorldDiscovery, NotLoadingWorldFoldersSearchesNothing) {
  world("A");
  settingsFile({"worldFolderNoSnooping"});
  {
    MainWindow w;
    EXPECT_EQ(w.c("comboworldfolders").items(), (Items{"Custom"}));
    EXPECT_TRUE(w.svc.dialogs.messages().empty());
  }
  settingsFile({"worldFolderNoSnooping", "worldFolderAlpha", "SavePathOption", "custom", "CustomSavePath", "/no/such/folder/"});
  MainWindow w;
  EXPECT_EQ(w.c("comboworldfolders").items(), (Items{"World1", "World2", "World3", "World4", "World5", "Custom"}));
  EXPECT_TRUE(w.svc.dialogs.messages().empty());
}

TEST(WorldDiscovery, ASavesFolderThatCannotBeListedIsReportedOnce) {
  writeFile("plainfile", "");
  for (std::string saves : {workingFolder() + "/missing/", workingFolder() + "/plainfile/"}) {
    settingsFile({"worldFolderAlpha", "SavePathOption", "custom", "CustomSavePath", saves.c_str()});
    MainWindow w;
    ASSERT_EQ(w.svc.dialogs.messages().size(), 1u) << saves;
    const auto& m = w.svc.dialogs.messages()[0];
    EXPECT_EQ(m.text, kFailure + saves + kFailureEnd);
    EXPECT_EQ(m.title, "Strandvale G");
    EXPECT_EQ(m.icon, platform::Icon::Exclamation);
    EXPECT_EQ(m.buttons, platform::Buttons::OK);
    EXPECT_EQ(w.c("comboworldfolders").items(), (Items{"World1", "World2", "World3", "World4", "World5", "Custom"}));
    EXPECT_EQ(w.c("checknosnooping").value(), 1);
    // With the level file test off, a slot whose folder is missing gives its plain name.
    w.c("comboworldfolders").setListIndex(2);
    EXPECT_EQ(w.c("txtmapname").text(), "World3");
  }
}

TEST(WorldDiscovery, AnEmptyCustomSavesFolderIsAFailureNotTheWorkingFolder) {
  std::filesystem::create_directories("Stray");
  writeFile("Stray/level.dat", "");
  settingsFile({"SavePathOption", "custom"});
  MainWindow w;
  EXPECT_EQ(w.c("comboworldfolders").items(), (Items{"Custom"}));
  ASSERT_EQ(w.svc.dialogs.messages().size(), 1u);
  EXPECT_EQ(w.svc.dialogs.messages()[0].text, kFailure + std::string() + kFailureEnd);
}

TEST(WorldDiscovery, ACustomSavesFolderWithoutItsFinalSeparatorStillListsItsWorlds) {
  writeFile("mysaves/Kept/level.dat", "");
  std::string saves = workingFolder() + "/mysaves";
  settingsFile({"SavePathOption", "custom", "CustomSavePath", saves.c_str()});
  MainWindow w;
  EXPECT_EQ(w.c("comboworldfolders").items(), (Items{"Kept", "Custom"}));
  EXPECT_EQ(w.c("txtmapname").text(), "Kept");
  EXPECT_TRUE(w.svc.dialogs.messages().empty());
}

TEST(WorldDiscovery, TheMarkerFileSwitchesTheTestsOffWithoutSaving) {
  writeFile("noSnooping.txt", "");
  world("A");
  MainWindow w;
  auto& f5 = w.registry.get("Form5");
  EXPECT_EQ(w.c("checknosnooping").value(), 1);
  EXPECT_EQ(f5.control("worldnamenosnooping").value(), 1);
  EXPECT_EQ(f5.control("worldfoldernosnooping").value(), 1);
  EXPECT_EQ(f5.control("currentlyloading").value(), 0);
  EXPECT_EQ(w.c("comboworldfolders").items(), (Items{"Custom"}));
  EXPECT_EQ(w.c("txtmapname").text(), "Custom");
  EXPECT_FALSE(std::filesystem::exists("settings.dat"));
  settings::trysave(w.registry);
  std::string file = readFile("settings.dat");
  EXPECT_NE(file.find("\r\nworldFolderNoSnooping\r\nworldNameNoSnooping\r\n"), std::string::npos);
}

TEST(WorldDiscovery, AThousandWorldsAreAllListed) {
  for (int i = 0; i < 1000; ++i) world("w" + std::to_string(10000 + i));
  MainWindow w;
  ASSERT_EQ(w.c("comboworldfolders").listCount(), 1001);
  EXPECT_EQ(w.c("comboworldfolders").list(999), "w10999");
}
