#include "worldgen/level_db_writer.h"

#include <zlib.h>

#include <algorithm>
#include <fstream>

#include "renderer/world/bedrock/level_db.h"

namespace fs = std::filesystem;

namespace sgworld {

namespace {

void put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xff);
}
void put64(std::string& s, uint64_t v) {
  put32(s, static_cast<uint32_t>(v));
  put32(s, static_cast<uint32_t>(v >> 32));
}
void putVarint(std::string& s, uint64_t v) {
  while (v >= 0x80) {
    s += static_cast<char>((v & 0x7f) | 0x80);
    v >>= 7;
  }
  s += static_cast<char>(v);
}
void putText(std::string& s, const std::string& t) {
  putVarint(s, t.size());
  s += t;
}

std::string deflated(const std::string& in, bool raw) {
  z_stream z{};
  deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, raw ? -15 : 15, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, in.size()), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  z.avail_in = static_cast<uInt>(in.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

struct Entry {
  std::string internalKey, value;
};

// Entries, a restart every 16, then the restarts and their count.
std::string blockOf(const std::vector<Entry>& entries) {
  std::string b;
  std::vector<uint32_t> restarts;
  std::string last;
  for (size_t i = 0; i < entries.size(); ++i) {
    size_t shared = 0;
    if (i % 16 == 0) {
      restarts.push_back(static_cast<uint32_t>(b.size()));
    } else {
      while (shared < last.size() && shared < entries[i].internalKey.size() && last[shared] == entries[i].internalKey[shared])
        ++shared;
    }
    putVarint(b, shared);
    putVarint(b, entries[i].internalKey.size() - shared);
    putVarint(b, entries[i].value.size());
    b += entries[i].internalKey.substr(shared);
    b += entries[i].value;
    last = entries[i].internalKey;
  }
  if (restarts.empty()) restarts.push_back(0);
  for (uint32_t r : restarts) put32(b, r);
  put32(b, static_cast<uint32_t>(restarts.size()));
  return b;
}

// Appends a block with its trailer; the handle (offset, size) goes into `handle`.
void appendBlock(std::string& file, const std::string& contents, int compressor, std::string& handle) {
  std::string stored = compressor == 2 || compressor == 4 ? deflated(contents, compressor == 4) : contents;
  handle.clear();
  putVarint(handle, file.size());
  putVarint(handle, stored.size());
  stored += static_cast<char>(compressor);
  const uint32_t crc = sgrender::maskedCrc32c(reinterpret_cast<const uint8_t*>(stored.data()), stored.size());
  file += stored;
  put32(file, crc);
}

std::string tableFile(std::vector<Entry> entries, const DbLayout& layout) {
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    const std::string_view ua(a.internalKey.data(), a.internalKey.size() - 8), ub(b.internalKey.data(), b.internalKey.size() - 8);
    if (ua != ub) return ua < ub;
    auto trailer = [](const std::string& k) {
      uint64_t v = 0;
      for (int i = 7; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(k[k.size() - 8 + static_cast<size_t>(i)]);
      return v;
    };
    return trailer(a.internalKey) > trailer(b.internalKey);  // the later write first
  });
  std::string file, handle;
  std::vector<Entry> index, pending;
  size_t pendingBytes = 0;
  auto flush = [&] {
    if (pending.empty()) return;
    appendBlock(file, blockOf(pending), layout.compressor, handle);
    index.push_back({pending.back().internalKey, handle});
    pending.clear();
    pendingBytes = 0;
  };
  for (auto& e : entries) {
    pendingBytes += e.internalKey.size() + e.value.size();
    pending.push_back(std::move(e));
    if (pendingBytes >= layout.blockSize) flush();
  }
  flush();
  std::string metaHandle, indexHandle;
  appendBlock(file, blockOf({}), 0, metaHandle);
  appendBlock(file, blockOf(index), 0, indexHandle);
  std::string footer = metaHandle + indexHandle;
  footer.resize(40, '\0');
  put64(footer, 0xdb4775248b80fb57ull);
  return file + footer;
}

// Records in the log format: 32 KB blocks, each record's pieces with their checksums.
std::string logOf(const std::vector<std::string>& records) {
  constexpr size_t kBlock = 32768, kHeader = 7;
  std::string out;
  for (const auto& r : records) {
    size_t at = 0;
    bool first = true;
    do {
      size_t left = kBlock - out.size() % kBlock;
      if (left < kHeader) {
        out.append(left, '\0');
        left = kBlock;
      }
      const size_t piece = std::min(r.size() - at, left - kHeader);
      const bool last = at + piece == r.size();
      const uint8_t type = first && last ? 1 : first ? 2 : last ? 4 : 3;
      std::string body;
      body += static_cast<char>(type);
      body += r.substr(at, piece);
      put32(out, sgrender::maskedCrc32c(reinterpret_cast<const uint8_t*>(body.data()), body.size()));
      out += static_cast<char>(piece & 0xff);
      out += static_cast<char>(piece >> 8);
      out += body;
      at += piece;
      first = false;
    } while (at < r.size());
  }
  return out;
}

bool writeFile(const fs::path& file, const std::string& bytes, std::string& error) {
  std::ofstream out(file, std::ios::binary);
  if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
    error = "cannot write " + file.string();
    return false;
  }
  return true;
}

std::string internalKey(const DbWrite& w, uint64_t sequence) {
  std::string k = w.key;
  put64(k, sequence << 8 | (w.deleted ? 0 : 1));
  return k;
}

}  // namespace

bool writeLevelDb(const fs::path& db, const DbLayout& layout, std::string& error) {
  std::error_code ec;
  fs::create_directories(db, ec);
  uint64_t sequence = 1;
  std::string edit;
  putVarint(edit, 1);
  putText(edit, "leveldb.BytewiseComparator");
  const uint64_t firstTable = 3;
  const uint64_t logNumber = firstTable + layout.tables.size();
  for (size_t t = 0; t < layout.tables.size(); ++t) {
    std::vector<Entry> entries;
    std::string smallest, largest;
    for (const auto& w : layout.tables[t]) {
      entries.push_back({internalKey(w, sequence++), w.deleted ? std::string() : w.value});
      if (smallest.empty() || entries.back().internalKey < smallest) smallest = entries.back().internalKey;
      if (entries.back().internalKey > largest) largest = entries.back().internalKey;
    }
    const std::string bytes = tableFile(std::move(entries), layout);
    char name[32];
    std::snprintf(name, sizeof name, "%06llu.ldb", static_cast<unsigned long long>(firstTable + t));
    if (!writeFile(db / name, bytes, error)) return false;
    putVarint(edit, 7);
    putVarint(edit, 0);
    putVarint(edit, firstTable + t);
    putVarint(edit, bytes.size());
    putText(edit, smallest);
    putText(edit, largest);
  }
  std::vector<std::string> batches;
  for (const auto& batch : layout.logBatches) {
    std::string b;
    put64(b, sequence);
    put32(b, static_cast<uint32_t>(batch.size()));
    for (const auto& w : batch) {
      b += static_cast<char>(w.deleted ? 0 : 1);
      putText(b, w.key);
      if (!w.deleted) putText(b, w.value);
      ++sequence;
    }
    batches.push_back(std::move(b));
  }
  putVarint(edit, 2);
  putVarint(edit, logNumber);
  putVarint(edit, 3);
  putVarint(edit, logNumber + 1);
  putVarint(edit, 4);
  putVarint(edit, sequence);
  char log[32];
  std::snprintf(log, sizeof log, "%06llu.log", static_cast<unsigned long long>(logNumber));
  return writeFile(db / log, logOf(batches), error) && writeFile(db / "MANIFEST-000002", logOf({edit}), error) &&
         writeFile(db / "CURRENT", "MANIFEST-000002\n", error);
}

}  // namespace sgworld
