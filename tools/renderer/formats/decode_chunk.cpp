#include "renderer/formats/decode_chunk.h"

#include <algorithm>
#include <string_view>

namespace sgrender {

namespace {

// The first data version that packs block states without running across longs (1.16).
constexpr int64_t kPackedWithinLongs = 2527;

bool finishedName(std::string_view s) {
  if (s.substr(0, 10) == "minecraft:") s.remove_prefix(10);
  return s == "full" || s == "fullchunk" || s == "postprocessed";
}

bool finishedStatus(const NbtTag* status) {
  if (!status || status->type != kString) return true;  // older chunks carry none
  return finishedName(status->text);
}

bool position(const NbtTag& holder, Chunk& c, std::string& error) {
  const NbtTag* x = holder.find("xPos", kInt);
  const NbtTag* z = holder.find("zPos", kInt);
  if (!x || !z) {
    error = "it has no position";
    return false;
  }
  c.chunkX = static_cast<int>(x->number);
  c.chunkZ = static_cast<int>(z->number);
  return true;
}

ChunkVerdict verdict(bool ok) { return ok ? ChunkVerdict::Decoded : ChunkVerdict::Damaged; }

// Since 1.14 a chunk whose light the game has worked out says so (isLightOn) and leaves out
// the block light of sections that have none: such a chunk stores its light, all dark.
void lightWorkedOut(const NbtTag& holder, Chunk& c) {
  if (const NbtTag* on = holder.find("isLightOn", kByte); on && on->number == 1) c.hasLight = true;
}

ChunkVerdict withBiomes(const NbtTag& level, Chunk& c, bool ok) {
  if (ok) {
    decodeLevelBiomes(level, c);
    lightWorkedOut(level, c);
  }
  return verdict(ok);
}

}  // namespace

namespace {

const std::string_view kStatusTag("\x08\x00\x06Status", 9);

// Tags read from a window of bytes that may stop anywhere: every step checks what is left.
struct StartReader {
  const uint8_t* p;
  const uint8_t* end;

  bool has(size_t n) const { return static_cast<size_t>(end - p) >= n; }
  bool u16(size_t& v) {
    if (!has(2)) return false;
    v = size_t(p[0]) << 8 | p[1];
    p += 2;
    return true;
  }
  bool text(std::string_view& s) {
    size_t n;
    if (!u16(n) || !has(n)) return false;
    s = std::string_view(reinterpret_cast<const char*>(p), n);
    p += n;
    return true;
  }

  // Steps over one payload; false when it runs past the window or is malformed.
  bool stepOver(uint8_t type) { return skipNbtPayload(p, end, type); }
};

}  // namespace

StatusAtStart statusAtStart(const uint8_t* tags, size_t size) {
  StartReader r{tags, tags + std::min(size, kStatusStartBytes)};
  std::string_view name;
  if (!r.has(1) || *r.p++ != kCompound || !r.text(name)) return StatusAtStart::Unknown;
  bool inLevel = false;
  while (r.has(1)) {
    const uint8_t type = *r.p++;
    if (type == kEnd || type > kLongArray || !r.text(name)) break;
    if (name == "Status") {
      std::string_view value;
      if (type != kString) return StatusAtStart::Finished;  // read as none, as the decoder does
      if (!r.text(value)) break;
      return finishedName(value) ? StatusAtStart::Finished : StatusAtStart::Unfinished;
    }
    if (name == "Level" && type == kCompound && !inLevel) {
      inLevel = true;  // its fields follow
      continue;
    }
    if (!r.stepOver(type)) break;
  }
  return StatusAtStart::Unknown;
}

bool storesStatus(const uint8_t* tags, size_t size) {
  return std::string_view(reinterpret_cast<const char*>(tags), size).find(kStatusTag) != std::string_view::npos;
}

namespace {

// One Status tag anywhere in the tags, whose value is not a finished one.
bool unfinishedAtAGlance(const uint8_t* tags, size_t size) {
  const std::string_view& tag = kStatusTag;
  const std::string_view all(reinterpret_cast<const char*>(tags), size);
  const size_t at = all.find(tag);
  if (at == std::string_view::npos || all.find(tag, at + 1) != std::string_view::npos) return false;
  const size_t value = at + tag.size();
  if (value + 2 > size) return false;
  const size_t length = size_t(tags[value]) << 8 | tags[value + 1];
  if (value + 2 + length > size) return false;
  return !finishedName(all.substr(value + 2, length));
}

}  // namespace

bool unfinishedChunk(const uint8_t* tags, size_t size) {
  const StatusAtStart start = statusAtStart(tags, size);
  return start == StatusAtStart::Unknown ? unfinishedAtAGlance(tags, size) : start == StatusAtStart::Unfinished;
}

const NbtSkip& unreadChunkFields(bool light) {
  static const NbtSkip fields = {
      "Entities",      "TileEntities",   "TileTicks",   "LiquidTicks",   "entities",      "block_entities",
      "block_ticks",   "fluid_ticks",    "Heightmaps",  "structures",    "Structures",
      "SkyLight",       "PostProcessing", "CarvingMasks", "Lights",     "ToBeTicked",
      "LiquidsToBeTicked", "UpgradeData", "blending_data", "below_zero_retrogen", "HeightMap"};
  static const NbtSkip withoutLight = [] {
    NbtSkip f = fields;
    f.insert("BlockLight");
    return f;
  }();
  return light ? fields : withoutLight;
}

ChunkVerdict decodeChunk(const NbtTag& root, Chunk& c, std::string& error, const HiddenBelow* hidden) {
  if (const NbtTag* sections = root.find("sections", kList)) {
    if (!finishedStatus(root.find("Status"))) return ChunkVerdict::Unfinished;
    position(root, c, error);  // the place in the region decides; a missing one does no harm
    if (!decodeBlockStateSections(*sections, c, error, hidden)) return ChunkVerdict::Damaged;
    decodeSectionBiomes(*sections, c);
    lightWorkedOut(root, c);
    return ChunkVerdict::Decoded;
  }
  const NbtTag* level = root.find("Level", kCompound);
  if (!level) {
    error = "it has neither a Level compound nor sections (not a chunk)";
    return ChunkVerdict::Damaged;
  }
  if (!finishedStatus(level->find("Status"))) return ChunkVerdict::Unfinished;
  position(*level, c, error);
  if (const NbtTag* sections = level->find("Sections", kList)) {
    for (const NbtTag& s : sections->items) {
      if (s.find("Palette", kList) || s.find("BlockStates", kLongArray)) {
        const NbtTag* version = root.find("DataVersion", kInt);
        bool across = !version || version->number < kPackedWithinLongs;
        return withBiomes(*level, c, decodePaletteSections(*sections, across, c, error, hidden));
      }
    }
    return withBiomes(*level, c, decodeNumericSections(*sections, c, error, hidden));
  }
  if (level->find("Sections")) {  // an empty section list: an empty chunk
    c.reset(0, 0);
    return ChunkVerdict::Decoded;
  }
  if (level->find("Blocks")) return verdict(decodeOneArray(*level, c, error));
  error = "it holds neither sections nor a block array";
  return ChunkVerdict::Damaged;
}

}  // namespace sgrender
