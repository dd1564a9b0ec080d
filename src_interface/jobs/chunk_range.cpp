#include "jobs/chunk_range.h"

#include "platform/files.h"
#include "platform/text.h"

namespace sg::jobs {

namespace {

constexpr const char* kPlaceholder = "rectangle fileminx filemaxx fileminz filemaxz ";

// The lines of a file that FileExists found, which on a case-sensitive file system may be
// spelt in another letter case than asked for.
std::optional<std::vector<std::string>> readFoundFile(const std::string& name) {
  if (auto lines = files::readLines(name)) return lines;
  std::string leaf = files::lastComponent(name);
  std::string folder = name.substr(0, name.size() - leaf.size());
  auto names = files::filesOf(folder.empty() ? "." : folder);
  if (!names) return std::nullopt;
  for (const auto& n : *names)
    if (n != leaf && text::equalsNoCase(n, leaf))
      if (auto lines = files::readLines(folder + n)) return lines;
  return std::nullopt;
}

}  // namespace

std::string offsetFileName(const std::string& mapName) { return mapName + "Offset.txt"; }

ChunkRange parseOffsetLines(const std::vector<std::string>& lines) {
  ChunkRange r;
  for (const auto& line : lines) {
    if (line.size() < 6) continue;
    std::string_view head(line.data(), 6);
    std::string value = line.substr(6);
    if (head == "MinX: ") r.minx = std::move(value);
    else if (head == "MaxX: ") r.maxx = std::move(value);
    else if (head == "MinZ: ") r.minz = std::move(value);
    else if (head == "MaxZ: ") r.maxz = std::move(value);
  }
  return r;
}

ChunkRange readOffsetFile(const std::string& mapName) {
  std::string name = offsetFileName(mapName);
  if (!files::FileExists(name)) return {};
  auto lines = readFoundFile(name);
  if (!lines) throw OffsetFileUnreadable(name);
  return parseOffsetLines(*lines);
}

std::string substituteChunkRange(const std::string& entry, const ChunkRange& r) {
  std::string replacement = "rectangle " + r.minx + " " + r.maxx + " " + r.minz + " " + r.maxz + " ";
  return text::replaceAll(entry, kPlaceholder, replacement);
}

std::string loadChunkRange(const std::string& entry, const std::string& mapName) {
  return substituteChunkRange(entry, readOffsetFile(mapName));
}

}  // namespace sg::jobs
