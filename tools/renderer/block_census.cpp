#include "renderer/block_census.h"

#include <algorithm>

#include "renderer/blocks/block_names.h"

namespace sgrender {

void BlockCensus::count(const Chunk& c, const BlockLook& look) {
  for (const auto& n : c.unknownNameList)
    if (unknown_.size() < 100 && std::find(unknown_.begin(), unknown_.end(), n) == unknown_.end()) unknown_.push_back(n);
  for (int y = c.minY; y <= c.topY(); ++y)
    for (int z = 0; z < 16; ++z)
      for (int x = 0; x < 16; ++x) {
        uint16_t id = c.id(x, y, z);
        if (!look.drawn(id, y)) continue;
        Entry& e = entries_[{id, c.dataAt(x, y, z)}];
        ++e.count;
        if (e.examples.size() < 100) e.examples.push_back({c.chunkX * 16 + x, y, c.chunkZ * 16 + z});
      }
}

std::string BlockCensus::text() const {
  std::string out = "id:data name count: x,y,z of up to 100 of them\r\n";
  for (const auto& [key, e] : entries_) {
    const std::string_view name = blockNameFor(key.first, key.second);
    out += std::to_string(key.first) + ":" + std::to_string(key.second) + " " +
           (key.first == kUnknownBlock ? unknownText() : name.empty() ? "unnamed" : std::string(name)) + " " +
           std::to_string(e.count) + ":";
    for (const auto& p : e.examples)
      out += " " + std::to_string(p[0]) + "," + std::to_string(p[1]) + "," + std::to_string(p[2]);
    out += "\r\n";
  }
  return out;
}

std::string BlockCensus::unknownText() const {
  std::string text = "unknown";
  for (size_t i = 0; i < unknown_.size(); ++i) text += (i == 0 ? " (" : ", ") + unknown_[i];
  return unknown_.empty() ? text : text + ")";
}

}  // namespace sgrender
