#include <gtest/gtest.h>

#include <filesystem>

#include "options/world_names.h"
#include "support/main_window.h"
#include "support/working_folder.h"

using sg::test::MainWindow;
using sg::test::workingFolder;
using sg::test::writeFile;
using namespace sg;

namespace {

struct WorldNames : ::testing::Test {
  MainWindow w;
  void set(const char* flag) { w.dialog(flag).setValue(1); }
  std::string server(const std::string& path) {
    auto o = w.options();
    return options::checkservername(o, path);
  }
  std::string local(const std::string& path) {
    auto o = w.options();
    return options::checkcustomname(o, path);
  }
};

}  // namespace

TEST_F(WorldNames, ServerPathsWithEverySettingOff) {
  EXPECT_EQ(server("//192.168.1.20/share/World1"), "192-168-1-20_World1");
  EXPECT_EQ(server("\\\\192.168.1.20\\share\\World1"), "192-168-1-20_World1");
  EXPECT_EQ(server("//192.168.1.20"), "192-168-1-20");
  EXPECT_EQ(server("//fileserver/saves/My World"), "fileserver_My World");
  EXPECT_EQ(server("//host/w.v2"), "host_w.v2");  // the world's own periods stay
  // The later of the two first separators ends the server part.
  EXPECT_EQ(server("//srv\\share/World"), "srv\\share_World");
}

TEST_F(WorldNames, NoParsingKeepsThePeriods) {
  set("worldnamenoparsing");
  EXPECT_EQ(server("//192.168.1.20/share/World1"), "192.168.1.20_World1");
  EXPECT_EQ(server("//192.168.1.20"), "192.168.1.20");
}

TEST_F(WorldNames, NoServerPrefixGivesTheWorldAlone) {
  set("worldnamenoserverprefix");
  EXPECT_EQ(server("//192.168.1.20/share/World1"), "World1");
  EXPECT_EQ(server("//192.168.1.20/share/My.World"), "My.World");
  EXPECT_EQ(server("//192.168.1.20"), "192.168.1.20");
}

TEST_F(WorldNames, EmptyNamesKeepOnlyTheServerPrefix) {
  set("worldnameempty");
  EXPECT_EQ(server("//192.168.1.20/share/World1"), "192-168-1-20_");
  EXPECT_EQ(server("//192.168.1.20"), "");
  EXPECT_EQ(local(workingFolder()), "");
}

TEST_F(WorldNames, LocalFoldersNeedTheirLevelFileInAnyCase) {
  writeFile("worlds/My World/LEVEL.DAT", "x");
  EXPECT_EQ(local(workingFolder() + "/worlds/My World"), "My World");
  EXPECT_EQ(local(workingFolder() + "\\worlds\\My World"), "My World");
  EXPECT_EQ(local(workingFolder() + "/worlds/Missing"), options::kLevelNotFound);
  EXPECT_EQ(local(workingFolder() + "/worlds"), options::kLevelNotFound);
  std::filesystem::create_directories("worlds/Folder/level.dat");  // a folder is no level file
  EXPECT_EQ(local(workingFolder() + "/worlds/Folder"), options::kLevelNotFound);
}

TEST_F(WorldNames, WithoutTheLevelFileTestTheLastComponentIsTheName) {
  set("worldnamenosnooping");
  EXPECT_EQ(local("C:/nowhere/World3"), "World3");
  EXPECT_EQ(local("C:\\a/b\\c"), "c");
  EXPECT_EQ(local("plain"), "plain");
  w.dialog("worldnamenosnooping").setValue(0);
  EXPECT_EQ(local("C:/nowhere/World3"), options::kLevelNotFound);
  w.c("checknosnooping").setValue(1);
  EXPECT_EQ(local("C:/nowhere/World3"), "World3");
}
