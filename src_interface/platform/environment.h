// Environment variables (APPDATA, LOCALAPPDATA, HOME, ...), replaceable in tests.
#pragma once
#include <map>
#include <optional>
#include <string>

namespace sg::platform {

class Environment {
 public:
  virtual ~Environment() = default;
  virtual std::optional<std::string> get(const std::string& name) const = 0;
  virtual void set(const std::string& name, const std::string& value) = 0;
  virtual void unset(const std::string& name) = 0;
};

// The process's own environment.
class ProcessEnvironment : public Environment {
 public:
  std::optional<std::string> get(const std::string& name) const override;
  void set(const std::string& name, const std::string& value) override;
  void unset(const std::string& name) override;
};

// A private set of variables for tests.
class MapEnvironment : public Environment {
 public:
  std::optional<std::string> get(const std::string& name) const override;
  void set(const std::string& name, const std::string& value) override { vars_[name] = value; }
  void unset(const std::string& name) override { vars_.erase(name); }

 private:
  std::map<std::string, std::string> vars_;
};

}  // namespace sg::platform
