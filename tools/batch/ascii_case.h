// Words compared as the command processor compares them: ASCII letters without regard to case,
// every other byte as it stands.
#pragma once
#include <cctype>
#include <string>
#include <string_view>

namespace sgbatch {

inline char lowerAscii(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

inline std::string lowered(std::string s) {
  for (char& c : s) c = lowerAscii(c);
  return s;
}

inline bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  return true;
}

}  // namespace sgbatch
