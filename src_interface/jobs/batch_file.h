// The batch file of one render job while it is built: created once, then extended step by step.
// Each step's lines go out in one write and are flushed at once, so that a failing step is
// reported as that step's failure, without opening and closing the file for every render.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace sg::jobs {

class BatchFile {
 public:
  explicit BatchFile(std::string name) : name_(std::move(name)) {}
  ~BatchFile() { close(); }
  BatchFile(const BatchFile&) = delete;
  BatchFile& operator=(const BatchFile&) = delete;

  const std::string& name() const { return name_; }

  // Replaces the file with these lines (each ending in CR LF). False on any failure; the file
  // is then closed.
  bool create(const std::vector<std::string>& lines);
  // Appends the lines (each ending in CR LF), opening the file for appending when it is not
  // open. False on any failure; the file is then closed and reopened by the next append.
  bool append(const std::vector<std::string>& lines);
  void close();

 private:
  bool write(const std::vector<std::string>& lines);

  std::string name_;
  std::FILE* file_ = nullptr;
  std::string buffer_;
};

}  // namespace sg::jobs
