// The expansion of a per-layer stack entry into one render per layer: which of the layers 0 to
// 127 it renders, from its layer filter.
#pragma once
#include <string>
#include <vector>

namespace sg::jobs {

inline constexpr int kLayerCount = 128;

// The layers to render, in rising order. With "Show only layer(s):" (index 1) the listed
// layers, otherwise every layer that is not listed. Pieces that are not numbers, or that do
// not round to a layer, are ignored.
std::vector<int> layersToRender(int layerFilterIndex, const std::string& layerFilterText);

}  // namespace sg::jobs
