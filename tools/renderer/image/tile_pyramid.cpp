#include "renderer/image/tile_pyramid.h"

#include <algorithm>
#include <cstring>

#include "imaging/png_file.h"
#include "system/tool_system.h"

namespace fs = std::filesystem;

namespace sgrender {

void averageFour(const uint8_t* a, const uint8_t* b, const uint8_t* c, const uint8_t* d, uint8_t* out) {
  const uint32_t alpha = uint32_t(a[3]) + b[3] + c[3] + d[3];
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
  }
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

bool TilePyramid::writeBand(int z, std::string& error) {
  const Level& l = levels_[static_cast<size_t>(z)];
  const size_t stride = size_t(l.width) * 4;
  const int rows = static_cast<int>(l.band.size() / stride);
  const int tileY = (l.rowsIn - rows) / kTile;
  for (int tileX = 0; tileX * kTile < l.width; ++tileX) {
    sgimage::RgbaImage tile(kTile, kTile);
    bool any = false;
    const int columns = std::min(kTile, l.width - tileX * kTile);
    for (int y = 0; y < rows; ++y) {
      const uint8_t* p = l.band.data() + size_t(y) * stride + size_t(tileX) * kTile * 4;
      for (int x = 0; x < columns; ++x, p += 4) {
        if (p[3] == 0) continue;
        tile.set(x, y, {p[0], p[1], p[2], p[3]});
        any = true;
      }
    }
    const fs::path file = folder_ / "tiles" / std::to_string(z) / std::to_string(tileX) / (std::to_string(tileY) + ".png");
    std::error_code ec;
    if (!any) {
      fs::remove(file, ec);
      continue;
    }
    sgimage::RgbaImage old;
    std::string ignored;
    if (fs::exists(file, ec) && sgimage::readPng(sgsys::nameOf(file), old, ignored) && old.width() == kTile &&
        old.height() == kTile) {
      bool same = true;
      for (int y = 0; same && y < kTile; ++y)
        for (int x = 0; same && x < kTile; ++x) same = old.at(x, y) == tile.at(x, y);
      if (same) {
        ++unchanged_;
        continue;
      }
    }
    fs::create_directories(file.parent_path(), ec);
    if (!sgimage::writePngAtomically(sgsys::nameOf(file), tile, error)) return false;
    ++written_;
  }
  return true;
}

}  // namespace sgrender
