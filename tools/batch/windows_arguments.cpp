#include "batch/windows_arguments.h"

namespace sgbatch {

std::vector<std::string> splitWindowsArguments(const std::string& s) {
  std::vector<std::string> args;
  size_t i = 0, n = s.size();
  while (true) {
    while (i < n && (s[i] == ' ' || s[i] == '\t')) ++i;
    if (i >= n) break;
    std::string arg;
    bool quoted = false;
    while (i < n) {
      char c = s[i];
      if (!quoted && (c == ' ' || c == '\t')) break;
      if (c == '\\') {
        size_t j = i;
        while (j < n && s[j] == '\\') ++j;
        size_t count = j - i;
        if (j < n && s[j] == '"') {
          arg.append(count / 2, '\\');
          if (count % 2) {
            arg += '"';
            i = j + 1;
          } else {
            i = j;
          }
        } else {
          arg.append(count, '\\');
          i = j;
        }
        continue;
      }
      if (c == '"') {
        if (quoted && i + 1 < n && s[i + 1] == '"') {
          arg += '"';
          i += 2;
          continue;
        }
        quoted = !quoted;
        ++i;
        continue;
      }
      arg += c;
      ++i;
    }
    args.push_back(arg);
  }
  return args;
}

std::string quoteWindowsArgument(const std::string& a) {
  if (!a.empty() && a.find_first_of(" \t\"") == std::string::npos) return a;
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : a) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') {
      out.append(backslashes * 2 + 1, '\\');
      out += '"';
    } else {
      out.append(backslashes, '\\');
      out += c;
    }
    backslashes = 0;
  }
  out.append(backslashes * 2, '\\');
  out += '"';
  return out;
}

}  // namespace sgbatch
