// The layer filter dialog opened from the main window.
#include <gtest/gtest.h>

#include "filters/form2.h"
#include "support/main_window.h"

using sg::test::MainWindow;

namespace {

struct LayerDialog : MainWindow {
  sg::filters::Form2& open(const std::string& layerfilter = "") {
    c("layerfiltertext").setText(layerfilter);
    c("Command7").userClick();
    return *registry.findAs<sg::filters::Form2>("Form2");
  }
  sg::forms::Control& d(const char* name) { return registry.find("Form2")->control(name); }
  std::vector<std::string> layers() { return d("List1").items(); }
  void addOne(const std::string& typed) {
    d("Text1").setText(typed);
    d("add1").userClick();
  }
  void addRange(const std::string& a, const std::string& b) {
    d("Text2").setText(a);
    d("Text3").setText(b);
    d("addm").userClick();
  }
};
using Layers = std::vector<std::string>;

}  // namespace

TEST(LayerDialog, OpeningListsTheValidLayersOfTheMainWindowInTheirOrder) {
  LayerDialog w;
  auto& f2 = w.open("64 5 64 abc 200  -1 128 05 127 0 63.5 +7");
  EXPECT_TRUE(f2.visible());
  EXPECT_EQ(f2.caption(), "Select layers");
  EXPECT_EQ(w.layers(), (Layers{"64", "5", "127", "0", "7"}));
  EXPECT_EQ(w.c("layerfiltertext").text(), "64 5 64 abc 200  -1 128 05 127 0 63.5 +7");
}

TEST(LayerDialog, AddToListTakesOnlyAPlainWholeNumberInRange) {
  LayerDialog w;
  w.open();
  w.addOne("64");
  EXPECT_EQ(w.layers(), (Layers{"64"}));
  EXPECT_EQ(w.d("Text1").text(), "");
  for (const char* bad : {"064", " 64", "64 ", "6e1", "128", "-1", "63.5", "", "x", "1.0"}) {
    w.addOne(bad);
    EXPECT_EQ(w.d("Text1").text(), bad);
    EXPECT_EQ(w.layers(), (Layers{"64"})) << bad;
  }
  w.addOne("0");
  w.addOne("127");
  w.addOne("64");  // already there
  EXPECT_EQ(w.layers(), (Layers{"0", "64", "127"}));
}

TEST(LayerDialog, NewLayersLandAfterTheLastSmallerOne) {
  LayerDialog w;
  w.open("5 64 ");
  w.addOne("20");
  EXPECT_EQ(w.layers(), (Layers{"5", "20", "64"}));
  // A list loaded in another order: after the last smaller value wherever it stands.
  w.open("64 5 ");
  w.addOne("20");
  EXPECT_EQ(w.layers(), (Layers{"64", "5", "20"}));
  w.addOne("70");
  EXPECT_EQ(w.layers(), (Layers{"64", "5", "20", "70"}));
}

TEST(LayerDialog, AddMultipleAddsTheWholeRangeAscending) {
  LayerDialog w;
  w.open("7 ");
  w.addRange("10", "5");
  EXPECT_EQ(w.layers(), (Layers{"5", "6", "7", "8", "9", "10"}));
  EXPECT_EQ(w.d("Text2").text(), "10");
  EXPECT_EQ(w.d("Text3").text(), "5");
  w.d("Command2").userClick();
  w.addRange("7", "7");
  EXPECT_EQ(w.layers(), (Layers{"7"}));
  for (auto [a, b] : {std::pair{"130", "5"}, std::pair{"5 ", "10"}, std::pair{"5", "-1"},
                      std::pair{"1.5", "3"}, std::pair{"", "3"}}) {
    w.addRange(a, b);
    EXPECT_EQ(w.layers(), (Layers{"7"})) << a << " " << b;
  }
  w.addRange("0", "127");
  EXPECT_EQ(w.layers().size(), 128u);
  EXPECT_EQ(w.layers().back(), "127");
}

TEST(LayerDialog, RemoveCheckedRemovesEveryTickedEntryIncludingNeighbours) {
  LayerDialog w;
  w.open("1 2 3 4 5 ");
  for (int i : {1, 2, 4}) w.d("List1").setSelected(i, true);
  w.d("Command1").userClick();
  EXPECT_EQ(w.layers(), (Layers{"1", "4"}));
}

TEST(LayerDialog, ConfirmWritesTheListAndSwitchesOnlyShowAll) {
  LayerDialog w;
  w.c("layerfiltercombo").setListIndex(0);
  auto& f2 = w.open("5 64 ");
  w.d("Command3").userClick();
  EXPECT_FALSE(f2.visible());
  EXPECT_EQ(w.c("layerfiltertext").text(), "5 64 ");
  EXPECT_EQ(w.c("layerfiltercombo").listIndex(), 1);
  EXPECT_NE(w.selectedLine().find("onlylayers 2 5 64 "), std::string::npos);

  w.c("layerfiltercombo").setListIndex(0);
  w.open("5 ");
  w.d("Command2").userClick();
  w.d("Command3").userClick();
  EXPECT_EQ(w.c("layerfiltertext").text(), "");
  EXPECT_EQ(w.c("layerfiltercombo").listIndex(), 1);

  w.c("layerfiltercombo").setListIndex(2);
  w.open("9 ");
  w.d("Command3").userClick();
  EXPECT_EQ(w.c("layerfiltercombo").listIndex(), 2);
}

TEST(LayerDialog, ReopeningDropsUnconfirmedChanges) {
  LayerDialog w;
  w.open("5 ");
  w.addOne("6");
  w.open("5 ");
  EXPECT_EQ(w.layers(), (Layers{"5"}));
  w.registry.close(*w.registry.find("Form2"));
  w.registry.collect();
  EXPECT_EQ(w.registry.find("Form2"), nullptr);
  w.open("8 ");
  EXPECT_EQ(w.layers(), (Layers{"8"}));
}

TEST(LayerDialog, TypingChoosesTheDefaultButton) {
  LayerDialog w;
  w.open();
  w.d("Text2").setText("3");
  EXPECT_TRUE(w.d("addm").isDefault());
  w.d("Text1").setText("3");
  EXPECT_TRUE(w.d("add1").isDefault());
  EXPECT_FALSE(w.d("addm").isDefault());
  w.d("Text3").setText("4");
  EXPECT_TRUE(w.d("addm").isDefault());
}

TEST(LayerDialog, TheLegendListsTheNotableHeights) {
  LayerDialog w;
  w.open();
  const std::string& legend = w.d("Label1").caption();
  EXPECT_EQ(legend, sg::filters::Form2::legend());
  EXPECT_EQ(std::count(legend.begin(), legend.end(), '\r'), 11);
  EXPECT_EQ(legend.find('\n'), std::string::npos);
  EXPECT_EQ(legend.substr(0, 31), "128 The void\r127 Highest Level\r");
  EXPECT_NE(legend.find("\r5   Above highest Bedrock\r0   Solid bedrock\r-1  The Void"), std::string::npos);
  EXPECT_TRUE(legend.ends_with("-1  The Void"));
}
