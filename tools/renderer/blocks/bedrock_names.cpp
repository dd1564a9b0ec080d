#include "renderer/blocks/bedrock_names.h"

#include <algorithm>
#include <string>

#include "renderer/blocks/biomes.h"

namespace sgrender {

namespace {

std::string_view bare(std::string_view name) {
  constexpr std::string_view kPrefix = "minecraft:";
  return name.substr(0, kPrefix.size()) == kPrefix ? name.substr(kPrefix.size()) : name;
}

// The value text of the deciding state (or states, joined by '|').
std::string decidingValue(std::string_view states, const std::function<std::string_view(std::string_view)>& state) {
  std::string value;
  size_t from = 0;
  while (true) {
    const size_t bar = states.find('|', from);
    value += state(states.substr(from, bar == std::string_view::npos ? std::string_view::npos : bar - from));
    if (bar == std::string_view::npos) return value;
    value += '|';
    from = bar + 1;
  }
}

}  // namespace

const BlockName* bedrockBlock(std::string_view name, const std::function<std::string_view(std::string_view)>& state) {
  name = bare(name);
  const BedrockName* first = kBedrockNames;
  const BedrockName* last = kBedrockNames + kBedrockNameCount;
  const auto lo = std::lower_bound(first, last, name, [](const BedrockName& b, std::string_view n) { return b.name < n; });
  const auto hi = std::upper_bound(lo, last, name, [](std::string_view n, const BedrockName& b) { return n < b.name; });
  if (lo == hi) return nullptr;
  const BedrockName* chosen = lo;
  if (*lo->state) {
    const std::string value = decidingValue(lo->state, state);
    // A value no table lists (a newer state of the same block) is drawn as the block's first.
    for (auto it = lo; it != hi; ++it)
      if (value == it->value) {
        chosen = it;
        break;
      }
  }
  return findBlockName(chosen->java);
}

uint16_t bedrockBiome(int number) {
  const BedrockBiome* last = kBedrockBiomes + kBedrockBiomeCount;
  const auto it = std::lower_bound(kBedrockBiomes, last, number, [](const BedrockBiome& b, int n) { return b.number < n; });
  if (it != last && it->number == number) return biomeByName(it->java);
  return biomeByNumber(number);
}

}  // namespace sgrender
