#include <gtest/gtest.h>

#include "platform/files.h"
#include "settings/interface_settings.h"
#include "support/main_window.h"
#include "support/working_folder.h"

using sg::test::MainWindow;
using sg::test::native;
using sg::test::readFile;
using namespace sg;

TEST(SaveFolder, TheFixedBoxesShowTheirVariablesAndUndoEveryEdit) {
  MainWindow w;
  w.svc.environment.set("APPDATA", native("/data/roaming"));
  w.svc.environment.set("LOCALAPPDATA", native("/data/local"));
  auto& app = w.dialog("txtdefapp");
  app.setText("typed over");
  EXPECT_EQ(app.text(), native("/data/roaming/.minecraft/saves/"));
  w.dialog("txtdeflocalapp").setText("x");
  EXPECT_EQ(w.dialog("txtdeflocalapp").text(), native("/data/local/.minecraft/saves/"));
  EXPECT_EQ(w.registry.get("Form5").height(), 5670);
}

TEST(SaveFolder, UnsetVariablesFallBackToTheHomeFolders) {
  MainWindow w;
  auto& env = w.svc.environment;
  env.unset("APPDATA");
  env.unset("LOCALAPPDATA");
  env.set("HOME", "/home/u");
  w.dialog("txtdefapp").setText("");
  w.dialog("txtdeflocalapp").setText("");
  if (files::separator() == '\\') {
    // Windows has no home fallback: an unset variable is an empty one.
    EXPECT_EQ(w.dialog("txtdefapp").text(), "\\.minecraft\\saves\\");
    EXPECT_EQ(w.dialog("txtdeflocalapp").text(), "\\.minecraft\\saves\\");
    return;
  }
  EXPECT_EQ(w.dialog("txtdefapp").text(), "/home/u/.minecraft/saves/");
  EXPECT_EQ(w.dialog("txtdeflocalapp").text(), "/home/u/.local/share/.minecraft/saves/");
  env.set("XDG_DATA_HOME", "/xdg");
  w.dialog("txtdeflocalapp").setText("");
  EXPECT_EQ(w.dialog("txtdeflocalapp").text(), "/xdg/.minecraft/saves/");
  env.unset("HOME");
  w.dialog("txtdefapp").setText("");
  EXPECT_EQ(w.dialog("txtdefapp").text(), "/.minecraft/saves/");
}

TEST(SaveFolder, TheSelectedOptionChoosesTheFolder) {
  MainWindow w;
  w.svc.environment.set("LOCALAPPDATA", native("/l"));
  w.dialog("txtdeflocalapp").setText("");
  EXPECT_EQ(settings::getSavePath(w.registry), MainWindow::savesFolder());
  w.dialog("oppathlocalappdata").setValue(1);
  EXPECT_EQ(settings::getSavePath(w.registry), native("/l/.minecraft/saves/"));
  w.dialog("oppathcustom").setValue(1);
  EXPECT_EQ(settings::getSavePath(w.registry), "");
  w.dialog("customsavepath").setText("D:\\saves\\");
  EXPECT_EQ(settings::getSavePath(w.registry), "D:\\saves\\");
  w.dialog("customsavepath").setText("/srv/saves");
  EXPECT_EQ(settings::getSavePath(w.registry), "/srv/saves" + std::string(1, files::separator()));  // a separator is added ...
  EXPECT_EQ(w.dialog("customsavepath").text(), "/srv/saves");  // ... but not stored
  w.dialog("oppathcustom").setValue(0);
  EXPECT_EQ(settings::getSavePath(w.registry), "");  // nothing selected
}

TEST(SaveFolder, ACustomFolderLosesItsQuotesAndIsSavedAtOnce) {
  MainWindow w;
  w.dialog("oppathcustom").setValue(1);
  w.dialog("customsavepath").setText("\"D:\\saves\\\"");
  EXPECT_EQ(w.dialog("customsavepath").text(), "D:\\saves\\");
  EXPECT_NE(readFile("settings.dat").find("CustomSavePath\r\nD:\\saves\\\r\n"), std::string::npos);
}

TEST(SaveFolder, TheCloseBoxOnlyHidesTheDialog) {
  MainWindow w;
  auto& f5 = w.registry.get("Form5");
  f5.show();
  w.dialog("worldnameempty").setValue(1);
  w.registry.close(f5);
  ASSERT_EQ(w.registry.find("Form5"), &f5);
  EXPECT_FALSE(f5.visible());
  EXPECT_EQ(w.dialog("worldnameempty").value(), 1);
}
