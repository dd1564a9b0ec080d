// A Bedrock world's store: the first byte says which file the rest is (a table, the manifest
// or a log), the others being the small store of a valid world; the store is opened, every
// record walked and every key read, from the blocks the walk kept when the byte is odd, and
// read again when it is even.
#include <cstdint>
#include <filesystem>

#include "fuzz_support.h"
#include "renderer/world/bedrock/level_db.h"
#include "worldgen/level_db_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sgfuzz::enterWorkingFolder("level_db");
  if (size < 1) return 0;
  std::filesystem::remove_all("db");
  sgworld::DbLayout layout;
  layout.tables = {{{"a", "1"}, {"b", "2"}}};
  layout.logBatches = {{{"c", "3"}}};
  std::string error;
  if (!sgworld::writeLevelDb("db", layout, error)) return 0;
  const char* files[] = {"db/000003.ldb", "db/MANIFEST-000002", "db/000004.log"};
  sgfuzz::writeInput(files[data[0] / 2 % 3], data + 1, size - 1);
  sgrender::LevelDb db;
  if (!db.open("db", error)) return 0;
  db.eachRecord([](std::string_view, uint64_t, bool, size_t) {}, 1, data[0] % 2 ? SIZE_MAX : 0);
  std::vector<sgrender::DbRecord> all;
  db.withPrefix("", all, error);
  std::string value;
  for (const char* key : {"a", "b", "c"}) db.get(key, value, error);
  return 0;
}
