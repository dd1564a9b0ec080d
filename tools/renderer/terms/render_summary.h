// What a render met on its way: chunks drawn, left out unfinished, skipped as damaged (with
// the first reason), and block names the table does not know. Printed as one summary line
// each; at the chunk-level verbosity every skipped chunk is listed as it is met.
#pragma once
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>
#include <vector>

namespace sgrender {

struct RenderSummary {
  size_t drawn = 0, unfinished = 0, skipped = 0, unknownNames = 0, withoutLight = 0;
  std::string firstSkip;  // "chunk x,z in file: reason"
  std::vector<std::string> unknownNameList;  // the first names of blocks it does not know

  // Adds names of blocks it does not know (each once, the first 20).
  void unknown(const std::vector<std::string>& names);

  void skip(const std::string& what, std::ostream& errors, int verbosity);
  // The summary lines, each starting with "renderer: ".
  // lightMatters: the style or time of day draws from the stored light.
  void print(std::ostream& errors, bool lightMatters = false) const;
};

// The counts of the summary that an entry keeps, and back.
std::vector<uint8_t> summaryFacts(const RenderSummary& s);
bool readSummaryFacts(const std::vector<uint8_t>& facts, size_t at, RenderSummary& s);

}  // namespace sgrender
