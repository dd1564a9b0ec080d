#include "renderer/blocks/block_names.h"

#include <algorithm>
#include <cstring>

namespace sgrender {

const BlockName* findBlockName(std::string_view name) {
  if (name.substr(0, 10) == "minecraft:") name.remove_prefix(10);
  const BlockName* end = kBlockNames + kBlockNameCount;
  const BlockName* it = std::lower_bound(kBlockNames, end, name, [](const BlockName& b, std::string_view n) {
    return std::string_view(b.name) < n;
  });
  return it != end && std::string_view(it->name) == name ? it : nullptr;
}

const BlockName* blockNameOf(uint16_t id, uint8_t data) {
  // Still water and still lava (9, 11) are named as their flowing kin (8, 10): the names since
  // 1.13 do not tell them apart.
  if (id == 9 || id == 11) --id;
  // Of the names an id and data value carry, the plainest: the old block's own name is the
  // shortest (diamond_ore before deepslate_diamond_ore, water before bubble_column).
  auto better = [](const BlockName* a, const BlockName& b) {
    return !a || std::strlen(b.name) < std::strlen(a->name);
  };
  const BlockName *exact = nullptr, *any = nullptr;
  for (size_t i = 0; i < kBlockNameCount; ++i) {
    const BlockName& b = kBlockNames[i];
    if (b.id != id) continue;
    if (b.data == data && better(exact, b)) exact = &b;
    if (!any || b.data < any->data || (b.data == any->data && better(any, b))) any = &b;
  }
  return exact ? exact : any;
}

std::string_view blockNameFor(uint16_t id, uint8_t data) {
  const BlockName* named = blockNameOf(id, data);
  if (named && (named->data == data || id == 9 || id == 11)) return named->name;
  // The numeric data is sorted by id and data value.
  const LegacyName* end = kLegacyNames + kLegacyNameCount;
  const LegacyName* at = std::lower_bound(kLegacyNames, end, std::pair(id, data), [](const LegacyName& l, auto key) {
    return std::pair(l.id, l.data) < key;
  });
  if (at != end && at->id == id && at->data == data) return at->name;
  return named ? std::string_view(named->name) : std::string_view();
}

}  // namespace sgrender
