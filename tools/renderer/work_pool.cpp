#include "renderer/work_pool.h"

#include <system_error>

#include "system/tool_system.h"

namespace sgrender {

int usableCores() { return sgsys::usableCores(); }

WorkPool::WorkPool(int threads) {
  if (threads <= 0) threads = usableCores();
  // A thread the system cannot start (no room left in the address space, a limit on threads)
  // ends nothing: the pool works with the threads it has, and threads() says how many.
  try {
    for (int i = 1; i < threads; ++i) helpers_.emplace_back([this] { help(); });
  } catch (const std::system_error&) {
  }
}

WorkPool::~WorkPool() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  for (auto& t : helpers_) t.join();
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
