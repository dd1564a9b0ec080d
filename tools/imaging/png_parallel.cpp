#include "imaging/png_parallel.h"

#include <zlib.h>
#ifdef SG_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>
#include <mutex>
#include <thread>
#include <vector>

#include "imaging/png_rows.h"
#include "system/atomic_file.h"
#include "system/temporary_files.h"

namespace sgimage {

namespace {

// Room for a strip's bytes, kept from strip to strip of a thread and never cleared: every byte
// is written before it is read.
struct StripBytes {
  std::unique_ptr<uint8_t[]> bytes;
  size_t size = 0, room = 0;
  uint8_t* make(size_t n) {
    if (n > room) {
      bytes = std::make_unique_for_overwrite<uint8_t[]>(n);
      room = n;
    }
    size = n;
    return bytes.get();
  }
  const uint8_t* data() const { return bytes.get(); }
  bool empty() const { return size == 0; }
};

// The rows [first, last) as the PNG stores them: each with its filter byte, 0 (none).
void pngRows(const RgbaImage& image, int first, int last, StripBytes& out) {
  const size_t stride = size_t(image.width()) * 4;
  uint8_t* rows = out.make((stride + 1) * size_t(std::max(0, last - first)));
  for (int y = first; y < last; ++y) {
    uint8_t* row = rows + (stride + 1) * size_t(y - first);
    row[0] = 0;
    std::memcpy(row + 1, image.data() + stride * size_t(y), stride);
  }
}

#ifdef SG_HAVE_LIBDEFLATE
// Compressors are kept for the next image rather than made for each: many small images (a
// map's tiles) would otherwise spend much of their time making and freeing them.
class Compressors {
 public:
  libdeflate_compressor* take(int level) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      for (size_t i = 0; i < free_.size(); ++i)
        if (free_[i].first == level) {
          libdeflate_compressor* c = free_[i].second;
          free_.erase(free_.begin() + static_cast<std::ptrdiff_t>(i));
          return c;
        }
    }
    return libdeflate_alloc_compressor(level);
  }
  void giveBack(int level, libdeflate_compressor* c) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (free_.size() < 16) free_.emplace_back(level, c);
    else libdeflate_free_compressor(c);
  }
  ~Compressors() {
    for (auto& [level, c] : free_) libdeflate_free_compressor(c);
  }

 private:
  std::mutex mutex_;
  std::vector<std::pair<int, libdeflate_compressor*>> free_;
};
Compressors compressors;
#endif

// One strip deflated raw, primed with the end of the strip before; the last strip ends the
// stream, the others end on a byte boundary so that the next can follow.
bool deflateStrip(const StripBytes& strip, const StripBytes* before, bool last, StripBytes& room,
                  std::vector<uint8_t>& out, int level) {
#ifdef SG_HAVE_LIBDEFLATE
  // The only strip of an image needs no priming and ends the stream: libdeflate's own.
  if (last && (!before || before->empty())) {
    libdeflate_compressor* c = compressors.take(level);
    if (!c) return false;
    uint8_t* packed = room.make(libdeflate_deflate_compress_bound(c, strip.size));
    const size_t size = libdeflate_deflate_compress(c, strip.data(), strip.size, packed, room.size);
    compressors.giveBack(level, c);
    out.assign(packed, packed + size);
    return size > 0;
  }
#endif
  z_stream z{};
  if (deflateInit2(&z, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
  bool ok = true;
  if (before && !before->empty()) {
    const size_t primed = std::min<size_t>(before->size, 32768);
    ok = deflateSetDictionary(&z, before->data() + before->size - primed, static_cast<uInt>(primed)) == Z_OK;
  }
  uint8_t* packed = room.make(deflateBound(&z, static_cast<uLong>(strip.size)) + 64);
  z.next_in = const_cast<Bytef*>(strip.data());
  z.avail_in = static_cast<uInt>(strip.size);
  z.next_out = packed;
  z.avail_out = static_cast<uInt>(room.size);
  if (ok) {
    const int r = deflate(&z, last ? Z_FINISH : Z_SYNC_FLUSH);
    ok = last ? r == Z_STREAM_END : r == Z_OK && z.avail_in == 0;
  }
  out.assign(packed, packed + (room.size - z.avail_out));
  deflateEnd(&z);
  return ok;
}

uint32_t adlerOf(const StripBytes& b) {
#ifdef SG_HAVE_LIBDEFLATE
  return libdeflate_adler32(1, b.data(), b.size);
#else
  return static_cast<uint32_t>(adler32_z(adler32(0, nullptr, 0), b.data(), b.size));
#endif
}

uint32_t crcOf(const StripBytes& b) {
#ifdef SG_HAVE_LIBDEFLATE
  return libdeflate_crc32(0, b.data(), b.size);
#else
  return static_cast<uint32_t>(crc32_z(0, b.data(), b.size));
#endif
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void chunk(std::vector<uint8_t>& out, const char* type, const uint8_t* data, size_t size) {
  put32(out, static_cast<uint32_t>(size));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  if (size) out.insert(out.end(), data, data + size);
  put32(out, static_cast<uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

}  // namespace

bool writePngOnThreads(const std::string& file, const RgbaImage& image, int threads, std::string& error,
                       const DeflatedStrips* kept, bool durable, int level) {
  if (image.empty()) {
    error = "the image is empty";
    return false;
  }
  // A map of up to 8 MB of pixels (a region or two) is one strip, deflated whole (by libdeflate
  // where the tools have it); a larger one is cut into strips of 4 MB, shared among the threads.
  const size_t stride = size_t(image.width()) * 4 + 1;
  const size_t whole = stride * size_t(image.height());
  const int rowsEach = whole <= (size_t(8) << 20) ? image.height()
                                                  : static_cast<int>(std::max<size_t>(1, (size_t(4) << 20) / stride));
  const int strips = (image.height() + rowsEach - 1) / rowsEach;
  std::vector<std::vector<uint8_t>> deflated(static_cast<size_t>(strips));
  std::vector<uLong> sums(static_cast<size_t>(strips));
  std::vector<size_t> lengths(static_cast<size_t>(strips));
  std::vector<char> ok(static_cast<size_t>(strips), 1);
  // Each strip is filtered, deflated and let go; it is primed with the filtered rows just
  // before it, filtered again for it.
  const int primingRows = static_cast<int>((32768 + stride - 1) / stride);
  // Each thread takes the next strip left, so that the strips are all packed however many of
  // the threads could be started.
  std::atomic<int> nextStrip{0};
  auto pack = [&] {
    StripBytes strip, before, room;
    for (int s = nextStrip++; s < strips; s = nextStrip++) {
      const int first = s * rowsEach, last = std::min(image.height(), first + rowsEach);
      pngRows(image, first, last, strip);
      pngRows(image, s > 0 ? std::max(0, first - primingRows) : first, first, before);
      sums[size_t(s)] = adlerOf(strip);
      lengths[size_t(s)] = strip.size;
      StripChecks checks;
      if (kept) {
        checks = {image.width(), first, last, s + 1 == strips, strip.size, before.size,
                  crcOf(strip), static_cast<uint32_t>(sums[size_t(s)]), crcOf(before), adlerOf(before)};
        if (kept->find(checks, deflated[size_t(s)])) continue;
      }
      ok[size_t(s)] = deflateStrip(strip, &before, s + 1 == strips, room, deflated[size_t(s)], level);
      if (kept && ok[size_t(s)]) kept->keep(checks, deflated[size_t(s)]);
    }
  };
  std::vector<std::thread> helpers;
  try {
    for (int t = 1; t < std::max(1, threads); ++t) helpers.emplace_back(pack);
  } catch (const std::system_error&) {
  }
  pack();
  for (auto& h : helpers) h.join();
  if (std::find(ok.begin(), ok.end(), 0) != ok.end()) {
    error = "cannot compress the image";
    return false;
  }
  uLong sum = adler32(0, nullptr, 0);
  for (int s = 0; s < strips; ++s) sum = adler32_combine(sum, sums[size_t(s)], static_cast<z_off_t>(lengths[size_t(s)]));

  // The file: the header, then the zlib stream (its two bytes, the strips, the checksum of all
  // the filtered bytes) in IDAT chunks, a strip or a part of one each.
  std::vector<uint8_t> head = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  std::vector<uint8_t> header;
  put32(header, static_cast<uint32_t>(image.width()));
  put32(header, static_cast<uint32_t>(image.height()));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive filters, no interlace
  chunk(head, "IHDR", header.data(), header.size());
  std::string temp;
  std::FILE* f = sgsys::createTemporary(file, ".part", temp);
  if (!f) {
    error = "cannot create " + temp + ": " + std::strerror(errno);
    return false;
  }
  bool written = std::fwrite(head.data(), 1, head.size(), f) == head.size();
  for (int s = 0; s < strips && written; ++s) {
    std::vector<uint8_t>& part = deflated[size_t(s)];
    if (s == 0) part.insert(part.begin(), {0x78, 0x5e});
    if (s + 1 == strips) put32(part, static_cast<uint32_t>(sum));
    for (size_t at = 0; at < part.size() && written; at += size_t(1) << 24) {
      std::vector<uint8_t> idat;
      chunk(idat, "IDAT", part.data() + at, std::min(part.size() - at, size_t(1) << 24));
      written = std::fwrite(idat.data(), 1, idat.size(), f) == idat.size();
    }
  }
  std::vector<uint8_t> end;
  chunk(end, "IEND", nullptr, 0);
  written = written && std::fwrite(end.data(), 1, end.size(), f) == end.size();
  if (!written) {
    error = "cannot write " + temp + ": " + std::strerror(errno);
    std::fclose(f);
    std::remove(temp.c_str());
    return false;
  }
  if (durable) return sgsys::commitTemporary(f, temp, file, error);
  if (std::fclose(f) != 0) {
    error = "cannot write " + temp + ": " + std::strerror(errno);
    std::remove(temp.c_str());
    return false;
  }
  return sgsys::placeTemporary(temp, file, error);
}

}  // namespace sgimage
