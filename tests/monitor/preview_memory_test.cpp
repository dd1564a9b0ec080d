// The preview of a very large image: read on a thread of its own while the window goes on, and
// without the image ever being held whole.
#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "monitor/form4.h"
#include "monitor/monitor_start.h"
#include "support/main_window.h"
#include "support/working_folder.h"

using sg::test::MainWindow;
using sg::test::writeFile;
using namespace sg;

namespace {

void chunk(std::ofstream& out, const char* type, const std::string& data) {
  const auto be = [&](uint32_t v) {
    const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    out.write(b, 4);
  };
  be(static_cast<uint32_t>(data.size()));
  out.write(type, 4);
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
  crc = crc32(crc, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
  be(static_cast<uint32_t>(crc));
}

// A width x height RGBA image whose rows all repeat the first (an opaque band of colours),
// written a row at a time: every row after the first is filtered "up" to zeros.
void writeTallRepeatedImage(const std::string& name, uint32_t width, uint32_t height) {
  std::ofstream out(name, std::ios::binary);
  out.write("\x89PNG\r\n\x1a\n", 8);
  std::string ihdr(13, '\0');
  for (int i = 0; i < 4; ++i) {
    ihdr[size_t(i)] = char(width >> (24 - 8 * i));
    ihdr[size_t(4 + i)] = char(height >> (24 - 8 * i));
  }
  ihdr[8] = 8;  // bits
  ihdr[9] = 6;  // RGBA
  chunk(out, "IHDR", ihdr);
  z_stream z{};
  deflateInit(&z, 1);
  std::string row(size_t(width) * 4 + 1, '\0'), first = row, packed(1 << 20, '\0');
  for (uint32_t x = 0; x < width; ++x) {
    first[1 + x * 4] = char(x * 255 / width);
    first[1 + x * 4 + 1] = char(120);
    first[1 + x * 4 + 2] = char(255 - x * 255 / width);
    first[1 + x * 4 + 3] = char(255);
  }
  row[0] = 2;  // up
  for (uint32_t y = 0; y <= height; ++y) {
    const std::string& in = y == 0 ? first : row;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = y == height ? 0 : static_cast<uInt>(in.size());
    int rc;
    do {
      z.next_out = reinterpret_cast<Bytef*>(packed.data());
      z.avail_out = static_cast<uInt>(packed.size());
      rc = deflate(&z, y == height ? Z_FINISH : Z_NO_FLUSH);
      const size_t n = packed.size() - z.avail_out;
      if (n) chunk(out, "IDAT", packed.substr(0, n));
    } while (z.avail_out == 0 || (y == height && rc != Z_STREAM_END));
  }
  deflateEnd(&z);
  chunk(out, "IEND", "");
}

long statusKb(const char* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  const std::string key = std::string(field) + ":";
  while (std::getline(in, line))
    if (line.rfind(key, 0) == 0) return std::stol(line.substr(key.size()));
  return -1;
}

}  // namespace

TEST(PreviewMemory, AHugeImagesPreviewComesWithoutFreezingTheWindowOrTakingItsMemory) {
#ifdef SG_SANITIZED
  GTEST_SKIP() << "the memory a sanitized program keeps tells nothing of the program's own";
#endif
  MainWindow w;
  writeFile("renderJob2.bat", "strandvale_g_post_processor.exe input renderJob2layer0.png delete output huge.png\r\n");
  writeTallRepeatedImage("huge.png", 40960, 21250);
  w.form1->hide();
  writeFile("renderJob2.log", "");
  monitor::openProgressMonitor(w.registry, 2, 1);
  auto& f4 = w.registry.get<monitor::Form4>("Form4");
  f4.control("checkdontclose").setValue(1);
  // At rest: the windows loaded, the image written; the peak is counted from here.
  { std::ofstream("/proc/self/clear_refs") << "5"; }
  const long rest = statusKb("VmRSS");
  std::remove("renderJob2.log");
  const auto before = std::chrono::steady_clock::now();
  f4.control("Timer1").tick();
  const auto waited = std::chrono::steady_clock::now() - before;
  // The window went on while the image is read, and the timer takes the preview when it is in.
  EXPECT_LT(waited, std::chrono::seconds(3));
  EXPECT_EQ(f4.control("outputlist").items(), std::vector<std::string>{"huge.png"});
  for (int i = 0; i < 1200 && f4.control("Timer2").timerEnabled(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    f4.control("Timer2").tick();
  }
  const forms::Picture& p = f4.control("picpreview").picture();
  const int box = f4.control("picpreview").width() * 2 / 15;
  ASSERT_EQ(p.width, box);
  EXPECT_EQ(p.height, static_cast<int>(21250.0 * box / 40960 + 0.5));
  // Left blue, right red, as the image.
  EXPECT_GT(p.rgba[2], 200);
  EXPECT_GT(p.rgba[size_t(p.width - 1) * 4], 200);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count();
  const long peak = statusKb("VmHWM");
  ASSERT_GT(rest, 0);
  EXPECT_LT(peak - rest, 100 * 1024) << "peak " << peak << " kB, at rest " << rest << " kB";
  std::printf("preview of 40960 x 21250 in %.1f s: peak %ld kB over %ld kB at rest\n", seconds, peak - rest, rest);
}
