// A pool of threads that share out numbered tasks: the renderer decodes chunks on every core,
// while the order in which they are drawn, and so the image, stays the same for any number of
// threads.
#pragma once
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace sgrender {

class WorkPool {
 public:
  // threads in all, the caller of run() among them; 0 means one per core this process may use.
  explicit WorkPool(int threads);
  ~WorkPool();
  WorkPool(const WorkPool&) = delete;
  WorkPool& operator=(const WorkPool&) = delete;

  int threads() const { return static_cast<int>(helpers_.size()) + 1; }
  // Runs task(i) for every i below n, spread over the threads; returns when all are done.
  void run(size_t n, const std::function<void(size_t)>& task);
  // The same in two steps, so that the caller can do other work while the helpers start on the
  // tasks: start() hands them out and returns at once; finish() takes the caller's share of
  // what is left and returns when all are done. The task must live until finish() returns.
  void start(size_t n, const std::function<void(size_t)>& task);
  void finish();

 private:
  void help();
  // Ends every helper and waits for them.
  void stopHelpers();
  void work(std::unique_lock<std::mutex>& lock);

  std::vector<std::thread> helpers_;
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  const std::function<void(size_t)>* task_ = nullptr;
  size_t count_ = 0, next_ = 0, finished_ = 0;
  unsigned long round_ = 0;
  bool stopping_ = false;
};

// The cores this process may run on.
int usableCores();

}  // namespace sgrender
