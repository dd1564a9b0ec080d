// Every test runs in a fresh temporary working folder, which is the current directory.
#pragma once
#include <initializer_list>
#include <string>

namespace sg::test {

// The working folder of the running test.
std::string workingFolder();
// Writes a file in the working folder (bytes as given, no line ends added).
void writeFile(const std::string& name, const std::string& content);
std::string readFile(const std::string& name);
// The lines joined, each ending in CR LF, as the program writes its files.
std::string crlf(std::initializer_list<std::string> lines);
// A path written with '/' in the platform's own separator.
std::string native(std::string path);

}  // namespace sg::test
