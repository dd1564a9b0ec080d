// Writing the game's binary tag format: a builder that appends named tags, big-endian, to bytes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace sgworld {

class NbtWriter {
 public:
  // The root compound (named "") is begun on construction and ended by finish().
  NbtWriter();
  std::vector<uint8_t> finish();

  void beginCompound(const std::string& name);
  void endCompound();
  // A list of compounds: each item is begun with beginListItem() and ended with endCompound().
  void beginCompoundList(const std::string& name, int32_t count);
  void beginListItem() {}
  void byteTag(const std::string& name, int8_t v);
  void intTag(const std::string& name, int32_t v);
  void longTag(const std::string& name, int64_t v);
  void stringTag(const std::string& name, const std::string& v);
  void byteArray(const std::string& name, const std::vector<uint8_t>& v);
  void longArray(const std::string& name, const std::vector<int64_t>& v);
  void intArray(const std::string& name, const std::vector<int32_t>& v);
  void stringList(const std::string& name, const std::vector<std::string>& v);
  void emptyList(const std::string& name);

 private:
  void header(uint8_t type, const std::string& name);
  void u8(uint8_t v) { out_.push_back(v); }
  void u16(uint16_t v);
  void u32(uint32_t v);
  void u64(uint64_t v);
  void text(const std::string& s);
  std::vector<uint8_t> out_;
};

}  // namespace sgworld
