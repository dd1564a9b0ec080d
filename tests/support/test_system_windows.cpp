#include <windows.h>

#include "support/test_system.h"

namespace sg::test {

void setVariable(const std::string& name, const std::string& value) {
  SetEnvironmentVariableA(name.c_str(), value.c_str());
  _putenv_s(name.c_str(), value.c_str());
}
void unsetVariable(const std::string& name) {
  SetEnvironmentVariableA(name.c_str(), nullptr);
  _putenv_s(name.c_str(), "");
}
bool linkToItself(const std::string&) { return false; }
bool linkToFullDisk(const std::string&) { return false; }
bool setHiddenAttribute(const std::string& name) {
  return SetFileAttributesA(name.c_str(), GetFileAttributesA(name.c_str()) | FILE_ATTRIBUTE_HIDDEN) != 0;
}
bool setSystemAttribute(const std::string& name) {
  return SetFileAttributesA(name.c_str(), GetFileAttributesA(name.c_str()) | FILE_ATTRIBUTE_SYSTEM) != 0;
}

}  // namespace sg::test
