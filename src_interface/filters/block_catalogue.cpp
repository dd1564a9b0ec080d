#include "filters/block_catalogue.h"

#include <array>
#include <stdexcept>

namespace sg::filters {

namespace {

const std::array<std::string, BlockCatalogue::kRows> kNames = {
    "All", "Stone", "Grass", "Dirt", "Cobblestone", "Wooden Plank", "Sapling", "Bedrock", "Water",
    "Stationary water", "Lava", "Stationary lava", "Sand", "Gravel", "Gold ore", "Iron ore",
    "Coal ore", "Wood", "Leaves", "Sponge", "Glass", "Lapis Lazuli Ore", "Lapis Lazuli Block",
    "Dispenser", "Sandstone", "Note Block", "Bed", "Powered Rail", "Detector Rail", "Sticky piston",
    "Cobweb", "Tall grass and ferns", "Dead shrubs", "Piston", "Piston head", "Wool", "",
    "Yellow flower", "Red rose", "Brown Mushroom", "Red Mushroom", "Gold Block", "Iron Block",
    "Double Slabs (all types)", "Slabs (all types)", "Brick", "TNT", "Bookshelf", "Moss Stone",
    "Obsidian", "Torch", "Fire", "Monster Spawner", "Wooden Stairs", "Chest", "Redstone Wire ",
    "Diamond Ore", "Diamond Block", "Workbench", "Crops", "Soil", "Furnace", "Burning Furnace",
    "Sign Post (might not work)", "Wooden Door", "Ladder (might not work)", "Minecart Tracks",
    "Cobblestone Stairs", "Wall Sign (might not work)", "Lever (might not work)",
    "Stone Pressure Plate", "Iron Door", "Wooden Pressure Plate", "Redstone Ore",
    "Glowing Redstone Ore", "Redstone torch (off)", "Redstone torch (on)",
    "Stone Button (might not work)", "Snow", "Ice", "Snow Block", "Cactus", "Clay", "Sugar Cane",
    "Jukebox", "Fence", "Pumpkin", "Netherrack", "Soul Sand", "Glowstone", "Portal field",
    "Jack-O-Lantern", "Cake Block", "Redstone Repeater (off)", "Redstone Repeater (on)",
    "Locked chest", "Trapdoor", "Silverfish block", "Stone brick", "Huge brown mushroom",
    "Huge red mushroom", "Iron bars", "Glass pane", "Melon", "Pumpkin stem", "Melon stem", "Vines",
    "Fence gate", "Brick stairs", "Stone brick stairs"};

// Members of categories 1 to 8, by id.
const std::array<std::vector<int>, BlockCatalogue::kCategories> kMembers = {{
    {1, 2, 3, 4, 7, 12, 13, 78, 79, 80, 98},
    {2, 6, 17, 18, 30, 31, 32, 37, 38, 39, 40, 48, 59, 60, 81, 83, 86, 99, 100, 103, 104, 105, 106},
    {8, 9, 10, 11, 49, 51, 79},
    {4, 5, 20, 22, 23, 24, 25, 26, 27, 28, 29, 33, 34, 41, 42, 43, 44, 45, 46, 47, 50, 53, 54, 57,
     58, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 77, 84, 85, 91, 92, 95, 96, 101, 102, 107,
     108, 109},
    {14, 15, 16, 21, 52, 56, 73, 74, 82, 97},
    {55, 75, 76, 93, 94},
    {7, 10, 11, 13, 49, 87, 88, 89, 90},
    {30, 48, 52, 54, 66, 97, 98, 101},
}};

}  // namespace

const std::vector<std::string>& BlockCatalogue::filterItems() {
  static const std::vector<std::string> items = {
      "All blocks", "Common blocks", "Plantlife", "Lava and water", "Manufactured",
      "Ores", "Redstone", "Nether", "Dungeon / stronghold"};
  return items;
}

const std::string& BlockCatalogue::name(int id) {
  if (id < 0 || id >= kRows) throw std::out_of_range("no block row " + std::to_string(id));
  return kNames[static_cast<size_t>(id)];
}

bool BlockCatalogue::belongsTo(int id, int category) {
  if (category < 1 || category > kCategories) return false;
  for (int member : kMembers[static_cast<size_t>(category - 1)])
    if (member == id) return true;
  return false;
}

std::vector<std::string> BlockCatalogue::view(int filterIndex) {
  std::vector<std::string> out(kRows);
  if (filterIndex >= kFixedFilterItems || filterIndex < -1) return out;
  for (int i = 0; i < kRows; ++i)
    if (filterIndex <= 0 || belongsTo(i, filterIndex)) out[static_cast<size_t>(i)] = kNames[static_cast<size_t>(i)];
  return out;
}

std::string BlockCatalogue::displayText(int id, const std::string& entry) {
  return std::to_string(id) + " " + entry;
}

}  // namespace sg::filters
