#include "renderer/cache/render_cache.h"

#include <zlib.h>
#ifdef SG_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <utility>

#include "system/tool_system.h"

namespace fs = std::filesystem;

namespace sgrender {

namespace {

constexpr char kMagic[4] = {'S', 'G', 'R', 'C'};
constexpr uint32_t kFormat = 2;

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
// and whole lengths, whether they are deflated, and the checksum of the header before it and
// of everything after the header.
constexpr size_t kChecksumAt = 4 + 4 + 8 + 16 + 4 + 8 + 8 + 4;
constexpr size_t kHeaderSize = kChecksumAt + 4;
// The facts are counts and a range: a few dozen bytes.
constexpr uint32_t kLargestFacts = 4096;

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

uint32_t checksum(uint32_t crc, const uint8_t* data, size_t size) {
  while (size > 0) {
    const uInt n = static_cast<uInt>(std::min<size_t>(size, 1u << 30));
    crc = static_cast<uint32_t>(crc32(crc, data, n));
    data += n;
    size -= n;
  }
  return crc;
}

uint32_t entryChecksum(const uint8_t* file, size_t size) {
  return checksum(checksum(static_cast<uint32_t>(crc32(0L, Z_NULL, 0)), file, kChecksumAt), file + kHeaderSize,
                  size - kHeaderSize);
}

// The most bytes that deflating `whole` bytes may store.
uint64_t deflatedBound(uint64_t whole) { return whole + whole / 16 + 1024; }

// An entry's file, read whole from an open file and checked: its header names this key and
// kind, its lengths add up and fit what the caller takes, and its checksum holds. Nothing past
// the header is read before its claims are checked against the file's size and `largest`.
struct Checked {
  std::vector<uint8_t> file;
  uint32_t factsSize = 0;
  uint64_t stored = 0, whole = 0;
  bool deflated = false;
};

std::optional<Checked> checkFile(std::FILE* f, uint64_t size, const CacheKey& key, std::string_view kind,
                                 uint64_t largest) {
  if (size < kHeaderSize || size > kHeaderSize + kLargestFacts + deflatedBound(largest)) return std::nullopt;
  Checked c;
  c.file.resize(kHeaderSize);
  if (!sgsys::readAt(f, c.file.data(), kHeaderSize, 0)) return std::nullopt;
  const uint8_t* h = c.file.data();
  if (std::memcmp(h, kMagic, 4) != 0 || get32(h + 4) != kFormat) return std::nullopt;
  if (std::memcmp(h + 8, kindField(kind).data(), 8) != 0) return std::nullopt;
  if (get64(h + 16) != key.high || get64(h + 24) != key.low) return std::nullopt;  // a foreign entry
  c.factsSize = get32(h + 32);
  c.stored = get64(h + 36), c.whole = get64(h + 44);
  c.deflated = get32(h + 52) != 0;
  if (c.factsSize > kLargestFacts || c.whole > largest || uint64_t(c.factsSize) + c.stored != size - kHeaderSize)
    return std::nullopt;
  // Deflate makes at most 1032 bytes of each byte it stores: an entry that claims more is forged
  // or damaged, and nothing is set aside for it.
  if (c.deflated ? c.whole > c.stored * 1032 + 1024 || c.stored > deflatedBound(c.whole) : c.whole != c.stored)
    return std::nullopt;
  c.file.resize(static_cast<size_t>(size));
  if (size > kHeaderSize && !sgsys::readAt(f, c.file.data() + kHeaderSize, c.file.size() - kHeaderSize, kHeaderSize))
    return std::nullopt;
  if (entryChecksum(c.file.data(), c.file.size()) != get32(c.file.data() + kChecksumAt)) return std::nullopt;
  return c;
}

std::optional<CacheEntry> unpack(Checked&& c) {
  CacheEntry entry;
  const uint8_t* facts = c.file.data() + kHeaderSize;
  entry.facts.assign(facts, facts + c.factsSize);
  const uint8_t* bytes = facts + c.factsSize;
  if (c.deflated) {
    entry.bytes.resize(static_cast<size_t>(c.whole));
    if (!inflateBytes(bytes, static_cast<size_t>(c.stored), entry.bytes)) return std::nullopt;
  } else {
    entry.bytes.assign(bytes, bytes + c.stored);
  }
  return entry;
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

struct RenderCache::Shared {
  std::mutex mutex;
  bool holdingBack = false;
  std::vector<std::pair<CacheKey, std::vector<uint8_t>>> heldBack;
  uint64_t heldBackBytes = 0;
  uint64_t written = 0;  // bytes of the entries this render wrote, for the count of the folder's size
  std::atomic<uint64_t> temporaries{0};
};

HeldEntry::HeldEntry(HeldEntry&& other) noexcept : file_(std::exchange(other.file_, nullptr)), size_(other.size_) {}
HeldEntry& HeldEntry::operator=(HeldEntry&& other) noexcept {
  if (this != &other) {
    if (file_) std::fclose(file_);
    file_ = std::exchange(other.file_, nullptr);
    size_ = other.size_;
  }
  return *this;
}
HeldEntry::~HeldEntry() {
  if (file_) std::fclose(file_);
}

RenderCache::RenderCache(fs::path folder, uint64_t limitBytes)
    : folder_(std::move(folder)), limit_(limitBytes), shared_(std::make_unique<Shared>()) {}
RenderCache::RenderCache(RenderCache&&) noexcept = default;
RenderCache::~RenderCache() = default;

fs::path RenderCache::pathOf(const CacheKey& key) const { return folder_ / (key.name() + RenderCache::kEnding); }

std::optional<HeldEntry> RenderCache::hold(const CacheKey& key, std::string_view kind, uint64_t largest) const {
  uint64_t size = 0;
  std::FILE* f = sgsys::openRegularFile(sgsys::nameOf(pathOf(key)), size);
  if (!f) return std::nullopt;
  HeldEntry held(f, size);
  if (!checkFile(f, size, key, kind, largest)) return std::nullopt;
  return held;
}

std::optional<CacheEntry> RenderCache::read(HeldEntry& held, const CacheKey& key, std::string_view kind,
                                            uint64_t largest) const {
  if (!held.file_) return std::nullopt;
  auto c = checkFile(held.file_, held.size_, key, kind, largest);
  if (!c) return std::nullopt;
  std::error_code ec;
  fs::last_write_time(pathOf(key), fs::file_time_type::clock::now(), ec);  // used now
  return unpack(std::move(*c));
}

std::optional<CacheEntry> RenderCache::load(const CacheKey& key, std::string_view kind, uint64_t largest) const {
  auto held = hold(key, kind, largest);
  if (!held) return std::nullopt;
  return read(*held, key, kind, largest);
}

bool RenderCache::store(const CacheKey& key, std::string_view kind, const CacheEntry& entry, bool compress) const {
  std::vector<uint8_t> body(entry.facts.begin(), entry.facts.end());
  uint64_t stored = entry.bytes.size();
  if (entry.facts.size() > kLargestFacts) return false;
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
  put32(file, 0);
  file.insert(file.end(), body.begin(), body.end());
  const uint32_t sum = entryChecksum(file.data(), file.size());
  for (int i = 0; i < 4; ++i) file[kChecksumAt + static_cast<size_t>(i)] = static_cast<uint8_t>(sum >> (8 * i));
  {
    std::lock_guard lock(shared_->mutex);
    if (shared_->holdingBack && shared_->heldBackBytes + file.size() <= kHeldBackBudget) {
      shared_->heldBackBytes += file.size();
      shared_->heldBack.emplace_back(key, std::move(file));
      return true;
    }
  }
  return write(key, file);
}

bool RenderCache::write(const CacheKey& key, const std::vector<uint8_t>& file) const {
  std::error_code ec;
  fs::create_directories(folder_, ec);
  if (!writeFile(sgsys::nameOf(pathOf(key)), file.data(), file.size())) return false;
  std::lock_guard lock(shared_->mutex);
  shared_->written += file.size();
  return true;
}

bool RenderCache::writeFile(const std::string& target, const void* data, size_t size) const {
  // Written beside its place under a name of this process and write alone, and renamed into
  // place: no other file's temporary is looked for, so a write costs the same in a folder of
  // any size (trim clears what stopped renders left).
  const std::string temp =
      target + kPart + std::to_string(sgsys::processId()) + "." + std::to_string(shared_->temporaries++);
  std::error_code ec;
  fs::remove(sgsys::pathOf(temp), ec);
  std::FILE* f = sgsys::createExclusive(temp);
  if (!f) return false;
  bool ok = std::fwrite(data, 1, size, f) == size;
  ok = std::fclose(f) == 0 && ok;
  ok = ok && sgsys::replaceFile(temp, target);
  if (!ok) fs::remove(sgsys::pathOf(temp), ec);
  return ok;
}

uint64_t RenderCache::takeWritten() const {
  std::lock_guard lock(shared_->mutex);
  return std::exchange(shared_->written, 0);
}

void RenderCache::holdBackWrites() const {
  std::lock_guard lock(shared_->mutex);
  shared_->holdingBack = true;
}

void RenderCache::writeHeldBack() const {
  std::vector<std::pair<CacheKey, std::vector<uint8_t>>> waiting;
  {
    std::lock_guard lock(shared_->mutex);
    waiting.swap(shared_->heldBack);
    shared_->heldBackBytes = 0;
    shared_->holdingBack = false;
  }
  for (auto& [key, file] : waiting) {
    write(key, file);
    std::vector<uint8_t>().swap(file);
  }
}

}  // namespace sgrender
