// Test worlds: chunks written as tags, compressed with zlib and laid out in region files,
// in the Beta layout (one 128-level block array) or in sections of 16 levels.
#pragma once
#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tool_test_support.h"

namespace sgtest {

class TagWriter {
 public:
  std::string bytes;
  void u8(uint8_t v) { bytes += static_cast<char>(v); }
  void u16(uint16_t v) { u8(v >> 8); u8(v & 255); }
  void u32(uint32_t v) { u16(v >> 16); u16(v & 0xffff); }
  void head(uint8_t type, const std::string& name) { u8(type); u16(uint16_t(name.size())); bytes += name; }
  void intTag(const std::string& name, int32_t v) { head(3, name); u32(uint32_t(v)); }
  void byteTag(const std::string& name, int8_t v) { head(1, name); u8(uint8_t(v)); }
  void byteArray(const std::string& name, const std::vector<uint8_t>& a) {
    head(7, name);
    u32(uint32_t(a.size()));
    bytes.append(a.begin(), a.end());
  }
  void beginCompound(const std::string& name) { head(10, name); }
  void end() { u8(0); }
  void beginList(const std::string& name, uint8_t type, int count) { head(9, name); u8(type); u32(count); }
};

// Block id and block light at a column position of a chunk.
using BlockAt = std::function<int(int x, int y, int z)>;

inline void setNibble(std::vector<uint8_t>& a, size_t i, int v) {
  a[i / 2] = uint8_t((i & 1) ? (a[i / 2] & 0x0f) | (v << 4) : (a[i / 2] & 0xf0) | (v & 15));
}

inline std::string betaChunk(int cx, int cz, const BlockAt& id, const BlockAt& light = nullptr) {
  std::vector<uint8_t> blocks(32768), lights(16384), data(16384), sky(16384, 0xff), height(256);
  for (int x = 0; x < 16; ++x)
    for (int z = 0; z < 16; ++z)
      for (int y = 0; y < 128; ++y) {
        size_t i = size_t(y) + z * 128 + x * 2048;
        blocks[i] = uint8_t(id(x, y, z));
        if (light) setNibble(lights, i, light(x, y, z));
      }
  TagWriter w;
  w.beginCompound("");
  w.beginCompound("Level");
  w.intTag("xPos", cx);
  w.intTag("zPos", cz);
  w.byteArray("Blocks", blocks);
  w.byteArray("Data", data);
  w.byteArray("BlockLight", lights);
  w.byteArray("SkyLight", sky);
  w.byteArray("HeightMap", height);
  w.end();
  w.end();
  return w.bytes;
}

inline std::string sectionChunk(int cx, int cz, const BlockAt& id, const BlockAt& light = nullptr) {
  TagWriter w;
  w.beginCompound("");
  w.beginCompound("Level");
  w.intTag("xPos", cx);
  w.intTag("zPos", cz);
  std::vector<int> used;
  for (int s = 0; s < 16; ++s) {
    bool any = false;
    for (int i = 0; i < 4096 && !any; ++i) any = id(i & 15, s * 16 + (i >> 8), (i >> 4) & 15) != 0;
    if (any) used.push_back(s);
  }
  w.beginList("Sections", 10, int(used.size()));
  for (int s : used) {
    std::vector<uint8_t> blocks(4096), add(2048), lights(2048), data(2048), sky(2048, 0xff);
    bool needAdd = false;
    for (int i = 0; i < 4096; ++i) {
      int x = i & 15, z = (i >> 4) & 15, y = s * 16 + (i >> 8);
      int v = id(x, y, z);
      blocks[i] = uint8_t(v & 255);
      if (v > 255) {
        setNibble(add, i, v >> 8);
        needAdd = true;
      }
      if (light) setNibble(lights, i, light(x, y, z));
    }
    w.byteTag("Y", int8_t(s));
    w.byteArray("Blocks", blocks);
    if (needAdd) w.byteArray("Add", add);
    w.byteArray("Data", data);
    w.byteArray("BlockLight", lights);
    w.byteArray("SkyLight", sky);
    w.end();
  }
  w.end();
  w.end();
  return w.bytes;
}

inline std::string zlibCompress(const std::string& s) {
  uLongf size = compressBound(uLong(s.size()));
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(s.data()),
            uLong(s.size()), 6);
  out.resize(size);
  return out;
}

// A region file: chunk payloads by local position; each payload is stored as given
// (already compressed, or deliberately damaged) behind the length and method bytes.
class RegionWriter {
 public:
  void put(int lx, int lz, const std::string& tags) { raw(lx, lz, zlibCompress(tags), 2); }
  void raw(int lx, int lz, const std::string& payload, int method) {
    chunks_[lx + lz * 32] = {payload, method};
  }
  void write(const std::string& path) const {
    std::string header(8192, '\0'), body;
    size_t sector = 2;
    for (auto& [index, c] : chunks_) {
      std::string entry;
      uint32_t len = uint32_t(c.first.size() + 1);
      entry += char(len >> 24); entry += char(len >> 16); entry += char(len >> 8); entry += char(len);
      entry += char(c.second);
      entry += c.first;
      size_t sectors = (entry.size() + 4095) / 4096;
      entry.resize(sectors * 4096, '\0');
      header[index * 4] = char(sector >> 16);
      header[index * 4 + 1] = char(sector >> 8);
      header[index * 4 + 2] = char(sector);
      header[index * 4 + 3] = char(sectors);
      body += entry;
      sector += sectors;
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    spit(path, header + body);
  }

 private:
  std::map<int, std::pair<std::string, int>> chunks_;
};

}  // namespace sgtest
