// A whole map written as a PNG on several threads: the same bytes for any number of threads,
// and the same picture when read back, whatever its size (one strip, several, a ragged last one).
#include <gtest/gtest.h>

#include <algorithm>

#include "imaging/png_file.h"
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

}  // namespace

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
