// The bytes that chunks being read may hold at once, shared by every thread: a thread waits
// until what its chunk needs fits. So the renderer's memory is bounded by this budget, however
// many threads draw; a chunk that needs more than the whole budget is read alone.
#pragma once
#include <condition_variable>
#include <cstddef>
#include <mutex>

namespace sgrender {

class MemoryBudget {
 public:
  explicit MemoryBudget(size_t bytes) : limit_(bytes) {}
  void acquire(size_t bytes) {
    std::unique_lock<std::mutex> lock(mutex_);
    freed_.wait(lock, [&] { return used_ == 0 || used_ + bytes <= limit_; });
    used_ += bytes;
  }
  void release(size_t bytes) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      used_ -= bytes;
    }
    freed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable freed_;
  size_t limit_, used_ = 0;
};

// Holds bytes of a budget for as long as it lives.
class BudgetHold {
 public:
  BudgetHold(MemoryBudget& budget, size_t bytes) : budget_(budget), bytes_(bytes) { budget_.acquire(bytes_); }
  ~BudgetHold() { budget_.release(bytes_); }
  BudgetHold(const BudgetHold&) = delete;
  BudgetHold& operator=(const BudgetHold&) = delete;

 private:
  MemoryBudget& budget_;
  size_t bytes_;
};

}  // namespace sgrender
