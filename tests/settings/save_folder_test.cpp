#include <gtest/gtest.h>

#include "settings/interface_settings.h"
#include "support/main_window.h"
#include "support/working_folder.h"

using sg::test::MainWindow;
using sg::test::readFile;
using namespace sg;

namespace {

forms::Control& dialog(MainWindow& w, const char* name) {
  return w.registry.get("Form5").control(name);
}
}  // namespace

TEST(SaveFolder, TheFixedBoxesShowTheirVariablesAndUndoEveryEdit) {
  MainWindow w;
  w.svc.environment.set("APPDATA", "/data/roaming");
  w.svc.environment.set("LOCALAPPDATA", "/data/local");
  auto& app = dialog(w, "txtdefapp");
  app.setText("typed over");
  EXPECT_EQ(app.text(), "/data/roaming/.minecraft/saves/");
  dialog(w, "txtdeflocalapp").setText("x");
  EXPECT_EQ(dialog(w, "txtdeflocalapp").text(), "/data/local/.minecraft/saves/");
  EXPECT_EQ(w.registry.get("Form5").height(), 5670);
}

TEST(SaveFolder, UnsetVariablesFallBackToTheHomeFolders) {
  MainWindow w;
  auto& env = w.svc.environment;
  env.unset("APPDATA");
  env.unset("LOCALAPPDATA");
  env.set("HOME", "/home/u");
  dialog(w, "txtdefapp").setText("");
  dialog(w, "txtdeflocalapp").setText("");
  EXPECT_EQ(dialog(w, "txtdefapp").text(), "/home/u/.minecraft/saves/");
  EXPECT_EQ(dialog(w, "txtdeflocalapp").text(), "/home/u/.local/share/.minecraft/saves/");
  env.set("XDG_DATA_HOME", "/xdg");
  dialog(w, "txtdeflocalapp").setText("");
  EXPECT_EQ(dialog(w, "txtdeflocalapp").text(), "/xdg/.minecraft/saves/");
  env.unset("HOME");
  dialog(w, "txtdefapp").setText("");
  EXPECT_EQ(dialog(w, "txtdefapp").text(), "/.minecraft/saves/");
}

TEST(SaveFolder, TheSelectedOptionChoosesTheFolder) {
  MainWindow w;
  w.svc.environment.set("LOCALAPPDATA", "/l");
  dialog(w, "txtdeflocalapp").setText("");
  EXPECT_EQ(settings::getSavePath(w.registry), MainWindow::savesFolder());
  dialog(w, "oppathlocalappdata").setValue(1);
  EXPECT_EQ(settings::getSavePath(w.registry), "/l/.minecraft/saves/");
  dialog(w, "oppathcustom").setValue(1);
  EXPECT_EQ(settings::getSavePath(w.registry), "");
  dialog(w, "customsavepath").setText("D:\\saves\\");
  EXPECT_EQ(settings::getSavePath(w.registry), "D:\\saves\\");
  dialog(w, "customsavepath").setText("/srv/saves");
  EXPECT_EQ(settings::getSavePath(w.registry), "/srv/saves/");  // a separator is added ...
  EXPECT_EQ(dialog(w, "customsavepath").text(), "/srv/saves");  // ... but not stored
  dialog(w, "oppathcustom").setValue(0);
  EXPECT_EQ(settings::getSavePath(w.registry), "");  // nothing selected
}

TEST(SaveFolder, ACustomFolderLosesItsQuotesAndIsSavedAtOnce) {
  MainWindow w;
  dialog(w, "oppathcustom").setValue(1);
  dialog(w, "customsavepath").setText("\"D:\\saves\\\"");
  EXPECT_EQ(dialog(w, "customsavepath").text(), "D:\\saves\\");
  EXPECT_NE(readFile("settings.dat").find("CustomSavePath\r\nD:\\saves\\\r\n"), std::string::npos);
}

TEST(SaveFolder, TheCloseBoxOnlyHidesTheDialog) {
  MainWindow w;
  auto& f5 = w.registry.get("Form5");
  f5.show();
  dialog(w, "worldnameempty").setValue(1);
  w.registry.close(f5);
  ASSERT_EQ(w.registry.find("Form5"), &f5);
  EXPECT_FALSE(f5.visible());
  EXPECT_EQ(dialog(w, "worldnameempty").value(), 1);
}
