#include "monitor/job_progress.h"

#include <algorithm>
#include <cmath>

#include "platform/files.h"
#include "platform/text.h"

namespace sg::monitor {

namespace {

constexpr double kSecondsBeforeSpeaking = 5;

std::optional<double> secondsOfDay(const std::string& t) {
  if (t.size() != 8 || t[2] != ':' || t[5] != ':') return std::nullopt;
  for (size_t i : {0, 1, 3, 4, 6, 7})
    if (t[i] < '0' || t[i] > '9') return std::nullopt;
  return ((t[0] - '0') * 10 + (t[1] - '0')) * 3600.0 + ((t[3] - '0') * 10 + (t[4] - '0')) * 60.0 +
         (t[6] - '0') * 10 + (t[7] - '0');
}

// How fast a new rate takes over from the time left said before: after this many seconds, most
// of the way. Between ticks, the time left said before counts down.
constexpr double kSettlingSeconds = 10;

// The bar's tag: "<seconds> <percent>" of the first tick, then of the first tick at which the
// bar had moved, then the time and the seconds left of the last estimate.
struct Estimate {
  std::optional<double> firstTime, firstPercent, movedTime, movedPercent, saidTime, saidLeft;
};

Estimate readTag(const std::string& tag) {
  Estimate e;
  const auto parts = text::splitBlanks(text::trimBlanks(tag));
  if (parts.size() >= 2) e.firstTime = text::numericValue(parts[0]), e.firstPercent = text::numericValue(parts[1]);
  if (parts.size() >= 4) e.movedTime = text::numericValue(parts[2]), e.movedPercent = text::numericValue(parts[3]);
  if (parts.size() >= 6) e.saidTime = text::numericValue(parts[4]), e.saidLeft = text::numericValue(parts[5]);
  return e;
}

std::string writeTag(const Estimate& e) {
  std::string tag;
  for (const auto& v : {e.firstTime, e.firstPercent, e.movedTime, e.movedPercent, e.saidTime, e.saidLeft})
    if (v) tag += text::plainDecimal(std::round(*v * 10) / 10) + ' ';
  return text::trimBlanks(tag);
}

// The time left to say: the rate's own, at first; later the time said before, counted down by
// the seconds since, and moved towards the rate's by a share that grows with those seconds.
// So the words change smoothly, and a task that jumps ahead (or stalls) moves them over a few
// ticks rather than at once.
double smoothed(const Estimate& e, double now, double fromRate) {
  if (!e.saidTime || !e.saidLeft) return fromRate;
  const double since = std::max(0.0, now - *e.saidTime);
  const double counted = std::max(0.0, *e.saidLeft - since);
  const double share = 1 - std::exp(-since / kSettlingSeconds);
  return counted + share * (fromRate - counted);
}

}  // namespace

std::optional<double> currentTaskPercent(const std::string& progressFile) {
  auto line = files::readFirstLine(progressFile, 256);
  if (!line) return std::nullopt;
  const std::string t = text::trimBlanks(*line);
  if (t.empty() || t.find_first_of("0123456789") == std::string::npos) return std::nullopt;
  return std::clamp(text::numericValue(t), 0.0, 100.0);
}

int jobPercent(int entries, const std::string& total, std::optional<double> currentTask) {
  const double tasks = text::numericValue(total);
  if (tasks <= 0) return 0;
  const double finished = std::max(0, entries - 2);
  const double share = currentTask && entries >= 2 ? *currentTask / 100.0 : 0.0;
  return static_cast<int>(std::clamp(std::floor((finished + share) / tasks * 100.0), 0.0, 100.0));
}

std::string timeLeftText(double seconds) {
  if (seconds < 60) {
    const long s = std::max(5L, std::lround(std::ceil(seconds / 5.0)) * 5);
    return "About " + std::to_string(s) + " seconds left";
  }
  const long minutes = std::lround(seconds / 60.0);
  if (minutes < 2) return "About a minute left";
  if (minutes < 120) return "About " + std::to_string(minutes) + " minutes left";
  return "About " + std::to_string(std::lround(seconds / 3600.0)) + " hours left";
}

void showJobProgress(forms::Control& bar, int percent, const std::string& timeOfDay) {
  bar.setValue(percent);
  auto now = secondsOfDay(timeOfDay);
  Estimate e = readTag(bar.tag());
  if (!now) return;
  if (!e.firstTime) {
    e.firstTime = *now, e.firstPercent = percent;
  } else {
    // A job running over midnight: the time of day starts again.
    const double since = e.movedTime.value_or(*e.firstTime);
    if (*now < since) *now += 86400;
    if (!e.movedTime && percent > *e.firstPercent) e.movedTime = *now, e.movedPercent = percent;
  }
  std::string left;
  if (e.movedTime && percent < 100) {
    const double elapsed = *now - *e.movedTime, moved = percent - *e.movedPercent;
    if (elapsed >= kSecondsBeforeSpeaking && moved > 0) {
      const double seconds = smoothed(e, *now, (100 - percent) * elapsed / moved);
      e.saidTime = *now, e.saidLeft = seconds;
      left = timeLeftText(seconds);
    }
  }
  bar.setTag(writeTag(e));
  bar.setCaption(left);
}

void resetJobProgress(forms::Control& bar) {
  bar.setValue(0);
  bar.setTag("");
  bar.setCaption("");
}

}  // namespace sg::monitor
