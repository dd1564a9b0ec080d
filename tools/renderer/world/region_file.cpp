#include "renderer/world/region_file.h"

#include <filesystem>

#include "renderer/world/chunk_bytes.h"
#include "renderer/world/inflate_start.h"
#include "system/tool_system.h"

#include <cstdlib>
#include <fstream>

namespace sgrender {

namespace {

bool parseWhole(const std::string& s, int& out) {
  if (s.empty() || s.size() > 9) return false;
  size_t i = s[0] == '-' ? 1 : 0;
  if (i == s.size()) return false;
  for (size_t k = i; k < s.size(); ++k)
    if (s[k] < '0' || s[k] > '9') return false;
  out = std::atoi(s.c_str());
  return true;
}

}  // namespace

std::optional<RegionName> parseRegionName(const std::string& n) {
  if (n.size() < 9 || n.compare(0, 2, "r.") != 0) return std::nullopt;
  size_t dot1 = n.find('.', 2);
  if (dot1 == std::string::npos) return std::nullopt;
  size_t dot2 = n.find('.', dot1 + 1);
  if (dot2 == std::string::npos) return std::nullopt;
  RegionName r;
  r.extension = n.substr(dot2 + 1);
  if (r.extension != "mca" && r.extension != "mcr") return std::nullopt;
  if (!parseWhole(n.substr(2, dot1 - 2), r.x) || !parseWhole(n.substr(dot1 + 1, dot2 - dot1 - 1), r.z))
    return std::nullopt;
  return r;
}

RegionFile::~RegionFile() {
  if (file_) std::fclose(file_);
}

bool RegionFile::open(const std::string& path, std::string& error, bool tableOnly) {
  const std::filesystem::path p = sgsys::pathOf(path);
  folder_ = sgsys::nameOf(p.parent_path());
  if (auto name = parseRegionName(p.filename().string())) {
    regionX_ = name->x;
    regionZ_ = name->z;
  }
  if (file_) std::fclose(file_);
  table_.fill(0);
  std::error_code ec;
  length_ = std::filesystem::file_size(p, ec);
  file_ = ec || !std::filesystem::is_regular_file(p, ec) ? nullptr : std::fopen(path.c_str(), "rb");
  if (!file_) {
    error = "cannot open";
    return false;
  }
  // A region holds 1024 chunks of at most 255 sectors each: anything longer is not one.
  constexpr uint64_t kMaxRegionBytes = 8192 + uint64_t(1024) * 255 * 4096;
  if (length_ > kMaxRegionBytes) {
    error = "it is larger than any region file";
    return false;
  }
  if (length_ == 0) return true;  // the game leaves empty region files behind; they hold nothing
  if (length_ < 4096) {
    error = "the chunk table is cut short (" + std::to_string(length_) + " bytes)";
    return false;
  }
  uint8_t bytes[4096];
  if (!sgsys::readAt(file_, bytes, sizeof bytes, 0)) {
    error = "cannot read";
    return false;
  }
  for (size_t i = 0; i < 1024; ++i)
    table_[i] = (uint32_t(bytes[i * 4]) << 24) | (uint32_t(bytes[i * 4 + 1]) << 16) |
                (uint32_t(bytes[i * 4 + 2]) << 8) | bytes[i * 4 + 3];
  // The times of saving; a file cut short after its first table keeps none.
  if (length_ >= 8192 && sgsys::readAt(file_, bytes, sizeof bytes, 4096))
    for (size_t i = 0; i < 1024; ++i)
      times_[i] = (uint32_t(bytes[i * 4]) << 24) | (uint32_t(bytes[i * 4 + 1]) << 16) |
                  (uint32_t(bytes[i * 4 + 2]) << 8) | bytes[i * 4 + 3];
  if (tableOnly) {
    std::fclose(file_);
    file_ = nullptr;
  }
  return true;
}

bool RegionFile::compressedChunk(int lx, int lz, std::vector<uint8_t>& stored, int& method,
                                 std::string& error) const {
  uint32_t e = entry(lx, lz);
  const uint64_t offset = uint64_t(e >> 8) * 4096;
  if (e == 0) {
    error = "no such chunk";
    return false;
  }
  uint8_t head[5];
  if (!file_ || offset < 8192 || offset + 5 > length_ || !sgsys::readAt(file_, head, 5, offset)) {
    error = "its sector lies outside the file";
    return false;
  }
  const uint64_t length = (uint64_t(head[0]) << 24) | (uint64_t(head[1]) << 16) | (uint64_t(head[2]) << 8) | head[3];
  if (length < 1 || offset + 4 + length > length_) {
    error = "its length runs past the file";
    return false;
  }
  method = head[4];
  stored.resize(static_cast<size_t>(length - 1));
  if (!stored.empty() && !sgsys::readAt(file_, stored.data(), stored.size(), offset + 5)) {
    error = "cannot read its sectors";
    return false;
  }
  return true;
}

bool RegionFile::chunkData(int lx, int lz, std::vector<uint8_t>& out, std::string& error,
                           const ChunkGlance* glance) const {
  thread_local std::vector<uint8_t> stored;
  int method;
  if (!compressedChunk(lx, lz, stored, method, error)) return false;
  if (method & 128) {
    // The chunk was too large for the region file; it lies in a file of its own beside it.
    int cx = regionX_ * 32 + (lx & 31), cz = regionZ_ * 32 + (lz & 31);
    std::string name = "c." + std::to_string(cx) + "." + std::to_string(cz) + ".mcc";
    std::filesystem::path external = std::filesystem::path(folder_) / name;
    std::error_code ec;
    auto length = std::filesystem::file_size(external, ec);
    if (ec) {
      error = "its external file " + name + " is missing";
      return false;
    }
    if (length > kMaxChunkBytes) {
      error = "its external file " + name + " is larger than any chunk";
      return false;
    }
    std::ifstream in(external, std::ios::binary);
    std::vector<uint8_t> bytes(length);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(length))) {
      error = "cannot read its external file " + name;
      return false;
    }
    return decompressChunk(method & 127, bytes.data(), bytes.size(), out, error);
  }
  if (glance && (method == 1 || method == 2)) {
    out.resize(glance->bytes);
    out.resize(inflateStart(stored.data(), stored.size(), out.data(), out.size()));
    if (!out.empty() && glance->enough(out.data(), out.size())) return true;
  }
  return decompressChunk(method, stored.data(), stored.size(), out, error);
}

}  // namespace sgrender
