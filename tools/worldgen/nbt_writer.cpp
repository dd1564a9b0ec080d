#include "worldgen/nbt_writer.h"

namespace sgworld {

NbtWriter::NbtWriter() { header(10, ""); }

std::vector<uint8_t> NbtWriter::finish() {
  u8(0);
  return std::move(out_);
}

void NbtWriter::u16(uint16_t v) {
  u8(uint8_t(v >> 8));
  u8(uint8_t(v));
}
void NbtWriter::u32(uint32_t v) {
  u16(uint16_t(v >> 16));
  u16(uint16_t(v));
}
void NbtWriter::u64(uint64_t v) {
  u32(uint32_t(v >> 32));
  u32(uint32_t(v));
}
void NbtWriter::text(const std::string& s) {
  u16(static_cast<uint16_t>(s.size()));
  out_.insert(out_.end(), s.begin(), s.end());
}
void NbtWriter::header(uint8_t type, const std::string& name) {
  u8(type);
  text(name);
}

void NbtWriter::beginCompound(const std::string& name) { header(10, name); }
void NbtWriter::endCompound() { u8(0); }
void NbtWriter::beginCompoundList(const std::string& name, int32_t count) {
  header(9, name);
  u8(10);
  u32(static_cast<uint32_t>(count));
}
void NbtWriter::byteTag(const std::string& name, int8_t v) {
  header(1, name);
  u8(static_cast<uint8_t>(v));
}
void NbtWriter::intTag(const std::string& name, int32_t v) {
  header(3, name);
  u32(static_cast<uint32_t>(v));
}
void NbtWriter::longTag(const std::string& name, int64_t v) {
  header(4, name);
  u64(static_cast<uint64_t>(v));
}
void NbtWriter::stringTag(const std::string& name, const std::string& v) {
  header(8, name);
  text(v);
}
void NbtWriter::byteArray(const std::string& name, const std::vector<uint8_t>& v) {
  header(7, name);
  u32(static_cast<uint32_t>(v.size()));
  out_.insert(out_.end(), v.begin(), v.end());
}
void NbtWriter::longArray(const std::string& name, const std::vector<int64_t>& v) {
  header(12, name);
  u32(static_cast<uint32_t>(v.size()));
  for (int64_t x : v) u64(static_cast<uint64_t>(x));
}
void NbtWriter::intArray(const std::string& name, const std::vector<int32_t>& v) {
  header(11, name);
  u32(static_cast<uint32_t>(v.size()));
  for (int32_t x : v) u32(static_cast<uint32_t>(x));
}
void NbtWriter::stringList(const std::string& name, const std::vector<std::string>& v) {
  header(9, name);
  u8(8);
  u32(static_cast<uint32_t>(v.size()));
  for (const auto& s : v) text(s);
}
void NbtWriter::emptyList(const std::string& name) {
  header(9, name);
  u8(0);
  u32(0);
}

}  // namespace sgworld
