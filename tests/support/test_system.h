// What a few tests need of the operating system: environment variables, and the links that make
// a lookup or a write fail. On a system without them, the link helpers say false and the test
// is skipped.
#pragma once
#include <string>

namespace sg::test {

void setVariable(const std::string& name, const std::string& value);
void unsetVariable(const std::string& name);
// A link that points to itself: looking the name up fails, and so does reading it.
bool linkToItself(const std::string& name);
// A file every write to which fails as on a full disk.
bool linkToFullDisk(const std::string& name);
// Gives a file the hidden or the system attribute; false where files have no such attributes.
bool setHiddenAttribute(const std::string& name);
bool setSystemAttribute(const std::string& name);

}  // namespace sg::test
