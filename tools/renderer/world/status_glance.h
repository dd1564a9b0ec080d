// A glance at each chunk's first bytes for its generation status, so that a chunk whose status
// shows there is not inflated whole just to learn it. In a region whose chunks never tell from
// their start (worlds before 1.18 store Status further in, or none at all), it stops glancing
// after a few chunks, where it would only cost.
#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "renderer/world/region_file.h"

namespace sgrender {

class StatusGlance {
 public:
  // With `finishedToo`, a finished status is enough as well as an unfinished one (for a reader
  // that wants the status alone); otherwise only an unfinished one is.
  explicit StatusGlance(bool finishedToo);
  StatusGlance(const StatusGlance&) = delete;
  StatusGlance& operator=(const StatusGlance&) = delete;

  // The glance to read the next chunk with; nullptr once glancing has stopped paying. Safe to
  // call from several threads.
  const ChunkGlance* glance() const;

 private:
  ChunkGlance glance_;
  std::atomic<int> told_{0}, untold_{0};
};

}  // namespace sgrender
