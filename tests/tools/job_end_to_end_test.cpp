// A whole job through the built programs: the runner reads a batch file as the app writes
// it, the renderer draws two layers, the post processor merges them, and the job clears up.
#include <gtest/gtest.h>

#include <cstdlib>

#include "world_builder.h"

using namespace sgtest;

TEST(JobEndToEnd, BatchFileToFinalImage) {
  installProgram(SG_RENDERER, "strandvale_g_renderer.exe");
  installProgram(SG_POST_PROCESSOR, "strandvale_g_post_processor.exe");
  sgtest::RegionWriter w;
  w.put(0, 0, betaChunk(0, 0, [](int x, int y, int) { return y < 60 ? 1 : (y == 60 && x < 8 ? 2 : 0); }));
  w.write("saves/My World/region/r.0.0.mcr");
  std::string saves = (std::filesystem::current_path() / "saves").string() + "/";
  spit("renderJob0.log", "");
  std::string job =
      "@echo Rename this batchfile if you want to use it again\r\n"
      "echo Starting at 14:03:59 >> renderJob0.log\r\n"
      "echo Rendering renderJob0layer0.png (a&b_normal_north.png) >> renderJob0.log\r\n"
      "strandvale_g_renderer.exe folder \"My World\" name \"a&b\" normal north onlylayers 1 60 "
      "automirror progress renderJob0progress.log environment \"" + saves + "\\\" "
      "verbosity 1 beta outfile renderJob0layer0.png\r\n"
      "echo Rendering renderJob0layer1.png (a&b_normal_north.png) >> renderJob0.log\r\n"
      "strandvale_g_renderer.exe folder \"My World\" name \"a&b\" normal north automirror "
      "progress renderJob0progress.log environment \"" + saves + "\\\" outfile renderJob0layer1.png\r\n"
      "echo Post Processing a^&b_normal_north_2-renders.png >> renderJob0.log\r\n"
      "strandvale_g_post_processor.exe merge 2 renderJob0layer0.png renderJob0layer1.png rotate 90 "
      "color White delete output \"a&b 100%%_2-renders.png\"\r\n"
      "\r\n"
      "copy renderJob0.log kept.log\r\n"
      "del renderJob0.log\r\n"
      "del renderJob0progress.log\r\n";
  spit("renderJob0.bat", job);
  std::string cmd = std::string(SG_RUNNER) + " renderJob0.bat >runner.out 2>runner.err";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << slurp("runner.err");
  auto im = readImage("a&b 100%_2-renders.png");
  ASSERT_EQ(im.width(), 16) << slurp("runner.err");
  // Turned a quarter clockwise: the grass of x < 8 lies in the top half of the right side.
  sgimage::Rgba grassSide = im.at(15, 0), stoneSide = im.at(15, 15);
  EXPECT_GT(grassSide.g, grassSide.r);
  EXPECT_EQ(stoneSide.r, stoneSide.g);
  EXPECT_EQ(grassSide.a, 255);
  EXPECT_FALSE(exists("renderJob0layer0.png"));
  EXPECT_FALSE(exists("renderJob0layer1.png"));
  EXPECT_FALSE(exists("renderJob0.log"));
  EXPECT_FALSE(exists("renderJob0progress.log"));
  EXPECT_FALSE(exists("kept.log"));
  EXPECT_NE(slurp("runner.err").find("'copy' is not a command that jobs run"), std::string::npos);
  // The unquoted & of the map name splits the echo lines as the command processor does.
  EXPECT_EQ(slurp("runner.out"),
            "Rename this batchfile if you want to use it again\r\n"
            "Rendering renderJob0layer0.png (a\r\nRendering renderJob0layer1.png (a\r\n");
}
