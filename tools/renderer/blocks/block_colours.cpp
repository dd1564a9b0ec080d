#include "renderer/blocks/block_colours.h"

#include <string_view>
#include <vector>

#include "renderer/blocks/block_names.h"

namespace sgrender {

namespace {

constexpr sgimage::Rgba kUnknownColour = {214, 80, 214, 255};

// Indexed by block id.
constexpr sgimage::Rgba kColours[110] = {
    {0, 0, 0, 0},         {125, 125, 125, 255}, {95, 159, 53, 255},   {134, 96, 67, 255},
    {115, 115, 115, 255}, {157, 128, 79, 255},  {90, 130, 40, 120},   {84, 84, 84, 255},
    {48, 80, 220, 150},   {48, 80, 220, 150},   {210, 90, 10, 255},   {210, 90, 10, 255},
    {219, 211, 160, 255}, {136, 126, 126, 255}, {143, 140, 125, 255}, {136, 130, 127, 255},
    {105, 105, 105, 255}, {102, 81, 51, 255},   {60, 120, 30, 210},   {195, 195, 80, 255},
    {220, 240, 255, 60},  {102, 112, 134, 255}, {38, 67, 137, 255},   {108, 108, 108, 255},
    {216, 207, 155, 255}, {100, 67, 50, 255},   {142, 22, 22, 255},   {160, 130, 70, 200},
    {130, 110, 100, 200}, {110, 130, 90, 255},  {220, 220, 220, 100}, {90, 140, 50, 150},
    {123, 79, 25, 150},   {150, 130, 100, 255}, {150, 130, 100, 255}, {222, 222, 222, 255},
    {0, 0, 0, 0},         {255, 255, 0, 200},   {200, 20, 20, 200},   {145, 110, 80, 200},
    {190, 30, 30, 200},   {249, 236, 78, 255},  {219, 219, 219, 255}, {160, 160, 160, 255},
    {160, 160, 160, 255}, {150, 97, 83, 255},   {175, 50, 30, 255},   {130, 105, 65, 255},
    {90, 108, 90, 255},   {20, 18, 29, 255},    {255, 220, 100, 200}, {230, 130, 20, 200},
    {26, 39, 49, 255},    {157, 128, 79, 255},  {164, 116, 42, 255},  {180, 0, 0, 200},
    {129, 140, 143, 255}, {97, 219, 213, 255},  {120, 80, 45, 255},   {150, 170, 50, 200},
    {115, 75, 45, 255},   {96, 96, 96, 255},    {96, 96, 96, 255},    {160, 130, 80, 200},
    {140, 110, 60, 255},  {150, 120, 70, 200},  {140, 130, 110, 200}, {115, 115, 115, 255},
    {160, 130, 80, 200},  {110, 90, 60, 200},   {125, 125, 125, 200}, {190, 190, 190, 255},
    {157, 128, 79, 200},  {133, 107, 107, 255}, {150, 110, 110, 255}, {100, 40, 30, 200},
    {230, 40, 20, 200},   {125, 125, 125, 200}, {240, 251, 251, 255}, {125, 173, 255, 180},
    {240, 251, 251, 255}, {13, 120, 25, 255},   {159, 164, 177, 255}, {150, 190, 100, 200},
    {108, 70, 50, 255},   {157, 128, 79, 200},  {192, 118, 21, 255},  {111, 54, 52, 255},
    {84, 64, 51, 255},    {249, 212, 156, 255}, {90, 20, 180, 200},   {210, 140, 30, 255},
    {230, 220, 210, 255}, {150, 130, 130, 255}, {180, 130, 130, 255}, {164, 116, 42, 255},
    {130, 100, 60, 200},  {125, 125, 125, 255}, {122, 122, 122, 255}, {141, 106, 83, 255},
    {183, 37, 36, 255},   {110, 110, 110, 150}, {220, 240, 255, 60},  {150, 160, 40, 255},
    {120, 150, 60, 150},  {120, 150, 60, 150},  {50, 100, 20, 150},   {157, 128, 79, 200},
    {150, 97, 83, 255},   {122, 122, 122, 255},
};

// The sixteen dye colours, in data value order (white, orange, magenta, light blue, yellow,
// lime, pink, grey, light grey, cyan, purple, blue, brown, green, red, black).
constexpr sgimage::Rgba kDyes[16] = {
    {234, 236, 237, 255}, {241, 118, 20, 255}, {190, 69, 180, 255}, {58, 175, 217, 255},
    {249, 198, 40, 255},  {112, 185, 26, 255}, {238, 141, 172, 255}, {63, 68, 72, 255},
    {142, 142, 135, 255}, {21, 138, 145, 255}, {122, 42, 173, 255},  {53, 57, 157, 255},
    {114, 72, 41, 255},   {85, 110, 28, 255},  {161, 39, 35, 255},   {21, 21, 26, 255},
};
// Terracotta is the dye colour fired: darker and browner.
sgimage::Rgba fired(sgimage::Rgba c) {
  return {static_cast<uint8_t>(c.r * 0.62 + 50), static_cast<uint8_t>(c.g * 0.5 + 35),
          static_cast<uint8_t>(c.b * 0.45 + 30), 255};
}
sgimage::Rgba seeThrough(sgimage::Rgba c, uint8_t a) { return {c.r, c.g, c.b, a}; }

// Wood by data value: oak, spruce, birch, jungle (and acacia, dark oak for the second ids).
constexpr sgimage::Rgba kPlanks[6] = {{162, 131, 79, 255}, {115, 85, 49, 255}, {196, 179, 123, 255},
                                      {160, 115, 81, 255}, {168, 90, 50, 255},  {67, 43, 20, 255}};
constexpr sgimage::Rgba kLogs[6] = {{109, 85, 51, 255}, {58, 37, 16, 255},  {216, 215, 210, 255},
                                    {85, 68, 25, 255},  {103, 96, 86, 255}, {60, 47, 26, 255}};
constexpr sgimage::Rgba kLeaves[6] = {{60, 120, 30, 210}, {50, 90, 50, 210}, {90, 130, 55, 210},
                                      {50, 130, 20, 210}, {70, 120, 25, 210}, {40, 90, 20, 210}};

// Colours of the old ids above 109 that are seen from above often enough to matter.
sgimage::Rgba laterOldColour(uint16_t id) {
  switch (id) {
    case 110: return {111, 99, 101, 255};  // mycelium
    case 111: return {32, 128, 48, 200};   // lily pad
    case 112: case 113: case 114: return {44, 22, 26, 255};  // nether bricks
    case 121: return {221, 223, 165, 255};  // end stone
    case 133: return {80, 200, 120, 255};  // emerald block
    case 155: case 156: return {236, 230, 223, 255};  // quartz
    case 159: case 172: return {152, 94, 67, 255};  // terracotta
    case 168: return {99, 156, 151, 255};  // prismarine
    case 169: return {172, 199, 190, 255};  // sea lantern
    case 170: return {166, 139, 12, 255};  // hay
    case 174: return {141, 180, 250, 255};  // packed ice
    case 179: case 180: case 181: case 182: return {186, 99, 29, 255};  // red sandstone
    case 201: case 202: case 203: case 204: case 205: return {169, 125, 169, 255};  // purpur
    case 206: return {224, 228, 170, 255};  // end bricks
    case 208: return {148, 122, 65, 255};  // grass path
    case 213: return {202, 78, 6, 255};  // magma
    case 214: return {114, 3, 2, 255};  // nether wart block
    case 215: return {100, 10, 10, 255};  // red nether bricks
    case 216: return {230, 226, 210, 255};  // bone block
    default: return {150, 150, 150, 255};
  }
}

// Newer blocks by name: the dye colour a name carries, else its material.
sgimage::Rgba colourByName(std::string_view n) {
  static const char* const dyeNames[16] = {"white", "orange", "magenta", "light_blue", "yellow", "lime",
                                           "pink", "gray", "light_gray", "cyan", "purple", "blue",
                                           "brown", "green", "red", "black"};
  auto has = [&](std::string_view w) { return n.find(w) != std::string_view::npos; };
  // The longest dye name that begins the name wins (light_blue before blue).
  int dye = -1;
  size_t best = 0;
  for (int i = 0; i < 16; ++i) {
    std::string_view d = dyeNames[i];
    if (n.substr(0, d.size()) == d && d.size() > best && (n.size() == d.size() || n[d.size()] == '_')) {
      dye = i;
      best = d.size();
    }
  }
  if (dye >= 0) {
    sgimage::Rgba c = kDyes[dye];
    if (has("terracotta")) return fired(c);
    if (has("glass")) return seeThrough(c, 140);
    if (has("candle") || has("banner") || has("bed") || has("shulker")) return c;
    return c;
  }
  struct Material {
    const char* word;
    sgimage::Rgba colour;
  };
  static const Material materials[] = {
      {"water", {48, 80, 220, 150}},      {"lava", {210, 90, 10, 255}},
      {"ice", {141, 180, 250, 200}},      {"snow", {240, 251, 251, 255}},
      {"glass", {220, 240, 255, 60}},     {"cherry_leaves", {229, 172, 196, 210}},
      {"azalea_leaves", {90, 125, 40, 210}}, {"mangrove_leaves", {80, 120, 30, 210}},
      {"leaves", {60, 120, 30, 210}},     {"deepslate", {80, 80, 84, 255}},
      {"cobbled_deepslate", {77, 77, 80, 255}}, {"tuff", {108, 109, 102, 255}},
      {"calcite", {223, 224, 220, 255}},  {"dripstone", {134, 107, 92, 255}},
      {"amethyst", {133, 97, 191, 255}},  {"oxidized", {82, 162, 132, 255}},
      {"weathered", {108, 153, 110, 255}}, {"exposed", {161, 125, 103, 255}},
      {"copper", {192, 107, 79, 255}},    {"cherry", {226, 178, 172, 255}},
      {"mangrove", {117, 54, 48, 255}},   {"bamboo", {193, 173, 80, 255}},
      {"crimson", {101, 48, 70, 255}},    {"warped", {43, 104, 99, 255}},
      {"blackstone", {42, 35, 40, 255}},  {"basalt", {80, 81, 86, 255}},
      {"soul", {81, 62, 50, 255}},        {"nether_gold", {115, 54, 42, 255}},
      {"ancient_debris", {94, 66, 58, 255}}, {"netherite", {66, 61, 63, 255}},
      {"sculk", {12, 29, 36, 255}},       {"mud_brick", {137, 103, 79, 255}},
      {"mud", {60, 57, 60, 255}},         {"moss", {89, 109, 45, 255}},
      {"azalea", {101, 124, 47, 255}},    {"dirt", {134, 96, 67, 255}},
      {"sand", {219, 207, 163, 255}},     {"prismarine", {99, 156, 151, 255}},
      {"coral", {200, 80, 120, 255}},     {"kelp", {60, 120, 40, 150}},
      {"seagrass", {50, 120, 40, 120}},   {"honey", {251, 185, 52, 255}},
      {"shroomlight", {240, 146, 70, 255}}, {"froglight", {240, 230, 170, 255}},
      {"lantern", {230, 170, 80, 200}},   {"campfire", {120, 90, 50, 255}},
      {"purpur", {169, 125, 169, 255}},   {"quartz", {236, 230, 223, 255}},
      {"brick", {150, 97, 83, 255}},      {"log", {109, 85, 51, 255}},
      {"wood", {109, 85, 51, 255}},       {"stem", {90, 60, 70, 255}},
      {"planks", {162, 131, 79, 255}},    {"stone", {125, 125, 125, 255}},
      {"ore", {130, 130, 130, 255}},      {"grass", {95, 159, 53, 150}},
      {"fern", {80, 140, 50, 150}},       {"vine", {60, 110, 30, 150}},
      {"roots", {100, 80, 60, 150}},      {"flower", {200, 120, 160, 200}},
      {"rail", {120, 110, 100, 150}},     {"fence", {140, 110, 70, 200}},
      {"door", {140, 110, 70, 200}},      {"sign", {140, 110, 70, 150}},
  };
  for (const auto& m : materials)
    if (has(m.word)) return m.colour;
  return {150, 150, 150, 255};
}

// The colour of each id at data value 0, built once.
struct ColourTable {
  std::vector<sgimage::Rgba> byId;
  ColourTable() : byId(kBlockIdLimit, kUnknownColour) {
    for (uint16_t id = 0; id < 256; ++id) byId[id] = id < 110 ? kColours[id] : laterOldColour(id);
    for (size_t i = 0; i < kBlockNameCount; ++i) {
      const BlockName& b = kBlockNames[i];
      if (b.id >= 256 && b.id < kBlockIdLimit) byId[b.id] = colourByName(b.name);
    }
    byId[kUnknownBlock] = kUnknownColour;
  }
};

}  // namespace

sgimage::Rgba blockColour(uint16_t id, uint8_t data) {
  static const ColourTable table;
  data &= 15;
  switch (id) {
    case 35: case 251: return kDyes[data];                      // wool, concrete
    case 171: return kDyes[data];                               // carpet
    case 252: return {static_cast<uint8_t>(kDyes[data].r * 0.9 + 20), static_cast<uint8_t>(kDyes[data].g * 0.9 + 20),
                      static_cast<uint8_t>(kDyes[data].b * 0.9 + 20), 255};  // concrete powder
    case 159: return fired(kDyes[data]);                        // stained terracotta
    case 95: return seeThrough(kDyes[data], 140);               // stained glass
    case 160: return seeThrough(kDyes[data], 110);              // stained glass pane
    case 5: return kPlanks[data % 6];
    case 17: return kLogs[data & 3];
    case 162: return kLogs[4 + (data & 1)];
    case 18: return kLeaves[data & 3];
    case 161: return kLeaves[4 + (data & 1)];
    case 12: return data == 1 ? sgimage::Rgba{190, 102, 33, 255} : kColours[12];  // red sand
    case 1: return data == 1 || data == 2 ? sgimage::Rgba{154, 106, 89, 255}      // granite
                   : data == 3 || data == 4 ? sgimage::Rgba{188, 188, 188, 255}  // diorite
                   : data == 5 || data == 6 ? sgimage::Rgba{136, 136, 137, 255}  // andesite
                                            : kColours[1];
    default: break;
  }
  return id < kBlockIdLimit ? table.byId[id] : kUnknownColour;
}

}  // namespace sgrender
