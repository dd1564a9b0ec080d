#include "renderer/region_file.h"

#include <zlib.h>

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

constexpr size_t kMaxChunkBytes = 64u << 20;

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

bool RegionFile::open(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open";
    return false;
  }
  bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
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
  if (method == 3) {
    out.assign(data, data + size);
    return true;
  }
  if (method != 1 && method != 2) {
    error = "unknown compression " + std::to_string(method);
    return false;
  }
  return inflateData(data, size, out, kMaxChunkBytes, error);
}

bool inflateData(const uint8_t* data, size_t size, std::vector<uint8_t>& out, size_t limit,
                 std::string& error) {
  z_stream z{};
  if (inflateInit2(&z, 15 + 32) != Z_OK) {
    error = "cannot start decompression";
    return false;
  }
  out.resize(std::max<size_t>(size * 4, 16384));
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

}  // namespace sgrender
