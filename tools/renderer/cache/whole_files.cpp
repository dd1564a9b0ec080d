// Whole files (finished images) in and out of the render cache, a block at a time, so that the
// cache takes no more memory for a large image than for a small one.
#include <cstdio>
#include <filesystem>
#include <algorithm>
#include <memory>

#include "renderer/cache/entry_format.h"
#include "renderer/cache/render_cache.h"
#include "system/atomic_file.h"
#include "system/temporary_files.h"
#include "system/tool_system.h"

namespace sgrender {

namespace {

constexpr size_t kBlock = size_t(1) << 20;

struct Closer {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, Closer>;

}  // namespace

bool RenderCache::storeFile(const CacheKey& key, std::string_view kind, const std::vector<uint8_t>& facts,
                            const std::string& file, uint64_t largest) const {
  uint64_t size = 0;
  File in(sgsys::openRegularFile(file, size));
  if (!in || size > largest || facts.size() > entry::kLargestFacts) return false;
  entry::Header header;
  header.factsSize = static_cast<uint32_t>(facts.size());
  header.stored = header.whole = size;
  std::vector<uint8_t> head = entry::headerBytes(key, kind, header);
  uint32_t crc = entry::checksumMore(entry::checksumStart(head.data()), facts.data(), facts.size());
  const std::string target = sgsys::nameOf(folder() / (key.name() + kEnding));
  std::string temp;
  std::FILE* out = beginFile(target, temp, head.size() + facts.size() + size);
  if (!out) return false;
  bool ok = std::fwrite(head.data(), 1, head.size(), out) == head.size() &&
            std::fwrite(facts.data(), 1, facts.size(), out) == facts.size();
  std::vector<uint8_t> block(kBlock);
  for (uint64_t left = size; ok && left > 0;) {
    const size_t n = static_cast<size_t>(std::min<uint64_t>(left, kBlock));
    ok = std::fread(block.data(), 1, n, in.get()) == n && std::fwrite(block.data(), 1, n, out) == n;
    crc = entry::checksumMore(crc, block.data(), n);
    left -= n;
  }
  entry::setChecksum(head.data(), crc);
  ok = ok && std::fseek(out, 0, SEEK_SET) == 0 && std::fwrite(head.data(), 1, head.size(), out) == head.size();
  return endFile(out, ok, temp, target, head.size() + facts.size() + size);
}

bool RenderCache::takeFile(const CacheKey& key, std::string_view kind, uint64_t largest, const std::string& file,
                           std::vector<uint8_t>& facts) const {
  const std::filesystem::path path = folder() / (key.name() + kEnding);
  uint64_t size = 0;
  File in(sgsys::openRegularFile(sgsys::nameOf(path), size));
  std::vector<uint8_t> head(entry::kHeaderSize);
  if (!in || size < head.size() || std::fread(head.data(), 1, head.size(), in.get()) != head.size()) return false;
  const auto header = entry::readHeader(head.data(), size, key, kind, largest);
  if (!header || header->deflated) return false;
  facts.resize(header->factsSize);
  if (!facts.empty() && std::fread(facts.data(), 1, facts.size(), in.get()) != facts.size()) return false;
  uint32_t crc = entry::checksumMore(entry::checksumStart(head.data()), facts.data(), facts.size());
  std::string temp;
  File out(sgsys::createTemporary(file, ".part", temp));
  if (!out) return false;
  bool ok = true;
  std::vector<uint8_t> block(kBlock);
  for (uint64_t left = header->stored; ok && left > 0;) {
    const size_t n = static_cast<size_t>(std::min<uint64_t>(left, kBlock));
    ok = std::fread(block.data(), 1, n, in.get()) == n && std::fwrite(block.data(), 1, n, out.get()) == n;
    crc = entry::checksumMore(crc, block.data(), n);
    left -= n;
  }
  ok = std::fclose(out.release()) == 0 && ok && crc == header->checksum;
  std::error_code ec;
  if (!ok) {
    std::filesystem::remove(sgsys::pathOf(temp), ec);
    return false;
  }
  std::string error;
  if (!sgsys::placeTemporary(temp, file, error)) return false;
  std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now(), ec);  // used now
  return true;
}

}  // namespace sgrender
