#include "jobs/batch_text.h"

namespace sg::jobs {

namespace {

bool specialOutsideQuotes(char c) { return c == '&' || c == '|' || c == '<' || c == '>' || c == '^'; }

void appendBare(std::string& out, std::string_view s) {
  for (char c : s) {
    if (c == '%') out += "%%";
    else {
      if (specialOutsideQuotes(c)) out += '^';
      out += c;
    }
  }
}

void appendQuoted(std::string& out, std::string_view s) {
  for (char c : s) {
    if (c == '%') out += '%';
    out += c;
  }
}

void appendArgument(std::string& out, std::string_view s) {
  size_t trailing = 0;
  while (trailing < s.size() && s[s.size() - 1 - trailing] == '\\') ++trailing;
  appendQuoted(out, s);
  out.append(trailing, '\\');
}

}  // namespace

std::string batchBare(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 8);
  appendBare(out, s);
  return out;
}

std::string batchQuoted(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 8);
  appendQuoted(out, s);
  return out;
}

std::string batchArgument(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 8);
  appendArgument(out, s);
  return out;
}

std::string batchOptionLine(std::string_view line) {
  std::string out;
  out.reserve(line.size() + 16);
  size_t pos = 0;
  bool inside = false;
  while (pos <= line.size()) {
    size_t quote = line.find('"', pos);
    std::string_view piece = line.substr(pos, quote == std::string_view::npos ? std::string_view::npos : quote - pos);
    if (inside) appendArgument(out, piece);
    else appendBare(out, piece);
    if (quote == std::string_view::npos) break;
    out += '"';
    inside = !inside;
    pos = quote + 1;
  }
  return out;
}

}  // namespace sg::jobs
