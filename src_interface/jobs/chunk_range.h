// The chunk range of a render taken from an offset file: the file <map name>Offset.txt that an
// earlier render left behind, and the substitution of its values for the line's placeholder.
#pragma once
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace sg::jobs {

// The range as text, each value exactly as the file gives it; "0" when the file has none.
struct ChunkRange {
  std::string minx = "0", maxx = "0", minz = "0", maxz = "0";
};

// Thrown when an offset file exists but cannot be read; it ends the whole request.
struct OffsetFileUnreadable : std::runtime_error {
  explicit OffsetFileUnreadable(const std::string& file) : std::runtime_error(file) {}
};

// The offset file's name for a map name.
std::string offsetFileName(const std::string& mapName);

// The range that the lines of an offset file give (last line of each prefix wins).
ChunkRange parseOffsetLines(const std::vector<std::string>& lines);

// The range of the map's offset file; all zero when there is none. Throws OffsetFileUnreadable.
ChunkRange readOffsetFile(const std::string& mapName);

// The entry text with "rectangle fileminx filemaxx fileminz filemaxz " replaced by the range.
std::string substituteChunkRange(const std::string& entry, const ChunkRange& range);

// Load chunk range: the entry text with the placeholder replaced by the map's offset file.
std::string loadChunkRange(const std::string& entry, const std::string& mapName);

}  // namespace sg::jobs
