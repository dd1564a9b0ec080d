// The deflated strips of whole maps, kept in the render cache: a map written again after a
// little of the world changed deflates only the strips of rows that changed.
#pragma once
#include "imaging/png_parallel.h"
#include "renderer/cache/render_cache.h"

namespace sgrender {

class CachedStrips : public sgimage::DeflatedStrips {
 public:
  explicit CachedStrips(const RenderCache& cache) : cache_(cache) {}
  bool find(const sgimage::StripChecks& checks, std::vector<uint8_t>& deflated) const override;
  void keep(const sgimage::StripChecks& checks, const std::vector<uint8_t>& deflated) const override;

 private:
  const RenderCache& cache_;
};

}  // namespace sgrender
