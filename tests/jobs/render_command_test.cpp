// Render one entry and Post-process, called on their own: the lines they append, the counters
// they move, and their failures.
#include <gtest/gtest.h>

#include "job_window.h"
#include "jobs/post_process.h"
#include "jobs/render_command.h"
#include "options/entry_fields.h"
#include "support/test_system.h"
#include "settings/interface_settings.h"

using namespace sg;
using test::crlfLines;

namespace {

struct RenderEntry : ::testing::Test {
  test::JobWindow w;
  options::RenderOptions o = w.o();
  jobs::BatchFile batch{"renderJob2.bat"};
  const std::string entry = test::plainEntry("base");

  RenderEntry() {
    o.renderjob.setText("2");
    o.tempstackn.setText("0");
    o.totaljob.setText("0");
  }
  // Each step is taken as the Render button takes it: the request and the counters as the
  // window holds them, the selected row's entry and text; what the step changes goes back.
  jobs::JobBuild job() {
    return {.registry = w.w().registry, .batch = batch, .number = jobs::counter(o.renderjob),
            .request = jobs::readRequest(o, w.w().registry), .stacked = jobs::counter(o.tempstackn),
            .tasks = jobs::counter(o.totaljob), .genfile = o.genfile.text()};
  }
  template <class Step>
  auto step(Step s) {
    auto j = job();
    auto result = s(j);
    jobs::showJobState(o, j);
    return result;
  }
  void renderthis() { step([&](jobs::JobBuild& j) { jobs::renderthis(j, options::readEntry(o), o.stacklist.text()); return 0; }); }
  void postprocess() { step([&](jobs::JobBuild& j) { jobs::postprocess(j, options::readEntry(o)); return 0; }); }
  std::string words() { return step([&](jobs::JobBuild& j) { return jobs::postProcessorWords(j, options::readEntry(o)); }); }
  std::string tail(const std::string& output) { return jobs::rendererTail(job(), output); }

  std::vector<std::string> lines() {
    batch.close();
    return crlfLines("renderJob2.bat");
  }
};

TEST_F(RenderEntry, StackedRenderWritesItsLayerAndTheJobTail) {
  o.comboverbosity.setListIndex(1);
  o.combomapformat.setListIndex(2);
  renderthis();
  EXPECT_EQ(lines(), (std::vector<std::string>{
                         "echo Rendering renderJob2layer0.png (base_normal_north.png) >> renderJob2.log",
                         "strandvale_g_renderer.exe " + entry +
                             "progress renderJob2progress.log verbosity 1 beta outfile renderJob2layer0.png"}));
  EXPECT_EQ(o.tempstackn.text(), "1");
  EXPECT_EQ(o.totaljob.text(), "1");
  o.combomapformat.setListIndex(1);
  o.checkdisablelogging.setValue(1);
  renderthis();
  EXPECT_EQ(lines().back(), "strandvale_g_renderer.exe " + entry +
                                "progress renderJob2progress.log verbosity 1 alpha outfile renderJob2layer1.png");
  EXPECT_EQ(o.tempstackn.text(), "2");
  EXPECT_EQ(o.totaljob.text(), "1");  // no announcement without logging
}

TEST_F(RenderEntry, DirectRouteWritesTheQuotedFinalNameAndLeavesTheStackAlone) {
  o.checkdisablepostprocessor.setValue(2);  // greyed counts as on
  o.txtoutputfile.setText("C:\\my maps\\");
  renderthis();
  EXPECT_EQ(lines(), (std::vector<std::string>{
                         "echo Rendering \"C:\\my maps\\base_normal_north.png\" >> renderJob2.log",
                         "strandvale_g_renderer.exe " + entry +
                             "progress renderJob2progress.log outfile \"C:\\my maps\\base_normal_north.png\""}));
  EXPECT_EQ(o.tempstackn.text(), "0");

  // An offset file request also writes directly, and nothing is post-processed after it.
  o.checkdisablepostprocessor.setValue(0);
  o.checksurpressstacking.setValue(1);
  o.checklocoffset.setValue(1);
  renderthis();
  auto l = lines();
  ASSERT_EQ(l.size(), 4u);
  EXPECT_EQ(l[3], "strandvale_g_renderer.exe " + o.stacklist.text() +
                      "progress renderJob2progress.log outfile \"C:\\my maps\\base_normal_north_offset-canvas.png\"");
}

TEST_F(RenderEntry, SuppressedStackingMergesEarlierLayersFirstThenItsOwnImage) {
  o.tempstackn.setText("2");
  o.checksurpressstacking.setValue(1);
  renderthis();
  EXPECT_EQ(lines(), (std::vector<std::string>{
      "echo Post Processing base_normal_north_2-renders.png >> renderJob2.log",
      "strandvale_g_post_processor.exe merge 2 renderJob2layer0.png renderJob2layer1.png delete output "
      "\"base_normal_north_2-renders.png\"",
      "",
      "echo Rendering renderJob2layer0.png (base_normal_north_2-renders.png) >> renderJob2.log",
      "strandvale_g_renderer.exe " + entry + "progress renderJob2progress.log outfile renderJob2layer0.png",
      "echo Post Processing base_normal_north.png >> renderJob2.log",
      "strandvale_g_post_processor.exe input renderJob2layer0.png delete output \"base_normal_north.png\"",
      ""}));
  EXPECT_EQ(o.tempstackn.text(), "0");
  EXPECT_EQ(o.totaljob.text(), "3");
}

TEST_F(RenderEntry, EnvironmentPieceForOtherSaveFoldersKeepsItsClosingQuote) {
  w.f5("oppathcustom").setValue(1);
  w.f5("oppathappdata").setValue(0);
  w.f5("customsavepath").setText("D:\\games\\saves\\");
  w.w().svc.environment.set("LOCALAPPDATA", "C:\\Local");
  const std::string folder = settings::getSavePath(w.w().registry);
  std::string expected = folder;
  if (!folder.empty() && folder.back() == '\\') expected += '\\';
  EXPECT_EQ(tail("x.png"),
            "progress renderJob2progress.log environment \"" + expected + "\" outfile x.png");

  // A folder ending in '/' gets no backslash that would escape the quote.
  w.f5("customsavepath").setText("/home/me/saves/");
  const std::string slashFolder = settings::getSavePath(w.w().registry);
  if (!slashFolder.empty() && slashFolder.back() == '/') {
    EXPECT_EQ(tail("x.png"),
              "progress renderJob2progress.log environment \"" + slashFolder + "\" outfile x.png");
  }
  w.f5("oppathappdata").setValue(1);
  EXPECT_EQ(tail("x.png"), "progress renderJob2progress.log outfile x.png");
}

TEST_F(RenderEntry, MarkedRangeComesFromTheOffsetFileAtRenderTime) {
  o.combolocchunks.setListIndex(1);
  o.checklocwhitespace.setValue(1);
  test::writeFile("baseOffset.txt", "MinX: -12\r\nMaxX: 30\r\nMinZ: -5\r\nMaxZ: 18\r\n");
  renderthis();
  EXPECT_EQ(lines()[1], "strandvale_g_renderer.exe " + entry +
                            "spacedrectangle -12 30 -5 18 progress renderJob2progress.log outfile renderJob2layer0.png");
  // The stored entry keeps its placeholder.
  EXPECT_EQ(o.stacklist.text(), entry + "spacedrectangle fileminx filemaxx fileminz filemaxz ");
}

TEST_F(RenderEntry, PostProcessorWordsInTheirOrder) {
  o.tempstackn.setText("3");
  o.renderjob.setText("4");
  o.comborotation.setListIndex(1);
  o.combobackground.setListIndex(1);
  o.genfile.setText("ignored");
  EXPECT_EQ(words(),
            "merge 3 renderJob4layer0.png renderJob4layer1.png renderJob4layer2.png rotate 90 color White delete "
            "output \"ignored\"");
  o.tempstackn.setText("1");
  o.comborotation.setListIndex(3);
  o.combobackground.setListIndex(6);
  o.checksurpressdeletion.setValue(1);
  o.combomirroring.setListIndex(2);  // hidden: vertical mirroring still counts, checkmirror is left alone
  o.checkmirror.setValue(1);
  EXPECT_EQ(words(),
            "input renderJob4layer0.png rotate 270 color Black mirror horizontally mirror vertically output \"ignored\"");
  EXPECT_EQ(o.checkmirror.value(), 1);
}

TEST_F(RenderEntry, AutoMirroringFlipsHorizontalMirroringForAngledViewsFacingEastOrWest) {
  o.tempstackn.setText("1");
  o.combostyle.setListIndex(6);
  o.comboorientation.setListIndex(3);
  o.checkmapautomirror.setValue(1);
  EXPECT_NE(words().find(" mirror horizontally"), std::string::npos);
  o.checkmirror.setValue(1);
  EXPECT_EQ(words().find(" mirror"), std::string::npos);
  o.checksurpressautomirroring.setValue(1);
  EXPECT_NE(words().find(" mirror horizontally"), std::string::npos);
  o.checksurpressautomirroring.setValue(0);
  o.comboorientation.setListIndex(2);
  EXPECT_NE(words().find(" mirror horizontally"), std::string::npos);
  o.comboorientation.setListIndex(1);
  o.combostyle.setListIndex(4);
  EXPECT_NE(words().find(" mirror horizontally"), std::string::npos);
}

TEST_F(RenderEntry, VisibleMirroringChoiceSetsTheMirrorBoxForLaterNames) {
  o.combomirroring.setVisible(true);
  o.combomirroring.setListIndex(1);
  o.tempstackn.setText("1");
  postprocess();
  // The name of this step was made before the box changed; later names carry "-mirrored".
  EXPECT_EQ(lines()[1], "strandvale_g_post_processor.exe input renderJob2layer0.png mirror horizontally delete "
                        "output \"base_normal_north.png\"");
  EXPECT_EQ(o.checkmirror.value(), 1);
  o.tempstackn.setText("1");
  postprocess();
  EXPECT_EQ(lines()[3], "echo Post Processing base_normal_north-mirrored.png >> renderJob2.log");
  o.combomirroring.setListIndex(0);
  o.tempstackn.setText("1");
  postprocess();
  EXPECT_EQ(o.checkmirror.value(), 0);
}

TEST_F(RenderEntry, WriteFailuresAreReportedPerStepAndTheRequestGoesOn) {
  // Every write to this batch file fails with a full disk.
  if (!test::linkToFullDisk("renderJob2.bat")) GTEST_SKIP() << "no full-disk device here";
  o.tempstackn.setText("1");
  renderthis();
  EXPECT_EQ(o.tempstackn.text(), "2");  // counters moved before the write keep their values
  EXPECT_EQ(o.totaljob.text(), "1");
  postprocess();
  EXPECT_EQ(o.tempstackn.text(), "2");
  EXPECT_EQ(o.totaljob.text(), "1");
  const auto& m = w.dialogs().messages();
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0].text, "Warning: could not write render command to renderJob2.bat");
  EXPECT_EQ(m[1].text, "Warning: could not write post processing command to renderJob2.bat");
  EXPECT_EQ(m[0].icon, platform::Icon::Exclamation);
  EXPECT_EQ(m[0].buttons, platform::Buttons::OK);
  EXPECT_EQ(m[0].title, "Strandvale G");

  // A suppressed render whose own lines fail is not post-processed.
  o.checksurpressstacking.setValue(1);
  o.tempstackn.setText("0");
  renderthis();
  EXPECT_EQ(w.dialogs().messages().size(), 3u);
}

}  // namespace
