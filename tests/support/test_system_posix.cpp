#include <unistd.h>

#include <cstdlib>

#include "support/test_system.h"

namespace sg::test {

void setVariable(const std::string& name, const std::string& value) { ::setenv(name.c_str(), value.c_str(), 1); }
void unsetVariable(const std::string& name) { ::unsetenv(name.c_str()); }
bool linkToItself(const std::string& name) { return ::symlink(name.c_str(), name.c_str()) == 0; }
bool linkToFullDisk(const std::string& name) { return ::symlink("/dev/full", name.c_str()) == 0; }
bool setHiddenAttribute(const std::string&) { return false; }
bool setSystemAttribute(const std::string&) { return false; }

}  // namespace sg::test
