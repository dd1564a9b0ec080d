#include "runner/tool_lookup.h"
#include "batch/ascii_case.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace sgrunner {

namespace {

using sgbatch::lowered;

std::string toolName(const std::string& word) {
  std::string w = lowered(word);
  if (w.size() > 4 && w.compare(w.size() - 4, 4, ".exe") == 0) w.resize(w.size() - 4);
  return w;
}

}  // namespace

bool isRenderTool(const std::string& word) {
  std::string t = toolName(word);
  return t == "strandvale_g_renderer" || t == "strandvale_g_post_processor";
}

std::optional<std::string> findRenderTool(const std::string& word, const std::string& folder) {
  if (!isRenderTool(word)) return std::nullopt;
  std::string base = toolName(word);
  std::optional<std::string> bare;
  std::error_code ec;
  for (auto it = std::filesystem::directory_iterator(folder, ec);
       !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::error_code fec;
    if (!it->is_regular_file(fec)) continue;
    std::string name = it->path().filename().string();
    std::string low = lowered(name);
    if (low == base + ".exe") return it->path().string();
    if (low == base) bare = it->path().string();
  }
  return bare;
}

}  // namespace sgrunner
