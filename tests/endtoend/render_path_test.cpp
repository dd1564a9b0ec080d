// Render pressed in the main window, with real job starts: the batch file is run by the job
// runner, the renderer draws the world from the saves folder below APPDATA, the post processor
// writes the final image, and the log window, ticked as its timer would be, follows the job
// until the job deletes its log.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include "driver_session.h"
#include "support/test_system.h"
#include "real_world_fixtures.h"
#include "world_builder.h"
#include "worldgen/demo_world.h"

using namespace sgtest;
namespace fs = std::filesystem;
using std::chrono::seconds;

namespace {

const fs::path kSaves = fs::path("appdata") / ".minecraft" / "saves";

// An echo text as the command processor prints it: ^ takes the next character as it is, and
// %% in a batch file is one %. (The names of these tests hold no quotes.)
std::string unescaped(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '^' && i + 1 < s.size()) ++i;
    else if (s[i] == '%' && i + 1 < s.size() && s[i + 1] == '%') ++i;
    out += s[i];
  }
  return out;
}

// The processes whose program file is named `program` and whose working folder is this one.
std::vector<pid_t> processesHere(const std::string& program) {
  std::vector<pid_t> found;
  std::error_code ec;
  const fs::path here = fs::current_path();
  for (auto& e : fs::directory_iterator("/proc", ec)) {
    const std::string name = e.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::error_code ignored;
    fs::path exe = fs::read_symlink(e.path() / "exe", ignored);
    fs::path cwd = fs::read_symlink(e.path() / "cwd", ignored);
    if (exe.filename() == program && cwd == here) found.push_back(pid_t(std::stoi(name)));
  }
  return found;
}

// What the log window showed when the job was over, and the image the job was to write.
struct FollowedJob {
  std::string number;
  std::string image;
  std::string total;
  std::string taskCaption;
  std::vector<std::string> captions;  // of lbltask, tick by tick
  std::string percentage;
  std::vector<std::string> log;
  bool finished = false;
};

class RenderPath : public ::testing::Test {
 protected:
  void SetUp() override {
    // The tools under the names the batch files and the launcher look for.
    installProgram(SG_RENDERER, "strandvale_g_renderer.exe");
    installProgram(SG_POST_PROCESSOR, "strandvale_g_post_processor.exe");
    installProgram(SG_RUNNER, "strandvale-g-runner");
  }

  void startDriver() {
    std::string here = fs::current_path().string();
    driver_ = std::make_unique<DriverSession>(
        SG_SCRIPT_DRIVER,
        std::map<std::string, std::optional<std::string>>{
            {"APPDATA", here + "/appdata"},
            {"LOCALAPPDATA", here + "/localappdata"},
            {"HOME", here + "/home"},
            {"XDG_DATA_HOME", std::nullopt},
            {"SG_JOB_RUNNER", std::nullopt}},
        "driver.err");
    ASSERT_TRUE(driver_->running());
    ASSERT_EQ(ask({"launcher real", "start"}, "Form1.Visible"), "1");
  }

  std::string ask(const std::vector<std::string>& commands, const std::string& reference) {
    auto v = driver_->ask(commands, reference);
    if (!v) ADD_FAILURE() << "no answer for " << reference << "\n" << diagnosis();
    return v.value_or("<no answer>");
  }

  std::vector<std::string> list(const std::string& control) {
    size_t from = driver_->lines().size();
    std::string count = ask({"print " + control + ".List"}, control + ".ListCount");
    std::vector<std::string> items;
    const std::string key = control + ".List(";
    for (size_t i = from; i < driver_->lines().size(); ++i) {
      const std::string& l = driver_->lines()[i];
      if (l.compare(0, key.size(), key) == 0) items.push_back(l.substr(l.find('=') + 1));
    }
    EXPECT_EQ(std::to_string(items.size()), count);
    return items;
  }

  // Presses Render and ticks the log window about five times a second until the job is over
  // or a minute has passed.
  FollowedJob renderAndFollow() {
    FollowedJob job;
    size_t from = driver_->lines().size();
    // The first tick comes at once, in the same breath as the click, while the job has most
    // likely only just begun.
    std::optional<std::string> caption =
        driver_->ask({"click Form1.Command5", "tick Form4.Timer1"}, "Form4.lbltask.Caption");
    job.image = ask({}, "Form1.genfile.Text");
    job.number = ask({}, "Form1.renderjob.Text");
    job.total = ask({}, "Form1.totaljob.Text");
    bool launched = false;
    for (size_t i = from; i < driver_->lines().size(); ++i)
      launched = launched || driver_->lines()[i] == "launch renderJob" + job.number + ".bat minimised";
    EXPECT_TRUE(launched) << diagnosis();
    auto deadline = DriverSession::Clock::now() + seconds(60);
    while (caption) {
      job.captions.push_back(*caption);
      if (caption->find(" completed at ") != std::string::npos) {
        job.finished = true;
        break;
      }
      if (DriverSession::Clock::now() >= deadline) break;
      caption = driver_->ask({"sleep 0.2", "tick Form4.Timer1"}, "Form4.lbltask.Caption");
    }
    EXPECT_TRUE(job.finished) << "the log window did not reach the end of job " << job.number
                              << "; last caption '" << (job.captions.empty() ? "" : job.captions.back())
                              << "'\n" << diagnosis(job.number);
    // While the job runs, the task count goes from -1 (an empty log) up to the total.
    int last = -2;
    for (size_t i = 0; i + 1 < job.captions.size(); ++i) {
      const std::string& c = job.captions[i];
      bool counted = false;
      for (int k = -1; k <= std::atoi(job.total.c_str()); ++k)
        if (c == "Task " + std::to_string(k) + " of " + job.total + " ") {
          counted = true;
          EXPECT_GE(k, last) << c;
          last = k;
        }
      EXPECT_TRUE(counted) << "'" << c << "'";
    }
    if (!job.captions.empty()) job.taskCaption = job.captions.back();
    job.percentage = ask({}, "Form4.lblpercentage.Caption");
    job.log = list("Form4.progresslist");
    expectLogSeen(job);
    return job;
  }

  // How far the log window got depends on how fast the job ran, but what it showed is the
  // start of the job log that the batch file writes: whole lines, the last perhaps caught
  // while it was being written.
  void expectLogSeen(const FollowedJob& job) {
    const std::string redirect = " >> renderJob" + job.number + ".log";
    std::vector<std::string> written;
    std::istringstream batch(slurp("renderJob" + job.number + ".bat"));
    for (std::string line; std::getline(batch, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      size_t at = line.find(redirect);
      if (line.rfind("echo ", 0) == 0 && at != std::string::npos && at + redirect.size() == line.size())
        written.push_back(unescaped(line.substr(5, at + 1 - 5)));  // the blank before >> too
    }
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(std::to_string(written.size() - 1), job.total) << "the start and one log line a task";
    EXPECT_EQ(written[0], "Starting at 12:00:00 ");
    // A failed job's window adds its failure lines at the end.
    std::vector<std::string> log = job.log;
    std::erase_if(log, [](const std::string& l) { return l.rfind("Failed: ", 0) == 0; });
    ASSERT_LE(log.size(), written.size());
    for (size_t i = 0; i < log.size(); ++i) {
      if (i + 1 < log.size()) EXPECT_EQ(log[i], written[i]);
      else EXPECT_EQ(written[i].rfind(log[i], 0), 0u) << log[i];
    }
  }

  // A demo world of n x n chunks (no Nether) in the saves folder.
  void writeDemo(const std::string& name, int n) {
    sgworld::DemoWorld demo;
    demo.folder = kSaves / name;
    demo.chunksX = demo.chunksZ = n;
    demo.nether = false;
    std::string error;
    ASSERT_TRUE(sgworld::writeDemoWorld(demo, error)) << error;
  }

  // Picks a world of the main window's list by its name.
  void pickWorld(const std::string& name) {
    auto worlds = list("Form1.comboworldfolders");
    auto at = std::find(worlds.begin(), worlds.end(), name);
    ASSERT_NE(at, worlds.end()) << name;
    ask({"pick Form1.comboworldfolders " + std::to_string(at - worlds.begin())}, "Form1.comboworldfolders.Text");
  }

  // Ends the program through the main window's close box; the driver must exit cleanly.
  void closeProgram() {
    ASSERT_TRUE(driver_->send({"close Form1"}));
    EXPECT_TRUE(driver_->awaitLine("end")) << diagnosis();
    EXPECT_EQ(driver_->finish(), 0) << slurp("driver.err");
  }

  // What the job left behind, and what the runner says when the batch file is run again by hand.
  std::string diagnosis(const std::string& number = {}) {
    std::string s = "driver's standard error:\n" + slurp("driver.err") + "working folder:";
    for (auto& e : fs::directory_iterator(".")) s += " '" + e.path().filename().string() + "'";
    s += "\n";
    if (!number.empty() && exists("renderJob" + number + ".bat")) {
      s += "renderJob" + number + ".bat:\n" + slurp("renderJob" + number + ".bat");
      std::string cmd = "./strandvale-g-runner renderJob" + number + ".bat >rerun.out 2>&1";
      int status = std::system(cmd.c_str());
      s += "run again by hand (status " + std::to_string(status) + "):\n" + slurp("rerun.out");
    }
    return s;
  }

  // Whether a file is absent, or vanishes within a few seconds.
  static bool goneSoon(const std::string& name) {
    auto deadline = DriverSession::Clock::now() + seconds(10);
    while (exists(name)) {
      if (DriverSession::Clock::now() >= deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
  }

  // The job cleared up after itself and the log window handed back to the main window.
  void expectClearedUp(const FollowedJob& job) {
    const std::string n = job.number;
    EXPECT_EQ(job.taskCaption, "Task " + job.total + " of " + job.total + " completed at 12:00:00");
    EXPECT_EQ(job.percentage, "100%");
    EXPECT_FALSE(exists("renderJob" + n + ".log"));
    // The window ends when the job log is deleted; the progress file is the batch file's very
    // last deletion, so the job may still be one step short of it.
    EXPECT_TRUE(goneSoon("renderJob" + n + "progress.log"));
    EXPECT_FALSE(exists("renderJob" + n + "layer0.png"));
    EXPECT_TRUE(exists("renderJob" + n + ".bat"));
    EXPECT_EQ(ask({}, "Form4.Visible"), "0");
    EXPECT_EQ(ask({}, "Form1.Visible"), "1");
    EXPECT_EQ(ask({}, "Form4.Timer1.Enabled"), "0");
  }

  std::unique_ptr<DriverSession> driver_;
};

void writeLevelFile(const fs::path& world) {
  fs::create_directories(world);
  spit((world / "level.dat").string(), "level");
}

bool grassy(sgimage::Rgba p) { return p.a == 255 && p.g > p.r && p.g > p.b; }
bool grey(sgimage::Rgba p) { return p.a == 255 && p.r == p.g && p.g == p.b && p.r < 200; }
bool sandy(sgimage::Rgba p) { return p.a == 255 && p.r > p.b + 30 && p.b > 120; }

}  // namespace

// A Beta world whose name holds a blank, converted once: its old .mcr files lie beside .mca
// files of other content. "Beta Regions" must reach the renderer, and "White" the post
// processor, which fills the one column that holds no block. The map name holds every
// character that the command processor treats specially.
TEST_F(RenderPath, BetaWorldToFinalImage) {
  fs::path world = kSaves / "Beta World";
  writeLevelFile(world);
  RegionWriter beta;
  beta.put(0, 0, betaChunk(0, 0, [](int x, int y, int) { return y < 60 ? 1 : (y == 60 && x < 8 ? 2 : 0); }));
  beta.put(1, 0, betaChunk(1, 0, [](int x, int y, int z) {
    if (x == 15 && z == 15) return 0;
    return y < 62 ? 12 : 0;
  }));
  beta.write((world / "region" / "r.0.0.mcr").string());
  RegionWriter converted;
  converted.put(0, 0, sectionChunk(0, 0, [](int, int y, int) { return y < 64 ? 41 : 0; }));
  converted.write((world / "region" / "r.0.0.mca").string());

  startDriver();
  EXPECT_EQ(ask({}, "Form1.comboworldfolders.Text"), "Beta World");
  EXPECT_EQ(ask({}, "Form1.checkdisablepostprocessor.Value"), "0");
  const std::string mapName = "Tom & Jerry%s 100% (best)! ^x";
  ask({"click Form1.Command6", "pick Form1.combomapformat 2", "pick Form1.combobackground 1",
       "type Form1.txtmapname " + mapName},
      "Form1.txtmapname.Text");
  FollowedJob job = renderAndFollow();
  ASSERT_TRUE(job.finished);
  expectClearedUp(job);
  EXPECT_EQ(job.total, "2");
  EXPECT_EQ(job.image.rfind(mapName + "_", 0), 0u) << job.image;

  auto im = readImage(job.image);
  ASSERT_EQ(im.width(), 32) << "image '" << job.image << "'";
  ASSERT_EQ(im.height(), 16);
  for (int z = 0; z < 16; ++z) {
    EXPECT_TRUE(grassy(im.at(3, z))) << z;
    EXPECT_TRUE(grey(im.at(12, z))) << z;
    EXPECT_TRUE(sandy(im.at(20, z))) << z;
  }
  sgimage::Rgba hole = im.at(31, 15);
  EXPECT_EQ(hole.r, 255);
  EXPECT_EQ(hole.g, 255);
  EXPECT_EQ(hole.b, 255);
  EXPECT_EQ(hole.a, 255);
  closeProgram();
}

// A world in sections, rendered as two stacked rows: the top row looks through the water,
// the bottom row does not, and the merge puts the top row over the bottom one.
TEST_F(RenderPath, SectionedWorldStackedRowsMerged) {
  fs::path world = kSaves / "Lake";
  writeLevelFile(world);
  RegionWriter w;
  w.put(0, 0, sectionChunk(0, 0, [](int x, int y, int) {
    if (y < 64) return 1;
    if (y == 64) return 12;
    return y < 67 && x < 8 ? 9 : 0;
  }));
  w.write((world / "region" / "r.0.0.mca").string());

  startDriver();
  ask({"click Form1.Command6", "click Form1.Command13", "click Form1.checkwater"}, "Form1.checkwater.Value");
  auto rows = list("Form1.stacklist");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_NE(rows[0].find("ignorewater"), std::string::npos) << rows[0];
  EXPECT_EQ(rows[1].find("ignorewater"), std::string::npos) << rows[1];

  FollowedJob job = renderAndFollow();
  ASSERT_TRUE(job.finished);
  expectClearedUp(job);
  EXPECT_FALSE(exists("renderJob0layer1.png"));
  EXPECT_EQ(job.total, "3");

  auto im = readImage(job.image);
  ASSERT_EQ(im.width(), 16) << "image '" << job.image << "'";
  for (int z = 0; z < 16; ++z) {
    sgimage::Rgba underWater = im.at(2, z), dry = im.at(12, z);
    EXPECT_TRUE(sandy(underWater)) << z;
    EXPECT_EQ(underWater.r, dry.r) << z;
    EXPECT_EQ(underWater.g, dry.g) << z;
    EXPECT_EQ(underWater.b, dry.b) << z;
  }
  closeProgram();
}

// Region files saved by the game, one world per version, rendered one job after the other in
// one run of the program; each final image must match the renderer's own picture of the world.
TEST_F(RenderPath, RealWorldsOneJobAfterAnother) {
  fs::path fixtures = realWorldFixtures(SG_TEST_BUILD_FOLDER);
  if (fixtures.empty()) GTEST_SKIP() << "npm registry not reachable: real-world region files not rendered";
  const std::vector<std::string> versions = {"1.8.9", "1.9",    "1.11.2", "1.12.2", "1.13.2", "1.14.4",
                                             "1.16",  "1.17.1", "1.18.2", "1.19.4", "1.20.6", "1.21.1"};
  for (const auto& v : versions) {
    ASSERT_TRUE(fs::is_directory(fixtures / v)) << v;
    fs::path region = kSaves / v / "region";
    fs::create_directories(region);
    writeLevelFile(kSaves / v);
    for (auto& e : fs::directory_iterator(fixtures / v))
      if (e.path().extension() == ".mca") fs::copy_file(e.path(), region / e.path().filename());
  }

  startDriver();
  auto worlds = list("Form1.comboworldfolders");
  for (const auto& v : versions) {
    SCOPED_TRACE(v);
    auto at = std::find(worlds.begin(), worlds.end(), v);
    ASSERT_NE(at, worlds.end());
    ask({"pick Form1.comboworldfolders " + std::to_string(at - worlds.begin())}, "Form1.comboworldfolders.Text");
    FollowedJob job = renderAndFollow();
    ASSERT_TRUE(job.finished);
    expectClearedUp(job);

    std::string direct = "direct-" + v + ".png";
    std::string cmd = "./strandvale_g_renderer.exe custom '" + (kSaves / v).string() +
                      "' normal north progress direct.log outfile '" + direct + "' 2>direct.err";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << slurp("direct.err");
    auto im = readImage(job.image), expected = readImage(direct);
    ASSERT_GT(im.width(), 16) << "image '" << job.image << "'";
    ASSERT_EQ(im.width(), expected.width());
    ASSERT_EQ(im.height(), expected.height());
    long opaque = 0, differing = 0;
    for (int y = 0; y < im.height(); ++y)
      for (int x = 0; x < im.width(); ++x) {
        sgimage::Rgba a = im.at(x, y), b = expected.at(x, y);
        opaque += a.a == 255;
        differing += a.r != b.r || a.g != b.g || a.b != b.b || a.a != b.a;
      }
    EXPECT_GT(opaque, v == "1.17.1" ? 40 : 16 * 16);  // 1.17.1 is a void world with a few builds
    EXPECT_EQ(differing, 0);
  }
  closeProgram();
}

// A world outside the saves folder, typed as a custom path whose folder names hold a blank and
// an ampersand; its only chunk lies west and north of the origin.
TEST_F(RenderPath, CustomWorldPath) {
  fs::create_directories(kSaves);
  fs::path world = fs::current_path() / "else where" / "Alpha & Beta";
  writeLevelFile(world);
  RegionWriter w;
  w.put(31, 31, betaChunk(-1, -1, [](int, int y, int z) { return y < 50 ? 1 : (y == 50 && z < 4 ? 2 : 0); }));
  w.write((world / "region" / "r.-1.-1.mcr").string());

  startDriver();
  auto worlds = list("Form1.comboworldfolders");
  ASSERT_EQ(worlds, std::vector<std::string>{"Custom"});
  ask({"pick Form1.comboworldfolders 0", "type Form1.txtcustompath " + world.string()}, "Form1.txtmapname.Text");
  FollowedJob job = renderAndFollow();
  ASSERT_TRUE(job.finished);
  expectClearedUp(job);
  EXPECT_EQ(job.image.rfind("Alpha & Beta_", 0), 0u) << job.image;

  auto im = readImage(job.image);
  ASSERT_EQ(im.width(), 16) << "image '" << job.image << "'";
  ASSERT_EQ(im.height(), 16);
  for (int x = 0; x < 16; ++x) {
    EXPECT_TRUE(grassy(im.at(x, 0))) << x;
    EXPECT_TRUE(grey(im.at(x, 8))) << x;
  }
  closeProgram();
}

// A world saved in the newest layout (blocks by name, levels below 0): Render in the window gives
// the renderer's own picture of it.
TEST_F(RenderPath, NewestLayoutWorldThroughTheWindow) {
  writeDemo("Modern", 2);
  startDriver();
  pickWorld("Modern");
  FollowedJob job = renderAndFollow();
  ASSERT_TRUE(job.finished);
  expectClearedUp(job);
  auto im = readImage(job.image);
  ASSERT_EQ(im.width(), 32) << "image '" << job.image << "'";
  std::string cmd = "./strandvale_g_renderer.exe custom '" + (kSaves / "Modern").string() +
                    "' normal north outfile direct.png 2>direct.err";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << slurp("direct.err");
  auto direct = readImage("direct.png");
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(im.at(x, y), direct.at(x, y)) << x << "," << y;
  closeProgram();
}

// Bedrock worlds in the list by their own names: one in the saves folder, one in the game's
// own folder under APPDATA and one of the same name in the older Store package's under
// LOCALAPPDATA (listed with its folder's name); each picked and rendered through a job gives
// the renderer's own picture of it.
TEST_F(RenderPath, BedrockWorldsListedByTheirNamesThroughTheWindow) {
  auto bedrock = [](const fs::path& folder, const std::string& name, int chunks) {
    sgworld::DemoWorld demo;
    demo.folder = folder;
    demo.chunksX = demo.chunksZ = chunks;
    demo.nether = false;
    demo.bedrock = true;
    demo.name = name;
    std::string error;
    ASSERT_TRUE(sgworld::writeDemoWorld(demo, error)) << error;
  };
  const fs::path games = fs::path("games") / "com.mojang" / "minecraftWorlds";
  bedrock(kSaves / "AbCd0123=", "Island Home", 2);
  bedrock(fs::path("appdata") / "Minecraft Bedrock" / "Users" / "Shared" / games / "XyZ9=", "Sky Farm", 1);
  bedrock(fs::path("localappdata") / "Packages" / "Microsoft.MinecraftUWP_8wekyb3d8bbwe" / "LocalState" / games /
              "Old1=",
          "Sky Farm", 3);
  writeDemo("Java World", 1);
  startDriver();
  const auto worlds = list("Form1.comboworldfolders");
  EXPECT_EQ(worlds, (std::vector<std::string>{"Java World", "Island Home", "Sky Farm", "Sky Farm (Old1=)", "Custom"}));
  ask({}, "Form1.Visible");  // the list's own count line is answered before the next list is asked for
  for (const auto& [name, width] : std::vector<std::pair<std::string, int>>{{"Island Home", 32}, {"Sky Farm (Old1=)", 48}}) {
    SCOPED_TRACE(name);
    pickWorld(name);
    EXPECT_EQ(ask({}, "Form1.txtmapname.Text"), name);
    FollowedJob job = renderAndFollow();
    ASSERT_TRUE(job.finished);
    expectClearedUp(job);
    auto im = readImage(job.image);
    EXPECT_EQ(im.width(), width) << "image '" << job.image << "'";
  }
  closeProgram();
}

// A world folder without region files: the job ends, and the log window stays open saying why;
// the next job, of a good world, shows nothing of that failure.
TEST_F(RenderPath, AWorldWithoutRegionsEndsWithTheLogWindowSayingWhy) {
  writeLevelFile(kSaves / "Empty");
  writeDemo("Good", 2);
  startDriver();
  pickWorld("Empty");
  FollowedJob job = renderAndFollow();
  ASSERT_TRUE(job.finished);
  EXPECT_FALSE(exists(job.image));
  EXPECT_EQ(ask({}, "Form4.Visible"), "1");
  EXPECT_EQ(ask({}, "Form1.Visible"), "0");
  auto failure = std::find_if(job.log.begin(), job.log.end(),
                              [](const std::string& l) { return l.rfind("Failed: render of Empty", 0) == 0; });
  ASSERT_NE(failure, job.log.end());
  EXPECT_NE(failure->find("it holds no region files"), std::string::npos) << *failure;
  EXPECT_TRUE(exists("renderJob" + job.number + "output.log"));
  // Closing the log window brings the main window back.
  EXPECT_EQ(ask({"close Form4"}, "Form1.Visible"), "1");
  // The next job takes the same number: its log window shows none of the failures before it,
  // and closes at its end as a good job's does.
  pickWorld("Good");
  FollowedJob good = renderAndFollow();
  ASSERT_TRUE(good.finished);
  EXPECT_EQ(good.number, job.number);
  for (const auto& line : good.log) EXPECT_EQ(line.rfind("Failed: ", 0), std::string::npos) << line;
  EXPECT_EQ(ask({}, "Form4.Visible"), "0");
  EXPECT_EQ(readImage(good.image).width(), 32);
  closeProgram();
}

// Ten Render requests in quick succession, each started while the others still run: each job
// has its own number and its own log, all ten images appear, and the log window follows the
// last request.
TEST_F(RenderPath, JobsSideBySide) {
  writeDemo("Busy", 6);
  // Each job's renderer waits until every request is made, so that all ten run side by side
  // however fast the machine is (a finished job frees its number for the next request).
  spit("strandvale_g_renderer.exe", std::string("#!/bin/sh\nwhile [ ! -e release ]; do sleep 0.02; done\nexec '") +
                                        SG_RENDERER + "' \"$@\"\n");
  fs::permissions("strandvale_g_renderer.exe", fs::perms::owner_all);
  startDriver();
  pickWorld("Busy");
  for (int i = 0; i < 10; ++i) {
    // Render, then back to the main window at once ("Hide", which stops following the job).
    ask({"type Form1.txtmapname Map" + std::to_string(i), "click Form1.Command5"}, "Form4.Visible");
    EXPECT_EQ(ask({}, "Form4.renderjob.Text"), std::to_string(i));
    if (i < 9) {
      EXPECT_EQ(ask({"click Form4.Command2"}, "Form1.Visible"), "1");
    }
  }
  EXPECT_EQ(ask({}, "Form4.Visible"), "1");
  EXPECT_EQ(ask({}, "Form4.renderjob.Text"), "9");
  spit("release", "");
  // Every job ends by deleting its log.
  auto deadline = DriverSession::Clock::now() + seconds(120);
  auto running = [] {
    for (int n = 0; n < 10; ++n)
      if (exists("renderJob" + std::to_string(n) + ".log")) return true;
    return false;
  };
  while (running() && DriverSession::Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  ASSERT_FALSE(running()) << diagnosis();
  // Each job's last line deletes its log; its runner clears an empty output log after it.
  while (!processesHere("strandvale-g-runner").empty() && DriverSession::Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  for (int n = 0; n < 10; ++n) {
    const std::string job = slurp("renderJob" + std::to_string(n) + ".bat");
    EXPECT_NE(job.find("Map" + std::to_string(n) + "_"), std::string::npos) << n;
    // Each job writes only its own log.
    for (int other = 0; other < 10; ++other) {
      if (other == n) continue;
      EXPECT_EQ(job.find("renderJob" + std::to_string(other) + ".log"), std::string::npos) << n;
    }
    EXPECT_EQ(readImage("Map" + std::to_string(n) + "_normal_north.png").width(), 96) << n;
    EXPECT_FALSE(exists("renderJob" + std::to_string(n) + "output.log")) << slurp("renderJob" + std::to_string(n) + "output.log");
  }
  ask({"close Form4"}, "Form1.Visible");
  closeProgram();
}

namespace {

std::vector<std::string> jobFilesHere() {
  std::vector<std::string> names;
  for (auto& e : fs::directory_iterator("."))
    if (e.path().filename().string().rfind("renderJob", 0) == 0) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

// The job runner killed while its job runs leaves every file as it is: the log window goes on
// waiting, since the log is still there, until "Clear all files" deletes the job's files, the
// log with them; then it finishes.
TEST_F(RenderPath, AKilledJobRunnerLeavesItsFilesUntilTheyAreCleared) {
  writeDemo("Slow", 32);
  // A stack of rows keeps the job busy long enough to be caught mid-way, however fast it renders:
  // every row draws the same map, so no row may take it from the render cache (a file stands
  // where the cache's folder would be).
  std::ofstream("no-cache") << "in the way";
  sg::test::setVariable("SG_RENDER_CACHE", (std::filesystem::current_path() / "no-cache").string());
  startDriver();
  pickWorld("Slow");
  std::vector<std::string> clicks = {"click Form1.Command6"};
  for (int i = 0; i < 9; ++i) clicks.push_back("click Form1.Command13");
  clicks.push_back("click Form1.Command14");
  ask(clicks, "Form5.Visible");
  ASSERT_TRUE(driver_->send({"click Form1.Command5"}));
  pid_t runner = 0;
  auto deadline = DriverSession::Clock::now() + seconds(30);
  while (!runner && DriverSession::Clock::now() < deadline) {
    if (exists("renderJob0.log")) {
      auto runners = processesHere("strandvale-g-runner");
      if (!runners.empty()) runner = runners.front();
    }
    if (!runner) std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  ASSERT_NE(runner, 0) << "the job runner was not seen running\n" << diagnosis("0");
  ASSERT_EQ(::kill(runner, SIGKILL), 0);
  // A tool that the runner had started runs to its own end; nothing goes on after it.
  // A scan of the processes can miss a tool as it starts: none is seen in ten scans running.
  deadline = DriverSession::Clock::now() + seconds(60);
  for (int quiet = 0; quiet < 10 && DriverSession::Clock::now() < deadline;) {
    const bool running = !processesHere("strandvale_g_renderer.exe").empty() ||
                         !processesHere("strandvale_g_post_processor.exe").empty() ||
                         !processesHere("strandvale-g-runner").empty();
    quiet = running ? 0 : quiet + 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  const std::vector<std::string> left = jobFilesHere();
  EXPECT_NE(std::find(left.begin(), left.end(), "renderJob0.bat"), left.end());
  EXPECT_NE(std::find(left.begin(), left.end(), "renderJob0.log"), left.end());
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(jobFilesHere(), left) << "nothing runs on after the kill";

  // The log window keeps following a log that no one will finish.
  std::string caption = ask({"tick Form4.Timer1"}, "Form4.lbltask.Caption");
  EXPECT_EQ(caption.find(" completed at "), std::string::npos) << caption;
  EXPECT_EQ(ask({}, "Form4.Visible"), "1");
  EXPECT_EQ(ask({"tick Form4.Timer1"}, "Form4.Timer1.Enabled"), "1");

  ask({"answer Yes", "click Form5.Command1"}, "Form5.Visible");
  deadline = DriverSession::Clock::now() + seconds(30);
  while (!jobFilesHere().empty() && DriverSession::Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  std::string after;
  for (const auto& f : jobFilesHere()) after += " " + f;
  EXPECT_TRUE(jobFilesHere().empty()) << left.size() << " files were left, and after clearing:" << after;
  caption = ask({"tick Form4.Timer1"}, "Form4.lbltask.Caption");
  EXPECT_NE(caption.find(" completed at 12:00:00"), std::string::npos) << caption;
  EXPECT_EQ(ask({}, "Form4.Timer1.Enabled"), "0");
  closeProgram();
}

namespace {

std::vector<std::string> crlfLinesOf(const std::string& file) {
  std::vector<std::string> lines;
  const std::string text = slurp(file);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start) + "<no CR LF>");
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string rendererLine(const std::string& entry, const std::string& outfile) {
  return "strandvale_g_renderer.exe " + entry + "progress renderJob0progress.log outfile " + outfile;
}

// Compares line by line, so that a failure names the first line that differs.
void expectLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
  for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i)
    if (actual[i] != expected[i]) {
      ADD_FAILURE() << "line " << i + 1 << ":\n  actual   " << actual[i] << "\n  expected " << expected[i];
      return;
    }
  EXPECT_EQ(actual.size(), expected.size());
}

}  // namespace

// Large requests run as small ones do: waits for the job to delete its log.
class LoadedRenderPath : public RenderPath {
 protected:
  void SetUp() override {
#ifdef SG_SANITIZED
    // A thousand starts of sanitized tools take minutes and find nothing the normal build's
    // run and the smaller jobs under the sanitizers would not.
    GTEST_SKIP() << "the large requests run in the normal build";
#endif
    RenderPath::SetUp();
  }
  void awaitJobEnd(int minutes) {
    auto deadline = DriverSession::Clock::now() + std::chrono::minutes(minutes);
    while (exists("renderJob0.log") && DriverSession::Clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_FALSE(exists("renderJob0.log")) << "the job did not end\n" << diagnosis();
    // The job's last line deletes its log; the runner clears an empty output log after it.
    while (!processesHere("strandvale-g-runner").empty() && DriverSession::Clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(exists("renderJob0output.log")) << slurp("renderJob0output.log");
    // The log window's next tick sees the log gone and hands back to the main window.
    EXPECT_EQ(ask({"tick Form4.Timer1"}, "Form1.Visible"), "1");
  }
};

// A request of a thousand rows: one renderer line a row, each to its own layer image, and one
// merge of all thousand into the final image.
TEST_F(LoadedRenderPath, AThousandRowsMergeIntoOneImage) {
  writeDemo("Load", 1);
  startDriver();
  pickWorld("Load");
  std::vector<std::string> clicks = {"click Form1.Command6", "type Form1.txtmapname Load"};
  for (int i = 1; i < 1000; ++i) clicks.push_back("click Form1.Command13");
  ASSERT_EQ(ask(clicks, "Form1.stacklist.ListCount"), "1000");
  const std::string entry = ask({}, "Form1.stacklist.List(0)");
  ASSERT_EQ(ask({"answer Yes", "click Form1.Command5"}, "Form1.totaljobrenders.Text"), "1000");

  std::vector<std::string> expected = {"@echo Rename this batchfile if you want to use it again",
                                       "echo Starting at 12:00:00 >> renderJob0.log"};
  std::string merge = "strandvale_g_post_processor.exe merge 1000";
  for (int i = 0; i < 1000; ++i) {
    const std::string layer = "renderJob0layer" + std::to_string(i) + ".png";
    // A label names the image as it would be if the stack ended before this row.
    const std::string label = i < 2 ? "Load_normal_north.png" : "Load_normal_north_" + std::to_string(i) + "-renders.png";
    expected.push_back("echo Rendering " + layer + " (" + label + ") >> renderJob0.log");
    expected.push_back(rendererLine(entry, layer));
    merge += " " + layer;
  }
  expected.push_back("echo Post Processing Load_normal_north_1000-renders.png >> renderJob0.log");
  expected.push_back(merge + " delete output \"Load_normal_north_1000-renders.png\"");
  for (const char* l : {"", "del renderJob0.log", "del renderJob0progress.log"}) expected.push_back(l);
  expectLines(crlfLinesOf("renderJob0.bat"), expected);

  awaitJobEnd(10);
  EXPECT_EQ(readImage("Load_normal_north_1000-renders.png").width(), 16);
  EXPECT_FALSE(exists("renderJob0layer0.png"));
  EXPECT_FALSE(exists("renderJob0layer999.png"));
  closeProgram();
}

// A per-layer row of 128 layers: each layer is rendered alone and post-processed under its own
// name.
TEST_F(LoadedRenderPath, APerLayerRowOf128Layers) {
  writeDemo("Layers", 1);
  startDriver();
  pickWorld("Layers");
  std::string layers;
  for (int l = 0; l < 128; ++l) layers += (l ? " " : "") + std::to_string(l);
  ask({"click Form1.Command6", "type Form1.txtmapname Each", "click Form1.checkeachlayer", "pick Form1.layerfiltercombo 1",
       "type Form1.layerfiltertext " + layers},
      "Form1.layerfiltertext.Text");
  const std::string entry = ask({}, "Form1.stacklist.List(0)");
  const std::string all = "onlylayers 128 " + layers + " ";
  ASSERT_NE(entry.find(all), std::string::npos) << entry;
  ASSERT_EQ(ask({"answer Yes", "click Form1.Command5"}, "Form1.totaljobrenders.Text"), "128");

  std::vector<std::string> expected = {"@echo Rename this batchfile if you want to use it again",
                                       "echo Starting at 12:00:00 >> renderJob0.log"};
  for (int l = 0; l < 128; ++l) {
    const std::string name = "Each_normal_north_only-layer-" + std::to_string(l) + ".png";
    std::string one = entry;
    one.replace(one.find(all), all.size(), "onlylayers 1 " + std::to_string(l) + " ");
    expected.push_back("echo Rendering renderJob0layer0.png (" + name + ") >> renderJob0.log");
    expected.push_back(rendererLine(one, "renderJob0layer0.png"));
    expected.push_back("echo Post Processing " + name + " >> renderJob0.log");
    expected.push_back("strandvale_g_post_processor.exe input renderJob0layer0.png delete output \"" + name + "\"");
    expected.push_back("");
  }
  for (const char* l : {"del renderJob0.log", "del renderJob0progress.log"}) expected.push_back(l);
  expectLines(crlfLinesOf("renderJob0.bat"), expected);

  awaitJobEnd(10);
  EXPECT_EQ(readImage("Each_normal_north_only-layer-0.png").width(), 16);
  EXPECT_EQ(readImage("Each_normal_north_only-layer-127.png").width(), 16);
  EXPECT_FALSE(exists("renderJob0layer0.png"));
  closeProgram();
}
