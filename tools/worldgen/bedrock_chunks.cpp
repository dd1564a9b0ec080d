#include "worldgen/bedrock_chunks.h"

#include <algorithm>
#include <fstream>
#include <map>

#include "renderer/blocks/bedrock_names.h"
#include "renderer/blocks/biomes.h"
#include "renderer/formats/decode_bedrock.h"

namespace sgworld {

namespace {

void putLe16(std::string& s, uint16_t v) {
  s += static_cast<char>(v & 0xff);
  s += static_cast<char>(v >> 8);
}
void putLe32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xff);
}
void putName(std::string& s, const std::string& n) {
  putLe16(s, static_cast<uint16_t>(n.size()));
  s += n;
}

// The Bedrock name and states that convert to a Java name.
struct BedrockBlock {
  std::string name;
  std::vector<std::pair<std::string, std::string>> states;
};
BedrockBlock bedrockNameOf(const std::string& java, bool withStates) {
  const sgrender::BedrockName* plain = nullptr;
  const sgrender::BedrockName* stated = nullptr;
  for (size_t i = 0; i < sgrender::kBedrockNameCount; ++i) {
    const auto& b = sgrender::kBedrockNames[i];
    if (java != b.java) continue;
    if (!*b.state && !plain) plain = &b;
    if (*b.state && !stated) stated = &b;
  }
  const sgrender::BedrockName* chosen = withStates && stated ? stated : plain ? plain : stated;
  if (!chosen) return {java, {}};
  BedrockBlock out{chosen->name, {}};
  // The deciding states ('|'-joined) and their values.
  std::string keys = chosen->state, values = chosen->value;
  while (!keys.empty()) {
    const size_t kb = keys.find('|'), vb = values.find('|');
    out.states.emplace_back(keys.substr(0, kb), values.substr(0, vb));
    keys = kb == std::string::npos ? "" : keys.substr(kb + 1);
    values = vb == std::string::npos ? "" : values.substr(vb + 1);
  }
  return out;
}

// A palette entry: a compound of name, states and version, in little-endian tags.
std::string paletteEntry(const BedrockBlock& b) {
  std::string s;
  s += '\x0a';
  putName(s, "");
  s += '\x08';
  putName(s, "name");
  putName(s, "minecraft:" + b.name);
  s += '\x0a';
  putName(s, "states");
  for (const auto& [key, value] : b.states) {
    const bool number = !value.empty() && value.find_first_not_of("-0123456789") == std::string::npos;
    if (number && key.size() > 4 && key.compare(key.size() - 4, 4, "_bit") == 0) {
      s += '\x01';
      putName(s, key);
      s += static_cast<char>(std::stoi(value));
    } else if (number) {
      s += '\x03';
      putName(s, key);
      putLe32(s, static_cast<uint32_t>(std::stoi(value)));
    } else {
      s += '\x08';
      putName(s, key);
      putName(s, value);
    }
  }
  s += '\x00';
  s += '\x03';
  putName(s, "version");
  putLe32(s, 18100737);
  s += '\x00';
  return s;
}

int bedrockBits(size_t paletteSize) {
  for (int bits : {1, 2, 3, 4, 5, 6, 8, 16})
    if ((size_t(1) << bits) >= paletteSize) return bits;
  return 16;
}

// One storage layer: header, packed indexes, palette (given as whatever `entry` writes).
template <class Entry>
void appendLayer(std::string& s, const std::vector<uint32_t>& indexes, size_t paletteSize, int bits, Entry&& entry,
                 bool countWithoutBits = true) {
  s += static_cast<char>(bits << 1);
  if (bits > 0) {
    const int perWord = 32 / bits;
    const size_t words = (4096 + size_t(perWord) - 1) / size_t(perWord);
    for (size_t w = 0; w < words; ++w) {
      uint32_t word = 0;
      for (int k = 0; k < perWord; ++k) {
        const size_t i = w * size_t(perWord) + size_t(k);
        if (i < indexes.size()) word |= indexes[i] << (k * bits);
      }
      putLe32(s, word);
    }
  }
  if (bits > 0 || countWithoutBits) putLe32(s, static_cast<uint32_t>(paletteSize));
  for (size_t k = 0; k < paletteSize; ++k) entry(s, k);
}

std::string blockLayer(const std::vector<std::string>& blocks, int bits, bool withStates) {
  std::vector<std::string> palette;
  std::vector<uint32_t> indexes;
  for (const auto& b : blocks) {
    auto it = std::find(palette.begin(), palette.end(), b);
    if (it == palette.end()) it = palette.insert(palette.end(), b);
    indexes.push_back(static_cast<uint32_t>(it - palette.begin()));
  }
  if (bits < 0) bits = palette.size() == 1 ? 0 : bedrockBits(palette.size());
  std::string s;
  appendLayer(s, indexes, palette.size(), bits,
              [&](std::string& out, size_t k) { out += paletteEntry(bedrockNameOf(palette[k], withStates)); });
  return s;
}

int bedrockBiomeNumber(const std::string& java) {
  for (size_t i = 0; i < sgrender::kBedrockBiomeCount; ++i)
    if (java == sgrender::kBedrockBiomes[i].java) return sgrender::kBedrockBiomes[i].number;
  const uint16_t b = sgrender::biomeByName(java);
  return b == sgrender::kNoBiome ? 1 : sgrender::kBiomes[b].number;
}

}  // namespace

std::string bedrockKey(int x, int z, int dimension, uint8_t tag) {
  std::string k;
  putLe32(k, static_cast<uint32_t>(x));
  putLe32(k, static_cast<uint32_t>(z));
  if (dimension != 0) putLe32(k, static_cast<uint32_t>(dimension));
  k += static_cast<char>(tag);
  return k;
}

std::string encodeSubChunk(const std::vector<std::string>& blocks, int level, int version, int bits,
                           const std::vector<std::string>& water, bool withStates) {
  std::string s;
  s += static_cast<char>(version);
  if (version != 1) {
    s += static_cast<char>(water.empty() ? 1 : 2);
    if (version == 9) s += static_cast<char>(static_cast<int8_t>(level));
  }
  s += blockLayer(blocks, bits, withStates);
  if (!water.empty() && version != 1) s += blockLayer(water, -1, withStates);
  return s;
}

std::vector<DbWrite> bedrockChunkRecords(const ChunkColumn& c, const BedrockOptions& o) {
  std::vector<DbWrite> out;
  out.push_back({bedrockKey(c.x, c.z, o.dimension, sgrender::kVersionNew), std::string(1, '\x28')});
  const int first = c.minY >= 0 ? c.minY / 16 : -((-c.minY + 15) / 16);
  for (int level = first; level * 16 < c.minY + c.height; ++level) {
    std::vector<std::string> blocks(4096, "air");
    bool any = false;
    for (int x = 0; x < 16; ++x)
      for (int z = 0; z < 16; ++z)
        for (int y = 0; y < 16; ++y) {
          const uint16_t b = c.at(x, level * 16 + y, z);
          if (b == 0) continue;
          blocks[size_t((x * 16 + z) * 16 + y)] = c.names[b];
          any = true;
        }
    if (!any) continue;
    std::string key = bedrockKey(c.x, c.z, o.dimension, sgrender::kSubChunk);
    key += static_cast<char>(static_cast<int8_t>(level));
    out.push_back({key, encodeSubChunk(blocks, level, o.subChunkVersion, -1, {}, o.namesWithStates)});
  }
  if (!c.biomes.empty()) {
    std::string value(512, '\0');
    if (o.columnBiomes) {
      for (int x = 0; x < 16; ++x)
        for (int z = 0; z < 16; ++z)
          value += static_cast<char>(bedrockBiomeNumber(c.biomeNames[c.biomes[size_t(z * 16 + x)]]));
      out.push_back({bedrockKey(c.x, c.z, o.dimension, sgrender::kData2D), value});
    } else {
      // The biomes a sub-chunk from the world's bottom, the same at every level of a column.
      std::vector<uint32_t> numbers;
      std::vector<uint32_t> indexes(4096);
      for (int x = 0; x < 16; ++x)
        for (int z = 0; z < 16; ++z) {
          const uint32_t n = static_cast<uint32_t>(bedrockBiomeNumber(c.biomeNames[c.biomes[size_t(z * 16 + x)]]));
          auto it = std::find(numbers.begin(), numbers.end(), n);
          if (it == numbers.end()) it = numbers.insert(numbers.end(), n);
          for (int y = 0; y < 16; ++y) indexes[size_t((x * 16 + z) * 16 + y)] = static_cast<uint32_t>(it - numbers.begin());
        }
      const int bits = numbers.size() == 1 ? 0 : bedrockBits(numbers.size());
      const int subChunks = o.dimension == 1 ? 8 : o.dimension == 2 ? 16 : 24;
      for (int s = 0; s < subChunks; ++s) {
        if (s > 0) {
          value += '\xff';  // as the one below
          continue;
        }
        appendLayer(value, indexes, numbers.size(), bits, [&](std::string& v, size_t k) { putLe32(v, numbers[k]); },
                    false);
      }
      out.push_back({bedrockKey(c.x, c.z, o.dimension, sgrender::kData3D), value});
    }
  }
  std::string finalized;
  putLe32(finalized, 2);
  out.push_back({bedrockKey(c.x, c.z, o.dimension, sgrender::kFinalizedState), finalized});
  return out;
}

bool writeBedrockLevelFiles(const std::filesystem::path& world, const std::string& name) {
  std::string tags;
  tags += '\x0a';
  putName(tags, "");
  tags += '\x08';
  putName(tags, "LevelName");
  putName(tags, name);
  for (const char* key : {"SpawnX", "SpawnY", "SpawnZ", "StorageVersion"}) {
    tags += '\x03';
    putName(tags, key);
    putLe32(tags, std::string(key) == "SpawnY" ? 80 : std::string(key) == "StorageVersion" ? 10 : 0);
  }
  tags += '\x00';
  std::string file;
  putLe32(file, 10);
  putLe32(file, static_cast<uint32_t>(tags.size()));
  file += tags;
  std::ofstream level(world / "level.dat", std::ios::binary);
  std::ofstream levelName(world / "levelname.txt", std::ios::binary);
  return level.write(file.data(), static_cast<std::streamsize>(file.size())) && levelName << name;
}

}  // namespace sgworld
