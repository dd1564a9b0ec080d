// A read-only reader of the key-value store that a Bedrock world keeps in its db/ folder: the
// manifest that CURRENT names, the sorted table files it lists and the write-ahead logs newer
// than them. Later records win over earlier ones and deletions hide what they delete. Blocks
// of the tables are checked against their checksums and inflated (zlib or raw deflate). The
// reader never writes, never takes the store's lock and reads while the game has it open.
#pragma once
#include <cstdint>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace sgrender {

// One record as the store keeps it: a key, a sequence number (later writes have higher ones),
// and a value or a deletion.
struct DbRecord {
  std::string key;
  uint64_t sequence = 0;
  bool deleted = false;
  std::string value;
};

class LevelDb {
 public:
  LevelDb();
  ~LevelDb();
  LevelDb(const LevelDb&) = delete;
  LevelDb& operator=(const LevelDb&) = delete;

  // Reads the manifest, opens the tables and replays the logs. False with a reason when the
  // folder is not a readable store.
  bool open(const std::filesystem::path& dbFolder, std::string& error);

  // Every record of every table and log, in no particular order, without its value (a key may
  // come more than once, and deletions come too). A table block that cannot be read is passed
  // over and named in problems(). The blocks are read on `threads` threads (0: one per core),
  // and f is called on one of them at a time. The blocks read are kept for the lookups that
  // follow, while they take no more than `keepBytes` in all. Not while lookups run.
  void eachRecord(const std::function<void(std::string_view key, uint64_t sequence, bool deleted,
                                           size_t valueSize)>& f,
                  int threads = 1, size_t keepBytes = 0);

  // The live records whose keys begin with prefix, in key order (thread-safe). False with a
  // reason when a block they lie in is damaged, or when the records kept (those with keys of
  // at most maxKey bytes) would take more than maxBytes.
  bool withPrefix(std::string_view prefix, std::vector<DbRecord>& out, std::string& error,
                  size_t maxKey = SIZE_MAX, size_t maxBytes = SIZE_MAX) const;
  // The same, the keys and values handed to `found` at once where they lie, valid until it
  // returns (a value from a kept block or the log is not copied).
  using Records = std::vector<std::pair<std::string_view, std::string_view>>;
  using Found = std::function<void(const Records&)>;
  bool withPrefix(std::string_view prefix, const Found& found, std::string& error, size_t maxKey = SIZE_MAX,
                  size_t maxBytes = SIZE_MAX) const;

  // The value of one key; false when it is absent or deleted (error says why when it could not
  // be read).
  bool get(std::string_view key, std::string& value, std::string& error) const;

  const std::vector<std::string>& problems() const { return problems_; }

 private:
  struct Table;
  bool readManifest(const std::filesystem::path& manifest, std::string& error);
  bool openTable(uint64_t number, const std::string& smallest, const std::string& largest, std::string& error);
  void replayLog(const std::filesystem::path& log);
  // Records of every source with keys from `from` on, while `more` says the key still belongs
  // (it holds for a run of keys from `from` on, and for none after it).
  bool collect(std::string_view from, const std::function<bool(std::string_view)>& more, const Found& found,
               std::string& error, size_t maxKey = SIZE_MAX, size_t maxBytes = SIZE_MAX) const;

  std::filesystem::path folder_;
  std::vector<std::unique_ptr<Table>> tables_;
  // The logs' records, newest last for each key.
  std::map<std::string, DbRecord, std::less<>> memory_;
  std::vector<std::string> problems_;
};

// The bytes of a log (the manifest and the write-ahead logs share the format), record by
// record; a damaged record ends the reading with its reason.
bool readLogRecords(const uint8_t* data, size_t size, const std::function<void(std::string_view)>& record,
                    std::string& error);

// CRC-32C as the store masks it.
uint32_t maskedCrc32c(const uint8_t* data, size_t size, uint32_t seed = 0);
uint32_t crc32c(const uint8_t* data, size_t size, uint32_t seed = 0);

}  // namespace sgrender
