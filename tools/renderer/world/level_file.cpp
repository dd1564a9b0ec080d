#include "renderer/world/level_file.h"

#include <cstdio>
#include <regex>
#include <vector>

#include "renderer/formats/nbt.h"
#include "renderer/world/chunk_bytes.h"
#include "system/tool_system.h"

namespace sgrender {

namespace {

constexpr size_t kMaxLevelFile = 16u << 20;

bool readLevelFile(const std::filesystem::path& world, NbtTag& root) {
  std::FILE* f = std::fopen(sgsys::nameOf(world / "level.dat").c_str(), "rb");
  if (!f) return false;
  std::vector<uint8_t> packed(1u << 20);
  size_t n = std::fread(packed.data(), 1, packed.size(), f);
  std::fclose(f);
  packed.resize(n);
  std::vector<uint8_t> tags;
  std::string error;
  return inflateData(packed.data(), packed.size(), tags, kMaxLevelFile, error) &&
         parseNbt(tags.data(), tags.size(), root, error);
}

// A SeaLevel field, or a generator's options that name one, anywhere below the tag.
bool findSeaLevel(const NbtTag& tag, int depth, int& level) {
  if (depth > 8) return false;
  for (const NbtField& f : tag.fields) {
    if ((f.name == "SeaLevel" || f.name == "sea_level") && (f.tag.type == kInt || f.tag.type == kShort)) {
      level = static_cast<int>(f.tag.number);
      return true;
    }
    if (f.name == "generatorOptions" && f.tag.type == kString) {
      static const std::regex seaLevel("\"seaLevel\"\\s*:\\s*(-?[0-9]{1,4})");
      std::smatch m;
      if (std::regex_search(f.tag.text, m, seaLevel)) {
        level = std::stoi(m[1].str());
        return true;
      }
    }
    if (f.tag.type == kCompound && findSeaLevel(f.tag, depth + 1, level)) return true;
  }
  return false;
}

}  // namespace

int seaLevelOf(const std::filesystem::path& world, StorageLayout layout) {
  NbtTag root;
  int level = 0;
  if (readLevelFile(world, root) && findSeaLevel(root, 0, level) && level > -2048 && level < 2048) return level;
  return layout == StorageLayout::Anvil || layout == StorageLayout::Bedrock ? 63 : 64;
}

namespace {

// A Bedrock level file: an 8-byte header, then little-endian tags, the spawn as two Int fields
// of the root compound; found by their tags' bytes (type 3, a name of 6 bytes).
std::optional<int> bedrockInt(const std::vector<uint8_t>& file, std::string_view name) {
  std::string tag("\x03\x06\x00", 3);
  tag += name;
  const std::string_view bytes(reinterpret_cast<const char*>(file.data()), file.size());
  const size_t at = bytes.find(tag, 8);
  if (at == std::string_view::npos || at + tag.size() + 4 > file.size()) return std::nullopt;
  const uint8_t* p = file.data() + at + tag.size();
  return static_cast<int>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

std::optional<std::pair<int, int>> bedrockSpawn(const std::filesystem::path& world) {
  std::FILE* f = std::fopen(sgsys::nameOf(world / "level.dat").c_str(), "rb");
  if (!f) return std::nullopt;
  std::vector<uint8_t> file(1u << 20);
  file.resize(std::fread(file.data(), 1, file.size(), f));
  std::fclose(f);
  const auto x = bedrockInt(file, "SpawnX"), z = bedrockInt(file, "SpawnZ");
  if (!x || !z) return std::nullopt;
  return std::pair(*x, *z);
}

}  // namespace

std::optional<std::pair<int, int>> spawnOf(const std::filesystem::path& world) {
  NbtTag root;
  if (!readLevelFile(world, root)) return bedrockSpawn(world);
  const NbtTag* data = root.find("Data");
  if (!data) data = &root;
  const NbtTag* x = data->find("SpawnX");
  const NbtTag* z = data->find("SpawnZ");
  if (!x || !z || x->type != kInt || z->type != kInt) return std::nullopt;
  return std::pair<int, int>(static_cast<int>(x->number), static_cast<int>(z->number));
}

}  // namespace sgrender
