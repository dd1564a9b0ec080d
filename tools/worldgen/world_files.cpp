#include "worldgen/world_files.h"

#include <lz4.h>
#include <zlib.h>

#include <cstring>
#include <fstream>

#include "worldgen/nbt_writer.h"

namespace fs = std::filesystem;

namespace sgworld {

namespace {

std::vector<uint8_t> deflateWith(const std::vector<uint8_t>& data, int windowBits) {
  z_stream z{};
  deflateInit2(&z, 6, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
  std::vector<uint8_t> out(deflateBound(&z, data.size()) + 32);
  z.next_in = const_cast<Bytef*>(data.data());
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

void littleEndian(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// The game's LZ4 block stream: one compressed block and the empty end mark.
std::vector<uint8_t> lz4Blocks(const std::vector<uint8_t>& data) {
  std::vector<uint8_t> out;
  std::vector<char> packed(LZ4_compressBound(static_cast<int>(data.size())));
  int n = LZ4_compress_default(reinterpret_cast<const char*>(data.data()), packed.data(),
                               static_cast<int>(data.size()), static_cast<int>(packed.size()));
  auto block = [&](uint8_t token, const char* bytes, uint32_t packedLength, uint32_t length) {
    out.insert(out.end(), {'L', 'Z', '4', 'B', 'l', 'o', 'c', 'k'});
    out.push_back(token);
    littleEndian(out, packedLength);
    littleEndian(out, length);
    littleEndian(out, 0);  // the checksum, which readers may ignore
    out.insert(out.end(), bytes, bytes + packedLength);
  };
  block(0x20 | 6, packed.data(), static_cast<uint32_t>(n), static_cast<uint32_t>(data.size()));
  block(0x10, nullptr, 0, 0);
  return out;
}

std::string base36(int v) {
  if (v == 0) return "0";
  bool negative = v < 0;
  unsigned u = negative ? 0u - unsigned(v) : unsigned(v);
  std::string s;
  while (u) {
    int d = int(u % 36);
    s.insert(s.begin(), char(d < 10 ? '0' + d : 'a' + d - 10));
    u /= 36;
  }
  return negative ? "-" + s : s;
}

int floorDiv(int v, int d) { return v >= 0 ? v / d : -((-v + d - 1) / d); }

}  // namespace

bool compressionFromWord(const std::string& w, Compression& c) {
  if (w == "gzip") c = Compression::Gzip;
  else if (w == "zlib") c = Compression::Zlib;
  else if (w == "none") c = Compression::None;
  else if (w == "lz4") c = Compression::Lz4;
  else return false;
  return true;
}

std::vector<uint8_t> compress(const std::vector<uint8_t>& data, Compression c) {
  switch (c) {
    case Compression::Gzip: return deflateWith(data, 31);
    case Compression::Zlib: return deflateWith(data, 15);
    case Compression::None: return data;
    case Compression::Lz4: return lz4Blocks(data);
  }
  return data;
}

bool writeBytes(const fs::path& file, const std::vector<uint8_t>& bytes) {
  std::error_code ec;
  if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

void RegionWriter::put(int lx, int lz, std::vector<uint8_t> stored, int method) {
  chunks_[{lx & 31, lz & 31}] = {method, std::move(stored)};
}

bool RegionWriter::write(const fs::path& folder, int rx, int rz, const std::string& extension) const {
  std::vector<uint8_t> file(8192, 0);
  for (const auto& [at, chunk] : chunks_) {
    const auto& [method, bytes] = chunk;
    std::vector<uint8_t> payload;
    if (method & 128) {
      int cx = rx * 32 + at.first, cz = rz * 32 + at.second;
      if (!writeBytes(folder / ("c." + std::to_string(cx) + "." + std::to_string(cz) + ".mcc"), bytes)) return false;
    } else {
      payload = bytes;
    }
    uint32_t length = static_cast<uint32_t>(payload.size() + 1);
    size_t sector = file.size() / 4096;
    size_t sectors = (payload.size() + 5 + 4095) / 4096;
    for (int i = 3; i >= 0; --i) file.push_back(static_cast<uint8_t>(length >> (8 * i)));
    file.push_back(static_cast<uint8_t>(method));
    file.insert(file.end(), payload.begin(), payload.end());
    file.resize((sector + sectors) * 4096, 0);
    size_t entry = size_t(at.first + at.second * 32) * 4;
    file[entry] = static_cast<uint8_t>(sector >> 16);
    file[entry + 1] = static_cast<uint8_t>(sector >> 8);
    file[entry + 2] = static_cast<uint8_t>(sector);
    file[entry + 3] = static_cast<uint8_t>(std::min<size_t>(sectors, 255));
    for (int i = 0; i < 4; ++i) file[4096 + entry + size_t(i)] = static_cast<uint8_t>(savedAt >> (8 * (3 - i)));
  }
  return writeBytes(folder / ("r." + std::to_string(rx) + "." + std::to_string(rz) + "." + extension), file);
}

WorldFiles::WorldFiles(fs::path folder, Layout layout, Compression compression, bool external)
    : folder_(std::move(folder)), layout_(layout), compression_(compression), external_(external) {}

void WorldFiles::add(int cx, int cz, const std::vector<uint8_t>& tags) {
  if (layout_ == Layout::Alpha) {
    fs::path file = folder_ / base36(((cx % 64) + 64) % 64) / base36(((cz % 64) + 64) % 64) /
                    ("c." + base36(cx) + "." + base36(cz) + ".dat");
    ok_ = writeBytes(file, compress(tags, Compression::Gzip)) && ok_;
    return;
  }
  int method = static_cast<int>(compression_) | (external_ ? 128 : 0);
  regions_[{floorDiv(cx, 32), floorDiv(cz, 32)}].put(cx, cz, compress(tags, compression_), method);
}

bool WorldFiles::finish() {
  const std::string extension = layout_ == Layout::Beta ? "mcr" : "mca";
  for (const auto& [at, region] : regions_)
    ok_ = region.write(folder_ / "region", at.first, at.second, extension) && ok_;
  return ok_;
}

bool writeLevelFile(const fs::path& world, const std::string& levelName, Layout layout) {
  NbtWriter w;
  w.beginCompound("Data");
  w.stringTag("LevelName", levelName);
  w.intTag("SpawnX", 0);
  w.intTag("SpawnY", 80);
  w.intTag("SpawnZ", 0);
  w.longTag("LastPlayed", 1700000000000LL);
  w.intTag("version", layout == Layout::Alpha || layout == Layout::Beta ? 0 : 19133);
  if (layout == Layout::BlockStates) w.intTag("DataVersion", 3953);
  w.endCompound();
  return writeBytes(world / "level.dat", compress(w.finish(), Compression::Gzip));
}

}  // namespace sgworld
