// One chunk of a Bedrock world: the input is a sub-chunk's value, and the same bytes stand as
// the chunk's 3-D and column biomes beside a valid sub-chunk.
#include "fuzz_support.h"
#include "renderer/formats/decode_bedrock.h"
#include "worldgen/bedrock_chunks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  static const std::string valid = sgworld::encodeSubChunk(std::vector<std::string>(4096, "stone"), 0, 9);
  const char sub[] = {static_cast<char>(sgrender::kSubChunk), 0};
  const char sub2[] = {static_cast<char>(sgrender::kSubChunk), 1};
  const char data3d[] = {static_cast<char>(sgrender::kData3D)};
  const char data2d[] = {static_cast<char>(sgrender::kData2D)};
  sgrender::Chunk chunk;
  std::string error;
  for (auto dimension : {sgrender::BedrockDimension::Overworld, sgrender::BedrockDimension::Nether}) {
    sgrender::decodeBedrockChunk({{std::string_view(sub, 2), input}}, dimension, chunk, error);
    sgrender::decodeBedrockChunk({{std::string_view(sub2, 2), valid}, {std::string_view(data3d, 1), input}}, dimension,
                                 chunk, error);
    sgrender::decodeBedrockChunk({{std::string_view(sub2, 2), valid}, {std::string_view(data2d, 1), input}}, dimension,
                                 chunk, error);
  }
  return 0;
}
