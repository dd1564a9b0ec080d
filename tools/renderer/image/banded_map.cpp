#include "renderer/image/banded_map.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>

#include "renderer/image/map_finishing.h"

namespace sgrender {

BandedMap::BandedMap(const View& view, const ViewExtent& extent, const Finishing& r, int width, int height)
    : view_(view), extent_(extent), finishing_(r), width_(width), height_(height) {
  outWidth_ = std::max(1, static_cast<int>(std::lround(width * r.zoom)));
  outHeight_ = std::max(1, static_cast<int>(std::lround(height * r.zoom)));
  mirror_ = mirrorsMap(r);
}

std::vector<MapBand> BandedMap::plan(const std::vector<ChunkGroup>& groups) const {
  // Each region covers 512 rows of the view; regions whose rows start alike form one band.
  std::map<int, MapBand> bands;
  for (const auto& g : groups) {
    if (g.chunks.empty()) continue;
    int top = INT_MAX;
    for (int dx : {0, 511})
      for (int dz : {0, 511}) top = std::min(top, view_.toView(g.regionX * 512 + dx, g.regionZ * 512 + dz).second);
    MapBand& b = bands[top];
    b.firstRow = std::max(0, top - extent_.minV);
    b.rows = std::min(height_, top - extent_.minV + 512) - b.firstRow;
    b.groups.push_back(&g);
  }
  std::vector<MapBand> out;
  for (auto& [top, b] : bands)
    if (b.rows > 0) out.push_back(std::move(b));
  if (finishing_.flip) std::reverse(out.begin(), out.end());
  return out;
}

bool BandedMap::open(const std::string& file, std::string& error) {
  row_.assign(static_cast<size_t>(outWidth_) * 4, 0);
  written_ = 0;
  return out_.open(file, outWidth_, outHeight_, error);
}

bool BandedMap::emit(const uint8_t* row, std::string& error) {
  ++written_;
  return out_.write(row, error);
}

bool BandedMap::write(const MapCanvas& band, const MapBand& where, std::string& error) {
  const double zoom = finishing_.zoom;
  const sgimage::RgbaImage& im = const_cast<MapCanvas&>(band).image();
  // The output rows whose source row lies in map rows [from, to), in writing order.
  auto outputRow = [&](int mapRow) { return static_cast<int>(std::lround(mapRow * zoom)); };
  const int from = where.firstRow, to = where.firstRow + where.rows;
  // Rows of bands with no regions, between the last one written and this one, are clear.
  const int firstOut = finishing_.flip ? outHeight_ - outputRow(to) : outputRow(from);
  const int lastOut = finishing_.flip ? outHeight_ - outputRow(from) : outputRow(to);
  std::vector<uint8_t> clear(row_.size(), 0);
  while (written_ < firstOut)
    if (!emit(clear.data(), error)) return false;
  for (int o = std::max(firstOut, written_); o < lastOut && o < outHeight_; ++o) {
    const int unflipped = finishing_.flip ? outHeight_ - 1 - o : o;
    int mapRow = static_cast<int>(unflipped / zoom);
    mapRow = std::clamp(mapRow, from, to - 1);
    const uint8_t* src = im.data() + static_cast<size_t>(mapRow - from) * width_ * 4;
    for (int x = 0; x < outWidth_; ++x) {
      int sx = std::min(width_ - 1, static_cast<int>(x / zoom));
      if (mirror_) sx = width_ - 1 - sx;
      std::copy_n(src + static_cast<size_t>(sx) * 4, 4, row_.data() + static_cast<size_t>(x) * 4);
    }
    if (!emit(row_.data(), error)) return false;
  }
  return true;
}

bool BandedMap::finish(std::string& error) {
  std::vector<uint8_t> clear(row_.size(), 0);
  while (written_ < outHeight_)
    if (!emit(clear.data(), error)) return false;
  return out_.finish(error);
}

}  // namespace sgrender
