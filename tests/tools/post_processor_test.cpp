// The post processor on small images, checked pixel by pixel: every step, their order,
// merging of layers of different sizes, atomic output, deletion, and bad input.
#include <gtest/gtest.h>

#include <unistd.h>

#include <sstream>

#include "imaging/image_operations.h"
#include "imaging/png_row_reader.h"

#include "post_processor/post_arguments.h"
#include "post_processor/post_processor.h"
#include "support/working_folder.h"
#include "tool_test_support.h"
#include "world_builder.h"

using namespace sgtest;
using sgimage::Rgba;
using sgimage::RgbaImage;

namespace {

const Rgba R{255, 0, 0, 255}, G{0, 255, 0, 255}, B{0, 0, 255, 255}, K{0, 0, 0, 255},
    Clear{0, 0, 0, 0}, White{255, 255, 255, 255};

// Rows of pixels, top row first.
RgbaImage image(std::vector<std::vector<Rgba>> rows) {
  RgbaImage im(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; x < rows[y].size(); ++x) im.set(int(x), int(y), rows[y][x]);
  return im;
}

void expectImage(const RgbaImage& im, std::vector<std::vector<Rgba>> rows) {
  ASSERT_EQ(im.height(), int(rows.size()));
  ASSERT_EQ(im.width(), int(rows[0].size()));
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; x < rows[y].size(); ++x) {
      Rgba p = im.at(int(x), int(y));
      Rgba e = rows[y][x];
      EXPECT_TRUE(p == e) << "pixel " << x << "," << y << " is " << int(p.r) << " " << int(p.g)
                          << " " << int(p.b) << " " << int(p.a);
    }
}

struct Post {
  std::ostringstream errors;
  int status;
  explicit Post(std::vector<std::string> words) : status(sgpost::runPostProcessor(words, errors)) {}
};

// R G / B K: a picture whose every turn and flip looks different.
void writeQuad(const std::string& name) { writeImage(name, image({{R, G}, {B, K}})); }

}  // namespace

TEST(PostProcessor, InputAloneIsCopiedExactly) {
  writeImage("in.png", image({{R, Clear, Rgba{10, 20, 30, 40}}}));
  Post p({"input", "in.png", "output", "out.png"});
  ASSERT_EQ(p.status, 0) << p.errors.str();
  expectImage(readImage("out.png"), {{R, Clear, Rgba{10, 20, 30, 40}}});
  EXPECT_TRUE(exists("in.png"));
}

TEST(PostProcessor, RotationsAreClockwise) {
  writeQuad("q.png");
  ASSERT_EQ(Post({"input", "q.png", "rotate", "90", "output", "r90.png"}).status, 0);
  expectImage(readImage("r90.png"), {{B, R}, {K, G}});
  ASSERT_EQ(Post({"input", "q.png", "rotate", "180", "output", "r180.png"}).status, 0);
  expectImage(readImage("r180.png"), {{K, B}, {G, R}});
  ASSERT_EQ(Post({"input", "q.png", "rotate", "270", "output", "r270.png"}).status, 0);
  expectImage(readImage("r270.png"), {{G, K}, {R, B}});
  // A wide image turns tall.
  writeImage("wide.png", image({{R, G, B}}));
  ASSERT_EQ(Post({"input", "wide.png", "rotate", "90", "output", "tall.png"}).status, 0);
  expectImage(readImage("tall.png"), {{R}, {G}, {B}});
}

TEST(PostProcessor, MirrorsExchangeSidesOrTopAndBottom) {
  writeQuad("q.png");
  ASSERT_EQ(Post({"input", "q.png", "mirror", "horizontally", "output", "h.png"}).status, 0);
  expectImage(readImage("h.png"), {{G, R}, {K, B}});
  ASSERT_EQ(Post({"input", "q.png", "mirror", "vertically", "output", "v.png"}).status, 0);
  expectImage(readImage("v.png"), {{B, K}, {R, G}});
}

TEST(PostProcessor, ColourFillsOnlyWhatIsClear) {
  writeImage("in.png", image({{R, Clear, Rgba{0, 0, 255, 128}}}));
  for (auto [name, colour] : std::vector<std::pair<std::string, Rgba>>{
           {"White", White}, {"Red", R}, {"Green", G}, {"Blue", B},
           {"Yellow", Rgba{255, 255, 0, 255}}, {"Black", K}}) {
    Post p({"input", "in.png", "color", name, "output", "c.png"});
    ASSERT_EQ(p.status, 0) << name;
    RgbaImage out = readImage("c.png");
    EXPECT_TRUE(out.at(0, 0) == R) << name;
    EXPECT_TRUE(out.at(1, 0) == colour) << name;
    EXPECT_EQ(out.at(2, 0).a, 255) << name;
  }
  // Half-clear blue over white blends to a light blue.
  Post p({"input", "in.png", "color", "white", "output", "c.png"});
  Rgba half = readImage("c.png").at(2, 0);
  EXPECT_EQ(half.b, 255);
  EXPECT_NEAR(half.r, 127, 1);
}

TEST(PostProcessor, MergeDrawsTheLastLayerAtTheBottomOnTheLargestCanvas) {
  writeImage("top.png", image({{R, Clear}}));                          // 2x1
  writeImage("mid.png", image({{Clear}, {G}}));                        // 1x2
  writeImage("bottom.png", image({{B, B, B}, {Clear, Clear, Clear}}));  // 3x2
  Post p({"merge", "3", "top.png", "mid.png", "bottom.png", "output", "m.png"});
  ASSERT_EQ(p.status, 0) << p.errors.str();
  expectImage(readImage("m.png"), {{R, B, B}, {G, Clear, Clear}});
  // Half-transparent top over opaque bottom blends.
  writeImage("glass.png", image({{Rgba{255, 255, 255, 128}}}));
  writeImage("floor.png", image({{K}}));
  ASSERT_EQ(Post({"merge", "2", "glass.png", "floor.png", "output", "g.png"}).status, 0);
  Rgba g = readImage("g.png").at(0, 0);
  EXPECT_EQ(g.a, 255);
  EXPECT_NEAR(g.r, 128, 1);
}

TEST(PostProcessor, StepsRunInTheOrderGivenAndDeleteComesLast) {
  writeImage("renderJob4layer0.png", image({{R, Clear}}));
  writeImage("renderJob4layer1.png", image({{Clear, G}, {B, Clear}}));
  Post p({"merge", "2", "renderJob4layer0.png", "renderJob4layer1.png", "rotate", "90", "color",
          "White", "mirror", "horizontally", "mirror", "vertically", "delete", "output",
          "top_3-renders.png"});
  ASSERT_EQ(p.status, 0) << p.errors.str();
  // merged R G / B W(clear) -> rotated B R / W G -> white fill -> flipped both ways.
  expectImage(readImage("top_3-renders.png"), {{G, White}, {R, B}});
  EXPECT_FALSE(exists("renderJob4layer0.png"));
  EXPECT_FALSE(exists("renderJob4layer1.png"));
  // Mirror then rotate differs from rotate then mirror.
  writeQuad("q.png");
  ASSERT_EQ(Post({"input", "q.png", "mirror", "horizontally", "rotate", "90", "output", "a.png"}).status, 0);
  expectImage(readImage("a.png"), {{K, G}, {B, R}});
}

TEST(PostProcessor, DeleteKeepsAnInputThatIsAlsoTheOutput) {
  writeQuad("same.png");
  ASSERT_EQ(Post({"input", "same.png", "rotate", "180", "delete", "output", "same.png"}).status, 0);
  expectImage(readImage("same.png"), {{K, B}, {G, R}});
}

TEST(PostProcessor, BadArgumentsFailWithOneLineAndKeepInputs) {
  writeQuad("q.png");
  std::vector<std::vector<std::string>> bad{
      {},
      {"output", "x.png"},
      {"input"},
      {"input", "q.png"},
      {"merge", "2", "q.png", "output", "x.png"},
      {"merge", "zero", "q.png", "output", "x.png"},
      {"merge", "0", "output", "x.png"},
      {"input", "q.png", "rotate", "45", "output", "x.png"},
      {"input", "q.png", "color", "Purple", "output", "x.png"},
      {"input", "q.png", "mirror", "diagonally", "output", "x.png"},
      {"input", "q.png", "sharpen", "delete", "output", "x.png"},
      {"input", "q.png", "delete", "output", ""},
      {"input", "q.png", "delete", "output"},
  };
  for (const auto& words : bad) {
    Post p(words);
    EXPECT_EQ(p.status, 1);
    std::string msg = p.errors.str();
    EXPECT_EQ(std::count(msg.begin(), msg.end(), '\n'), 1) << msg;
    EXPECT_TRUE(exists("q.png"));
    EXPECT_FALSE(exists("x.png"));
  }
}

TEST(PostProcessor, MissingOrCorruptInputFailsAndLeavesNoOutput) {
  writeQuad("good.png");
  spit("broken.png", "\x89PNG\r\n\x1a\nthis is not an image");
  std::string png = slurp("good.png");
  spit("cut.png", png.substr(0, png.size() / 2));
  for (const char* input : {"nothere.png", "broken.png", "cut.png"}) {
    Post p({"merge", "2", "good.png", input, "delete", "output", "out.png"});
    EXPECT_EQ(p.status, 1) << input;
    EXPECT_NE(p.errors.str().find(input), std::string::npos) << p.errors.str();
    EXPECT_FALSE(exists("out.png"));
    EXPECT_TRUE(exists("good.png"));
  }
}

TEST(PostProcessor, AFailedWriteLeavesTheOldOutputAndTheInputs) {
  writeQuad("q.png");
  std::filesystem::create_directory("out.png");  // a folder stands where the image should go
  Post p({"input", "q.png", "delete", "output", "out.png"});
  EXPECT_EQ(p.status, 1);
  EXPECT_TRUE(exists("q.png"));
  EXPECT_TRUE(std::filesystem::is_directory("out.png"));
  // No temporary file is left behind.
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(".")) files += e.is_regular_file();
  EXPECT_EQ(files, 1);
}

// The folder the player named for the image is made where it is missing; when it cannot be,
// the reason names the folder, and the job's layer images go with the failed job (the
// player's own files stay).
TEST(PostProcessor, AMissingOutputFolderIsMadeAndAFailedJobLeavesNoLayerImage) {
  writeQuad("renderJob3layer0.png");
  Post made({"input", "renderJob3layer0.png", "delete", "output", "new folder/M\xc3\xa4p 1.png"});
  EXPECT_EQ(made.status, 0) << made.errors.str();
  EXPECT_EQ(readImage("new folder/M\xc3\xa4p 1.png").width(), 2);
  EXPECT_FALSE(exists("renderJob3layer0.png"));

  writeQuad("renderJob3layer0.png");
  writeQuad("mine.png");
  spit("taken", "a file where the folder should be");
  Post refused({"merge", "2", "renderJob3layer0.png", "mine.png", "delete", "output", "taken/Map.png"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.errors.str().find("cannot make the folder taken for Map.png"), std::string::npos)
      << refused.errors.str();
  EXPECT_FALSE(exists("renderJob3layer0.png"));
  EXPECT_TRUE(exists("mine.png"));
  for (auto& e : std::filesystem::directory_iterator("."))
    EXPECT_EQ(e.path().filename().string().find(".part"), std::string::npos) << e.path();
}

TEST(PostProcessor, BuiltProgramRunsUnderTheBatchName) {
  installProgram(SG_POST_PROCESSOR, "strandvale_g_post_processor.exe");
  writeQuad("q.png");
  // Both the shell and the command processor take double quotes and redirections alike.
  const std::string program = sg::test::native("./strandvale_g_post_processor.exe");
  int rc = std::system((program + " input q.png rotate 90 output \"my map.png\" 2>err.txt").c_str());
  EXPECT_EQ(rc, 0);
  expectImage(readImage("my map.png"), {{B, R}, {K, G}});
  rc = std::system((program + " input none.png output x.png 2>err.txt").c_str());
  EXPECT_NE(rc, 0);
  EXPECT_NE(slurp("err.txt").find("none.png"), std::string::npos);
}

// Row by row, the post processor gives what turning and mirroring the whole merged image gives,
// for every sequence of turns and mirrors (the merged canvas wider than tall, of layers of
// different sizes, partly see-through).
TEST(PostProcessor, EveryTurnAndMirrorSequenceMatchesTheWholeImage) {
  RgbaImage top(70, 23), bottom(41, 90);
  for (int y = 0; y < top.height(); ++y)
    for (int x = 0; x < top.width(); ++x)
      top.set(x, y, {uint8_t(x * 3), uint8_t(y * 9), 40, uint8_t((x + y) % 3 ? 255 : 90)});
  for (int y = 0; y < bottom.height(); ++y)
    for (int x = 0; x < bottom.width(); ++x) bottom.set(x, y, {10, uint8_t(x * 5), uint8_t(y * 2), 255});
  writeImage("top.png", top);
  writeImage("bottom.png", bottom);
  const std::vector<std::string> sequences = {
      "", "rotate 90", "rotate 180", "rotate 270", "mirror horizontally", "mirror vertically",
      "rotate 90 mirror horizontally", "mirror horizontally rotate 90", "rotate 270 mirror vertically color Black",
      "mirror vertically rotate 90 rotate 180", "color Red rotate 90 mirror horizontally mirror vertically"};
  for (const auto& steps : sequences) {
    SCOPED_TRACE(steps);
    std::vector<std::string> words = {"merge", "2", "top.png", "bottom.png"};
    std::istringstream split(steps);
    for (std::string w; split >> w;) words.push_back(w);
    words.insert(words.end(), {"output", "out.png"});
    Post post(words);
    ASSERT_EQ(post.status, 0) << post.errors.str();
    RgbaImage expected = sgimage::mergeLayers({top, bottom});
    std::istringstream stepWords(steps);
    for (std::string w; stepWords >> w;) {
      std::string v;
      stepWords >> v;
      if (w == "rotate") expected = sgimage::rotateClockwise(expected, std::stoi(v));
      if (w == "mirror") expected = v == "horizontally" ? sgimage::mirrorHorizontally(expected)
                                                        : sgimage::mirrorVertically(expected);
      if (w == "color") expected = sgimage::fillBackground(expected, *sgpost::backgroundColour(v));
    }
    RgbaImage got = readImage("out.png");
    ASSERT_EQ(got.width(), expected.width());
    ASSERT_EQ(got.height(), expected.height());
    long differing = 0;
    for (int y = 0; y < got.height(); ++y)
      for (int x = 0; x < got.width(); ++x) differing += !(got.at(x, y) == expected.at(x, y));
    EXPECT_EQ(differing, 0);
    EXPECT_FALSE(exists("out.png.rows" + std::to_string(::getpid())));
  }
}

// A 69-byte PNG whose header claims 16384 x 16384 pixels: the post processor fails on its first
// missing row, having held no more than a row of it.
TEST(PostProcessor, APngThatLiesAboutItsSizeFailsWithoutTakingItsSize) {
  auto chunk = [](const std::string& type, const std::string& data) {
    std::string out;
    uint32_t n = static_cast<uint32_t>(data.size());
    for (int i = 3; i >= 0; --i) out += char(n >> (8 * i));
    std::string body = type + data;
    out += body;
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
    for (int i = 3; i >= 0; --i) out += char(crc >> (8 * i));
    return out;
  };
  std::string ihdr("\x00\x00\x40\x00\x00\x00\x40\x00\x08\x06\x00\x00\x00", 13);  // 16384 x 16384 RGBA
  std::string idat = zlibCompress(std::string(8, '\0'));
  std::string png = std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", ihdr) + chunk("IDAT", idat) + chunk("IEND", "");
  spit("huge.png", png);
  EXPECT_LT(png.size(), 80u);
  Post p({"input", "huge.png", "output", "out.png"});
  EXPECT_EQ(p.status, 1);
  EXPECT_NE(p.errors.str().find("cannot read input huge.png"), std::string::npos) << p.errors.str();
  EXPECT_FALSE(exists("out.png"));
  for (auto& e : std::filesystem::directory_iterator(".")) EXPECT_EQ(e.path().filename().string().find(".part"), std::string::npos);
#ifndef _WIN32
  // The renderer writes maps band by band beyond what a tool holds whole (with lowramwrite and
  // a large zoom): the post processor, which reads a row at a time, takes any size the coders
  // write, and only a reader that holds the image whole refuses it, for its size. (The system's
  // own coder on Windows sets its own limits.)
  ihdr = std::string("\x00\x01\x00\x00\x00\x00\x14\x00\x08\x06\x00\x00\x00", 13);  // 65536 x 5120
  spit("wide.png", std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", ihdr) + chunk("IDAT", idat) + chunk("IEND", ""));
  sgimage::PngRowReader rows;
  std::string error;
  ASSERT_TRUE(rows.open("wide.png", error)) << error;
  EXPECT_EQ(rows.width(), 65536);
  sgimage::RgbaImage whole;
  EXPECT_FALSE(sgimage::readPng("wide.png", whole, error));
  EXPECT_NE(error.find("too large to hold whole"), std::string::npos) << error;
  Post wide({"input", "wide.png", "output", "out.png"});
  EXPECT_EQ(wide.errors.str().find("out of range"), std::string::npos) << wide.errors.str();
  EXPECT_EQ(wide.errors.str().find("too large"), std::string::npos) << wide.errors.str();
#endif
}
