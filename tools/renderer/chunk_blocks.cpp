#include "renderer/chunk_blocks.h"

namespace sgrender {

namespace {

uint8_t nibble(const std::vector<uint8_t>& a, size_t i) {
  if (i / 2 >= a.size()) return 0;
  uint8_t b = a[i / 2];
  return (i & 1) ? (b >> 4) : (b & 15);
}

bool decodeBeta(const NbtTag& level, ChunkBlocks& c, std::string& error) {
  const NbtTag* blocks = level.find("Blocks", kByteArray);
  if (!blocks || blocks->bytes.size() != 32768) {
    error = "its block array is not 32768 bytes";
    return false;
  }
  const NbtTag* light = level.find("BlockLight", kByteArray);
  c.height = 128;
  c.ids.assign(size_t(128) * 256, 0);
  c.light.assign(size_t(128) * 256, 0);
  // Beta index: y + z * 128 + x * 2048.
  for (int x = 0; x < 16; ++x)
    for (int z = 0; z < 16; ++z)
      for (int y = 0; y < 128; ++y) {
        size_t src = size_t(y) + size_t(z) * 128 + size_t(x) * 2048;
        size_t dst = (size_t(y) * 16 + z) * 16 + x;
        c.ids[dst] = blocks->bytes[src];
        if (light) c.light[dst] = nibble(light->bytes, src);
      }
  return true;
}

bool decodeSections(const NbtTag& level, const NbtTag& sections, ChunkBlocks& c,
                    std::string& error) {
  c.height = 256;
  c.ids.assign(size_t(256) * 256, 0);
  c.light.assign(size_t(256) * 256, 0);
  for (const NbtTag& s : sections.items) {
    if (s.type != kCompound) continue;
    const NbtTag* y = s.find("Y");
    if (!y || (y->type != kByte && y->type != kInt)) continue;
    if (y->number < 0 || y->number > 15) continue;  // levels outside 0..255 are not drawn
    const NbtTag* blocks = s.find("Blocks", kByteArray);
    if (!blocks) {
      if (s.find("BlockStates") || s.find("block_states")) {
        error = "it stores blocks by name (a newer format), not by numeric id";
        return false;
      }
      continue;
    }
    if (blocks->bytes.size() != 4096) {
      error = "a section's block array is not 4096 bytes";
      return false;
    }
    const NbtTag* add = s.find("Add", kByteArray);
    const NbtTag* light = s.find("BlockLight", kByteArray);
    size_t base = size_t(y->number) * 4096;
    // Section index: y * 256 + z * 16 + x, the same order as ours.
    for (size_t i = 0; i < 4096; ++i) {
      uint16_t id = blocks->bytes[i];
      if (add) id |= uint16_t(nibble(add->bytes, i)) << 8;
      c.ids[base + i] = id;
      if (light) c.light[base + i] = nibble(light->bytes, i);
    }
  }
  (void)level;
  return true;
}

}  // namespace

bool decodeChunk(const NbtTag& root, ChunkBlocks& c, std::string& error) {
  const NbtTag* level = root.find("Level", kCompound);
  if (!level) {
    error = "it has no Level compound (a newer format, or not a chunk)";
    return false;
  }
  const NbtTag* x = level->find("xPos", kInt);
  const NbtTag* z = level->find("zPos", kInt);
  if (!x || !z) {
    error = "it has no position";
    return false;
  }
  c.chunkX = static_cast<int>(x->number);
  c.chunkZ = static_cast<int>(z->number);
  if (const NbtTag* sections = level->find("Sections", kList)) return decodeSections(*level, *sections, c, error);
  if (level->find("Sections")) {
    c.height = 256;
    c.ids.assign(size_t(256) * 256, 0);
    c.light.assign(size_t(256) * 256, 0);
    return true;  // an empty section list is an empty chunk
  }
  if (level->find("Blocks")) return decodeBeta(*level, c, error);
  error = "it holds neither sections nor a block array";
  return false;
}

}  // namespace sgrender
