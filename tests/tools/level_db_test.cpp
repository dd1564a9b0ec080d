// The store of a Bedrock world, read as the game leaves it: later tables and the log overwrite
// earlier records, deletions hide them, keys run across blocks, and a damaged block is named
// while the rest is still read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "renderer/world/bedrock/level_db.h"
#include "worldgen/level_db_writer.h"

namespace fs = std::filesystem;
using sgrender::DbRecord;
using sgrender::LevelDb;
using sgworld::DbLayout;
using sgworld::DbWrite;

namespace {

std::string keyOf(int i) {
  char k[16];
  std::snprintf(k, sizeof k, "key%05d", i);
  return k;
}

void write(const DbLayout& layout) {
  fs::remove_all("db");
  std::string error;
  ASSERT_TRUE(sgworld::writeLevelDb("db", layout, error)) << error;
}

std::string valueOf(const LevelDb& db, const std::string& key) {
  std::string value, error;
  return db.get(key, value, error) ? value : "<none" + (error.empty() ? "" : ": " + error) + ">";
}

}  // namespace

TEST(LevelDb, LaterTablesAndTheLogWinAndDeletionsHide) {
  DbLayout layout;
  layout.tables = {{{"a", "1"}, {"b", "1"}, {"c", "1"}, {"d", "1"}},
                   {{"b", "2"}, {"c", "", true}},
                   {{"e", "3"}}};
  layout.logBatches = {{{"a", "log"}, {"e", "", true}}, {{"f", "late"}, {"a", "last"}}};
  for (int compressor : {0, 2, 4}) {
    SCOPED_TRACE(compressor);
    layout.compressor = compressor;
    write(layout);
    LevelDb db;
    std::string error;
    ASSERT_TRUE(db.open("db", error)) << error;
    EXPECT_EQ(valueOf(db, "a"), "last");  // the log's later batch over its first over the table
    EXPECT_EQ(valueOf(db, "b"), "2");     // a later table over an earlier one
    EXPECT_EQ(valueOf(db, "c"), "<none>");
    EXPECT_EQ(valueOf(db, "d"), "1");
    EXPECT_EQ(valueOf(db, "e"), "<none>");  // deleted in the log
    EXPECT_EQ(valueOf(db, "f"), "late");
    std::vector<DbRecord> all;
    ASSERT_TRUE(db.withPrefix("", all, error)) << error;
    std::vector<std::string> keys;
    for (const auto& r : all) keys.push_back(r.key + "=" + r.value);
    EXPECT_EQ(keys, (std::vector<std::string>{"a=last", "b=2", "d=1", "f=late"}));
    EXPECT_TRUE(db.problems().empty());
  }
}

TEST(LevelDb, KeysRunAcrossBlocksAndLongValuesAcrossLogBlocks) {
  DbLayout layout;
  layout.blockSize = 64;  // a few records a block
  std::vector<DbWrite> table;
  for (int i = 0; i < 500; ++i) table.push_back({keyOf(i), std::string(static_cast<size_t>(i % 40), char('a' + i % 26))});
  layout.tables = {table};
  const std::string huge(100000, 'z');  // three blocks of the log
  layout.logBatches = {{{keyOf(250), huge}}};
  write(layout);
  LevelDb db;
  std::string error;
  ASSERT_TRUE(db.open("db", error)) << error;
  std::vector<DbRecord> found;
  ASSERT_TRUE(db.withPrefix("key001", found, error)) << error;
  ASSERT_EQ(found.size(), 100u);
  for (int i = 100; i < 200; ++i) EXPECT_EQ(found[static_cast<size_t>(i - 100)].key, keyOf(i));
  EXPECT_EQ(valueOf(db, keyOf(250)), huge);
  EXPECT_EQ(valueOf(db, keyOf(499)), std::string(499 % 40, char('a' + 499 % 26)));
  size_t records = 0;
  db.eachRecord([&](std::string_view, uint64_t, bool, size_t) { ++records; });
  EXPECT_EQ(records, 501u);
}

TEST(LevelDb, ADamagedBlockIsNamedAndTheOthersStillRead) {
  DbLayout layout;
  layout.blockSize = 64;
  layout.compressor = 0;
  std::vector<DbWrite> table;
  for (int i = 0; i < 200; ++i) table.push_back({keyOf(i), "value of " + keyOf(i)});
  layout.tables = {table};
  write(layout);
  // One byte of the first block's value.
  {
    std::fstream f("db/000003.ldb", std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(20);
    f.put('#');
  }
  LevelDb db;
  std::string error;
  ASSERT_TRUE(db.open("db", error)) << error;
  std::string value;
  EXPECT_FALSE(db.get(keyOf(0), value, error));
  EXPECT_NE(error.find("checksum"), std::string::npos) << error;
  EXPECT_NE(error.find("000003.ldb"), std::string::npos) << error;
  EXPECT_EQ(valueOf(db, keyOf(150)), "value of " + keyOf(150));
  size_t records = 0;
  db.eachRecord([&](std::string_view, uint64_t, bool, size_t) { ++records; });
  EXPECT_GT(records, 150u);
  ASSERT_EQ(db.problems().size(), 1u);
}

TEST(LevelDb, ALookupReadsOnlyTheTablesWhoseKeysSpanIt) {
  // Three tables of separate runs of keys, as a compaction leaves them; the middle one damaged.
  DbLayout layout;
  layout.compressor = 0;
  for (int t = 0; t < 3; ++t) {
    std::vector<DbWrite> table;
    for (int i = 0; i < 10; ++i) table.push_back({keyOf(t * 100 + i), "v"});
    layout.tables.push_back(table);
  }
  write(layout);
  {
    std::fstream f("db/000004.ldb", std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(12);
    f.put('#');
  }
  LevelDb db;
  std::string error;
  ASSERT_TRUE(db.open("db", error)) << error;
  // Before, after and between the damaged table's keys: none of its blocks is read.
  for (const std::string prefix : {"key000", "key002", "key0005", "key003"}) {
    SCOPED_TRACE(prefix);
    std::vector<DbRecord> found;
    EXPECT_TRUE(db.withPrefix(prefix, found, error)) << error;
  }
  EXPECT_EQ(valueOf(db, keyOf(205)), "v");
  EXPECT_EQ(valueOf(db, keyOf(0)), "v");
  std::vector<DbRecord> found;
  EXPECT_FALSE(db.withPrefix("key001", found, error));
  EXPECT_NE(error.find("000004.ldb"), std::string::npos) << error;
}

TEST(LevelDb, EveryRecordOnSeveralThreadsKeepsTheBlocksItsBudgetHolds) {
  DbLayout layout;
  layout.blockSize = 64;
  std::vector<DbWrite> table;
  for (int i = 0; i < 300; ++i) table.push_back({keyOf(i), std::string(20, char('a' + i % 26)), i % 7 == 0});
  layout.tables = {table, {{keyOf(5), "later"}}};
  layout.logBatches = {{{keyOf(6), "", true}}};
  auto listing = [](LevelDb& db, int threads, size_t keep) {
    std::multiset<std::string> seen;
    db.eachRecord(
        [&](std::string_view key, uint64_t sequence, bool deleted, size_t size) {
          seen.insert(std::string(key) + (deleted ? " deleted " : " ") + std::to_string(sequence) + " " +
                      std::to_string(size));
        },
        threads, keep);
    return seen;
  };
  write(layout);
  std::string error;
  LevelDb one, two, all, some;
  ASSERT_TRUE(one.open("db", error) && two.open("db", error) && all.open("db", error) && some.open("db", error))
      << error;
  const auto records = listing(one, 1, 0);
  EXPECT_EQ(records.size(), 302u);
  EXPECT_EQ(listing(two, 3, 0), records);
  EXPECT_EQ(listing(all, 2, SIZE_MAX), records);
  listing(some, 1, 200);  // the first few blocks
  // The first table damaged on disk after the listing: a store that kept every block still
  // answers from them, and answers as it did; one that kept none reads the damage, and one
  // that kept a few answers only from those.
  {
    const auto size = fs::file_size("db/000003.ldb");
    std::fstream f("db/000003.ldb", std::ios::in | std::ios::out | std::ios::binary);
    for (std::streamoff at = 0; at + 100 < static_cast<std::streamoff>(size); at += 40) {
      f.seekp(at);
      f.put('#');
    }
  }
  std::vector<DbRecord> found;
  ASSERT_TRUE(all.withPrefix("key001", found, error)) << error;
  EXPECT_EQ(found.size(), 100u - 14u);  // every seventh deleted
  ASSERT_TRUE(all.withPrefix("key0000", found, error)) << error;
  EXPECT_EQ(found.size(), 10u - 2u - 1u);  // and the log's deletion
  EXPECT_EQ(valueOf(all, keyOf(5)), "later");
  EXPECT_EQ(valueOf(all, keyOf(8)), std::string(20, char('a' + 8)));
  EXPECT_FALSE(two.withPrefix("key001", found, error));
  EXPECT_NE(error.find("checksum"), std::string::npos) << error;
  EXPECT_EQ(valueOf(some, keyOf(1)), std::string(20, 'b'));
  EXPECT_NE(valueOf(some, keyOf(150)).find("checksum"), std::string::npos);
}

TEST(LevelDb, CompressorsItCannotReadAreNamed) {
  for (const auto& [compressor, words] : std::vector<std::pair<int, std::string>>{{1, "Snappy (compressor id 1)"},
                                                                                 {7, "unknown compressor (id 7)"}}) {
    DbLayout layout;
    layout.compressor = compressor;
    layout.tables = {{{"a", "1"}}};
    write(layout);
    LevelDb db;
    std::string error, value;
    ASSERT_TRUE(db.open("db", error)) << error;
    EXPECT_FALSE(db.get("a", value, error));
    EXPECT_NE(error.find(words), std::string::npos) << error;
  }
}

TEST(LevelDb, AFolderThatIsNoStoreIsRefusedWithAReason) {
  fs::remove_all("db");
  fs::create_directories("db");
  LevelDb db;
  std::string error;
  EXPECT_FALSE(db.open("db", error));
  EXPECT_NE(error.find("CURRENT"), std::string::npos);
  for (const char* current : {"../../etc/passwd\n", "MANIFEST-000002/../x\n", "MANIFEST-000009\n"}) {
    std::ofstream("db/CURRENT") << current;
    LevelDb other;
    EXPECT_FALSE(other.open("db", error)) << current;
  }
  std::ofstream("db/CURRENT") << "MANIFEST-000002\n";
  std::ofstream("db/MANIFEST-000002", std::ios::binary) << std::string(40, '\x7f');
  LevelDb damaged;
  EXPECT_FALSE(damaged.open("db", error));
  EXPECT_NE(error.find("manifest"), std::string::npos) << error;
}
