#include "renderer/image/map_finishing.h"

#include <cmath>

#include "imaging/image_operations.h"
#include "imaging/png_file.h"
#include "render_words/render_words.h"

namespace sgrender {

bool mirrorsMap(const Finishing& r) {
  // The renderer's own east and west views of the angled styles are mirror images of the true
  // view: automirror turns them true here; under sautomirror they stay mirrored, and the job's
  // post-processing step mirrors them back. Either way the final image is the world as seen.
  return r.mirror != (sgwords::ownViewMirrored(wordOf(r.style), wordOf(r.orientation)) && !r.autoMirror);
}

sgimage::RgbaImage zoomed(const sgimage::RgbaImage& im, double f) {
  const int w = std::max(1, static_cast<int>(std::lround(im.width() * f)));
  const int h = std::max(1, static_cast<int>(std::lround(im.height() * f)));
  sgimage::RgbaImage out(w, h);
  for (int y = 0; y < h; ++y) {
    const int sy = std::min(im.height() - 1, static_cast<int>(y / f));
    for (int x = 0; x < w; ++x) out.set(x, y, im.at(std::min(im.width() - 1, static_cast<int>(x / f)), sy));
  }
  return out;
}

sgimage::RgbaImage cropped(const sgimage::RgbaImage& im, CropBox* box) {
  int x0 = im.width(), x1 = -1, y0 = im.height(), y1 = -1;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x)
      if (im.at(x, y).a) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
      }
  if (box) *box = x1 < 0 ? CropBox{} : CropBox{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
  if (x1 < 0) return sgimage::RgbaImage(1, 1);
  sgimage::RgbaImage out(x1 - x0 + 1, y1 - y0 + 1);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) out.set(x - x0, y - y0, im.at(x, y));
  return out;
}

bool finishMap(sgimage::RgbaImage& image, const Finishing& r, std::string& error, CropBox* crop) {
  if (mirrorsMap(r)) image = sgimage::mirrorHorizontally(image);
  if (r.flip) image = sgimage::mirrorVertically(image);
  if (r.rotate) image = sgimage::rotateClockwise(image, 90);
  if (r.cropWhitespace) image = cropped(image, crop);
  if (r.zoom != 1.0) {
    const double pixels = image.width() * r.zoom * image.height() * r.zoom;
    if (pixels > static_cast<double>(sgimage::kMaxPixels)) {
      error = "the map zoomed " + std::to_string(r.zoom) + " times would be too large; choose a smaller zoom";
      return false;
    }
    image = zoomed(image, r.zoom);
  }
  return true;
}

}  // namespace sgrender
