// Every block that the game saved as numbers has a name: each id and data value of the game's
// own numeric block data (the npm package minecraft-data) is named in a world's list of blocks,
// as what it is (a lit torch, an upper half of a slab) rather than "unnamed".
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "real_world_fixtures.h"
#include "renderer/blocks/block_names.h"

TEST(NumericNames, EveryIdAndDataValueTheGameSavedIsNamed) {
  const std::filesystem::path data = sgtest::numericBlockData(SG_TEST_BUILD_FOLDER);
  if (data.empty()) GTEST_SKIP() << "npm registry not reachable: the numeric block data is not checked";
  std::ifstream in(data, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  // The blocks' part of the data (its items follow, under numbers of their own).
  const std::string all = text.str();
  const size_t blocks = all.find("\"blocks\""), items = all.find("\"items\"");
  ASSERT_NE(blocks, std::string::npos);
  const std::string json = all.substr(blocks, items > blocks ? items - blocks : std::string::npos);
  // "<id>:<data>": "minecraft:<name>[<states>]"
  const std::regex pair(R"re("(\d+):(\d+)"\s*:\s*"minecraft:([^"]+)")re");
  int pairs = 0;
  for (auto it = std::sregex_iterator(json.begin(), json.end(), pair); it != std::sregex_iterator(); ++it) {
    const int id = std::stoi((*it)[1]), value = std::stoi((*it)[2]);
    const std::string expected = (*it)[3];
    const std::string named(sgrender::blockNameFor(static_cast<uint16_t>(id), static_cast<uint8_t>(value)));
    ++pairs;
    EXPECT_FALSE(named.empty()) << id << ":" << value << " " << expected;
    // The block's own name (the states aside) is the one the data gives.
    const std::string family = expected.substr(0, expected.find('['));
    EXPECT_EQ(named.substr(0, named.find('[')).find(family.substr(0, 4)), 0u)
        << id << ":" << value << " is named " << named << ", the data says " << expected;
  }
  EXPECT_GT(pairs, 1500);
  EXPECT_EQ(sgrender::blockNameFor(44, 11), "cobblestone_slab[type=top]");
  EXPECT_EQ(sgrender::blockNameFor(76, 1), "redstone_wall_torch[facing=east,lit=true]");
  EXPECT_EQ(sgrender::blockNameFor(9, 0), "water");  // still water is named as water
}
