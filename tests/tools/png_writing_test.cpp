// A whole map written as a PNG on several threads: the same bytes for any number of threads,
// and the same picture when read back, whatever its size (one strip, several, a ragged last one);
// strips kept from an earlier image are taken where they check out, and only there.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <tuple>

#include "imaging/png_file.h"
#include "imaging/png_parallel.h"
#include "tool_test_support.h"

namespace {

// A picture with flat runs, edges and see-through pixels, as maps have, and rows where nothing
// is drawn (the first, and bands of three, as where a map has no chunks).
sgimage::RgbaImage testPicture(int width, int height) {
  sgimage::RgbaImage im(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (y == 0 || (y / 3) % 4 == 1) continue;
      const uint8_t v = static_cast<uint8_t>((x / 7) * 31 + (y / 5) * 17 + ((x * y) % 13 == 0 ? 90 : 0));
      im.set(x, y, {v, static_cast<uint8_t>(255 - v), static_cast<uint8_t>(x ^ y), static_cast<uint8_t>((x + y) % 3 ? 255 : 128)});
    }
  return im;
}

#ifndef _WIN32
// Strips kept in memory, counting what is asked of them.
class StripsInMemory : public sgimage::DeflatedStrips {
 public:
  bool find(const sgimage::StripChecks& c, std::vector<uint8_t>& deflated) const override {
    std::lock_guard lock(mutex_);
    auto it = kept_.find(key(c));
    if (it == kept_.end()) return false;
    deflated = it->second;
    ++found;
    return true;
  }
  void keep(const sgimage::StripChecks& c, const std::vector<uint8_t>& deflated) const override {
    std::lock_guard lock(mutex_);
    kept_[key(c)] = deflated;
    ++deflatedAgain;
  }
  mutable int found = 0, deflatedAgain = 0;

 private:
  using Key = std::tuple<int, int, int, bool, size_t, size_t, uint32_t, uint32_t, uint32_t, uint32_t>;
  static Key key(const sgimage::StripChecks& c) {
    return {c.width, c.first, c.last, c.ends, c.bytes, c.primedBytes, c.crc, c.adler, c.primedCrc, c.primedAdler};
  }
  mutable std::mutex mutex_;
  mutable std::map<Key, std::vector<uint8_t>> kept_;
};
#endif

}  // namespace

// The strip coder, which whole maps are written with off Windows (on Windows WIC writes them).
#ifndef _WIN32
TEST(PngWriting, KeptStripsAreTakenWhereTheyCheckOutAndTheFileIsTheSame) {
  // Five strips of 4 MB: a pixel changed in the third changes that strip and the next (which is
  // primed with the third's last rows) and nothing else.
  sgimage::RgbaImage picture = testPicture(4097, 1100);
  const StripsInMemory kept;
  std::string error;
  ASSERT_TRUE(sgimage::writePngOnThreads("fresh.png", picture, 2, error)) << error;
  ASSERT_TRUE(sgimage::writePngOnThreads("first.png", picture, 2, error, &kept)) << error;
  EXPECT_EQ(kept.found, 0);
  EXPECT_EQ(kept.deflatedAgain, 5);
  ASSERT_TRUE(sgimage::writePngOnThreads("again.png", picture, 1, error, &kept)) << error;
  EXPECT_EQ(kept.found, 5);
  EXPECT_TRUE(sgtest::slurp("again.png") == sgtest::slurp("fresh.png"));
  EXPECT_TRUE(sgtest::slurp("first.png") == sgtest::slurp("fresh.png"));

  const int rowsEach = static_cast<int>((size_t(4) << 20) / (4097 * 4 + 1));
  picture.set(100, 2 * rowsEach + rowsEach - 1, {1, 2, 3, 4});  // the last row of the third strip
  ASSERT_TRUE(sgimage::writePngOnThreads("changed.png", picture, 2, error, &kept)) << error;
  EXPECT_EQ(kept.found, 5 + 3);
  EXPECT_EQ(kept.deflatedAgain, 5 + 2);
  ASSERT_TRUE(sgimage::writePngOnThreads("changedFresh.png", picture, 2, error)) << error;
  EXPECT_TRUE(sgtest::slurp("changed.png") == sgtest::slurp("changedFresh.png"));
  const sgimage::RgbaImage back = sgtest::readImage("changed.png");
  EXPECT_TRUE(std::equal(back.data(), back.data() + size_t(4097) * 1100 * 4, picture.data()));
}
#endif

TEST(PngWriting, AWholeImageIsTheSameOnAnyNumberOfThreadsAndReadsBackAsDrawn) {
  // Up to 8 MB, one strip; beyond, strips of 4 MB: three with a ragged last one, and five.
  for (auto [w, h] : {std::pair(1, 1), std::pair(3, 5), std::pair(1000, 2000), std::pair(1000, 2500),
                      std::pair(4097, 1100)}) {
    SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
    const sgimage::RgbaImage picture = testPicture(w, h);
    std::string error;
    ASSERT_TRUE(sgimage::writePngAtomically("one.png", picture, error, 1)) << error;
    ASSERT_TRUE(sgimage::writePngAtomically("three.png", picture, error, 3)) << error;
    EXPECT_TRUE(sgtest::slurp("one.png") == sgtest::slurp("three.png"));
    const sgimage::RgbaImage back = sgtest::readImage("three.png");
    ASSERT_EQ(back.width(), w);
    ASSERT_EQ(back.height(), h);
    EXPECT_TRUE(std::equal(back.data(), back.data() + size_t(w) * h * 4, picture.data()));
  }
}
