#include "renderer/world/region_file.h"

#include <filesystem>

#include "renderer/world/chunk_bytes.h"
#include "system/tool_system.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

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

bool RegionFile::open(const std::string& path, std::string& error, bool tableOnly) {
  const std::filesystem::path p = sgsys::pathOf(path);
  folder_ = sgsys::nameOf(p.parent_path());
  if (auto name = parseRegionName(p.filename().string())) {
    regionX_ = name->x;
    regionZ_ = name->z;
  }
  std::ifstream in(path, std::ios::binary);
  std::error_code ec;
  const auto length = std::filesystem::file_size(p, ec);
  if (!in || ec) {
    error = "cannot open";
    return false;
  }
  // A region holds 1024 chunks of at most 255 sectors each: anything longer is not one.
  constexpr uintmax_t kMaxRegionBytes = 8192 + uintmax_t(1024) * 255 * 4096;
  if (length > kMaxRegionBytes) {
    error = "it is larger than any region file";
    return false;
  }
  bytes_.resize(tableOnly ? std::min<uintmax_t>(length, 4096) : length);
  if (!in.read(reinterpret_cast<char*>(bytes_.data()), static_cast<std::streamsize>(bytes_.size()))) {
    error = "cannot read";
    return false;
  }
  table_.fill(0);
  if (bytes_.empty()) return true;  // the game leaves empty region files behind; they hold nothing
  if (bytes_.size() < 4096) {
    error = "the chunk table is cut short (" + std::to_string(bytes_.size()) + " bytes)";
    return false;
  }
  for (size_t i = 0; i < 1024; ++i)
    table_[i] = (uint32_t(bytes_[i * 4]) << 24) | (uint32_t(bytes_[i * 4 + 1]) << 16) |
                (uint32_t(bytes_[i * 4 + 2]) << 8) | bytes_[i * 4 + 3];
  return true;
}

bool RegionFile::compressedChunk(int lx, int lz, const uint8_t*& data, size_t& size, int& method,
                                 std::string& error) const {
  uint32_t e = entry(lx, lz);
  size_t offset = size_t(e >> 8) * 4096;
  if (e == 0) {
    error = "no such chunk";
    return false;
  }
  if (offset < 8192 || offset + 5 > bytes_.size()) {
    error = "its sector lies outside the file";
    return false;
  }
  const uint8_t* p = bytes_.data() + offset;
  size_t length = (size_t(p[0]) << 24) | (size_t(p[1]) << 16) | (size_t(p[2]) << 8) | p[3];
  if (length < 1 || offset + 4 + length > bytes_.size()) {
    error = "its length runs past the file";
    return false;
  }
  method = p[4];
  data = p + 5;
  size = length - 1;
  return true;
}

bool RegionFile::chunkData(int lx, int lz, std::vector<uint8_t>& out, std::string& error) const {
  const uint8_t* data;
  size_t size;
  int method;
  if (!compressedChunk(lx, lz, data, size, method, error)) return false;
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
  return decompressChunk(method, data, size, out, error);
}

}  // namespace sgrender
