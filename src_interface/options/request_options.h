// RequestOptions: the options that every render of one request shares (the batch and post
// processor options of the main window), as a plain value read once when Render is pressed.
#pragma once
#include <string>

namespace sg::options {

struct RequestOptions {
  int mapFormat = 0, verbosity = 0;
  int disableLogging = 0, disablePostProcessor = 0;
  int suppressStacking = 0, suppressDeletion = 0, suppressAutoMirroring = 0;
  int background = 0;
  std::string backgroundText;  // the selected background's item, as the post processor names it
  int rotation = 0;
  int mirroring = 0;
  bool mirroringShown = false;  // the mirroring list stands in for the old mirror box
  int mirror = 0;               // the old mirror box, which a post-processing step sets
  std::string outputFile;
  std::string savePath;         // the save folder, when the player chose one other than APPDATA's
  bool customSaves = false;
};

}  // namespace sg::options
