#include "jobs/batch_file.h"

namespace sg::jobs {

bool BatchFile::create(const std::vector<std::string>& lines) {
  close();
  file_ = std::fopen(name_.c_str(), "wb");
  if (!file_) return false;
  return write(lines);
}

bool BatchFile::append(const std::vector<std::string>& lines) {
  if (!file_) file_ = std::fopen(name_.c_str(), "ab");
  if (!file_) return false;
  return write(lines);
}

bool BatchFile::write(const std::vector<std::string>& lines) {
  buffer_.clear();
  for (const auto& l : lines) {
    buffer_ += l;
    buffer_ += "\r\n";
  }
  bool ok = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) == buffer_.size();
  ok = std::fflush(file_) == 0 && ok;
  if (!ok) close();
  return ok;
}

void BatchFile::close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

}  // namespace sg::jobs
