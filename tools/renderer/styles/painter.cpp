#include "renderer/styles/painter.h"

namespace sgrender {

std::unique_ptr<Painter> makePainter(const PaintOptions& options, const BlockLook& look, const MapFrame& frame) {
  switch (options.style) {
    case Style::Oblique: return makeObliquePainter(options, look, frame, false);
    case Style::ObliqueAngled: return makeObliquePainter(options, look, frame, true);
    case Style::Isometric: return makeIsometricPainter(options, look, frame);
    case Style::Normal:
    case Style::HeightmapColor:
    case Style::HeightmapGray:
    case Style::Lightmap: break;
  }
  return makeTopDownPainter(options, look, frame);
}

}  // namespace sgrender
