// The driver's launcher: reports each job start at the moment it happens, records it, and in
// the real mode also starts it with the platform's launcher.
#pragma once
#include <functional>
#include <string>

#include "platform/launcher.h"

namespace sg::script {

class ReportingLauncher : public platform::Launcher {
 public:
  explicit ReportingLauncher(std::function<void(const std::string&, bool)> report)
      : report_(std::move(report)) {}

  bool start(const std::string& batchFile, bool minimised) override;
  bool stop(const std::string& batchFile) override { return recorder_.stop(batchFile); }
  // Reported and recorded ("open image PATH"), never really opened, in either mode: a script
  // opens no viewer.
  bool open(const std::string& path, platform::Opening what) override;

  void onOpen(std::function<void(const std::string&)> report) { opened_ = std::move(report); }
  // Recorded only (the default), or recorded and really started.
  void setReal(bool real) { recorder_.passTo(real ? &platform_ : nullptr); }
  const platform::RecordingLauncher& recorder() const { return recorder_; }

 private:
  std::function<void(const std::string&, bool)> report_;
  std::function<void(const std::string&)> opened_;
  platform::RecordingLauncher recorder_;
  platform::PlatformLauncher platform_;
};

}  // namespace sg::script
