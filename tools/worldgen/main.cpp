// strandvale-g-demo-world: writes a deterministic demo world in any storage layout.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "worldgen/demo_world.h"

namespace {

// A whole number from lo to hi, written as digits alone (no sign, exponent or other characters).
bool wholeNumber(const std::string& s, int lo, int hi, int& out) {
  if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos) return false;
  const long v = std::strtol(s.c_str(), nullptr, 10);
  if (v < lo || v > hi) return false;
  out = static_cast<int>(v);
  return true;
}

const char* const kUsage =
    "usage: strandvale-g-demo-world FOLDER [--layout alpha|beta|numeric|palette-across|palette-within|"
    "block-states]\n"
    "       [--regions N | --chunks W H] [--seed S] [--name NAME] [--compression gzip|zlib|none|lz4]\n"
    "       [--external] [--no-nether] [--bedrock [--sub-chunk-version 1|8|9]]\n"
    "Writes a world with hills, sea and beaches, trees, caves with ores and lava, and a Nether;\n"
    "with --bedrock, the same as a Bedrock world (level.dat, levelname.txt and its store in db/).\n";

}  // namespace

int main(int argc, char** argv) {
  sgworld::DemoWorld world;
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  // A folder is named first; anything that looks like a flag in its place is a mistake.
  if (argc < 2 || argv[1][0] == '-') {
    std::cerr << (argc < 2 ? "" : "strandvale-g-demo-world: name the folder first, not " + std::string(argv[1]) + "\n")
              << kUsage;
    return 1;
  }
  world.folder = argv[1];
  for (int i = 2; i < argc; ++i) {
    std::string a = argv[i];
    auto next = [&]() -> std::string {
      if (i + 1 >= argc) {
        std::cerr << "strandvale-g-demo-world: " << a << " needs a value\n" << kUsage;
        std::exit(1);
      }
      return argv[++i];
    };
    if (a == "--layout") {
      if (!sgworld::layoutFromWord(next(), world.layout)) {
        std::cerr << "strandvale-g-demo-world: unknown layout\n" << kUsage;
        return 1;
      }
    } else if (a == "--regions") {
      const std::string value = next();
      int n = 0;
      if (!wholeNumber(value, 1, 1024, n)) {
        std::cerr << "strandvale-g-demo-world: --regions takes a whole number from 1 to 1024, not '" << value << "'\n";
        return 1;
      }
      world.setRegions(n);
    } else if (a == "--chunks") {
      const std::string w = next(), h = next();
      if (!wholeNumber(w, 1, 32768, world.chunksX) || !wholeNumber(h, 1, 32768, world.chunksZ)) {
        std::cerr << "strandvale-g-demo-world: --chunks takes two whole numbers from 1 to 32768, not '" << w << "' '"
                  << h << "'\n";
        return 1;
      }
    } else if (a == "--seed") {
      world.seed = static_cast<uint32_t>(std::strtoul(next().c_str(), nullptr, 10));
    } else if (a == "--name") {
      world.name = next();
    } else if (a == "--compression") {
      if (!sgworld::compressionFromWord(next(), world.compression)) {
        std::cerr << "strandvale-g-demo-world: unknown compression\n" << kUsage;
        return 1;
      }
    } else if (a == "--external") {
      world.external = true;
    } else if (a == "--no-nether") {
      world.nether = false;
    } else if (a == "--bedrock") {
      world.bedrock = true;
    } else if (a == "--sub-chunk-version") {
      const std::string value = next();
      if (!wholeNumber(value, 1, 9, world.subChunkVersion) ||
          (world.subChunkVersion != 1 && world.subChunkVersion != 8 && world.subChunkVersion != 9)) {
        std::cerr << "strandvale-g-demo-world: --sub-chunk-version takes 1, 8 or 9, not '" << value << "'\n";
        return 1;
      }
    } else {
      std::cerr << "strandvale-g-demo-world: unknown argument " << a << "\n" << kUsage;
      return 1;
    }
  }
  if (world.chunksX < 1 || world.chunksZ < 1 || world.chunksX > 32768 || world.chunksZ > 32768) {
    std::cerr << "strandvale-g-demo-world: the world needs at least one chunk\n";
    return 1;
  }
  std::string error;
  if (!sgworld::writeDemoWorld(world, error)) {
    std::cerr << "strandvale-g-demo-world: " << error << "\n";
    return 1;
  }
  return 0;
}
