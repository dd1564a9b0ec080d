// A small writer of the key-value store that Bedrock worlds keep in db/, for tests: tables of
// sorted records in checked blocks (stored plain, or compressed with zlib or raw deflate), a
// manifest that lists them, CURRENT, and a log of write batches that the tables do not hold
// yet. Later tables and the log may overwrite or delete what earlier ones hold.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace sgworld {

struct DbWrite {
  std::string key;
  std::string value;
  bool deleted = false;
};

struct DbLayout {
  // Each table's records (in any order), oldest table first; then the log's batches.
  std::vector<std::vector<DbWrite>> tables;
  std::vector<std::vector<DbWrite>> logBatches;
  int compressor = 4;          // 0 plain, 2 zlib, 4 raw deflate (any other id is written as given)
  size_t blockSize = 4096;     // a block ends once its entries reach this many bytes
};

bool writeLevelDb(const std::filesystem::path& dbFolder, const DbLayout& layout, std::string& error);

}  // namespace sgworld
