#include "renderer/styles/ground_census.h"

#include <algorithm>
#include <map>

namespace sgrender {

GroundCensus censusOf(const std::vector<const std::vector<GroundEvent>*>& inOrder) {
  GroundCensus census;
  std::map<int, long> counts;
  int lowest = INT_MAX;
  for (const auto* events : inOrder)
    for (const GroundEvent& e : *events) {
      census.lowestBefore[groundKey(e.chunkX, e.chunkZ)] = lowest;
      if (!e.absent) census.top[groundKey(e.chunkX, e.chunkZ)] = e.top;
      for (auto [level, n] : e.grounds) {
        counts[level] += n;
        lowest = std::min(lowest, level);
      }
    }
  census.floor = floorOf(std::vector<std::pair<int, long>>(counts.begin(), counts.end()));
  return census;
}

int floorOf(const std::vector<std::pair<int, long>>& ascending) {
  long total = 0;
  for (const auto& [level, n] : ascending) total += n;
  if (total == 0) return INT_MIN;
  const long pits = total / 100;
  long seen = 0;
  for (const auto& [level, n] : ascending) {
    seen += n;
    if (seen > pits) return level;
  }
  return INT_MIN;
}

namespace {

void put(std::vector<uint8_t>& out, int64_t v) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<uint8_t>(static_cast<uint64_t>(v) >> (8 * i)));
}

bool take(const std::vector<uint8_t>& in, size_t& at, int64_t& v) {
  if (at > in.size() || in.size() - at < 8) return false;
  uint64_t u = 0;
  for (int i = 0; i < 8; ++i) u |= uint64_t(in[at + static_cast<size_t>(i)]) << (8 * i);
  at += 8;
  v = static_cast<int64_t>(u);
  return true;
}

}  // namespace

std::vector<uint8_t> groundBytes(const std::vector<GroundEvent>& events) {
  std::vector<uint8_t> out;
  put(out, static_cast<int64_t>(events.size()));
  for (const GroundEvent& e : events) {
    put(out, e.chunkX);
    put(out, e.chunkZ);
    put(out, e.absent);
    put(out, e.top);
    put(out, static_cast<int64_t>(e.grounds.size()));
    for (auto [level, n] : e.grounds) {
      put(out, level);
      put(out, n);
    }
  }
  return out;
}

bool readGroundBytes(const std::vector<uint8_t>& bytes, std::vector<GroundEvent>& events) {
  size_t at = 0;
  int64_t count = 0;
  if (!take(bytes, at, count) || count < 0 || count > int64_t(bytes.size() / 40)) return false;
  events.assign(static_cast<size_t>(count), {});
  auto inRange = [](int64_t v) { return v >= INT_MIN && v <= INT_MAX; };
  for (GroundEvent& e : events) {
    int64_t x, z, absent, top, n;
    if (!take(bytes, at, x) || !take(bytes, at, z) || !take(bytes, at, absent) || !take(bytes, at, top) ||
        !take(bytes, at, n))
      return false;
    if (!inRange(x) || !inRange(z) || !inRange(top) || n < 0 || n > 256) return false;
    e.chunkX = static_cast<int>(x), e.chunkZ = static_cast<int>(z), e.absent = absent != 0;
    e.top = static_cast<int>(top);
    for (int64_t i = 0; i < n; ++i) {
      int64_t level, columns;
      if (!take(bytes, at, level) || !take(bytes, at, columns) || !inRange(level) || columns < 0 || columns > 256)
        return false;
      e.grounds.emplace_back(static_cast<int>(level), static_cast<int>(columns));
    }
  }
  return at == bytes.size();
}

}  // namespace sgrender
