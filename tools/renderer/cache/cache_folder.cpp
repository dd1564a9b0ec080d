// The size of the cache folder, kept within its cap. The folder's size is counted as renders
// write entries, in its file "usage": the bytes it holds and the renders since it was last read
// whole. Renders side by side may each miss what the other added, and entries may go by other
// hands, so the folder is read whole again when the count says it is over the cap, when there
// is no count, and after every kRendersBetweenCounts renders.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "renderer/cache/render_cache.h"
#include "system/tool_system.h"

namespace fs = std::filesystem;

namespace sgrender {

namespace {

constexpr const char* kUsage = "usage";
constexpr uint64_t kRendersBetweenCounts = 64;

struct Usage {
  unsigned long long bytes = 0, renders = 0;
};

std::optional<Usage> readUsage(const fs::path& folder) {
  uint64_t size = 0;
  std::FILE* f = sgsys::openRegularFile(sgsys::nameOf(folder / kUsage), size);
  if (!f) return std::nullopt;
  char text[64] = {};
  const bool read = size < sizeof text && std::fread(text, 1, size, f) == size;
  std::fclose(f);
  Usage u;
  if (!read || std::sscanf(text, "%llu %llu", &u.bytes, &u.renders) != 2) return std::nullopt;
  return u;
}

// The process that writes a temporary, from its name: <entry>.sgcache.part<pid>.<n>.
std::optional<unsigned long> writerOf(const std::string& name) {
  const std::string mark = std::string(RenderCache::kEnding) + RenderCache::kPart;
  const size_t at = name.find(mark);
  if (at == std::string::npos) return std::nullopt;
  const std::string rest = name.substr(at + mark.size());
  const std::string digits = rest.substr(0, rest.find('.'));
  if (digits.empty() || digits.size() > 10 || digits.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  return std::stoul(digits);
}

}  // namespace

uint64_t RenderCache::countWholeFolder() const {
  struct Held {
    fs::path path;
    fs::file_time_type used;
    uint64_t size;
  };
  std::vector<Held> held;
  uint64_t total = 0;
  std::error_code ec;
  for (auto it = fs::directory_iterator(folder_, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code fec;
    const std::string name = sgsys::nameOf(it->path().filename());
    if (auto writer = writerOf(name)) {
      if (*writer != sgsys::processId() && !sgsys::processRunning(*writer)) fs::remove(it->path(), fec);
      continue;
    }
    if (it->path().extension() != kEnding || !it->is_regular_file(fec)) continue;
    Held h{it->path(), it->last_write_time(fec), it->file_size(fec)};
    if (fec) continue;
    total += h.size;
    held.push_back(std::move(h));
  }
  if (total <= limit_) return total;
  std::sort(held.begin(), held.end(), [](const Held& a, const Held& b) { return a.used < b.used; });
  for (const Held& h : held) {
    if (total <= limit_) break;
    std::error_code rec;
    if (fs::remove(h.path, rec)) total -= h.size;
  }
  return total;
}

void RenderCache::trim() const {
  const uint64_t written = takeWritten();
  std::error_code ec;
  if (!fs::is_directory(folder_, ec)) return;
  Usage usage;
  if (auto counted = readUsage(folder_); counted && counted->bytes + written <= limit_ &&
                                         counted->renders + 1 < kRendersBetweenCounts) {
    usage = {counted->bytes + written, counted->renders + 1};
  } else {
    usage = {countWholeFolder(), 0};
  }
  const std::string text = std::to_string(usage.bytes) + " " + std::to_string(usage.renders) + "\n";
  writeFile(sgsys::nameOf(folder_ / kUsage), text.data(), text.size(), false);
}

}  // namespace sgrender
