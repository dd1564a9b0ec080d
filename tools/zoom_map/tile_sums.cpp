#include "zoom_map/tile_sums.h"

#include <zlib.h>

#include <fstream>
#include <sstream>

#include "system/atomic_file.h"
#include "system/tool_system.h"

namespace fs = std::filesystem;

namespace sgmap {

namespace {
constexpr const char* kSumsHeading = "strandvale-g tile sums 1";
}

void TileSums::load(const fs::path& file) {
  sums_.clear();
  std::ifstream in(file);
  std::string line;
  if (!std::getline(in, line) || line != kSumsHeading) return;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    TileKey k;
    TileSum s;
    if (!(words >> k.z >> k.x >> k.y >> s.crc >> s.adler >> s.size >> s.written)) {
      sums_.clear();  // a damaged list is no list: every tile is written again
      return;
    }
    sums_[k] = s;
  }
}

bool TileSums::save(const fs::path& file, std::string& error) const {
  std::string text = std::string(kSumsHeading) + "\n";
  for (const auto& [k, s] : sums_)
    text += std::to_string(k.z) + ' ' + std::to_string(k.x) + ' ' + std::to_string(k.y) + ' ' +
            std::to_string(s.crc) + ' ' + std::to_string(s.adler) + ' ' + std::to_string(s.size) + ' ' +
            std::to_string(s.written) + '\n';
  return writeTextFile(file, text, error);
}

const TileSum* TileSums::find(const TileKey& key) const {
  auto it = sums_.find(key);
  return it == sums_.end() ? nullptr : &it->second;
}

TileSum pixelSums(const uint8_t* rgba, size_t bytes) {
  TileSum s;
  s.crc = static_cast<uint32_t>(crc32_z(crc32_z(0, nullptr, 0), rgba, bytes));
  s.adler = static_cast<uint32_t>(adler32_z(adler32_z(0, nullptr, 0), rgba, bytes));
  return s;
}

bool fileFacts(const fs::path& file, TileSum& sum) {
  std::error_code ec;
  const auto size = fs::file_size(file, ec);
  if (ec) return false;
  const auto time = fs::last_write_time(file, ec);
  if (ec) return false;
  sum.size = size;
  sum.written = static_cast<long long>(time.time_since_epoch().count());
  return true;
}

bool writeTextFile(const fs::path& file, const std::string& text, std::string& error) {
  if (sgsys::writeFileAtomically(sgsys::nameOf(file), text)) return true;
  error = "cannot write " + sgsys::nameOf(file);
  return false;
}

}  // namespace sgmap
