// Output names: the suffix order, the filter and stack counts, and the output field.
#include <gtest/gtest.h>

#include "job_window.h"
#include "jobs/job_build.h"
#include "jobs/output_name.h"
#include "options/entry_fields.h"

namespace {

// The name a render of the window's entry would be given now.
std::string outputName(sg::test::JobWindow& w) {
  auto o = w.o();
  return sg::jobs::outputName(sg::options::readEntry(o), sg::jobs::readRequest(o, w.w().registry),
                              sg::jobs::counter(o.tempstackn));
}

struct OutputName : ::testing::Test {
  sg::test::JobWindow w;
  std::string name() { return outputName(w); }
};

TEST_F(OutputName, PlainMapAndEmptyMapName) {
  EXPECT_EQ(name(), "base_normal_north.png");
  w.c("txtmapname").setText("");
  EXPECT_EQ(name(), "_normal_north.png");
  // The map name is used as it stands, blanks included.
  w.c("txtmapname").setText(" my map ");
  EXPECT_EQ(name(), " my map _normal_north.png");
}

TEST_F(OutputName, EverySuffixInItsPlace) {
  auto& o = w;
  o.c("combostyle").setListIndex(6);
  o.c("comboorientation").setListIndex(1);
  o.c("layerfiltercombo").setListIndex(1);
  o.c("layerfiltertext").setText("64");
  o.c("combotime").setListIndex(2);
  o.c("checkcave").setValue(1);
  o.c("comboDimension").setListIndex(0);
  o.c("zoomlevel").setText("2");
  o.c("combolocchunks").setListIndex(2);
  o.c("checklocwhitespace").setValue(1);
  o.c("tempstackn").setText("3");
  EXPECT_EQ(name(), "base_isometric_east_only-layer-64_night_caves_nether_zoomed-x2_partial-spaced_3-renders.png");

  sg::test::JobWindow all;
  for (const char* box : {"checkmirror", "checkwater", "checkwooloscopy", "checkbrightness", "checkflip",
                          "checkrotate", "checkxray", "checkcake", "checkupsidedown", "checkmapmirror",
                          "checklocoffset"})
    all.c(box).setValue(1);
  all.c("blockfiltercombo").setListIndex(2);
  all.c("blockfiltertext").setText("1 14");
  all.c("combotime").setListIndex(1);
  all.c("comboDimension").setListIndex(2);
  all.c("zoomlevel").setText("2.50");
  all.c("combolocchunks").setListIndex(1);
  EXPECT_EQ(outputName(all),
            "base_normal_north-mirrored_hide-2-blocks_twilight_no-water_aether_wooloscopic_bright_flipped"
            "_zoomed-x2.5_rotated_xray_cakeoscopy_upside-down_mirrored_partial_offset-canvas.png");
}

TEST_F(OutputName, FilterCountsSplitAtEverySingleBlank) {
  w.c("layerfiltercombo").setListIndex(2);
  w.c("layerfiltertext").setText("1 2 3");
  EXPECT_EQ(name(), "base_normal_north_hide-3-layers.png");
  w.c("layerfiltertext").setText(" 1  2 ");  // trimmed, then the double blank gives an empty piece
  EXPECT_EQ(name(), "base_normal_north_hide-3-layers.png");
  w.c("layerfiltertext").setText("7");
  EXPECT_EQ(name(), "base_normal_north_hide-layer-7.png");
  w.c("layerfiltercombo").setListIndex(1);
  w.c("layerfiltertext").setText("");
  EXPECT_EQ(name(), "base_normal_north_0-layers.png");
  w.c("blockfiltercombo").setListIndex(1);
  w.c("blockfiltertext").setText("56");
  EXPECT_EQ(name(), "base_normal_north_0-layers_only-block-56.png");
  // "Show all" ignores whatever text is left.
  w.c("layerfiltercombo").setListIndex(0);
  w.c("blockfiltercombo").setListIndex(0);
  EXPECT_EQ(name(), "base_normal_north.png");
}

TEST_F(OutputName, ZoomAndStackCountsBelowTwoAddNothing) {
  for (const char* zoom : {"1", "0.5", "x2", ""}) {
    w.c("zoomlevel").setText(zoom);
    EXPECT_EQ(name(), "base_normal_north.png") << zoom;
  }
  w.c("zoomlevel").setText("02");
  EXPECT_EQ(name(), "base_normal_north_zoomed-x2.png");
  w.c("zoomlevel").setText("1");
  w.c("tempstackn").setText("1");
  EXPECT_EQ(name(), "base_normal_north.png");
  w.c("tempstackn").setText("2");
  EXPECT_EQ(name(), "base_normal_north_2-renders.png");
}

TEST_F(OutputName, OutputFieldNamesAFolderOrTheImage) {
  auto& out = w.c("txtoutputfile");
  out.setText("C:\\maps\\");
  EXPECT_EQ(name(), "C:\\maps\\base_normal_north.png");
  out.setText("/srv/maps/");
  EXPECT_EQ(name(), "/srv/maps/base_normal_north.png");
  out.setText("C:\\maps\\world");
  EXPECT_EQ(name(), "C:\\maps\\world.png");
  out.setText("C:\\maps\\layer*top");
  EXPECT_EQ(name(), "C:\\maps\\layer*top.png");

  w.c("checkeachlayer").setValue(1);
  w.c("layerfiltercombo").setListIndex(1);
  w.c("layerfiltertext").setText(" 12 ");
  out.setText("C:\\maps\\world");
  EXPECT_EQ(name(), "C:\\maps\\world12.png");
  out.setText("C:\\maps\\layer*top*");
  EXPECT_EQ(name(), "C:\\maps\\layer12top12.png");
  // A star that makes the prefix a folder puts the generated name after it.
  out.setText("C:\\maps\\*\\");
  EXPECT_EQ(name(), "C:\\maps\\12\\base_normal_north_only-layer-12.png");
}

TEST_F(OutputName, RenderLeavesTheLastNameInItsField) {
  w.render();
  EXPECT_EQ(w.c("genfile").text(), "base_normal_north.png");
}

}  // namespace
