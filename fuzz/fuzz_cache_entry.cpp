// A render cache entry, as a render finds it in the cache folder (any file may stand there under
// an entry's name), and the ground of a region that such an entry carries. The first byte
// chooses: 0 reads the rest as a region's ground, anything else as a whole entry file.
#include <string>

#include "fuzz_support.h"
#include "renderer/cache/render_cache.h"
#include "renderer/styles/ground_census.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  sgfuzz::enterWorkingFolder("cache-entry");
  std::vector<sgrender::GroundEvent> events;
  if (data[0] == 0) {
    if (sgrender::readGroundBytes(std::vector<uint8_t>(data + 1, data + size), events)) sgrender::censusOf({&events});
    return 0;
  }
  const sgrender::CacheKey key = sgrender::KeyMaker().add(std::string_view("fuzz")).key();
  sgrender::RenderCache cache("cache");
  std::filesystem::create_directories("cache");
  sgfuzz::writeInput("cache/" + key.name() + ".sgcache", data + 1, size - 1);
  if (auto entry = cache.load(key, "ground", 1 << 20)) sgrender::readGroundBytes(entry->bytes, events);
  if (auto held = cache.hold(key, "ptile", 256 * 256 * 4)) cache.read(*held, key, "ptile", 256 * 256 * 4);
  // A finished image, copied out a block at a time: written only when it checks out.
  std::vector<uint8_t> facts;
  if (cache.takeFile(key, "ground", 1 << 20, "taken.png", facts)) std::filesystem::remove("taken.png");
  return 0;
}
