// Small demo worlds for the tools' tests: chunks x chunks around the origin, so that even a few
// chunks reach into four regions.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "worldgen/demo_world.h"

namespace sgtest {

inline void writeSmallDemoWorld(const std::string& folder, int chunks, bool nether) {
  sgworld::DemoWorld world;
  world.folder = folder;
  world.chunksX = world.chunksZ = chunks;
  world.nether = nether;
  std::string error;
  ASSERT_TRUE(sgworld::writeDemoWorld(world, error)) << error;
}

}  // namespace sgtest
