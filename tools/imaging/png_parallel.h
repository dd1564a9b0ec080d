// Writing a whole image as a PNG on several threads: the rows (unfiltered, as the row writer
// writes them) are deflated in strips side by side, each strip primed with the 32 KB before it
// and ended on a byte boundary, so that the strips make one zlib stream (as a parallel gzip
// makes one file); the file is the same picture as the row writer's, at about its size.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/png_rows.h"
#include "imaging/rgba_image.h"

namespace sgimage {

// What tells one strip of rows from another: where it lies, and checksums of its bytes and of
// the bytes it is primed with.
struct StripChecks {
  int width = 0, first = 0, last = 0;
  bool ends = false;  // the strip that ends the stream
  size_t bytes = 0, primedBytes = 0;
  uint32_t crc = 0, adler = 0, primedCrc = 0, primedAdler = 0;
};

// Strips deflated by an earlier writing, kept by the caller: a strip that checks out the same
// as a kept one is taken from it rather than deflated again, so that writing a map in which a
// little changed costs little more than the strips that did. Called from several threads.
class DeflatedStrips {
 public:
  virtual ~DeflatedStrips() = default;
  // The raw deflate bytes kept for such a strip; false when none are.
  virtual bool find(const StripChecks& checks, std::vector<uint8_t>& deflated) const = 0;
  virtual void keep(const StripChecks& checks, const std::vector<uint8_t>& deflated) const = 0;
};

// Written to a temporary name and renamed over the target; false with a reason.
bool writePngOnThreads(const std::string& file, const RgbaImage& image, int threads, std::string& error,
                       const DeflatedStrips* kept = nullptr, bool durable = true, int level = kPngLevel);

}  // namespace sgimage
