#include "platform/environment.h"

#include <cstdlib>

namespace sg::platform {

std::optional<std::string> ProcessEnvironment::get(const std::string& name) const {
  const char* v = std::getenv(name.c_str());
  if (!v) return std::nullopt;
  return std::string(v);
}

void ProcessEnvironment::set(const std::string& name, const std::string& value) {
#ifdef _WIN32
  _putenv_s(name.c_str(), value.c_str());
#else
  ::setenv(name.c_str(), value.c_str(), 1);
#endif
}

void ProcessEnvironment::unset(const std::string& name) {
#ifdef _WIN32
  _putenv_s(name.c_str(), "");
#else
  ::unsetenv(name.c_str());
#endif
}

std::optional<std::string> MapEnvironment::get(const std::string& name) const {
  auto it = vars_.find(name);
  if (it == vars_.end()) return std::nullopt;
  return it->second;
}

}  // namespace sg::platform
