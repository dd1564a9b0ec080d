// RenderEntry: one render of the stack as a plain value, each option as the main window's
// control for it holds it (a list's index, a check box's value, a box's text). A stack row's
// level option line is read into one, and the line, the output names and the job are made
// from one.
#pragma once
#include <string>

namespace sg::options {

struct RenderEntry {
  // The world: the selected item of the world list, its text, and whether it is the last item
  // ("Custom", a path of the player's own).
  int world = 0;
  std::string folder;
  bool custom = false;
  std::string customPath;
  std::string name;

  int style = 0, orientation = 0;
  int layerFilter = 0;
  std::string layers;
  int blockFilter = 0;
  std::string blocks;
  int time = 0;
  int eachLayer = 0, ignoreWater = 0, cave = 0, nether = 0;
  int dimension = 1;  // Overworld
  int wooloscopy = 0, brightness = 0, flip = 0, rotate = 0, xray = 0, cake = 0, upsideDown = 0;
  int granularity = 0;
  int cropWhitespace = 0;
  std::string zoom = "1";
  int mapMirror = 0, suppressAutoMirror = 0, lowRamWrite = 0, zoomableMap = 0;
  int listAllBlocks = 0, makeOffsetFile = 0;
  int chunks = 0, spaced = 0;
  std::string minX = "0", maxX = "0", minZ = "0", maxZ = "0";

  bool operator==(const RenderEntry&) const = default;
};

// A check box counts as checked only when it holds exactly 1.
inline bool isChecked(int value) { return value == 1; }

}  // namespace sg::options
