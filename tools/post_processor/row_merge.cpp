#include "post_processor/row_merge.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "imaging/png_file.h"
#include "imaging/png_row_reader.h"
#include "imaging/png_rows.h"
#include "post_processor/map_geometry.h"
#include "system/temporary_files.h"
#include "system/tool_system.h"

namespace sgpost {

namespace {

using sgimage::Rgba;

void blendRow(uint8_t* canvas, const uint8_t* layer, int width) {
  for (int x = 0; x < width; ++x) {
    Rgba src{layer[4 * x], layer[4 * x + 1], layer[4 * x + 2], layer[4 * x + 3]};
    if (src.a == 0) continue;
    Rgba dst{canvas[4 * x], canvas[4 * x + 1], canvas[4 * x + 2], canvas[4 * x + 3]};
    Rgba out = sgimage::over(src, dst);
    canvas[4 * x] = out.r, canvas[4 * x + 1] = out.g, canvas[4 * x + 2] = out.b, canvas[4 * x + 3] = out.a;
  }
}

// The merged canvas, a row at a time from the top.
class MergedRows {
 public:
  bool open(const std::vector<std::string>& topFirst, std::string& error) {
    for (const auto& name : topFirst) {
      sgimage::PngRowReader r;
      if (!r.open(name, error)) {
        error = "cannot read input " + name + ": " + error;
        return false;
      }
      width_ = std::max(width_, r.width());
      height_ = std::max(height_, r.height());
      names_.push_back(name);
      layers_.push_back(std::move(r));
    }
    // Merged a row at a time: any canvas whose rows the coders write.
    if (width_ > sgimage::kMaxSide || height_ > sgimage::kMaxSide) {
      error = "merged canvas " + std::to_string(width_) + "x" + std::to_string(height_) + " is too large";
      return false;
    }
    row_.assign(static_cast<size_t>(width_) * 4, 0);
    return true;
  }
  int width() const { return width_; }
  int height() const { return height_; }
  // The next merged row (bottom layer first, each layer over what lies below it).
  const uint8_t* next(std::string& error) {
    std::fill(row_.begin(), row_.end(), 0);
    for (size_t k = layers_.size(); k-- > 0;) {
      auto& layer = layers_[k];
      if (y_ >= layer.height()) continue;
      const uint8_t* src = layer.next(error);
      if (!src) {
        error = "cannot read input " + names_[k] + ": " + error;
        return nullptr;
      }
      blendRow(row_.data(), src, layer.width());
      if (y_ + 1 == layer.height()) layer.close();  // the output may replace this very file
    }
    ++y_;
    return row_.data();
  }

 private:
  std::vector<sgimage::PngRowReader> layers_;
  std::vector<std::string> names_;
  std::vector<uint8_t> row_;
  int width_ = 0, height_ = 0, y_ = 0;
};

// The merged rows kept in a file while the output needs them in another order.
class RowFile {
 public:
  ~RowFile() {
    if (f_) std::fclose(f_);
  }
  bool create(const std::string& beside, size_t rowBytes, std::string& error) {
    rowBytes_ = rowBytes;
    f_ = sgsys::createUnnamedTemporary(beside, ".rows", name_);
    if (!f_) error = "cannot create the temporary file " + name_ + ": " + std::strerror(errno);
    return f_ != nullptr;
  }
  bool append(const uint8_t* row, std::string& error) {
    if (std::fwrite(row, 1, rowBytes_, f_) == rowBytes_) return true;
    error = "cannot write the temporary file " + name_ + ": " + std::strerror(errno);
    return false;
  }
  // count bytes at a byte offset of row y.
  bool read(int y, size_t offset, size_t count, uint8_t* out, std::string& error) {
    if (sgsys::readAt(f_, out, count, static_cast<uint64_t>(y) * rowBytes_ + offset)) return true;
    error = "cannot read the temporary file " + name_;
    return false;
  }
  bool flush(std::string& error) {
    if (std::fflush(f_) == 0) return true;
    error = "cannot write the temporary file " + name_ + ": " + std::strerror(errno);
    return false;
  }

 private:
  FILE* f_ = nullptr;
  std::string name_;
  size_t rowBytes_ = 0;
};

void fill(uint8_t* px, const std::optional<Rgba>& background) {
  if (!background || px[3] == 255) return;
  Rgba out = sgimage::over(Rgba{px[0], px[1], px[2], px[3]}, *background);
  px[0] = out.r, px[1] = out.g, px[2] = out.b, px[3] = out.a;
}

}  // namespace

bool mergeRowByRow(const PostArguments& args, std::string& error, const RowSink& alsoTo) {
  MergedRows merged;
  if (!merged.open(args.inputs, error)) return false;
  std::optional<Rgba> background;
  for (const Step& s : args.steps)
    if (s.kind == Step::Colour && !background) background = s.colour;  // later fills find it opaque
  const MapGeometry geometry(merged.width(), merged.height(), args.steps);
  const int outW = geometry.outWidth(), outH = geometry.outHeight();
  sgimage::PngRowWriter out;
  std::string why;
  if (!out.open(args.output, outW, outH, why)) {
    error = "cannot write output " + args.output + ": " + why;
    return false;
  }
  std::vector<uint8_t> row(static_cast<size_t>(outW) * 4);
  auto emit = [&]() {
    for (int x = 0; x < outW; ++x) fill(row.data() + 4 * x, background);
    if (!out.write(row.data(), why)) {
      error = "cannot write output " + args.output + ": " + why;
      return false;
    }
    return !alsoTo || alsoTo(row.data(), error);
  };

  if (geometry.rowsInOrder()) {
    for (int oy = 0; oy < outH; ++oy) {
      const uint8_t* src = merged.next(error);
      if (!src) return false;
      for (int ox = 0; ox < outW; ++ox) {
        int x, y;
        geometry.source(ox, oy, x, y);
        std::memcpy(row.data() + 4 * ox, src + 4 * x, 4);
      }
      if (!emit()) return false;
    }
  } else {
    const size_t rowBytes = static_cast<size_t>(merged.width()) * 4;
    RowFile rows;
    if (!rows.create(args.output, rowBytes, error)) return false;
    for (int y = 0; y < merged.height(); ++y) {
      const uint8_t* src = merged.next(error);
      if (!src || !rows.append(src, error)) return false;
    }
    if (!rows.flush(error)) return false;
    if (!geometry.turned()) {
      std::vector<uint8_t> src(rowBytes);
      for (int oy = 0; oy < outH; ++oy) {
        int x, y;
        geometry.source(0, oy, x, y);
        if (!rows.read(y, 0, rowBytes, src.data(), error)) return false;
        for (int ox = 0; ox < outW; ++ox) {
          geometry.source(ox, oy, x, y);
          std::memcpy(row.data() + 4 * ox, src.data() + 4 * x, 4);
        }
        if (!emit()) return false;
      }
    } else {
      // A strip of output rows is a strip of canvas columns: read those columns of every row.
      constexpr int kStrip = 64;
      std::vector<uint8_t> strip;
      for (int oy0 = 0; oy0 < outH; oy0 += kStrip) {
        const int rowsInStrip = std::min(kStrip, outH - oy0);
        int xa, ya, xb, yb;
        geometry.source(0, oy0, xa, ya);
        geometry.source(0, oy0 + rowsInStrip - 1, xb, yb);
        const int c0 = std::min(xa, xb), columns = std::abs(xa - xb) + 1;
        strip.resize(static_cast<size_t>(columns) * 4 * merged.height());
        for (int y = 0; y < merged.height(); ++y)
          if (!rows.read(y, static_cast<size_t>(c0) * 4, static_cast<size_t>(columns) * 4,
                         strip.data() + static_cast<size_t>(y) * columns * 4, error))
            return false;
        for (int oy = oy0; oy < oy0 + rowsInStrip; ++oy) {
          for (int ox = 0; ox < outW; ++ox) {
            int x, y;
            geometry.source(ox, oy, x, y);
            std::memcpy(row.data() + 4 * ox, strip.data() + (static_cast<size_t>(y) * columns + (x - c0)) * 4, 4);
          }
          if (!emit()) return false;
        }
      }
    }
  }
  if (!out.finish(why)) {
    error = "cannot write output " + args.output + ": " + why;
    return false;
  }
  return true;
}

}  // namespace sgpost
