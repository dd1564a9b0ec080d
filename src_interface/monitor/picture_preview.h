// The preview of a job's image: scaled down to fit a box with its aspect kept, and made without
// ever holding the image whole. Where the job made the image's zoomable map, the preview comes
// from the map's top tiles (a few small files); otherwise the image is read a row at a time and
// each preview pixel is the average of the pixels it covers. Reading a large image takes a
// while, so a loader reads it on a thread of its own while the window goes on.
#pragma once
#include <atomic>
#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include "forms/control.h"
#include "monitor/job_result.h"

namespace sg::monitor {

// Averages the rows of a width x height image into a picture that fits maxWidth x maxHeight
// with its aspect kept (never larger than the image), one row at a time.
class PictureShrinker {
 public:
  PictureShrinker(int width, int height, int maxWidth, int maxHeight);
  void addRow(const uint8_t* rgba);  // width RGBA pixels, straight alpha
  forms::Picture finish();

 private:
  void flush();
  int width_, height_, row_ = 0, outRow_ = 0;
  forms::Picture out_;
  std::vector<uint64_t> sums_;  // per preview pixel of the row: r*a, g*a, b*a, a, count
  std::vector<int> column_;     // preview column of each image column
};

// The preview of an output; nullopt with a reason when the image cannot be read, or with an
// empty reason when `cancel` was set.
std::optional<forms::Picture> previewOf(const JobOutput& output, int maxWidth, int maxHeight,
                                        const std::atomic<bool>* cancel, std::string& error);

// Makes one preview at a time on a thread of its own. Starting another, or destroying the
// loader, stops the one under way.
class PreviewLoader {
 public:
  PreviewLoader() = default;
  ~PreviewLoader();
  PreviewLoader(const PreviewLoader&) = delete;
  PreviewLoader& operator=(const PreviewLoader&) = delete;

  void start(const JobOutput& output, int maxWidth, int maxHeight);
  bool busy() const { return result_.valid(); }
  // Waits up to `ms` milliseconds; true once the preview is there to take.
  bool ready(int ms = 0) const;
  // The preview (empty when it could not be made); only once ready.
  forms::Picture take();
  void cancel();

 private:
  std::shared_ptr<std::atomic<bool>> cancel_;
  std::future<forms::Picture> result_;
};

}  // namespace sg::monitor
