// A chunk's generation status is read from its first bytes where the game puts it there: those
// bytes are inflated alone, and read as tags only as far as they go.
#include <gtest/gtest.h>

#include <zlib.h>

#include <random>
#include <string>
#include <vector>

#include "renderer/formats/decode_chunk.h"
#include "renderer/world/inflate_start.h"
#include "worldgen/chunk_encoders.h"
#include "worldgen/nbt_writer.h"

using sgrender::inflateStart;
using sgrender::statusAtStart;
using sgrender::StatusAtStart;

namespace {

// zlib's own deflate, with the wrapper (15: zlib, 31: gzip), level and strategy given.
std::vector<uint8_t> deflated(const std::vector<uint8_t>& data, int windowBits, int level, int strategy) {
  z_stream z{};
  EXPECT_EQ(deflateInit2(&z, level, Z_DEFLATED, windowBits, 8, strategy), Z_OK);
  std::vector<uint8_t> out(deflateBound(&z, static_cast<uLong>(data.size())) + 64);
  z.next_in = const_cast<Bytef*>(data.data());
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

std::vector<uint8_t> start(const std::vector<uint8_t>& packed, size_t want) {
  std::vector<uint8_t> out(want);
  out.resize(inflateStart(packed.data(), packed.size(), out.data(), want));
  return out;
}

// Tags like a chunk's, then bytes of every kind: runs, text and noise.
std::vector<uint8_t> mixedData() {
  sgworld::ChunkColumn c(3, -2, -64, 384);
  const uint16_t stone = c.name("stone"), dirt = c.name("dirt");
  for (int x = 0; x < 16; ++x)
    for (int z = 0; z < 16; ++z)
      for (int y = -64; y < 60 + (x * z) % 7; ++y) c.set(x, y, z, (x + y) % 5 ? stone : dirt);
  std::vector<uint8_t> data = sgworld::encodeChunk(c, sgworld::Layout::BlockStates);
  std::mt19937 random(7);
  for (int i = 0; i < 70000; ++i) data.push_back(static_cast<uint8_t>(i % 3000 < 1500 ? random() : "palette"[i % 7]));
  return data;
}

std::vector<uint8_t> tags(void (*write)(sgworld::NbtWriter&)) {
  sgworld::NbtWriter w;
  write(w);
  return w.finish();
}

}  // namespace

TEST(InflateStart, GivesTheFirstBytesOfTheWholeFromEveryKindOfBlock) {
  const std::vector<uint8_t> data = mixedData();
  for (int wrapper : {15, 31})
    for (int level : {0, 1, 6, 9})
      for (int strategy : {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED}) {
        SCOPED_TRACE(std::to_string(wrapper) + " " + std::to_string(level) + " " + std::to_string(strategy));
        const std::vector<uint8_t> packed = deflated(data, wrapper, level, strategy);
        for (size_t want : {size_t(1), size_t(37), size_t(128), size_t(70001), data.size() + 10}) {
          const size_t n = std::min(want, data.size());
          EXPECT_EQ(start(packed, want), std::vector<uint8_t>(data.begin(), data.begin() + n)) << want;
        }
      }
  // A gzip header may carry extra bytes, a file name, a comment and its own check.
  std::vector<uint8_t> gzip = deflated(data, -15, 6, Z_DEFAULT_STRATEGY);
  const std::vector<uint8_t> header = {0x1f, 0x8b, 8, 4 | 8 | 16 | 2, 0, 0, 0, 0, 0, 3, 3, 0, 'a', 'b', 'c',
                                       'r', '.', 'd', 'a', 't', 0, 'h', 'i', 0, 0x12, 0x34};
  gzip.insert(gzip.begin(), header.begin(), header.end());
  EXPECT_EQ(start(gzip, 100), std::vector<uint8_t>(data.begin(), data.begin() + 100));
}

TEST(InflateStart, DamagedOrForeignDataGiveNothingRatherThanOtherBytes) {
  const std::vector<uint8_t> data = mixedData();
  const std::vector<uint8_t> packed = deflated(data, 15, 6, Z_DEFAULT_STRATEGY);
  // Cut short: either nothing or the true first bytes, however early the cut.
  for (size_t cut = 0; cut < 400; cut += 7) {
    const std::vector<uint8_t> part(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(cut));
    const std::vector<uint8_t> got = start(part, 128);
    if (!got.empty()) {
      EXPECT_EQ(got, std::vector<uint8_t>(data.begin(), data.begin() + 128)) << cut;
    }
  }
  EXPECT_TRUE(start({}, 128).empty());
  EXPECT_TRUE(start({0x78}, 128).empty());
  EXPECT_TRUE(start({0x78, 0x9c, 0xff, 0xff, 0xff}, 128).empty());  // a block of the reserved type
  std::vector<uint8_t> noHeader = packed;
  noHeader[0] = 0x79;  // not a zlib header's check
  EXPECT_TRUE(start(noHeader, 128).empty());
  // Noise after a valid header never gives more than was asked for.
  std::mt19937 random(11);
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> noise = {0x78, 0x9c};
    for (int i = 0; i < 64; ++i) noise.push_back(static_cast<uint8_t>(random()));
    EXPECT_LE(start(noise, 40).size(), 40u);
  }
}

TEST(StatusAtStart, TellsTheStatusOnlyFromFieldsItCanStepOverWithinItsBytes) {
  // Since 1.18: Status among the first fields of the root.
  auto modern = [](const char* status) {
    sgworld::NbtWriter w;
    w.intTag("DataVersion", 3953);
    w.longArray("Heights", {1, 2, 3});
    w.stringList("Words", {"a", "b"});
    w.stringTag("Status", status);
    w.beginCompoundList("sections", 1);
    w.endCompound();
    return w.finish();
  };
  auto at = [](const std::vector<uint8_t>& t) { return statusAtStart(t.data(), t.size()); };
  EXPECT_EQ(at(modern("minecraft:full")), StatusAtStart::Finished);
  EXPECT_EQ(at(modern("full")), StatusAtStart::Finished);
  EXPECT_EQ(at(modern("minecraft:noise")), StatusAtStart::Unfinished);
  EXPECT_EQ(at(modern("minecraft:empty")), StatusAtStart::Unfinished);
  // 1.13 to 1.17: inside Level.
  EXPECT_EQ(at(tags([](sgworld::NbtWriter& w) {
              w.intTag("DataVersion", 1976);
              w.beginCompound("Level");
              w.intTag("xPos", 1);
              w.beginCompound("Nested");
              w.byteTag("b", 1);
              w.endCompound();
              w.stringTag("Status", "carved");
              w.endCompound();
            })),
            StatusAtStart::Unfinished);
  // A Status that is not text is read as none: finished, as the decoder has it.
  EXPECT_EQ(at(tags([](sgworld::NbtWriter& w) { w.intTag("Status", 4); })), StatusAtStart::Finished);
  // Only the root's and Level's fields count, not a Status nested elsewhere.
  EXPECT_EQ(at(tags([](sgworld::NbtWriter& w) {
              w.beginCompound("Other");
              w.stringTag("Status", "noise");
              w.endCompound();
            })),
            StatusAtStart::Unknown);
  // Older chunks store none; a field too large for the bytes looked at hides what follows.
  EXPECT_EQ(at(tags([](sgworld::NbtWriter& w) {
              w.beginCompound("Level");
              w.byteTag("TerrainPopulated", 1);
              w.endCompound();
            })),
            StatusAtStart::Unknown);
  EXPECT_EQ(at(tags([](sgworld::NbtWriter& w) {
              w.longArray("Big", std::vector<int64_t>(sgrender::kStatusStartBytes / 8));
              w.stringTag("Status", "noise");
            })),
            StatusAtStart::Unknown);
  // Cut anywhere, the bytes say nothing rather than something wrong.
  const std::vector<uint8_t> whole = modern("minecraft:noise");
  for (size_t n = 0; n < whole.size(); ++n) {
    const StatusAtStart s = statusAtStart(whole.data(), n);
    EXPECT_NE(s, StatusAtStart::Finished) << n;
  }
  EXPECT_EQ(statusAtStart(whole.data(), 0), StatusAtStart::Unknown);
}
