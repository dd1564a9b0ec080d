// Bedrock blocks and biomes as the renderer draws them: a Bedrock block (its name and states)
// as the Java block the game converts it to, and a Bedrock biome number as a Java biome (a
// generated table).
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "renderer/blocks/block_names.h"

namespace sgrender {

struct BedrockName {
  const char* name;    // without "minecraft:"
  const char* state;   // the state whose value decides the Java name; "" when none does
  const char* value;   // that state's value
  const char* java;    // the Java name, without "minecraft:"
};
extern const BedrockName kBedrockNames[];
extern const size_t kBedrockNameCount;

struct BedrockBiome {
  int number;
  const char* java;
};
extern const BedrockBiome kBedrockBiomes[];
extern const size_t kBedrockBiomeCount;

// The Java block of a Bedrock block; `state(key)` gives a state's value as text ("" when the
// block has none). nullptr when the name has no conversion or its Java block no look.
const BlockName* bedrockBlock(std::string_view name, const std::function<std::string_view(std::string_view)>& state);

// The biome table's index of a Bedrock biome number, or kNoBiome.
uint16_t bedrockBiome(int number);

}  // namespace sgrender
