#include "renderer/cache/render_cache.h"

#include <zlib.h>
#ifdef SG_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "system/atomic_file.h"
#include "system/temporary_files.h"
#include "system/tool_system.h"

namespace fs = std::filesystem;

namespace sgrender {

namespace {

constexpr char kMagic[4] = {'S', 'G', 'R', 'C'};
constexpr uint32_t kFormat = 1;
constexpr const char* kEnding = ".sgcache";
// The largest entry kept deflated: a region's tile of the map from above (1 MB) with room to spare.
constexpr uint64_t kLargestInflated = uint64_t(256) << 20;

// An entry's bytes are a zlib stream, written and read by libdeflate where the renderer has it
// (faster at the same ratio), else by zlib.
bool deflateBytes(const std::vector<uint8_t>& in, std::vector<uint8_t>& out, size_t at) {
#ifdef SG_HAVE_LIBDEFLATE
  thread_local std::unique_ptr<libdeflate_compressor, void (*)(libdeflate_compressor*)> coder(
      libdeflate_alloc_compressor(1), libdeflate_free_compressor);
  if (!coder) return false;
  out.resize(at + libdeflate_zlib_compress_bound(coder.get(), in.size()));
  const size_t n = libdeflate_zlib_compress(coder.get(), in.data(), in.size(), out.data() + at, out.size() - at);
  if (n == 0) return false;
  out.resize(at + n);
  return true;
#else
  uLongf bound = compressBound(static_cast<uLong>(in.size()));
  out.resize(at + bound);
  if (compress2(out.data() + at, &bound, in.data(), static_cast<uLong>(in.size()), 1) != Z_OK) return false;
  out.resize(at + bound);
  return true;
#endif
}

bool inflateBytes(const uint8_t* in, size_t size, std::vector<uint8_t>& out) {
#ifdef SG_HAVE_LIBDEFLATE
  thread_local std::unique_ptr<libdeflate_decompressor, void (*)(libdeflate_decompressor*)> coder(
      libdeflate_alloc_decompressor(), libdeflate_free_decompressor);
  size_t length = 0;
  return coder &&
         libdeflate_zlib_decompress(coder.get(), in, size, out.data(), out.size(), &length) == LIBDEFLATE_SUCCESS &&
         length == out.size();
#else
  uLongf length = static_cast<uLongf>(out.size());
  return uncompress(out.data(), &length, in, static_cast<uLong>(size)) == Z_OK && length == out.size();
#endif
}
// An entry's header: magic, format, kind (8 bytes), key, the facts' length, the bytes' stored
// and whole lengths, whether they are deflated, and the checksum of everything after the header.
constexpr size_t kHeaderSize = 4 + 4 + 8 + 16 + 4 + 8 + 8 + 4 + 4;

void put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void put64(std::vector<uint8_t>& out, uint64_t v) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
uint32_t get32(const uint8_t* p) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= uint32_t(p[i]) << (8 * i);
  return v;
}
uint64_t get64(const uint8_t* p) {
  uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v |= uint64_t(p[i]) << (8 * i);
  return v;
}

std::string kindField(std::string_view kind) {
  std::string k(kind.substr(0, 8));
  k.resize(8, '\0');
  return k;
}

uint32_t checksum(const uint8_t* data, size_t size) {
  uLong crc = crc32(0L, Z_NULL, 0);
  while (size > 0) {
    const uInt n = static_cast<uInt>(std::min<size_t>(size, 1u << 30));
    crc = crc32(crc, data, n);
    data += n;
    size -= n;
  }
  return static_cast<uint32_t>(crc);
}

bool readWhole(const fs::path& path, std::vector<uint8_t>& out) {
  std::FILE* f = std::fopen(sgsys::nameOf(path).c_str(), "rb");
  if (!f) return false;
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  bool ok = !ec && size < (uint64_t(1) << 34);
  if (ok) {
    out.resize(static_cast<size_t>(size));
    ok = std::fread(out.data(), 1, out.size(), f) == out.size();
  }
  std::fclose(f);
  return ok;
}

}  // namespace

std::optional<fs::path> RenderCache::userFolder() {
  auto variable = [](const char* name) -> std::string {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
  };
  if (std::string own = variable("SG_RENDER_CACHE"); !own.empty()) return sgsys::pathOf(own);
  const std::string user = sgsys::userCacheFolder();
  if (user.empty()) return std::nullopt;
  return sgsys::pathOf(user) / "renders";
}

RenderCache::RenderCache(fs::path folder, uint64_t limitBytes) : folder_(std::move(folder)), limit_(limitBytes) {}

fs::path RenderCache::pathOf(const CacheKey& key) const { return folder_ / (key.name() + kEnding); }

// An entry's file, read whole and checked: its header names this key and kind, its lengths add
// up and its checksum holds. The bytes stay as stored (deflated or not).
struct RenderCache::Checked {
  std::vector<uint8_t> file;
  uint32_t factsSize = 0;
  uint64_t stored = 0, whole = 0;
  bool deflated = false;
};

std::optional<RenderCache::Checked> RenderCache::check(const CacheKey& key, std::string_view kind) const {
  Checked c;
  if (!readWhole(pathOf(key), c.file) || c.file.size() < kHeaderSize) return std::nullopt;
  const uint8_t* h = c.file.data();
  if (std::memcmp(h, kMagic, 4) != 0 || get32(h + 4) != kFormat) return std::nullopt;
  if (std::memcmp(h + 8, kindField(kind).data(), 8) != 0) return std::nullopt;
  if (get64(h + 16) != key.high || get64(h + 24) != key.low) return std::nullopt;  // a foreign entry
  c.factsSize = get32(h + 32);
  c.stored = get64(h + 36), c.whole = get64(h + 44);
  c.deflated = get32(h + 52) != 0;
  if (uint64_t(c.factsSize) + c.stored != c.file.size() - kHeaderSize) return std::nullopt;
  // Deflate makes at most 1032 bytes of each byte it stores: an entry that claims more is forged
  // or damaged, and nothing is set aside for it.
  if (c.deflated ? c.whole > c.stored * 1032 + 1024 || c.whole > kLargestInflated : c.whole != c.stored)
    return std::nullopt;
  if (checksum(c.file.data() + kHeaderSize, c.file.size() - kHeaderSize) != get32(h + 56)) return std::nullopt;
  return c;
}

bool RenderCache::holds(const CacheKey& key, std::string_view kind) const { return check(key, kind).has_value(); }

std::optional<CacheEntry> RenderCache::load(const CacheKey& key, std::string_view kind) const {
  auto c = check(key, kind);
  if (!c) return std::nullopt;
  CacheEntry entry;
  const uint8_t* facts = c->file.data() + kHeaderSize;
  entry.facts.assign(facts, facts + c->factsSize);
  const uint8_t* bytes = facts + c->factsSize;
  if (c->deflated) {
    entry.bytes.resize(static_cast<size_t>(c->whole));
    if (!inflateBytes(bytes, static_cast<size_t>(c->stored), entry.bytes)) return std::nullopt;
  } else {
    entry.bytes.assign(bytes, bytes + c->stored);
  }
  std::error_code ec;
  fs::last_write_time(pathOf(key), fs::file_time_type::clock::now(), ec);  // used now
  return entry;
}

bool RenderCache::store(const CacheKey& key, std::string_view kind, const CacheEntry& entry, bool compress) const {
  std::error_code ec;
  fs::create_directories(folder_, ec);
  std::vector<uint8_t> body(entry.facts.begin(), entry.facts.end());
  uint64_t stored = entry.bytes.size();
  if (compress) {
    if (!deflateBytes(entry.bytes, body, entry.facts.size())) return false;
    stored = body.size() - entry.facts.size();
  } else {
    body.insert(body.end(), entry.bytes.begin(), entry.bytes.end());
  }
  std::vector<uint8_t> file(kMagic, kMagic + 4);
  put32(file, kFormat);
  const std::string k = kindField(kind);
  file.insert(file.end(), k.begin(), k.end());
  put64(file, key.high);
  put64(file, key.low);
  put32(file, static_cast<uint32_t>(entry.facts.size()));
  put64(file, stored);
  put64(file, entry.bytes.size());
  put32(file, compress ? 1 : 0);
  put32(file, checksum(body.data(), body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return sgsys::writeFileAtomically(sgsys::nameOf(pathOf(key)), file.data(), file.size());
}

void RenderCache::trim() const {
  struct Held {
    fs::path path;
    fs::file_time_type used;
    uint64_t size;
  };
  std::vector<Held> held;
  uint64_t total = 0;
  std::error_code ec;
  for (auto it = fs::directory_iterator(folder_, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code fec;
    if (it->path().extension() != kEnding || !it->is_regular_file(fec)) continue;
    Held h{it->path(), it->last_write_time(fec), it->file_size(fec)};
    if (fec) continue;
    total += h.size;
    held.push_back(std::move(h));
  }
  if (total <= limit_) return;
  std::sort(held.begin(), held.end(), [](const Held& a, const Held& b) { return a.used < b.used; });
  for (const Held& h : held) {
    if (total <= limit_) break;
    std::error_code rec;
    if (fs::remove(h.path, rec)) total -= h.size;
  }
}

}  // namespace sgrender
