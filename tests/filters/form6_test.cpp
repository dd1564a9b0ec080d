#include <gtest/gtest.h>

#include "settings/interface_settings.h"
#include "support/main_window.h"
#include "support/working_folder.h"

using sg::test::MainWindow;
using sg::test::readFile;
using sg::test::writeFile;
using namespace sg;

namespace {

struct ModsDialog : ::testing::Test {
  MainWindow w;
  forms::Control& aether() { return w.registry.get("Form6").control("CheckAether"); }
  int tab(const char* name) { return w.c(name).tabIndex(); }
  int last() { return static_cast<int>(w.form1->controls().size()) - 1; }
};

}  // namespace

TEST_F(ModsDialog, TheSwitchHandsTheTabPlaceBetweenCheckBoxAndChooser) {
  EXPECT_EQ(w.registry.get("Form6").caption(), "Mods");
  EXPECT_EQ(aether().caption(), "Aether collab");
  int place = tab("checknether");
  auto before = w.form1->tabOrder();
  aether().userClick();
  EXPECT_TRUE(w.c("comboDimension").visible());
  EXPECT_TRUE(w.c("lbldimension").visible());
  EXPECT_FALSE(w.c("checknether").visible());
  EXPECT_EQ(tab("comboDimension"), place);
  EXPECT_EQ(tab("checknether"), last());
  aether().userClick();
  EXPECT_FALSE(w.c("comboDimension").visible());
  EXPECT_FALSE(w.c("lbldimension").visible());
  EXPECT_TRUE(w.c("checknether").visible());
  EXPECT_EQ(tab("checknether"), place);
  EXPECT_EQ(tab("comboDimension"), last());
  // Every other control keeps its order.
  auto after = w.form1->tabOrder();
  std::erase(before, &w.c("comboDimension"));
  std::erase(after, &w.c("comboDimension"));
  EXPECT_EQ(before, after);
}

TEST_F(ModsDialog, TheSwitchChangesNoOptionValue) {
  aether().setValue(1);
  w.c("comboDimension").setListIndex(2);
  std::string line = w.selectedLine();
  EXPECT_NE(line.find("dimension DIM3 "), std::string::npos);
  aether().setValue(0);
  EXPECT_EQ(w.c("comboDimension").listIndex(), 2);
  EXPECT_EQ(w.selectedLine(), line);
}

TEST_F(ModsDialog, TheCloseBoxHidesTheDialogAndKeepsTheSwitch) {
  auto& f6 = w.registry.get("Form6");
  w.form1->Command16_Click();
  EXPECT_TRUE(f6.visible());
  aether().userClick();
  w.registry.close(f6);
  ASSERT_EQ(w.registry.find("Form6"), &f6);
  EXPECT_FALSE(f6.visible());
  EXPECT_EQ(aether().value(), 1);
}

TEST(ModsSwitch, IsSavedWithTheSettingsAndShowsTheChooserAtStartUp) {
  {
    MainWindow w;
    w.registry.get("Form6").control("CheckAether").setValue(1);
    settings::trysave(w.registry);
    EXPECT_NE(readFile("settings.dat").find("\r\nUseModAether\r\n"), std::string::npos);
  }
  MainWindow w;
  EXPECT_FALSE(w.registry.get("Form6").visible());
  EXPECT_EQ(w.registry.get("Form6").control("CheckAether").value(), 1);
  EXPECT_TRUE(w.c("comboDimension").visible());
  EXPECT_FALSE(w.c("checknether").visible());
}

TEST(ModsSwitch, AReloadedMainWindowShowsTheChooserAgain) {
  MainWindow w;
  auto& check = w.registry.get("Form6").control("CheckAether");
  check.setValue(1);
  settings::trysave(w.registry);
  w.c("donotterminate").setValue(1);
  w.registry.unload(*w.form1);
  auto& again = w.registry.get("Form1");
  EXPECT_FALSE(w.registry.ended());
  EXPECT_TRUE(again.control("comboDimension").visible());
  EXPECT_FALSE(again.control("checknether").visible());
  EXPECT_EQ(again.control("checknether").tabIndex(), static_cast<int>(again.controls().size()) - 1);
}
