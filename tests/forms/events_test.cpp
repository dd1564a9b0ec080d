#include <gtest/gtest.h>

#include "forms/registry.h"
#include "support/test_services.h"

using namespace sg::forms;

namespace {

class SampleForm : public Form {
 public:
  explicit SampleForm(Registry& r) : Form(r, "Sample", "Sample", 4000, 3000) {
    declare({
        {.kind = Kind::TextBox, .name = "txtA", .caption = "start"},
        {.kind = Kind::TextBox, .name = "txtB"},
        {.kind = Kind::CheckBox, .name = "check1", .caption = "Check"},
        {.kind = Kind::ComboBox, .name = "comboList", .items = {"a", "b", "c"}, .style = Style::DropDownList},
        {.kind = Kind::ComboBox, .name = "comboEdit", .items = {"x", "y"}},
        {.kind = Kind::ListBox, .name = "List1", .items = {"1", "2"}, .style = Style::Checkbox},
        {.kind = Kind::Frame, .name = "Frame1", .caption = "F"},
        {.kind = Kind::OptionButton, .name = "opt1", .parent = "Frame1", .value = 1},
        {.kind = Kind::OptionButton, .name = "opt2", .parent = "Frame1"},
        {.kind = Kind::OptionButton, .name = "opt3"},
        {.kind = Kind::OptionButton, .name = "opt4", .value = 1},
        {.kind = Kind::CommandButton, .name = "Command1", .caption = "OK", .isDefault = true},
        {.kind = Kind::CommandButton, .name = "Command2", .caption = "Cancel"},
        {.kind = Kind::Timer, .name = "Timer1", .interval = 1000, .timerEnabled = false},
    });
  }
  void Form_Load() override { ++loads; }
  bool Form_QueryUnload() override { return !cancelClose; }
  void Form_Unload() override { ++unloads; }
  int loads = 0, unloads = 0;
  bool cancelClose = false;
};

struct FormsTest : ::testing::Test {
  sg::test::TestServices svc;
  Registry reg{svc.services};
  FormsTest() {
    reg.registerForm("Sample", [](Registry& r) { return std::make_unique<SampleForm>(r); });
  }
  SampleForm& form() { return reg.get<SampleForm>("sample"); }
};

}  // namespace

TEST_F(FormsTest, AnAssignmentFiresOnceAndOnlyWhenTheValueChanges) {
  auto& f = form();
  int changes = 0, clicks = 0, listClicks = 0;
  f.control("txtA").on(Event::Change, [&] { ++changes; });
  f.control("check1").on(Event::Click, [&] { ++clicks; });
  f.control("comboList").on(Event::Click, [&] { ++listClicks; });
  f.control("txtA").setText("x");
  f.control("txtA").setText("x");
  f.control("check1").setValue(1);
  f.control("check1").setValue(1);
  f.control("check1").setValue(2);
  f.control("comboList").setListIndex(1);
  f.control("comboList").setListIndex(1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(listClicks, 1);
  EXPECT_THROW(f.control("check1").setValue(3), std::out_of_range);
}

TEST_F(FormsTest, HandlersMayReenterThroughTheirOwnAssignments) {
  auto& f = form();
  std::vector<std::string> seen;
  auto& a = f.control("txtA");
  // Removes slashes, which fires Change once more with nothing left to remove.
  a.on(Event::Change, [&] {
    seen.push_back(a.text());
    std::string t = a.text();
    std::erase(t, '/');
    a.setText(t);
    f.control("txtB").setText(a.text() + "!");
  });
  int bChanges = 0;
  f.control("txtB").on(Event::Change, [&] { ++bChanges; });
  a.setText("a/b");
  EXPECT_EQ(seen, (std::vector<std::string>{"a/b", "ab"}));
  EXPECT_EQ(a.text(), "ab");
  EXPECT_EQ(f.control("txtB").text(), "ab!");
  EXPECT_EQ(bChanges, 1);
}

TEST_F(FormsTest, ListsKeepTheirSelectionAndTextInStep) {
  auto& f = form();
  auto& list = f.control("comboList");
  EXPECT_EQ(list.text(), "");
  list.setListIndex(2);
  EXPECT_EQ(list.text(), "c");
  list.addItem("first", 0);
  EXPECT_EQ(list.listIndex(), 3);
  list.removeItem(3);
  EXPECT_EQ(list.listIndex(), -1);
  EXPECT_THROW(list.setListIndex(4), std::out_of_range);
  EXPECT_THROW(list.list(9), std::out_of_range);
  list.setText("b");
  EXPECT_EQ(list.listIndex(), 2);

  auto& edit = f.control("comboEdit");
  int clicks = 0, changes = 0;
  edit.on(Event::Click, [&] { ++clicks; });
  edit.on(Event::Change, [&] { ++changes; });
  edit.setListIndex(1);  // picking an item fills the edit field; only Click fires
  EXPECT_EQ(edit.text(), "y");
  edit.setText("typed");
  EXPECT_EQ(edit.listIndex(), -1);  // typing leaves no item picked, so picking again works
  edit.setListIndex(1);
  EXPECT_EQ(edit.text(), "y");
  edit.setText("x");
  EXPECT_EQ(edit.listIndex(), 0);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(changes, 2);
  edit.setText("typed");
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(changes, 3);
  list.clear();
  EXPECT_EQ(list.listCount(), 0);
  EXPECT_THROW(list.setListIndex(0), std::out_of_range);
}

TEST_F(FormsTest, CheckBoxListsTickItemsAndFireItemCheck) {
  auto& l = form().control("List1");
  std::vector<int> checked;
  l.onItem(Event::ItemCheck, [&](int i) { checked.push_back(i); });
  l.setSelected(1, true);
  l.setSelected(1, true);
  EXPECT_TRUE(l.selected(1));
  EXPECT_FALSE(l.selected(0));
  l.addItem("new", 0);
  EXPECT_TRUE(l.selected(2));  // ticks move with their items
  EXPECT_EQ(checked, (std::vector<int>{1}));
}

TEST_F(FormsTest, OneOptionButtonIsSelectedPerContainer) {
  auto& f = form();
  int clicks = 0;
  f.control("opt2").on(Event::Click, [&] { ++clicks; });
  f.control("opt2").setValue(1);
  EXPECT_EQ(f.control("opt1").value(), 0);
  EXPECT_EQ(f.control("opt4").value(), 1);  // another container
  f.control("opt3").userClick();
  EXPECT_EQ(f.control("opt4").value(), 0);
  EXPECT_EQ(f.control("opt2").value(), 1);
  EXPECT_EQ(clicks, 1);
}

TEST_F(FormsTest, UserClicksFollowTheClassicRules) {
  auto& c = form().control("check1");
  c.setValue(2);
  c.userClick();
  EXPECT_EQ(c.value(), 0);
  c.userClick();
  EXPECT_EQ(c.value(), 1);
  int clicks = 0;
  form().control("Command1").on(Event::Click, [&] { ++clicks; });
  form().control("command1").userClick();
  EXPECT_EQ(clicks, 1);
}

TEST_F(FormsTest, ControlsAreFoundWithoutRegardToCaseInCreationOrder) {
  auto& f = form();
  EXPECT_EQ(&f.control("FRAME1"), &f.control("frame1"));
  EXPECT_EQ(f.find("nothing"), nullptr);
  EXPECT_THROW(f.control("nothing"), std::out_of_range);
  EXPECT_EQ(f.controls().front()->name(), "txtA");
  EXPECT_EQ(f.control("check1").tabIndex(), 2);
}

TEST_F(FormsTest, SettingATabPositionRenumbersTheOthers) {
  auto& f = form();
  f.control("check1").setTabIndex(0);
  EXPECT_EQ(f.control("check1").tabIndex(), 0);
  EXPECT_EQ(f.control("txtA").tabIndex(), 1);
  EXPECT_EQ(f.control("txtB").tabIndex(), 2);
  EXPECT_EQ(f.control("comboList").tabIndex(), 3);
  f.control("txtA").setTabIndex(1000);
  EXPECT_EQ(f.control("txtA").tabIndex(), static_cast<int>(f.controls().size()) - 1);
  auto order = f.tabOrder();
  for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i]->tabIndex(), static_cast<int>(i));
}

TEST_F(FormsTest, DefaultButtonsAndCharsetsAndTimers) {
  auto& f = form();
  f.control("Command2").setDefault(true);
  EXPECT_FALSE(f.control("Command1").isDefault());
  f.control("txtA").setCharset(204);
  EXPECT_EQ(f.control("txtA").charset(), 204);
  EXPECT_THROW(f.control("txtA").setCharset(5), std::invalid_argument);
  EXPECT_EQ(f.control("txtA").charset(), 204);
  int ticks = 0;
  auto& t = f.control("Timer1");
  t.on(Event::Timer, [&] { ++ticks; });
  EXPECT_FALSE(t.visible());
  t.tick();
  t.setTimerEnabled(true);
  t.tick();
  EXPECT_EQ(ticks, 1);
}

TEST_F(FormsTest, WindowsLoadOnceUnloadAndLoadAfresh) {
  EXPECT_EQ(reg.find("Sample"), nullptr);
  auto& f = form();
  EXPECT_EQ(f.loads, 1);
  f.control("txtA").setText("changed");
  EXPECT_EQ(&form(), &f);
  f.show();
  EXPECT_TRUE(f.visible());
  f.cancelClose = true;
  reg.close(f);
  EXPECT_TRUE(reg.isLoaded("Sample"));
  f.cancelClose = false;
  reg.close(f);
  EXPECT_FALSE(reg.isLoaded("SAMPLE"));
  EXPECT_EQ(f.unloads, 1);  // still alive until collected
  reg.collect();
  auto& again = form();
  EXPECT_EQ(again.control("txtA").text(), "start");
  EXPECT_EQ(again.loads, 1);
}

TEST_F(FormsTest, EndingTheProgramStopsEveryHandler) {
  auto& f = form();
  int changes = 0;
  f.control("txtA").on(Event::Change, [&] { ++changes; });
  reg.endProgram();
  EXPECT_TRUE(reg.ended());
  EXPECT_EQ(reg.find("Sample"), nullptr);
  EXPECT_EQ(f.unloads, 0);  // no close handling runs
  f.control("txtA").setText("late");
  EXPECT_EQ(changes, 0);
}
