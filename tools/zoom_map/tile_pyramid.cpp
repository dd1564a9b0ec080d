#include "zoom_map/tile_pyramid.h"

#include <algorithm>
#include <cstring>
#include <atomic>
#include <thread>

#include "imaging/png_file.h"
#include "system/tool_system.h"

namespace fs = std::filesystem;

namespace sgmap {

void averageFour(const uint8_t* a, const uint8_t* b, const uint8_t* c, const uint8_t* d, uint8_t* out) {
  const uint32_t alpha = uint32_t(a[3]) + b[3] + c[3] + d[3];
  if (alpha == 4 * 255) {  // all opaque, as most of a map is: the weights are equal
    for (int k = 0; k < 3; ++k) out[k] = static_cast<uint8_t>((uint32_t(a[k]) + b[k] + c[k] + d[k] + 2) / 4);
    out[3] = 255;
    return;
  }
  out[3] = static_cast<uint8_t>((alpha + 2) / 4);
  for (int k = 0; k < 3; ++k) {
    if (alpha == 0) {
      out[k] = 0;
      continue;
    }
    const uint32_t weighted = uint32_t(a[k]) * a[3] + uint32_t(b[k]) * b[3] + uint32_t(c[k]) * c[3] + uint32_t(d[k]) * d[3];
    out[k] = static_cast<uint8_t>((weighted + alpha / 2) / alpha);
  }
}

TilePyramid::TilePyramid(fs::path folder, int width, int height) : folder_(std::move(folder)) {
  while ((int64_t(kTile) << deepest_) < std::max(width, height)) ++deepest_;
  levels_.resize(static_cast<size_t>(deepest_) + 1);
  for (int z = deepest_; z >= 0; --z) {
    Level& l = levels_[static_cast<size_t>(z)];
    const int shift = deepest_ - z;
    l.width = std::max(1, static_cast<int>((int64_t(width) + (int64_t(1) << shift) - 1) >> shift));
    l.height = std::max(1, static_cast<int>((int64_t(height) + (int64_t(1) << shift) - 1) >> shift));
    l.present.assign(size_t(tilesAcross(z)) * size_t(tilesDown(z)), false);
  }
  before_.load(folder_ / "tiles.sums");
}

int TilePyramid::tilesAcross(int z) const { return (levels_[static_cast<size_t>(z)].width + kTile - 1) / kTile; }
int TilePyramid::tilesDown(int z) const { return (levels_[static_cast<size_t>(z)].height + kTile - 1) / kTile; }

bool TilePyramid::holds(int z, int x, int y) const {
  if (z < 0 || z > deepest_ || x < 0 || y < 0 || x >= tilesAcross(z) || y >= tilesDown(z)) return false;
  return levels_[static_cast<size_t>(z)].present[size_t(y) * size_t(tilesAcross(z)) + size_t(x)];
}

bool TilePyramid::addRow(const uint8_t* rgba, std::string& error) { return push(deepest_, rgba, error); }

bool TilePyramid::push(int z, const uint8_t* row, std::string& error) {
  Level& l = levels_[static_cast<size_t>(z)];
  const size_t stride = size_t(l.width) * 4;
  l.band.insert(l.band.end(), row, row + stride);
  ++l.rowsIn;
  const bool last = l.rowsIn == l.height;
  if (l.band.size() == stride * kTile || last) {
    if (!writeBand(z, error)) return false;
    l.band.clear();
  }
  if (z == 0) return true;
  // Two rows of this level make one of the level above; a last row alone pairs with clear ones.
  if (l.pending.empty() && !last) {
    l.pending.assign(row, row + stride);
    return true;
  }
  const std::vector<uint8_t> clear(stride, 0);
  const uint8_t* top = l.pending.empty() ? row : l.pending.data();
  const uint8_t* bottom = l.pending.empty() ? clear.data() : row;
  const Level& above = levels_[static_cast<size_t>(z) - 1];
  std::vector<uint8_t> half(size_t(above.width) * 4, 0);
  const uint8_t none[4] = {0, 0, 0, 0};
  for (int x = 0; x < above.width; ++x) {
    const int left = 2 * x, right = 2 * x + 1;
    const uint8_t* tr = right < l.width ? top + size_t(right) * 4 : none;
    const uint8_t* br = right < l.width ? bottom + size_t(right) * 4 : none;
    averageFour(top + size_t(left) * 4, tr, bottom + size_t(left) * 4, br, half.data() + size_t(x) * 4);
  }
  l.pending.clear();
  return push(z - 1, half.data(), error);
}

// Tiles are many and small, and written again only where they change: the fastest compression
// makes them in half the time of the map's own, for files about an eighth larger.
constexpr int kTileLevel = 1;

// A band's tiles are cut out, hashed and compared in turn; those that changed are written side
// by side, one a thread, a few at a time, so that only a few tiles are held beyond the band.
bool TilePyramid::writeBand(int z, std::string& error) {
  Level& l = levels_[static_cast<size_t>(z)];
  const size_t stride = size_t(l.width) * 4;
  const int rows = static_cast<int>(l.band.size() / stride);
  const int tileY = (l.rowsIn - rows) / kTile;
  const size_t threads = size_t(std::max(1, sgsys::usableCores()));
  std::vector<Pending> pending;
  for (int tileX = 0; tileX * kTile < l.width; ++tileX) {
    const int columns = std::min(kTile, l.width - tileX * kTile);
    bool any = false;
    for (int y = 0; y < rows && !any; ++y) {
      const uint8_t* p = l.band.data() + size_t(y) * stride + size_t(tileX) * kTile * 4;
      for (int x = 0; x < columns && !any; ++x) any = p[size_t(x) * 4 + 3] != 0;
    }
    if (!any) continue;  // a tile there before goes in finish()
    sgimage::RgbaImage tile(kTile, kTile);
    for (int y = 0; y < rows; ++y)
      std::memcpy(tile.data() + size_t(y) * kTile * 4, l.band.data() + size_t(y) * stride + size_t(tileX) * kTile * 4,
                  size_t(columns) * 4);
    const TileKey key{z, tileX, tileY};
    const fs::path file = folder_ / "tiles" / std::to_string(z) / std::to_string(tileX) / (std::to_string(tileY) + ".png");
    TileSum sum = pixelSums(tile.data(), size_t(kTile) * kTile * 4);
    l.present[size_t(tileY) * size_t(tilesAcross(z)) + size_t(tileX)] = true;
    TileSum onDisk;
    const TileSum* kept = before_.find(key);
    if (kept && kept->hash == sum.hash && fileFacts(file, onDisk) && onDisk.size == kept->size &&
        onDisk.written == kept->written) {
      now_.put(key, *kept);
      ++unchanged_;
      continue;
    }
    pending.push_back({key, file, std::move(tile), sum, {}});
    if (pending.size() == 2 * threads && !writeTiles(pending, error)) return false;
  }
  return writeTiles(pending, error);
}

bool TilePyramid::writeTiles(std::vector<Pending>& pending, std::string& error) {
  if (pending.empty()) return true;
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i; (i = next++) < pending.size();) {
      Pending& t = pending[i];
      std::error_code made;
      fs::create_directories(t.file.parent_path(), made);
      if (sgimage::writePngAtomically(sgsys::nameOf(t.file), t.tile, t.error, 1, nullptr, false, kTileLevel)) {
        TileSum facts;
        if (fileFacts(t.file, facts)) t.sum.size = facts.size, t.sum.written = facts.written;
      } else if (t.error.empty()) {
        t.error = "cannot write " + sgsys::nameOf(t.file);
      }
    }
  };
  const size_t helpers = std::min(pending.size(), size_t(std::max(1, sgsys::usableCores()))) - 1;
  std::vector<std::thread> threads;
  for (size_t i = 0; i < helpers; ++i) threads.emplace_back(work);
  work();
  for (auto& t : threads) t.join();
  for (Pending& t : pending) {
    if (!t.error.empty()) {
      error = t.error;
      return false;
    }
    if (t.sum.size) now_.put(t.key, t.sum);
    ++written_;
  }
  pending.clear();
  return true;
}

namespace {

std::string base64(const std::vector<uint8_t>& bytes) {
  static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const uint32_t n = uint32_t(bytes[i]) << 16 | (i + 1 < bytes.size() ? uint32_t(bytes[i + 1]) << 8 : 0) |
                       (i + 2 < bytes.size() ? bytes[i + 2] : 0);
    out += digits[n >> 18 & 63];
    out += digits[n >> 12 & 63];
    out += i + 1 < bytes.size() ? digits[n >> 6 & 63] : '=';
    out += i + 2 < bytes.size() ? digits[n & 63] : '=';
  }
  return out;
}

}  // namespace

// The page asks only for the tiles listed here, so that a clear stretch of the map costs it no
// failed request: each level's tiles as bits, row after row, the first in each byte's lowest.
bool TilePyramid::writeTileList(std::string& error) const {
  std::string text = "window.strandvaleTiles = {\"deepest\": " + std::to_string(deepest_) + ", \"levels\": [";
  for (int z = 0; z <= deepest_; ++z) {
    const Level& l = levels_[static_cast<size_t>(z)];
    std::vector<uint8_t> bits((l.present.size() + 7) / 8, 0);
    for (size_t i = 0; i < l.present.size(); ++i)
      if (l.present[i]) bits[i / 8] = static_cast<uint8_t>(bits[i / 8] | 1u << (i % 8));
    text += std::string(z ? ", " : "") + "{\"across\": " + std::to_string(tilesAcross(z)) +
            ", \"down\": " + std::to_string(tilesDown(z)) + ", \"bits\": \"" + base64(bits) + "\"}";
  }
  text += "]};\n";
  return writeTextFile(folder_ / "tiles.js", text, error);
}

// Every file under tiles/ that is not a tile of this map goes (a tile now clear, one of a level
// or place the map no longer has, a temporary file a stopped run left), and so do the folders
// left empty.
void TilePyramid::sweep() {
  std::error_code ec;
  const fs::path tiles = folder_ / "tiles";
  if (!fs::is_directory(tiles, ec)) return;
  std::vector<fs::path> files, folders;
  for (auto it = fs::recursive_directory_iterator(tiles, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    if (it->is_directory(ec)) {
      folders.push_back(it->path());
      continue;
    }
    const fs::path rel = it->path().lexically_relative(tiles);
    std::vector<std::string> parts;
    for (const auto& p : rel) parts.push_back(sgsys::nameOf(p));
    bool belongs = false;
    if (parts.size() == 3 && parts[2].size() > 4 && parts[2].ends_with(".png")) {
      try {
        const int z = std::stoi(parts[0]);
        const int x = std::stoi(parts[1]);
        const int y = std::stoi(parts[2].substr(0, parts[2].size() - 4));
        belongs = holds(z, x, y) && std::to_string(z) == parts[0] && std::to_string(x) == parts[1] &&
                  std::to_string(y) + ".png" == parts[2];
      } catch (...) {
        belongs = false;
      }
    }
    if (!belongs) files.push_back(it->path());
  }
  for (const auto& f : files)
    if (fs::remove(f, ec)) ++removed_;
  std::sort(folders.begin(), folders.end(), [](const fs::path& a, const fs::path& b) {
    return a.native().size() > b.native().size();  // the deepest first
  });
  for (const auto& f : folders)
    if (fs::is_empty(f, ec)) fs::remove(f, ec);
}

bool TilePyramid::finish(std::string& error) {
  for (int z = deepest_; z >= 0; --z)
    if (levels_[static_cast<size_t>(z)].rowsIn != levels_[static_cast<size_t>(z)].height) {
      error = "the zoomable map was given " + std::to_string(levels_[static_cast<size_t>(deepest_)].rowsIn) +
              " rows of " + std::to_string(levels_[static_cast<size_t>(deepest_)].height);
      return false;
    }
  if (!now_.save(folder_ / "tiles.sums", error) || !writeTileList(error)) return false;
  sweep();
  return true;
}

}  // namespace sgmap
