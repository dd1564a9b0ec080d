// The job contract: seeded random main-window states (rows set through the controls, rows
// typed by hand, rows inserted from the default, request options, offset files) each pressed
// Render, and everything the press leaves behind compared with a recording: the batch file
// byte for byte, the rows, the controls, the counters, the messages and the launcher's calls.
// Set SG_RECORD_JOBS to a file name to write the recording anew instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "job_window.h"
#include "platform/files.h"
#include "options/entry_fields.h"
#include "support/working_folder.h"

using namespace sg;

namespace {

const char* const kWords[] = {
    "world", "folder", "custom", "name", "normal", "isometric", "obliqueangled", "east", "west",
    "onlylayers", "notlayers", "onlyblocks", "notblocks", "night", "checkeachlayer", "cave",
    "nether", "dimension", "DIM3", "flip", "granularity", "cropwhitespace", "zoomlevel", "mirror",
    "sautomirror", "automirror", "lowramwrite", "makeoffsetfile", "rectangle", "spacedrectangle",
    "fileminx", "0", "1", "2", "3", "-2", "2.5", "x", "\"World2\"", "\"a b\"", "\"\"", "\"C:\\w\\\"",
    "\"m/n\"", "\"//srv.net/w\""};

template <class T>
const T& pick(std::mt19937& rng, const std::vector<T>& v) {
  return v[rng() % v.size()];
}

std::string handLine(std::mt19937& rng) {
  std::string line;
  int n = static_cast<int>(rng() % 14);
  for (int i = 0; i < n; ++i) {
    line += kWords[rng() % std::size(kWords)];
    line += (rng() % 9 == 0) ? "  " : " ";
  }
  return line;
}

// Sets the selected row's options through its controls, as a player would.
void setControls(test::JobWindow& w, std::mt19937& rng) {
  auto o = w.o();
  auto any = [&](forms::Control& c) { c.setListIndex(static_cast<int>(rng() % c.listCount())); };
  any(o.comboworldfolders);
  if (o.comboworldfolders.listIndex() + 1 == o.comboworldfolders.listCount())
    o.txtcustompath.setText(pick<std::string>(rng, {"C:\\maps\\w", "//srv.net/w", "d e", "C:\\w\\"}));
  if (rng() % 3) o.txtmapname.setText(pick<std::string>(rng, {"m", "a b", "x%y", "p&q", ""}));
  for (auto* c : {&o.combostyle, &o.comboorientation, &o.combotime, &o.combogranularity, &o.comboDimension})
    if (rng() % 2) any(*c);
  for (auto* c : {&o.checkwater, &o.checkcave, &o.checkflip, &o.checkrotate, &o.checkxray, &o.checkcake,
                  &o.checkmapmirror, &o.checkmapautomirror, &o.checklowramwrite, &o.checklocfile,
                  &o.checkwooloscopy, &o.checkbrightness, &o.checkupsidedown, &o.checkcropwhitespace})
    if (rng() % 4 == 0) c->setValue(static_cast<int>(rng() % 2));
  if (rng() % 6 == 0) o.checklocoffset.setValue(1);
  if (rng() % 8 == 0) o.checknether.setValue(1);
  if (rng() % 3 == 0) {
    any(o.layerfiltercombo);
    o.layerfiltertext.setText(pick<std::string>(rng, {"3 70", "5", "", "1  2 ", "x 200 64"}));
  }
  if (rng() % 3 == 0) {
    any(o.blockfiltercombo);
    o.blockfiltertext.setText(pick<std::string>(rng, {"1 2 3", "57", ""}));
  }
  if (rng() % 5 == 0) o.zoomlevel.setText(pick<std::string>(rng, {"2", "2.5", "0", "x"}));
  if (rng() % 5 == 0) {
    any(o.combolocchunks);
    o.checklocwhitespace.setValue(static_cast<int>(rng() % 2));
    o.manrangeminx.setText(pick<std::string>(rng, {"-3", "", "4"}));
    o.manrangemaxz.setText(pick<std::string>(rng, {"9", "1.5"}));
  }
  // Per-layer rows mostly render a few layers; now and then every layer (a question first).
  if (rng() % 5 == 0) {
    o.checkeachlayer.setValue(1);
    if (rng() % 16) {
      o.layerfiltercombo.setListIndex(1);
      o.layerfiltertext.setText(pick<std::string>(rng, {"3 70", "5", "1 1 2"}));
    }
  }
}

void setRequest(test::JobWindow& w, std::mt19937& rng) {
  auto o = w.o();
  auto any = [&](forms::Control& c) { c.setListIndex(static_cast<int>(rng() % c.listCount())); };
  for (auto* c : {&o.combomapformat, &o.comboverbosity, &o.combobackground, &o.comborotation, &o.combomirroring})
    if (rng() % 3 == 0) any(*c);
  o.combomirroring.setVisible(rng() % 2 == 0);
  o.checkdisablelogging.setValue(rng() % 6 == 0);
  o.checkdisablepostprocessor.setValue(rng() % 5 == 0);
  o.checksurpressstacking.setValue(rng() % 4 == 0);
  o.checksurpressdeletion.setValue(rng() % 4 == 0);
  o.checksurpressautomirroring.setValue(rng() % 4 == 0);
  o.checkmirror.setValue(rng() % 4 == 0);
  o.txtoutputfile.setText(pick<std::string>(rng, {"", "", "out", "dir/", "pre*fix", "C:\\x\\"}));
  if (rng() % 4 == 0) {
    w.f5("oppathcustom").setValue(1);
    w.f5("customsavepath").setText("D:\\saves 1\\");
  }
  if (rng() % 5 == 0) w.f5("custompathnosaving").setValue(1);
}

std::string dumpControl(forms::Control& c) {
  std::ostringstream s;
  s << c.name() << " v=" << c.value() << " i=" << c.listIndex() << " e=" << c.enabled() << " t=[" << c.text() << "]";
  return s.str();
}

std::string dump(test::JobWindow& w) {
  std::ostringstream s;
  for (int n = 0; n < 3; ++n) {
    const std::string bat = "renderJob" + std::to_string(n) + ".bat";
    if (!files::FileExists(bat)) continue;
    std::string content = test::readFile(bat);
    // A long job is kept as its head, its tail and a checksum of the whole.
    if (content.size() > 6000) {
      uint64_t h = 1469598103934665603ull;
      for (unsigned char ch : content) h = (h ^ ch) * 1099511628211ull;
      content = content.substr(0, 3000) + "\n...\n" + content.substr(content.size() - 2000) +
                "\nfnv " + std::to_string(h);
    }
    s << bat << ":\n" << content << "\n";
    s << "log " << files::FileExists("renderJob" + std::to_string(n) + ".log") << "\n";
  }
  auto o = w.o();
  s << "rows " << o.stacklist.listIndex() << "\n";
  for (const auto& r : o.stacklist.items()) s << "  [" << r << "]\n";
  for (const auto& f : options::entryFields()) s << dumpControl(o.form.control(f.control)) << "\n";
  for (const char* name : {"txtcustompath", "checknether", "checkmirror", "genfile", "tempstackn", "totaljob",
                           "totaljobrenders", "renderjob", "checksurpressstacking", "layerfiltercombo"})
    s << dumpControl(o.form.control(name)) << "\n";
  s << "lock [" << o.temppack.tag() << "] temppack";
  for (const auto& t : o.temppack.items()) s << " [" << t << "]";
  s << "\npaths";
  for (const auto& p : o.txtcustompath.items()) s << " [" << p << "]";
  for (const auto& p : w.f5("custompathlist").items()) s << " {" << p << "}";
  s << "\nmain " << w.w().form1->visible() << "\n";
  for (const auto& m : w.dialogs().messages()) s << "message [" << m.text << "]\n";
  for (const auto& r : w.launcher().records()) s << "start [" << r.command << "] " << r.minimised << "\n";
  return s.str();
}

std::string oneRequest(unsigned seed) {
  std::mt19937 rng(seed);
  test::JobWindow w;
  w.w().form1->show();
  w.w().setWorlds({"World1", "World2", "a b"});
  w.row("folder \"World1\" name \"base\" normal north automirror ");
  const int rows = 1 + static_cast<int>(rng() % 4);
  for (int r = 0; r < rows; ++r) {
    if (r > 0) {
      const int how = static_cast<int>(rng() % 6);
      if (how == 0) {
        w.w().form1->Command3_Click();  // insert new: the default line, not loaded
        continue;
      }
      if (how == 1) {
        w.c("stacklist").addItem(handLine(rng));  // typed by hand, not loaded
        continue;
      }
      w.addRow(how == 2 ? handLine(rng) : "folder \"World1\" name \"r\" normal north automirror ");
    }
    if (rng() % 4) setControls(w, rng);
  }
  auto& list = w.c("stacklist");
  list.setListIndex(static_cast<int>(rng() % list.listCount()));
  if (rng() % 3 == 0) setControls(w, rng);
  setRequest(w, rng);
  if (rng() % 3 == 0) test::writeFile("rOffset.txt", "minX=-4\r\nmaxX=7\r\nminZ=1\r\nmaxZ=2\r\n");
  if (rng() % 3 == 0) test::writeFile("mOffset.txt", "minX=5\r\n");
  w.dialogs().queueAnswer(rng() % 3 ? platform::Answer::Yes : platform::Answer::No);
  w.render();
  std::string out = dump(w);
  for (const auto& e : std::filesystem::directory_iterator("."))
    if (e.is_regular_file()) std::filesystem::remove(e.path());
  return out;
}

constexpr unsigned kRequests = 300;

std::string allRequests() {
  std::filesystem::create_directories(test::MainWindow::savesFolder() + "/World1");
  test::writeFile(test::MainWindow::savesFolder() + "/World1/level.dat", "");
  std::string all;
  for (unsigned seed = 1; seed <= kRequests; ++seed) all += "=== " + std::to_string(seed) + "\n" + oneRequest(seed);
  return all;
}

std::vector<std::string> sections(const std::string& all) {
  std::vector<std::string> out;
  size_t pos = 0;
  while ((pos = all.find("=== ", pos)) != std::string::npos) {
    size_t next = all.find("\n=== ", pos + 1);
    out.push_back(all.substr(pos, next == std::string::npos ? std::string::npos : next + 1 - pos));
    if (next == std::string::npos) break;
    pos = next + 1;
  }
  return out;
}

}  // namespace

TEST(JobContract, RandomWindowStatesMakeTheRecordedJobs) {
  const std::string all = allRequests();
  if (const char* record = std::getenv("SG_RECORD_JOBS")) {
    std::ofstream(record, std::ios::binary) << all;
    GTEST_SKIP() << "recorded to " << record;
  }
  std::ifstream in(SG_RECORDED_JOBS, std::ios::binary);
  ASSERT_TRUE(in) << SG_RECORDED_JOBS;
  std::stringstream recorded;
  recorded << in.rdbuf();
  auto want = sections(recorded.str()), got = sections(all);
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) ASSERT_EQ(got[i], want[i]);
}
