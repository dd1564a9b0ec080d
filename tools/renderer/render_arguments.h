// The renderer's command line: a level option line followed by the job's tail
// (progress, environment, verbosity, alpha or beta, outfile).
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "renderer/terms/map_terms.h"

namespace sgrender {

// The style's word, for reports.
const char* styleWord(Style style);

struct RenderRequest {
  std::optional<std::string> folder;  // a world folder of the save folder
  std::optional<std::string> custom;  // a world's own path
  std::string mapName;
  Style style = Style::Normal;
  Orientation orientation = Orientation::North;
  std::optional<std::vector<int>> onlyLayers, notLayers, onlyBlocks, notBlocks;
  TimeOfDay time = TimeOfDay::Day;
  bool ignoreWater = false, cave = false, nether = false, makeOffsetFile = false;
  std::optional<std::string> dimension;  // a dimension folder such as DIM3
  std::optional<ChunkRectangle> rectangle;
  std::optional<std::string> environment;  // the save folder
  int verbosity = 0;
  bool alpha = false, beta = false;
  // Per-block and whole-map drawing options.
  bool forceBrightness = false, wooloscopy = false, xray = false, upsideDown = false, cake = false;
  int granularity = 0;              // 0 clear to 8 coarse
  double zoom = 1.0;                // pixels per block (top-down) or scale (projected)
  bool cropWhitespace = false, mirror = false, flip = false, rotate = false;
  bool autoMirror = true;           // off with sautomirror: the post processor mirrors instead
  bool listAllBlocks = false, lowRamWrite = false;
  bool zoomableMap = false;         // the map folder beside a final image, the facts beside a layer
  bool noBiomes = false;            // every biome drawn in the temperate default's colours
  bool noCache = false;             // nothing taken from the render cache, nothing kept in it
  int threads = 0;                  // 0: one per core
  std::optional<std::string> progressFile, outFile;
  // Notes about repaired input (a filter count larger than its list, for example).
  std::vector<std::string> warnings;
};

// nullopt with a one-line reason when the words do not make a valid request.
std::optional<RenderRequest> parseRenderArguments(const std::vector<std::string>& words,
                                                  std::string& error);

}  // namespace sgrender
