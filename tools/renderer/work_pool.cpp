#include "renderer/work_pool.h"

#include <system_error>

#include "system/tool_system.h"

namespace sgrender {

int usableCores() { return sgsys::usableCores(); }

WorkPool::WorkPool(int threads) {
  if (threads <= 0) threads = usableCores();
  // A thread the system cannot start (no room left in the address space, a limit on threads)
  // ends nothing: the pool works with fewer, and threads() says how many. A system that could
  // start no more has little room left, so half of those started are given back for the
  // render's own memory.
  for (int helpers = threads - 1; helpers > 0;) {
    try {
      while (static_cast<int>(helpers_.size()) < helpers) helpers_.emplace_back([this] { help(); });
      break;
    } catch (const std::system_error&) {
      helpers = static_cast<int>(helpers_.size()) / 2;
      stopHelpers();
    }
  }
}

WorkPool::~WorkPool() { stopHelpers(); }

void WorkPool::stopHelpers() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  for (auto& t : helpers_) t.join();
  helpers_.clear();
  std::lock_guard lock(mutex_);
  stopping_ = false;
}

void WorkPool::work(std::unique_lock<std::mutex>& lock) {
  // Takes tasks until none are left; the lock is held on entry and on return.
  while (next_ < count_) {
    size_t i = next_++;
    const auto* task = task_;
    lock.unlock();
    (*task)(i);
    lock.lock();
    if (++finished_ == count_) done_.notify_all();
  }
}

void WorkPool::help() {
  std::unique_lock lock(mutex_);
  unsigned long seen = 0;
  while (true) {
    wake_.wait(lock, [&] { return stopping_ || round_ != seen; });
    if (stopping_) return;
    seen = round_;
    work(lock);
  }
}

void WorkPool::run(size_t n, const std::function<void(size_t)>& task) {
  start(n, task);
  finish();
}

void WorkPool::start(size_t n, const std::function<void(size_t)>& task) {
  std::unique_lock lock(mutex_);
  task_ = &task;
  count_ = n;
  next_ = 0;
  finished_ = 0;
  ++round_;
  if (n > 0) wake_.notify_all();
}

void WorkPool::finish() {
  std::unique_lock lock(mutex_);
  if (!task_) return;
  work(lock);
  done_.wait(lock, [&] { return finished_ == count_; });
  task_ = nullptr;
}

}  // namespace sgrender
