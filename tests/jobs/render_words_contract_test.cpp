// The program and the render tools agree on every render word: random states of the main
// window are written into a job as the program writes it, each command is read back with the
// command processor's rules, and the renderer's and the post processor's own parsers must take
// every word and land it on the setting the window shows.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "batch/batch_line.h"
#include "batch/windows_arguments.h"
#include "job_window.h"
#include "options/entry_fields.h"
#include "options/word_bindings.h"
#include "jobs/render_command.h"
#include "options/level_option_line.h"
#include "platform/text.h"
#include "post_processor/post_arguments.h"
#include "render_words/render_words.h"
#include "renderer/render_arguments.h"

using namespace sg;

namespace {

struct Commands {
  std::vector<std::string> renderer, post;  // the arguments after the tool's name
};

Commands readJob(const std::string& batch) {
  Commands out;
  auto anyVariable = [](const std::string&) { return std::optional<std::string>("EXPANDED"); };
  for (const auto& line : sgbatch::batchLines(test::readFile(batch))) {
    for (const auto& c : sgbatch::parseLine(sgbatch::expandPercents(line, batch, anyVariable))) {
      auto argv = sgbatch::splitWindowsArguments(c.text);
      if (argv.empty()) continue;
      std::vector<std::string> args(argv.begin() + 1, argv.end());
      if (argv[0] == "strandvale_g_renderer.exe") out.renderer = args;
      if (argv[0] == "strandvale_g_post_processor.exe") out.post = args;
    }
  }
  return out;
}

std::vector<int> numbers(const std::string& text) {
  std::vector<int> out;
  for (const auto& piece : text::splitBlanks(text::trimBlanks(text)))
    if (!piece.empty()) out.push_back(std::stoi(piece));
  return out;
}

// A filter box: whole numbers in the renderer's range, sometimes with doubled blanks.
std::string randomList(std::mt19937& rng, int lo, int hi) {
  std::string t;
  const int n = 1 + static_cast<int>(rng() % 5);
  for (int k = 0; k < n; ++k)
    t += std::to_string(lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1))) + (rng() % 6 ? " " : "  ");
  return t;
}

struct Contract : ::testing::Test {
  test::JobWindow w;
  options::RenderOptions o = w.o();
  std::mt19937 rng{20261208};

  int pick(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
  void randomise() {
    w.w().setWorlds({"World1", "my world"});
    for (auto* c : {&o.comboworldfolders, &o.combostyle, &o.comboorientation, &o.layerfiltercombo, &o.blockfiltercombo,
                    &o.combotime, &o.combogranularity, &o.comboDimension, &o.comboverbosity, &o.combomapformat,
                    &o.comborotation, &o.combobackground})
      c->setListIndex(pick(c->listCount()));
    o.combolocchunks.setListIndex(pick(2) * 2);  // whole world, or a typed range
    for (auto* c : {&o.checkeachlayer, &o.checkwater, &o.checkcave, &o.checkwooloscopy, &o.checkbrightness, &o.checkflip,
                    &o.checkrotate, &o.checkxray, &o.checkcake, &o.checkupsidedown, &o.checkcropwhitespace,
                    &o.checkmapmirror, &o.checkmapautomirror, &o.checklowramwrite, &o.checklocfile, &o.checklocoffset,
                    &o.checklocwhitespace, &o.checkmirror, &o.checksurpressstacking, &o.checksurpressautomirroring,
                    &o.checkdisablelogging, &o.checksurpressdeletion})
      c->setValue(pick(2));
    o.txtcustompath.setText(pick(2) ? "C:\\my worlds\\w 100%" : "/home/p/saves/x");
    o.txtmapname.setText(pick(2) ? "base" : "my map");
    o.layerfiltertext.setText(randomList(rng, -64, 319));
    o.blockfiltertext.setText(randomList(rng, 0, 4095));
    o.zoomlevel.setText(pick(2) ? "1" : pick(2) ? "2.5" : "4");
    for (auto* box : {&o.manrangeminx, &o.manrangemaxx, &o.manrangeminz, &o.manrangemaxz})
      box->setText(std::to_string(pick(4001) - 2000));
    options::writeleveloptions(o);
  }
};

TEST_F(Contract, EveryWordTheWindowWritesLandsOnItsSettingInTheTools) {
  for (int round = 0; round < 3000; ++round) {
    randomise();
    const std::string line = w.w().selectedLine();
    SCOPED_TRACE(line);
    o.renderjob.setText("3");
    o.tempstackn.setText("0");
    const std::string batchName = "renderJob3.bat";
    std::remove(batchName.c_str());
    {
      jobs::BatchFile batch{batchName};
      jobs::JobBuild job{.registry = w.w().registry, .batch = batch, .number = 3,
                         .request = jobs::readRequest(o, w.w().registry), .stacked = 0, .tasks = 0, .genfile = {}};
      jobs::renderthis(job, options::readEntry(o), line);
      jobs::showJobState(o, job);
      batch.close();
    }
    const Commands job = readJob(batchName);
    ASSERT_FALSE(job.renderer.empty());

    std::string error;
    auto r = sgrender::parseRenderArguments(job.renderer, error);
    ASSERT_TRUE(r) << error;
    EXPECT_TRUE(r->warnings.empty() || o.layerfiltercombo.listIndex() > 0 || o.blockfiltercombo.listIndex() > 0);

    const bool custom = o.comboworldfolders.listIndex() == o.comboworldfolders.listCount() - 1;
    EXPECT_EQ(r->custom.value_or(""), custom ? o.txtcustompath.text() : "");
    EXPECT_EQ(r->folder.value_or(""), custom ? "" : o.comboworldfolders.text());
    EXPECT_EQ(r->mapName, o.txtmapname.text());
    EXPECT_EQ(static_cast<int>(r->style), o.combostyle.listIndex());
    EXPECT_EQ(static_cast<int>(r->orientation), o.comboorientation.listIndex());
    EXPECT_EQ(static_cast<int>(r->time), o.combotime.listIndex());
    auto on = [](const forms::Control& c) { return c.value() == 1; };
    EXPECT_EQ(r->ignoreWater, on(o.checkwater));
    EXPECT_EQ(r->cave, on(o.checkcave));
    EXPECT_EQ(r->wooloscopy, on(o.checkwooloscopy));
    EXPECT_EQ(r->forceBrightness, on(o.checkbrightness));
    EXPECT_EQ(r->flip, on(o.checkflip));
    EXPECT_EQ(r->rotate, on(o.checkrotate));
    EXPECT_EQ(r->xray, on(o.checkxray));
    EXPECT_EQ(r->cake, on(o.checkcake));
    EXPECT_EQ(r->upsideDown, on(o.checkupsidedown));
    EXPECT_EQ(r->cropWhitespace, on(o.checkcropwhitespace));
    EXPECT_EQ(r->mirror, on(o.checkmapmirror));
    EXPECT_EQ(r->autoMirror, !on(o.checkmapautomirror));
    EXPECT_EQ(r->lowRamWrite, on(o.checklowramwrite));
    EXPECT_EQ(r->listAllBlocks, on(o.checklocfile));
    EXPECT_EQ(r->makeOffsetFile, on(o.checklocoffset));
    EXPECT_EQ(r->nether, o.comboDimension.listIndex() == 0);
    EXPECT_EQ(r->dimension.value_or(""), o.comboDimension.listIndex() == 2 ? "DIM3" : "");
    EXPECT_EQ(r->granularity, std::min(o.combogranularity.listIndex(), 8));
    EXPECT_EQ(r->zoom, std::max(1.0, text::numericValue(o.zoomlevel.text())));
    EXPECT_EQ(r->verbosity, o.comboverbosity.listIndex());
    EXPECT_EQ(r->alpha, o.combomapformat.listIndex() == 1);
    EXPECT_EQ(r->beta, o.combomapformat.listIndex() == 2);

    auto filter = [&](const std::optional<std::vector<int>>& only, const std::optional<std::vector<int>>& hidden,
                      const forms::Control& combo, const forms::Control& box) {
      EXPECT_EQ(only.has_value(), combo.listIndex() == 1);
      EXPECT_EQ(hidden.has_value(), combo.listIndex() == 2);
      if (only) {
        EXPECT_EQ(*only, numbers(box.text()));
      }
      if (hidden) {
        EXPECT_EQ(*hidden, numbers(box.text()));
      }
    };
    filter(r->onlyLayers, r->notLayers, o.layerfiltercombo, o.layerfiltertext);
    filter(r->onlyBlocks, r->notBlocks, o.blockfiltercombo, o.blockfiltertext);

    ASSERT_EQ(r->rectangle.has_value(), o.combolocchunks.listIndex() == 2);
    if (r->rectangle) {
      int v[4];
      const forms::Control* boxes[] = {&o.manrangeminx, &o.manrangemaxx, &o.manrangeminz, &o.manrangemaxz};
      for (int k = 0; k < 4; ++k) v[k] = std::stoi(boxes[k]->text());
      EXPECT_EQ(r->rectangle->minX, std::min(v[0], v[1]));
      EXPECT_EQ(r->rectangle->maxX, std::max(v[0], v[1]));
      EXPECT_EQ(r->rectangle->minZ, std::min(v[2], v[3]));
      EXPECT_EQ(r->rectangle->maxZ, std::max(v[2], v[3]));
      EXPECT_EQ(r->rectangle->keepWhitespace, on(o.checklocwhitespace));
    }
    EXPECT_EQ(r->progressFile.value_or(""), "renderJob3progress.log");

    const bool postProcessed = !on(o.checkdisablepostprocessor) && !on(o.checklocoffset);
    EXPECT_EQ(r->outFile.value_or(""), postProcessed ? "renderJob3layer0.png" : o.genfile.text());
    if (!postProcessed || !on(o.checksurpressstacking)) {
      EXPECT_TRUE(job.post.empty());
      continue;
    }
    ASSERT_FALSE(job.post.empty());
    auto p = sgpost::parsePostArguments(job.post, error);
    ASSERT_TRUE(p) << error;
    EXPECT_EQ(p->inputs, std::vector<std::string>{"renderJob3layer0.png"});
    EXPECT_EQ(p->output, o.genfile.text());
    EXPECT_EQ(p->deleteInputs, !on(o.checksurpressdeletion));
    int degrees = 0;
    bool coloured = false;
    for (const auto& s : p->steps) {
      if (s.kind == sgpost::Step::Rotate) degrees = s.degrees;
      if (s.kind == sgpost::Step::Colour) {
        coloured = true;
        EXPECT_EQ(s.colour, *sgpost::backgroundColour(o.combobackground.text()));
      }
    }
    EXPECT_EQ(degrees, o.comborotation.listIndex() * 90);
    EXPECT_EQ(coloured, o.combobackground.listIndex() > 0);
    if (HasFailure()) return;
  }
}

}  // namespace

TEST(RenderWordTable, EveryWordTheWindowSaysIsBoundToAnOptionItHas) {
  test::JobWindow w;
  auto& form1 = w.o().form;
  for (const auto& word : sgwords::renderWords()) {
    EXPECT_EQ(sgwords::findRenderWord(word.word), &word);
    const auto& b = options::wordBinding(word.id);
    EXPECT_EQ(b.id, word.id);
    if (b.reading != options::Reading::Custom) {
      if (word.writer == sgwords::Writer::Line) {
        EXPECT_TRUE(b.number || b.text) << word.word;
      } else {
        EXPECT_TRUE(word.writer == sgwords::Writer::Tail && b.request) << word.word;
      }
    }
    if (word.arguments == sgwords::Arguments::CountedList) {
      EXPECT_TRUE(b.list) << word.word;
    }
  }
  for (const auto& f : options::entryFields()) EXPECT_NE(form1.find(f.control), nullptr) << f.control;
}
