#include "renderer/world/chunk_bytes.h"

#include <lz4.h>
#ifdef SG_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace sgrender {

bool decompressChunk(int method, const uint8_t* data, size_t size, std::vector<uint8_t>& out,
                     std::string& error) {
  switch (method) {
    case 1:
    case 2: return inflateData(data, size, out, kMaxChunkBytes, error);
    case 3:
      if (size > kMaxChunkBytes) {
        error = "it is larger than any chunk";
        return false;
      }
      out.assign(data, data + size);
      return true;
    case 4: return unpackLz4Blocks(data, size, out, kMaxChunkBytes, error);
    default: error = "unknown compression " + std::to_string(method); return false;
  }
}

namespace {

#ifdef SG_HAVE_LIBDEFLATE
// libdeflate inflates whole buffers about twice as fast as zlib. It inflates into room of the
// thread's own, kept from chunk to chunk and grown (without being cleared) until the data fit
// or the limit is reached; the bytes are then copied out, or read where they are.
struct Room {
  std::unique_ptr<uint8_t[]> bytes;
  size_t size = 0;
};
thread_local Room room;
constexpr size_t kRoomKept = size_t(4) << 20;  // more is let go once it is not needed

bool inflateIntoRoom(bool raw, const uint8_t* data, size_t size, size_t limit, std::string_view& out,
                     std::string& error) {
  struct Free {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
  };
  thread_local std::unique_ptr<libdeflate_decompressor, Free> decompressor(libdeflate_alloc_decompressor());
  libdeflate_decompressor* d = decompressor.get();
  if (!d) {
    error = "cannot start decompression";
    return false;
  }
  const bool gzip = size >= 2 && data[0] == 0x1f && data[1] == 0x8b;
  size_t capacity = std::min(limit, std::max(size * 4, size_t(16384)));
  if (room.size > kRoomKept && capacity <= kRoomKept) room = Room{};
  capacity = std::max(capacity, std::min(limit, room.size));
  while (true) {
    if (capacity > room.size) {
      room.bytes = std::make_unique_for_overwrite<uint8_t[]>(capacity);
      room.size = capacity;
    }
    size_t produced = 0;
    const libdeflate_result r = raw    ? libdeflate_deflate_decompress(d, data, size, room.bytes.get(), capacity, &produced)
                                : gzip ? libdeflate_gzip_decompress(d, data, size, room.bytes.get(), capacity, &produced)
                                       : libdeflate_zlib_decompress(d, data, size, room.bytes.get(), capacity, &produced);
    if (r == LIBDEFLATE_SUCCESS) {
      out = std::string_view(reinterpret_cast<const char*>(room.bytes.get()), produced);
      return true;
    }
    if (r != LIBDEFLATE_INSUFFICIENT_SPACE) {
      error = "corrupt compressed data";
      return false;
    }
    if (capacity >= limit) {
      error = "decompresses to more than the limit";
      return false;
    }
    capacity = std::min(limit, capacity * 2);
  }
}

bool inflateWith(bool raw, const uint8_t* data, size_t size, std::vector<uint8_t>& out, size_t limit,
                 std::string& error) {
  std::string_view inflated;
  const bool ok = inflateIntoRoom(raw, data, size, limit, inflated, error);
  if (ok) out.assign(inflated.begin(), inflated.end());
  if (room.size > kRoomKept) room = Room{};
  return ok;
}
#else
bool inflateWith(bool raw, const uint8_t* data, size_t size, std::vector<uint8_t>& out, size_t limit,
                 std::string& error) {
  z_stream z{};
  if (inflateInit2(&z, raw ? -15 : 15 + 32) != Z_OK) {
    error = "cannot start decompression";
    return false;
  }
  out.resize(std::min(limit, std::max<size_t>(size * 4, 16384)));
  z.next_in = const_cast<Bytef*>(data);
  z.avail_in = static_cast<uInt>(size);
  size_t produced = 0;
  int rc = Z_OK;
  while (true) {
    if (produced == out.size()) {
      if (out.size() >= limit) {
        inflateEnd(&z);
        error = "decompresses to more than the limit";
        return false;
      }
      out.resize(std::min(limit, out.size() * 2));
    }
    z.next_out = out.data() + produced;
    z.avail_out = static_cast<uInt>(out.size() - produced);
    rc = inflate(&z, Z_NO_FLUSH);
    produced = out.size() - z.avail_out;
    if (rc == Z_STREAM_END) break;
    if (rc != Z_OK && rc != Z_BUF_ERROR) break;
    if (rc == Z_BUF_ERROR && z.avail_in == 0) break;
  }
  inflateEnd(&z);
  if (rc != Z_STREAM_END) {
    error = z.msg ? std::string("corrupt compressed data (") + z.msg + ")" : "compressed data ends early";
    return false;
  }
  out.resize(produced);
  return true;
}
#endif

}  // namespace

bool inflateData(const uint8_t* data, size_t size, std::vector<uint8_t>& out, size_t limit, std::string& error) {
  return inflateWith(false, data, size, out, limit, error);
}

bool inflateRaw(const uint8_t* data, size_t size, std::vector<uint8_t>& out, size_t limit, std::string& error) {
  return inflateWith(true, data, size, out, limit, error);
}

bool inflateInPlace(bool raw, const uint8_t* data, size_t size, size_t limit, std::string_view& out,
                    std::string& error) {
#ifdef SG_HAVE_LIBDEFLATE
  return inflateIntoRoom(raw, data, size, limit, out, error);
#else
  thread_local std::vector<uint8_t> room;
  if (room.capacity() > (size_t(4) << 20)) std::vector<uint8_t>().swap(room);
  if (!inflateWith(raw, data, size, room, limit, error)) return false;
  out = std::string_view(reinterpret_cast<const char*>(room.data()), room.size());
  return true;
#endif
}


namespace {

uint32_t littleEndian(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

bool unpackLz4Blocks(const uint8_t* data, size_t size, std::vector<uint8_t>& out, size_t limit,
                     std::string& error) {
  constexpr size_t kHeader = 8 + 1 + 4 + 4 + 4;
  out.clear();
  size_t pos = 0;
  while (true) {
    if (size - pos < kHeader || std::memcmp(data + pos, "LZ4Block", 8) != 0) {
      error = "LZ4 data without its block header";
      return false;
    }
    const int method = data[pos + 8] & 0xF0;
    const size_t packed = littleEndian(data + pos + 9), original = littleEndian(data + pos + 13);
    pos += kHeader;
    if (original == 0) return true;  // the end mark
    if (packed > size - pos || original > limit - out.size()) {
      error = "an LZ4 block runs past the data or the limit";
      return false;
    }
    const size_t at = out.size();
    out.resize(at + original);
    if (method == 0x10) {
      if (packed != original) {
        error = "a stored LZ4 block has two lengths";
        return false;
      }
      std::memcpy(out.data() + at, data + pos, original);
    } else if (method == 0x20) {
      int n = LZ4_decompress_safe(reinterpret_cast<const char*>(data + pos), reinterpret_cast<char*>(out.data() + at),
                                  static_cast<int>(packed), static_cast<int>(original));
      if (n < 0 || size_t(n) != original) {
        error = "corrupt LZ4 data";
        return false;
      }
    } else {
      error = "unknown LZ4 block method";
      return false;
    }
    pos += packed;
    if (pos == size) return true;  // a stream without its end mark still holds whole blocks
  }
}

}  // namespace sgrender
