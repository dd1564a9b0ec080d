// What a zoomable map reads back from disk: the facts kept beside a job's layer image, carried
// through turns and mirrors and written as the page's script, and the list of its tiles' hashes.
#include <string>

#include "fuzz_support.h"
#include "zoom_map/map_facts.h"
#include "zoom_map/map_page.h"
#include "zoom_map/tile_sums.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sgfuzz::enterWorkingFolder("map-facts");
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (auto facts = sgmap::parseFacts(text)) {
    facts->rotateClockwise(90);
    facts->mirrorHorizontally();
    facts->mirrorVertically();
    facts->rotateClockwise(270);
    (void)sgmap::factsScript(*facts);
    (void)sgmap::mapTitle(*facts);
    (void)sgmap::parseFacts(sgmap::factsText(*facts));
  }
  sgfuzz::writeInput("tiles.sums", data, size);
  sgmap::TileSums sums;
  sums.load("tiles.sums");
  return 0;
}
