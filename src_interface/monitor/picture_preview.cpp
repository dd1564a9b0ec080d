#include "monitor/picture_preview.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "imaging/png_file.h"
#include "imaging/png_row_reader.h"
#include "imaging/rgba_image.h"

namespace sg::monitor {

namespace fs = std::filesystem;

PictureShrinker::PictureShrinker(int width, int height, int maxWidth, int maxHeight)
    : width_(std::max(width, 1)), height_(std::max(height, 1)) {
  maxWidth = std::max(maxWidth, 1);
  maxHeight = std::max(maxHeight, 1);
  // The larger of the two shrinks decides, so that the whole image fits.
  const double scale = std::min({1.0, double(maxWidth) / width_, double(maxHeight) / height_});
  out_.width = std::clamp(static_cast<int>(width_ * scale + 0.5), 1, std::min(width_, maxWidth));
  out_.height = std::clamp(static_cast<int>(height_ * scale + 0.5), 1, std::min(height_, maxHeight));
  out_.rgba.assign(static_cast<size_t>(out_.width) * out_.height * 4, 0);
  sums_.assign(static_cast<size_t>(out_.width) * 5, 0);
  column_.resize(static_cast<size_t>(width_));
  for (int x = 0; x < width_; ++x) column_[static_cast<size_t>(x)] = static_cast<int>(int64_t(x) * out_.width / width_);
}

void PictureShrinker::addRow(const uint8_t* rgba) {
  if (row_ >= height_) return;
  const int target = static_cast<int>(int64_t(row_) * out_.height / height_);
  if (target != outRow_) flush();
  outRow_ = target;
  for (int x = 0; x < width_; ++x) {
    const uint8_t* p = rgba + size_t(x) * 4;
    uint64_t* s = &sums_[size_t(column_[size_t(x)]) * 5];
    s[0] += uint64_t(p[0]) * p[3];
    s[1] += uint64_t(p[1]) * p[3];
    s[2] += uint64_t(p[2]) * p[3];
    s[3] += p[3];
    s[4] += 1;
  }
  ++row_;
}

void PictureShrinker::flush() {
  uint8_t* out = &out_.rgba[size_t(outRow_) * out_.width * 4];
  for (int x = 0; x < out_.width; ++x) {
    uint64_t* s = &sums_[size_t(x) * 5];
    if (s[4] != 0 && s[3] != 0) {
      for (int c = 0; c < 3; ++c) out[x * 4 + c] = static_cast<uint8_t>((s[c] + s[3] / 2) / s[3]);
      out[x * 4 + 3] = static_cast<uint8_t>((s[3] + s[4] / 2) / s[4]);
    }
    std::fill(s, s + 5, 0);
  }
}

forms::Picture PictureShrinker::finish() {
  if (row_ > 0) flush();
  return std::move(out_);
}

namespace {

bool cancelled(const std::atomic<bool>* cancel) { return cancel && cancel->load(std::memory_order_relaxed); }

// The least deepening of the map's pyramid whose level spans the box, from its tiles; nullopt
// when a level of a few tiles does not (the image is then read instead).
std::optional<forms::Picture> fromTiles(const JobOutput& output, int width, int height, int maxWidth,
                                        int maxHeight) {
  constexpr int kTile = 256;
  int deepest = 0;
  while ((int64_t(kTile) << deepest) < std::max(width, height)) ++deepest;
  for (int z = 0; z <= std::min(deepest, 2); ++z) {
    const int shift = deepest - z;
    const int w = static_cast<int>((int64_t(width) + (1LL << shift) - 1) >> shift);
    const int h = static_cast<int>((int64_t(height) + (1LL << shift) - 1) >> shift);
    if (z < deepest && w < maxWidth && h < maxHeight) continue;
    sgimage::RgbaImage level(w, h);
    for (int ty = 0; ty * kTile < h; ++ty)
      for (int tx = 0; tx * kTile < w; ++tx) {
        const fs::path tile = fs::path(output.map) / "tiles" / std::to_string(z) / std::to_string(tx) /
                              (std::to_string(ty) + ".png");
        std::error_code ec;
        if (!fs::is_regular_file(tile, ec)) continue;  // a fully clear tile is not written
        sgimage::RgbaImage part;
        std::string why;
        if (!sgimage::readPng(tile.string(), part, why)) return std::nullopt;
        for (int y = 0; y < part.height() && ty * kTile + y < h; ++y)
          for (int x = 0; x < part.width() && tx * kTile + x < w; ++x) level.set(tx * kTile + x, ty * kTile + y, part.at(x, y));
      }
    PictureShrinker shrink(w, h, maxWidth, maxHeight);
    for (int y = 0; y < h; ++y) shrink.addRow(level.data() + size_t(y) * w * 4);
    return shrink.finish();
  }
  return std::nullopt;
}

}  // namespace

std::optional<forms::Picture> previewOf(const JobOutput& output, int maxWidth, int maxHeight,
                                        const std::atomic<bool>* cancel, std::string& error) {
  error.clear();
  int width = 0, height = 0;
  if (!sgimage::pngSize(output.image, width, height)) {
    error = "not a PNG image";
    return std::nullopt;
  }
  if (output.mapMade)
    if (auto picture = fromTiles(output, width, height, maxWidth, maxHeight)) return picture;
  sgimage::PngRowReader reader;
  if (!reader.open(output.image, error)) return std::nullopt;
  PictureShrinker shrink(reader.width(), reader.height(), maxWidth, maxHeight);
  for (int y = 0; y < reader.height(); ++y) {
    if (cancelled(cancel)) return std::nullopt;
    const uint8_t* row = reader.next(error);
    if (!row) return std::nullopt;
    shrink.addRow(row);
  }
  reader.close();
  return shrink.finish();
}

PreviewLoader::~PreviewLoader() { cancel(); }

void PreviewLoader::start(const JobOutput& output, int maxWidth, int maxHeight) {
  cancel();
  cancel_ = std::make_shared<std::atomic<bool>>(false);
  result_ = std::async(std::launch::async, [output, maxWidth, maxHeight, flag = cancel_] {
    std::string error;
    return previewOf(output, maxWidth, maxHeight, flag.get(), error).value_or(forms::Picture{});
  });
}

bool PreviewLoader::ready(int ms) const {
  return result_.valid() && result_.wait_for(std::chrono::milliseconds(ms)) == std::future_status::ready;
}

forms::Picture PreviewLoader::take() { return result_.valid() ? result_.get() : forms::Picture{}; }

void PreviewLoader::cancel() {
  if (cancel_) cancel_->store(true);
  if (result_.valid()) result_.wait();
  result_ = {};
}

}  // namespace sg::monitor
