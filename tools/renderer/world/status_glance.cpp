#include "renderer/world/status_glance.h"

#include "renderer/formats/decode_chunk.h"

namespace sgrender {

namespace {
constexpr int kUntoldBeforeStopping = 8;
}  // namespace

StatusGlance::StatusGlance(bool finishedToo) {
  glance_.bytes = kStatusStartBytes;
  glance_.enough = [this, finishedToo](const uint8_t* start, size_t size) {
    const StatusAtStart s = statusAtStart(start, size);
    (s == StatusAtStart::Unknown ? untold_ : told_).fetch_add(1, std::memory_order_relaxed);
    return s == StatusAtStart::Unfinished || (finishedToo && s == StatusAtStart::Finished);
  };
}

const ChunkGlance* StatusGlance::glance() const {
  const bool stopped = told_.load(std::memory_order_relaxed) == 0 &&
                       untold_.load(std::memory_order_relaxed) >= kUntoldBeforeStopping;
  return stopped ? nullptr : &glance_;
}

}  // namespace sgrender
