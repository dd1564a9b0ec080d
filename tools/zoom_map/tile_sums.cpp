#include "zoom_map/tile_sums.h"

#include <cstring>
#include <fstream>
#include <sstream>

#include "system/atomic_file.h"
#include "system/bit_mix.h"
#include "system/tool_system.h"

namespace fs = std::filesystem;

namespace sgmap {

namespace {
constexpr const char* kSumsHeading = "strandvale-g tile sums 2";
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
    if (!(words >> k.z >> k.x >> k.y >> s.hash >> s.size >> s.written)) {
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
            std::to_string(s.hash) + ' ' + std::to_string(s.size) + ' ' +
            std::to_string(s.written) + '\n';
  return writeTextFile(file, text, error);
}

const TileSum* TileSums::find(const TileKey& key) const {
  auto it = sums_.find(key);
  return it == sums_.end() ? nullptr : &it->second;
}

// Two lanes of 64-bit words, each word xored in, turned and multiplied, then mixed together: a
// tile's quarter megabyte in a few tens of microseconds, and any change of a pixel changes it.
TileSum pixelSums(const uint8_t* rgba, size_t bytes) {
  constexpr uint64_t kOne = 0x9E3779B97F4A7C15ull, kTwo = 0xC2B2AE3D27D4EB4Full;
  auto turn = [](uint64_t v, int by) { return v << by | v >> (64 - by); };
  uint64_t a = kOne, b = kTwo;
  for (size_t i = 0; i + 16 <= bytes; i += 16) {
    uint64_t w0, w1;
    std::memcpy(&w0, rgba + i, 8);
    std::memcpy(&w1, rgba + i + 8, 8);
    a = turn(a ^ w0, 29) * kOne;
    b = turn(b ^ w1, 31) * kTwo;
  }
  TileSum s;
  s.hash = sgsys::finalMix(a ^ turn(b, 17) ^ bytes);
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
