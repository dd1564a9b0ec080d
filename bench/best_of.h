// Timing for the benchmark programs: the best of several runs, in microseconds.
#pragma once
#include <algorithm>
#include <chrono>

namespace sg::bench {

template <class F>
double bestOf(int runs, F&& f) {
  double best = 1e300;
  for (int r = 0; r < runs; ++r) {
    auto t0 = std::chrono::steady_clock::now();
    f();
    auto t1 = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double, std::micro>(t1 - t0).count());
  }
  return best;
}

}  // namespace sg::bench
