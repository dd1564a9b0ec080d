// The render cache: what the renderer drew of each region, and whole finished images, kept
// under the user's cache folder, so that another render of an unchanged world with the same
// options reuses them. An entry is a file named by its key, written beside its place and
// renamed into it, so it is whole or absent, whatever renders run side by side. Its header
// repeats the key, and one checksum covers the header and the bytes: a damaged or foreign entry
// is not used (the caller draws afresh). Only plain files are read, and only when their size fits
// what the caller can take, so a damaged folder costs neither time nor memory. What a render
// keeps is written after its image, so that a cache that cannot be written (a full disk) costs
// only the cache. The folder is kept under a size cap, the entries used longest ago dropped
// first; its size is counted as entries are written, and the folder is read whole only when
// that count says it is over the cap, or now and then to set the count right.
#pragma once
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "renderer/cache/cache_key.h"

namespace sgrender {

struct CacheEntry {
  std::vector<uint8_t> facts;  // small: sizes, counts
  std::vector<uint8_t> bytes;  // the pixels, or a finished image file
};

// An entry opened and checked, kept open until it is read: whatever another render does to the
// folder meanwhile (a trim, an entry written again), what was checked is what is read.
class HeldEntry {
 public:
  HeldEntry(HeldEntry&& other) noexcept;
  HeldEntry& operator=(HeldEntry&& other) noexcept;
  HeldEntry(const HeldEntry&) = delete;
  HeldEntry& operator=(const HeldEntry&) = delete;
  ~HeldEntry();

 private:
  friend class RenderCache;
  HeldEntry(std::FILE* file, uint64_t size) : file_(file), size_(size) {}
  std::FILE* file_ = nullptr;
  uint64_t size_ = 0;
};

class RenderCache {
 public:
  static constexpr uint64_t kDefaultLimit = uint64_t(1) << 30;
  // The most that waits in memory to be written after the image; what comes later is written
  // at once.
  static constexpr uint64_t kHeldBackBudget = uint64_t(64) << 20;
  // The room an entry leaves free on its disk, at least: the cache never takes the room that
  // the next images need (see keepRoomFor).
  static constexpr uint64_t kRoomToKeep = uint64_t(256) << 20;
  // An entry's file is its key's name with this ending; while it is written, the ending is
  // followed by ".part", the process's number, a point and a number of the write.
  static constexpr const char* kEnding = ".sgcache";
  static constexpr const char* kPart = ".part";

  // The folder of the cache: SG_RENDER_CACHE when set, else "renders" in the user's cache
  // folder for the program (see sgsys::userCacheFolder); nullopt when none is known.
  static std::optional<std::filesystem::path> userFolder();

  explicit RenderCache(std::filesystem::path folder, uint64_t limitBytes = kDefaultLimit);
  RenderCache(RenderCache&&) noexcept;
  ~RenderCache();

  // The entry of that key and kind ("tile", "image"), checked whole; nullopt when there is none,
  // it does not check out, or its bytes would come to more than `largest`. A used entry counts
  // as used now for the size cap.
  std::optional<CacheEntry> load(const CacheKey& key, std::string_view kind, uint64_t largest) const;
  // The entry opened and checked, for reading later with read(); nullopt as for load().
  std::optional<HeldEntry> hold(const CacheKey& key, std::string_view kind, uint64_t largest) const;
  // A held entry's content, checked again as it is read; nullopt when that fails.
  std::optional<CacheEntry> read(HeldEntry& held, const CacheKey& key, std::string_view kind, uint64_t largest) const;
  // Keeps an entry; `compress` for raw pixels. False (and nothing kept) when it cannot be written.
  // While writes are held back, the entry waits in memory (see holdBackWrites).
  bool store(const CacheKey& key, std::string_view kind, const CacheEntry& entry, bool compress) const;
  // A whole file kept as an entry, copied a block at a time (never held whole), with its facts;
  // written at once. False (and nothing kept) when it cannot be, or is larger than `largest`.
  bool storeFile(const CacheKey& key, std::string_view kind, const std::vector<uint8_t>& facts,
                 const std::string& file, uint64_t largest) const;
  // The entry's bytes copied into `file` a block at a time, put in place only once they check
  // out, and its facts; false (and the file untouched) when there is no such entry or it does
  // not check out.
  bool takeFile(const CacheKey& key, std::string_view kind, uint64_t largest, const std::string& file,
                std::vector<uint8_t>& facts) const;
  // From now on entries wait in memory, within kHeldBackBudget, until writeHeldBack(); those
  // never written (the render failed) are dropped.
  void holdBackWrites() const;
  // Writes the entries that waited, each on its own: one that cannot be written is dropped.
  void writeHeldBack() const;
  // Entries are written only while this much room (and kRoomToKeep) stays free on the disk
  // after them: a render says how large its image is, so that the next one can be written beside it.
  void keepRoomFor(uint64_t bytes) const;
  // Drops the entries used longest ago until the folder is within the cap, when the count of
  // its size says it is over; clears what renders that were stopped left half written.
  void trim() const;

  const std::filesystem::path& folder() const { return folder_; }

 private:
  std::filesystem::path pathOf(const CacheKey& key) const;
  bool write(const CacheKey& key, const std::vector<uint8_t>& file) const;
  // `counted`: the file is an entry, whose bytes count towards the folder's size.
  bool writeFile(const std::string& target, const void* data, size_t size, bool counted = true) const;
  // A file of the folder is written into a temporary of its own (begun here) and put in its
  // place when it ends well; `size` bytes count towards the folder's size.
  // nullptr when it cannot be made, or `size` bytes would leave too little room on the disk.
  std::FILE* beginFile(const std::string& target, std::string& temp, uint64_t size) const;
  bool endFile(std::FILE* f, bool written, const std::string& temp, const std::string& target, uint64_t size) const;
  // The bytes written since the last call.
  uint64_t takeWritten() const;
  // Reads the folder whole: drops what stopped renders left half written and the entries used
  // longest ago while it is over the cap; what it then holds.
  uint64_t countWholeFolder() const;

  std::filesystem::path folder_;
  uint64_t limit_;
  struct Shared;
  std::unique_ptr<Shared> shared_;
};

}  // namespace sgrender
