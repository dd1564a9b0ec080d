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

#include "renderer/cache/entry_format.h"
#include "system/tool_system.h"

namespace fs = std::filesystem;

namespace sgrender {

namespace {

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
// An entry's file, read whole from an open file and checked: its header's claims, and then its
// checksum. Nothing past the header is read before its claims are checked.
struct Checked {
  std::vector<uint8_t> file;
  entry::Header header;
};

std::optional<Checked> checkFile(std::FILE* f, uint64_t size, const CacheKey& key, std::string_view kind,
                                 uint64_t largest) {
  Checked c;
  c.file.resize(entry::kHeaderSize);
  if (size < entry::kHeaderSize || !sgsys::readAt(f, c.file.data(), entry::kHeaderSize, 0)) return std::nullopt;
  auto header = entry::readHeader(c.file.data(), size, key, kind, largest);
  if (!header) return std::nullopt;
  c.header = *header;
  c.file.resize(static_cast<size_t>(size));
  const size_t rest = c.file.size() - entry::kHeaderSize;
  if (rest > 0 && !sgsys::readAt(f, c.file.data() + entry::kHeaderSize, rest, entry::kHeaderSize)) return std::nullopt;
  if (entry::checksumMore(entry::checksumStart(c.file.data()), c.file.data() + entry::kHeaderSize, rest) !=
      c.header.checksum)
    return std::nullopt;
  return c;
}

std::optional<CacheEntry> unpack(Checked&& c) {
  CacheEntry out;
  const uint8_t* facts = c.file.data() + entry::kHeaderSize;
  out.facts.assign(facts, facts + c.header.factsSize);
  const uint8_t* bytes = facts + c.header.factsSize;
  if (c.header.deflated) {
    out.bytes.resize(static_cast<size_t>(c.header.whole));
    if (!inflateBytes(bytes, static_cast<size_t>(c.header.stored), out.bytes)) return std::nullopt;
  } else {
    out.bytes.assign(bytes, bytes + c.header.stored);
  }
  return out;
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
  uint64_t roomFor = 0;  // what keepRoomFor asked for
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

bool RenderCache::store(const CacheKey& key, std::string_view kind, const CacheEntry& content, bool compress) const {
  if (content.facts.size() > entry::kLargestFacts) return false;
  // The file is made in one buffer: the header, the facts, then the bytes as they are kept.
  entry::Header header;
  header.factsSize = static_cast<uint32_t>(content.facts.size());
  header.whole = content.bytes.size();
  header.deflated = compress;
  std::vector<uint8_t> file = entry::headerBytes(key, kind, header);
  file.insert(file.end(), content.facts.begin(), content.facts.end());
  if (compress) {
    if (!deflateBytes(content.bytes, file, file.size())) return false;
  } else {
    file.insert(file.end(), content.bytes.begin(), content.bytes.end());
  }
  header.stored = file.size() - entry::kHeaderSize - content.facts.size();
  std::vector<uint8_t> withLengths = entry::headerBytes(key, kind, header);
  std::copy(withLengths.begin(), withLengths.end(), file.begin());
  entry::setChecksum(file.data(), entry::checksumMore(entry::checksumStart(file.data()), file.data() + entry::kHeaderSize,
                                                      file.size() - entry::kHeaderSize));
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
  return writeFile(sgsys::nameOf(pathOf(key)), file.data(), file.size());
}

bool RenderCache::writeFile(const std::string& target, const void* data, size_t size, bool counted) const {
  std::string temp;
  std::FILE* f = beginFile(target, temp, size);
  return f && endFile(f, std::fwrite(data, 1, size, f) == size, temp, target, counted ? size : 0);
}

void RenderCache::keepRoomFor(uint64_t bytes) const {
  std::lock_guard lock(shared_->mutex);
  shared_->roomFor = std::max(shared_->roomFor, bytes);
}

std::FILE* RenderCache::beginFile(const std::string& target, std::string& temp, uint64_t size) const {
  std::error_code ec;
  fs::create_directories(folder_, ec);
  // A nearly full disk keeps its room for images: the entry is not written.
  const fs::space_info space = fs::space(folder_, ec);
  uint64_t room;
  {
    std::lock_guard lock(shared_->mutex);
    room = std::max(kRoomToKeep, shared_->roomFor);
  }
  if (ec || space.available < size + room) return nullptr;
  // Written beside its place under a name of this process and write alone, and renamed into
  // place: no other file's temporary is looked for, so a write costs the same in a folder of
  // any size (trim clears what stopped renders left).
  temp = target + kPart + std::to_string(sgsys::processId()) + "." + std::to_string(shared_->temporaries++);
  fs::remove(sgsys::pathOf(temp), ec);
  return sgsys::createExclusive(temp);
}

bool RenderCache::endFile(std::FILE* f, bool written, const std::string& temp, const std::string& target,
                          uint64_t size) const {
  bool ok = std::fclose(f) == 0 && written;
  ok = ok && sgsys::replaceFile(temp, target);
  std::error_code ec;
  if (!ok) {
    fs::remove(sgsys::pathOf(temp), ec);
    return false;
  }
  std::lock_guard lock(shared_->mutex);
  shared_->written += size;
  return true;
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
