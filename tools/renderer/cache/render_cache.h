// The render cache: what the renderer drew of each region, and whole finished images, kept
// under the user's cache folder, so that another render of an unchanged world with the same
// options reuses them. An entry is a file named by its key, written beside its place and
// renamed into it, so it is whole or absent, whatever renders run side by side. Its header
// repeats the key and its bytes carry a checksum: a damaged or foreign entry is not used (the
// caller draws afresh). A failed write (a full disk) costs only the entry. The folder is kept
// under a size cap, the entries used longest ago dropped first.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "renderer/cache/cache_key.h"

namespace sgrender {

struct CacheEntry {
  std::vector<uint8_t> facts;  // small: sizes, counts
  std::vector<uint8_t> bytes;  // the pixels, or a finished image file
};

class RenderCache {
 public:
  static constexpr uint64_t kDefaultLimit = uint64_t(1) << 30;

  // The folder of the cache: SG_RENDER_CACHE when set, else "renders" in the user's cache
  // folder for the program (see sgsys::userCacheFolder); nullopt when none is known.
  static std::optional<std::filesystem::path> userFolder();

  RenderCache(std::filesystem::path folder, uint64_t limitBytes = kDefaultLimit);

  // The entry of that key and kind ("tile", "image"), checked whole; nullopt when there is none
  // or it does not check out. A used entry counts as used now for the size cap.
  std::optional<CacheEntry> load(const CacheKey& key, std::string_view kind) const;
  // Whether the entry is there and checks out: read and checked, but not inflated.
  bool holds(const CacheKey& key, std::string_view kind) const;
  // Keeps an entry; `compress` for raw pixels. False (and nothing kept) when it cannot be written.
  bool store(const CacheKey& key, std::string_view kind, const CacheEntry& entry, bool compress) const;
  // Drops the entries used longest ago until the folder is within the cap.
  void trim() const;

  const std::filesystem::path& folder() const { return folder_; }

 private:
  std::filesystem::path pathOf(const CacheKey& key) const;
  struct Checked;
  std::optional<Checked> check(const CacheKey& key, std::string_view kind) const;

  std::filesystem::path folder_;
  uint64_t limit_;
};

}  // namespace sgrender
