#include "renderer/world/bedrock/level_db.h"


#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <fstream>
#include <memory>

#include "renderer/work_pool.h"
#include "renderer/world/chunk_bytes.h"
#include "system/tool_system.h"

namespace fs = std::filesystem;

namespace sgrender {

namespace {

// What no real store exceeds: a table block, a log file and the manifest.
constexpr size_t kMaxBlock = size_t(16) << 20;
constexpr uint64_t kMaxLog = uint64_t(256) << 20;
constexpr size_t kMaxTables = 100000;
constexpr uint64_t kTableMagic = 0xdb4775248b80fb57ull;
constexpr size_t kFooterSize = 48;

// Eight tables, so that the checksum takes eight bytes a step.
std::array<std::array<uint32_t, 256>, 8> makeCrcTables() {
  std::array<std::array<uint32_t, 256>, 8> t{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0x82f63b78u ^ (c >> 1) : c >> 1;
    t[0][i] = c;
  }
  for (uint32_t i = 0; i < 256; ++i)
    for (size_t k = 1; k < 8; ++k) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xff];
  return t;
}

uint32_t load32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint64_t load64(const uint8_t* p) { return uint64_t(load32(p)) | uint64_t(load32(p + 4)) << 32; }

// Bytes read from the front, every step checked against what is left.
struct Cursor {
  const uint8_t* p;
  const uint8_t* end;
  bool varint(uint64_t& v) {
    v = 0;
    for (int shift = 0; shift < 64 && p < end; shift += 7) {
      const uint8_t b = *p++;
      v |= uint64_t(b & 0x7f) << shift;
      if (!(b & 0x80)) return true;
    }
    return false;
  }
  bool bytes(uint64_t n, std::string_view& out) {
    if (n > static_cast<uint64_t>(end - p)) return false;
    out = std::string_view(reinterpret_cast<const char*>(p), static_cast<size_t>(n));
    p += n;
    return true;
  }
  bool text(std::string_view& out) {
    uint64_t n;
    return varint(n) && bytes(n, out);
  }
};

// A table's internal key: the user's key, then the sequence number and the kind in 8 bytes.
struct InternalKey {
  std::string_view user;
  uint64_t sequence = 0;
  bool deleted = false;
};
// The user's key of an internal key (a key too short to be one is taken whole).
std::string_view userKeyOf(std::string_view k) { return k.size() >= 8 ? k.substr(0, k.size() - 8) : k; }

bool splitKey(std::string_view k, InternalKey& out) {
  if (k.size() < 8) return false;
  const uint64_t trailer = load64(reinterpret_cast<const uint8_t*>(k.data() + k.size() - 8));
  out.user = k.substr(0, k.size() - 8);
  out.sequence = trailer >> 8;
  out.deleted = (trailer & 0xff) == 0;
  return (trailer & 0xff) <= 1;
}

std::string fileName(uint64_t number, const char* extension) {
  std::string digits = std::to_string(number);
  if (digits.size() < 6) digits.insert(0, 6 - digits.size(), '0');
  return digits + extension;
}

bool readWhole(const fs::path& file, uint64_t limit, std::string& out, std::string& error) {
  uint64_t size = 0;
  std::FILE* f = sgsys::openRegularFile(sgsys::nameOf(file), size);
  if (!f) {
    error = "cannot open " + sgsys::nameOf(file.filename());
    return false;
  }
  if (size > limit) {
    std::fclose(f);
    error = sgsys::nameOf(file.filename()) + " is larger than any the game writes";
    return false;
  }
  out.resize(static_cast<size_t>(size));
  const bool ok = size == 0 || sgsys::readAt(f, out.data(), out.size(), 0);
  std::fclose(f);
  if (!ok) error = "cannot read " + sgsys::nameOf(file.filename());
  return ok;
}

}  // namespace

uint32_t crc32c(const uint8_t* data, size_t size, uint32_t seed) {
  static const auto t = makeCrcTables();
  uint32_t c = ~seed;
  size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    const uint32_t lo = c ^ load32(data + i), hi = load32(data + i + 4);
    c = t[7][lo & 0xff] ^ t[6][(lo >> 8) & 0xff] ^ t[5][(lo >> 16) & 0xff] ^ t[4][lo >> 24] ^ t[3][hi & 0xff] ^
        t[2][(hi >> 8) & 0xff] ^ t[1][(hi >> 16) & 0xff] ^ t[0][hi >> 24];
  }
  for (; i < size; ++i) c = t[0][(c ^ data[i]) & 0xff] ^ (c >> 8);
  return ~c;
}

uint32_t maskedCrc32c(const uint8_t* data, size_t size, uint32_t seed) {
  const uint32_t c = crc32c(data, size, seed);
  return ((c >> 15) | (c << 17)) + 0xa282ead8u;
}

bool readLogRecords(const uint8_t* data, size_t size, const std::function<void(std::string_view)>& record,
                    std::string& error) {
  constexpr size_t kBlock = 32768, kHeader = 7;
  std::string pieces;
  bool inRecord = false;
  size_t at = 0;
  while (at < size) {
    const size_t left = kBlock - at % kBlock;
    if (left < kHeader) {  // the block's trailer
      at += left;
      continue;
    }
    if (size - at < kHeader) break;  // a record cut short at the end: the game was writing it
    const uint8_t* h = data + at;
    const uint32_t checksum = load32(h);
    const size_t length = size_t(h[4]) | size_t(h[5]) << 8;
    const uint8_t type = h[6];
    if (type == 0 && length == 0) {  // padding a preallocated file
      at += left;
      continue;
    }
    if (length > left - kHeader || at + kHeader + length > size) {
      if (at + kHeader + length > size) break;  // cut short by a writer
      error = "a log record is longer than its block";
      return false;
    }
    if (maskedCrc32c(h + 6, 1 + length) != checksum) {
      error = "a log record's checksum does not match";
      return false;
    }
    const std::string_view body(reinterpret_cast<const char*>(h + kHeader), length);
    switch (type) {
      case 1: record(body); inRecord = false; break;
      case 2: pieces.assign(body); inRecord = true; break;
      case 3:
        if (inRecord) pieces.append(body);
        break;
      case 4:
        if (inRecord) record(pieces + std::string(body));
        inRecord = false;
        break;
      default:
        error = "a log record of unknown type " + std::to_string(type);
        return false;
    }
    at += kHeader + length;
  }
  return true;
}

// One table file: its index (the last key of each block and where the block lies), read on
// opening; blocks are read and checked when asked for.
struct LevelDb::Table {
  std::string name;
  // The user keys the manifest says the table runs from and to.
  std::string smallest, largest;
  std::FILE* file = nullptr;
  uint64_t size = 0;
  struct Block {
    std::string lastKey;  // an internal key at or after the block's last key
    uint64_t offset = 0, length = 0;
  };
  std::vector<Block> blocks;
  // The entries of blocks kept from a reading of every record, by the block's place in `blocks`.
  std::vector<std::unique_ptr<const std::string>> kept;

  ~Table() {
    if (file) std::fclose(file);
  }

  // The block's entries, inflated and checked, where the calling thread keeps them: `out`
  // stays valid until the thread reads its next block.
  bool read(uint64_t offset, uint64_t length, std::string_view& out, std::string& error) const {
    if (length > kMaxBlock || offset > size || length + 5 > size - offset) {
      error = name + ": a block lies outside the file";
      return false;
    }
    struct Stored {
      std::unique_ptr<char[]> bytes;
      size_t size = 0;
    };
    thread_local Stored stored;
    const size_t need = static_cast<size_t>(length) + 5;
    if (need > stored.size || (stored.size > kStoredKept && need <= kStoredKept)) {
      stored.bytes = std::make_unique_for_overwrite<char[]>(std::max(need, size_t(4096)));
      stored.size = std::max(need, size_t(4096));
    }
    if (!sgsys::readAt(file, stored.bytes.get(), need, offset)) {
      error = name + ": cannot read a block";
      return false;
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(stored.bytes.get());
    const uint8_t kind = bytes[length];
    if (maskedCrc32c(bytes, length + 1) != load32(bytes + length + 1)) {
      error = name + ": a block's checksum does not match (damaged at byte " + std::to_string(offset) + ")";
      return false;
    }
    switch (kind) {
      case 0:
        out = std::string_view(stored.bytes.get(), static_cast<size_t>(length));
        return true;
      case 2:
      case 4: {
        std::string why;
        if (inflateInPlace(kind == 4, bytes, static_cast<size_t>(length), kMaxBlock, out, why)) return true;
        error = name + ": a block's compressed data cannot be inflated (" + why + ")";
        return false;
      }
      case 1:
        error = name + ": a block is compressed with Snappy (compressor id 1), which this reader does not read";
        return false;
      default:
        error = name + ": a block is compressed with an unknown compressor (id " + std::to_string(kind) + ")";
        return false;
    }
  }
  // The same, kept.
  bool read(uint64_t offset, uint64_t length, std::string& out, std::string& error) const {
    std::string_view view;
    if (!read(offset, length, view, error)) return false;
    out.assign(view);
    return true;
  }
  // A thread lets go of more room than this for a block once a smaller one comes.
  static constexpr size_t kStoredKept = size_t(4) << 20;
};

namespace {

// Calls f(key, value) for each entry of a block; false when the block is malformed.
bool eachEntry(std::string_view block, const std::function<bool(std::string_view, std::string_view)>& f) {
  if (block.size() < 4) return false;
  const auto* b = reinterpret_cast<const uint8_t*>(block.data());
  const uint32_t restarts = load32(b + block.size() - 4);
  if (restarts == 0 || restarts > (block.size() - 4) / 4) return false;
  const size_t entriesEnd = block.size() - 4 - size_t(restarts) * 4;
  Cursor c{b, b + entriesEnd};
  std::string key;
  while (c.p < c.end) {
    uint64_t shared, unshared, valueLength;
    std::string_view delta, value;
    if (!c.varint(shared) || !c.varint(unshared) || !c.varint(valueLength) || shared > key.size() ||
        !c.bytes(unshared, delta) || !c.bytes(valueLength, value))
      return false;
    key.resize(static_cast<size_t>(shared));
    key.append(delta);
    if (!f(key, value)) return true;
  }
  return true;
}

}  // namespace

LevelDb::LevelDb() = default;
LevelDb::~LevelDb() = default;

bool LevelDb::open(const fs::path& dbFolder, std::string& error) {
  folder_ = dbFolder;
  std::string current;
  if (!readWhole(dbFolder / "CURRENT", 4096, current, error)) {
    error = "the store has no readable CURRENT file";
    return false;
  }
  while (!current.empty() && (current.back() == '\n' || current.back() == '\r')) current.pop_back();
  if (current.rfind("MANIFEST-", 0) != 0 || current.find('/') != std::string::npos ||
      current.find('\\') != std::string::npos) {
    error = "CURRENT does not name a manifest";
    return false;
  }
  return readManifest(dbFolder / current, error);
}

bool LevelDb::readManifest(const fs::path& manifest, std::string& error) {
  std::string bytes;
  if (!readWhole(manifest, kMaxLog, bytes, error)) return false;
  // Each live table's smallest and largest user keys, as the manifest lists them.
  std::map<uint64_t, std::pair<std::string, std::string>> live;
  uint64_t logNumber = 0, previousLog = 0;
  bool decoded = true;
  size_t edits = 0;
  std::string reason;
  const bool readAll = readLogRecords(
      reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
      [&](std::string_view edit) {
        ++edits;
        Cursor c{reinterpret_cast<const uint8_t*>(edit.data()), reinterpret_cast<const uint8_t*>(edit.data()) + edit.size()};
        while (decoded && c.p < c.end) {
          uint64_t tag, level, number, size, ignored;
          std::string_view text, smallest, largest;
          switch (c.varint(tag) ? tag : 0) {
            case 1: decoded = c.text(text); break;                       // comparator
            case 2: decoded = c.varint(logNumber); break;
            case 3: case 4: decoded = c.varint(ignored); break;        // next file, last sequence
            case 5: decoded = c.varint(level) && c.text(text); break;  // compaction pointer
            case 6:
              decoded = c.varint(level) && c.varint(number);
              if (decoded) live.erase(number);
              break;
            case 7:
              decoded = c.varint(level) && c.varint(number) && c.varint(size) && c.text(smallest) && c.text(largest);
              if (decoded) live[number] = {std::string(userKeyOf(smallest)), std::string(userKeyOf(largest))};
              break;
            case 9: decoded = c.varint(previousLog); break;
            default: decoded = false; reason = "an unknown field " + std::to_string(tag); break;
          }
        }
      },
      error);
  if (!decoded) {
    error = "the manifest is damaged" + (reason.empty() ? std::string() : " (" + reason + ")");
    return false;
  }
  if (!readAll || edits == 0) {
    error = "the manifest is damaged (" + (edits == 0 && readAll ? std::string("it holds no record") : error) + ")";
    return false;
  }
  if (live.size() > kMaxTables) {
    error = "the manifest lists more tables than any store holds";
    return false;
  }
  for (const auto& [number, keys] : live) {
    std::string why;
    if (!openTable(number, keys.first, keys.second, why)) problems_.push_back(why);
  }
  // The logs not yet written into tables: those from the manifest's log number on, oldest first.
  std::vector<std::pair<uint64_t, fs::path>> logs;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder_, ec)) {
    const std::string n = sgsys::nameOf(e.path().filename());
    if (n.size() < 5 || n.compare(n.size() - 4, 4, ".log") != 0) continue;
    const std::string digits = n.substr(0, n.size() - 4);
    if (digits.empty() || digits.size() > 18 || !std::all_of(digits.begin(), digits.end(), ::isdigit)) continue;
    const uint64_t number = std::stoull(digits);
    if (number >= logNumber || (previousLog != 0 && number == previousLog)) logs.emplace_back(number, e.path());
  }
  std::sort(logs.begin(), logs.end());
  for (const auto& [number, path] : logs) replayLog(path);
  return true;
}

bool LevelDb::openTable(uint64_t number, const std::string& smallest, const std::string& largest,
                        std::string& error) {
  auto t = std::make_unique<Table>();
  t->smallest = smallest;
  t->largest = largest;
  fs::path path = folder_ / fileName(number, ".ldb");
  std::error_code ec;
  if (!fs::exists(path, ec)) path = folder_ / fileName(number, ".sst");
  t->name = sgsys::nameOf(path.filename());
  t->file = sgsys::openRegularFile(sgsys::nameOf(path), t->size);
  if (!t->file) {
    error = t->name + ": the manifest lists it, but it cannot be opened";
    return false;
  }
  uint8_t footer[kFooterSize];
  if (t->size < kFooterSize || !sgsys::readAt(t->file, footer, kFooterSize, t->size - kFooterSize) ||
      load64(footer + 40) != kTableMagic) {
    error = t->name + ": not a table (its footer is missing)";
    return false;
  }
  Cursor c{footer, footer + 40};
  uint64_t metaOffset, metaSize, indexOffset, indexSize;
  if (!c.varint(metaOffset) || !c.varint(metaSize) || !c.varint(indexOffset) || !c.varint(indexSize)) {
    error = t->name + ": its footer is damaged";
    return false;
  }
  std::string index;
  if (!t->read(indexOffset, indexSize, index, error)) return false;
  bool handles = true;
  const bool entries = eachEntry(index, [&](std::string_view key, std::string_view value) {
    Cursor h{reinterpret_cast<const uint8_t*>(value.data()), reinterpret_cast<const uint8_t*>(value.data()) + value.size()};
    Table::Block b;
    b.lastKey.assign(key);
    handles = h.varint(b.offset) && h.varint(b.length);
    if (handles) t->blocks.push_back(std::move(b));
    return handles;
  });
  if (!entries || !handles) {
    error = t->name + ": its index is damaged";
    return false;
  }
  tables_.push_back(std::move(t));
  return true;
}

void LevelDb::replayLog(const fs::path& log) {
  std::string bytes, error;
  if (!readWhole(log, kMaxLog, bytes, error)) {
    problems_.push_back(error);
    return;
  }
  bool batches = true;
  const bool read = readLogRecords(
      reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
      [&](std::string_view batch) {
        if (!batches || batch.size() < 12) {
          batches = false;
          return;
        }
        const auto* b = reinterpret_cast<const uint8_t*>(batch.data());
        uint64_t sequence = load64(b);
        const uint32_t count = load32(b + 8);
        Cursor c{b + 12, b + batch.size()};
        for (uint32_t i = 0; i < count && batches; ++i, ++sequence) {
          if (c.p >= c.end) {
            batches = false;
            break;
          }
          const uint8_t kind = *c.p++;
          std::string_view key, value;
          batches = (kind == 0 || kind == 1) && c.text(key) && (kind == 0 || c.text(value));
          if (!batches) break;
          DbRecord& r = memory_[std::string(key)];
          if (r.key.empty() || sequence >= r.sequence) {
            r.key.assign(key);
            r.sequence = sequence;
            r.deleted = kind == 0;
            r.value.assign(value);
          }
        }
      },
      error);
  if (!read) problems_.push_back(sgsys::nameOf(log.filename()) + ": " + error + "; its later records are not read");
  else if (!batches) problems_.push_back(sgsys::nameOf(log.filename()) + ": a write batch is damaged");
}

void LevelDb::eachRecord(
    const std::function<void(std::string_view key, uint64_t sequence, bool deleted, size_t valueSize)>& f,
    int threads, size_t keepBytes) {
  std::vector<std::pair<Table*, size_t>> blocks;
  for (const auto& t : tables_) {
    t->kept.clear();
    t->kept.resize(t->blocks.size());
    for (size_t b = 0; b < t->blocks.size(); ++b) blocks.emplace_back(t.get(), b);
  }
  struct Found {
    std::string key;
    uint64_t sequence;
    bool deleted;
    size_t size;
  };
  std::mutex calling;
  std::atomic<size_t> keptBytes{0};
  WorkPool pool(threads);
  pool.run(blocks.size(), [&](size_t i) {
    Table& t = *blocks[i].first;
    const Table::Block& b = t.blocks[blocks[i].second];
    std::string_view block;
    std::string error;
    if (!t.read(b.offset, b.length, block, error)) {
      std::lock_guard<std::mutex> lock(calling);
      problems_.push_back(error);
      return;
    }
    std::vector<Found> found;
    const bool whole = eachEntry(block, [&](std::string_view key, std::string_view value) {
      InternalKey k;
      if (splitKey(key, k)) found.push_back({std::string(k.user), k.sequence, k.deleted, value.size()});
      return true;
    });
    if (whole && keptBytes.fetch_add(block.size()) + block.size() <= keepBytes)
      t.kept[blocks[i].second] = std::make_unique<const std::string>(block);
    else if (whole)
      keptBytes.fetch_sub(block.size());
    std::lock_guard<std::mutex> lock(calling);
    for (const auto& r : found) f(r.key, r.sequence, r.deleted, r.size);
    if (!whole) problems_.push_back(t.name + ": a block's entries are damaged");
  });
  for (const auto& [key, r] : memory_) f(key, r.sequence, r.deleted, r.value.size());
}

bool LevelDb::collect(std::string_view from, const std::function<bool(std::string_view)>& more,
                      const Found& found, std::string& error, size_t maxKey, size_t maxBytes) const {
  // The newest record of each key: its value where it lies when that outlives the call (a kept
  // block, the log), else a copy.
  struct Newest {
    uint64_t sequence = 0;
    bool deleted = false;
    std::string_view value;
    std::string copy;
  };
  std::map<std::string, Newest, std::less<>> newest;
  size_t held = 0;
  bool tooMuch = false;
  auto offer = [&](std::string_view key, uint64_t sequence, bool deleted, std::string_view value, bool lasting) {
    if (key.size() > maxKey) return;
    auto it = newest.find(key);
    if (it != newest.end() && it->second.sequence > sequence) return;
    const bool fresh = it == newest.end();
    Newest& r = fresh ? newest[std::string(key)] : it->second;
    held = held + value.size() + (fresh ? key.size() : 0) - r.value.size();  // the value it replaces goes
    if (held > maxBytes) tooMuch = true;
    r.sequence = sequence;
    r.deleted = deleted;
    if (tooMuch) value = {};
    if (lasting) {
      r.copy.clear();
      r.value = value;
    } else {
      r.copy.assign(value);
      r.value = r.copy;
    }
  };
  for (const auto& t : tables_) {
    // A table that ends before `from`, or whose first key is already past the keys asked for,
    // holds none of them (`more` holds for a run of keys from `from` on). A manifest that gives
    // no keys leaves the table to be searched.
    if (!t->largest.empty() && (t->largest < from || (t->smallest > from && !more(t->smallest)))) continue;
    // The first block whose last key is not before `from`.
    auto b = std::partition_point(t->blocks.begin(), t->blocks.end(), [&](const Table::Block& block) {
      InternalKey k;
      return splitKey(block.lastKey, k) ? k.user < from : std::string_view(block.lastKey) < from;
    });
    bool going = true;
    for (; going && b != t->blocks.end(); ++b) {
      std::string_view block;
      const auto index = static_cast<size_t>(b - t->blocks.begin());
      const std::string* kept = index < t->kept.size() ? t->kept[index].get() : nullptr;
      if (kept) block = *kept;
      else if (!t->read(b->offset, b->length, block, error)) return false;
      const bool whole = eachEntry(block, [&](std::string_view key, std::string_view value) {
        InternalKey k;
        if (!splitKey(key, k) || k.user < from) return true;
        if (!more(k.user)) {
          going = false;
          return false;
        }
        offer(k.user, k.sequence, k.deleted, value, kept != nullptr);
        return true;
      });
      if (!whole) {
        error = t->name + ": a block's entries are damaged";
        return false;
      }
    }
  }
  for (auto it = memory_.lower_bound(from); it != memory_.end() && more(it->first); ++it)
    offer(it->first, it->second.sequence, it->second.deleted, it->second.value, true);
  if (tooMuch) {
    error = "its records take more than any chunk's";
    return false;
  }
  Records live;
  for (const auto& [key, r] : newest)
    if (!r.deleted) live.emplace_back(key, r.value);
  found(live);
  return true;
}

bool LevelDb::withPrefix(std::string_view prefix, const Found& found, std::string& error, size_t maxKey,
                         size_t maxBytes) const {
  return collect(
      prefix, [&](std::string_view key) { return key.substr(0, prefix.size()) == prefix; }, found, error, maxKey,
      maxBytes);
}

bool LevelDb::withPrefix(std::string_view prefix, std::vector<DbRecord>& out, std::string& error, size_t maxKey,
                         size_t maxBytes) const {
  out.clear();
  return withPrefix(
      prefix,
      [&](const Records& records) {
        for (const auto& [key, value] : records)
          out.push_back({.key = std::string(key), .sequence = 0, .deleted = false, .value = std::string(value)});
      },
      error, maxKey, maxBytes);
}

bool LevelDb::get(std::string_view key, std::string& value, std::string& error) const {
  bool live = false;
  const bool read = collect(
      key, [&](std::string_view k) { return k == key; },
      [&](const Records& records) {
        if (records.empty()) return;
        value.assign(records.front().second);
        live = true;
      },
      error);
  return read && live;
}

}  // namespace sgrender
