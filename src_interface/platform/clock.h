// Local time of day as hh:mm:ss, replaceable in tests.
#pragma once
#include <string>

namespace sg::platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::string timeOfDay() = 0;
};

class SystemClock : public Clock {
 public:
  std::string timeOfDay() override;
};

class FixedClock : public Clock {
 public:
  explicit FixedClock(std::string t = "12:00:00") : t_(std::move(t)) {}
  std::string timeOfDay() override { return t_; }
  void set(std::string t) { t_ = std::move(t); }

 private:
  std::string t_;
};

}  // namespace sg::platform
