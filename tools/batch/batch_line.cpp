#include "batch/batch_line.h"
#include "batch/ascii_case.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace sgbatch {

namespace {

// Whether a line ends in a ^ that escapes the line break (unescaped, outside quotes), found
// by a scan that goes on where it stopped as continued lines are joined: each character is
// looked at once, however many lines a command runs over.
struct CaretScan {
  bool quoted = false;
  bool escapeNext = false;  // a ^ escapes whatever character comes next
  size_t pos = 0;

  bool endsInCaret(const std::string& line) {
    for (; pos < line.size(); ++pos) {
      if (escapeNext) {
        escapeNext = false;
        continue;
      }
      char c = line[pos];
      if (c == '"') quoted = !quoted;
      else if (c == '^' && !quoted) escapeNext = true;
    }
    return escapeNext;
  }
};

}  // namespace

bool isDelimiter(char c) { return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '='; }

std::vector<std::string> batchLines(const std::string& content) {
  std::vector<std::string> physical;
  std::string cur;
  bool pending = false;
  for (char c : content) {
    if (c == '\r') continue;
    if (c == '\n') {
      physical.push_back(cur);
      cur.clear();
      pending = false;
      continue;
    }
    cur += c;
    pending = true;
  }
  if (pending) physical.push_back(cur);

  std::vector<std::string> lines;
  for (size_t i = 0; i < physical.size(); ++i) {
    std::string line = physical[i];
    CaretScan scan;
    // The caret stays: it escapes the first character of the line it joins.
    while (scan.endsInCaret(line) && i + 1 < physical.size()) line += physical[++i];
    if (scan.endsInCaret(line)) line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

std::optional<std::string> processVariable(const std::string& name) {
  if (const char* v = std::getenv(name.c_str())) return std::string(v);
  for (char** e = environ; e && *e; ++e) {
    const char* eq = std::strchr(*e, '=');
    if (!eq) continue;
    if (equalsNoCase(std::string(*e, static_cast<size_t>(eq - *e)), name)) return std::string(eq + 1);
  }
  return std::nullopt;
}

std::string expandPercents(const std::string& line, const std::string& batchName,
                           const VariableLookup& lookup) {
  std::string out;
  size_t i = 0, n = line.size();
  while (i < n) {
    char c = line[i];
    if (c != '%') {
      out += c;
      ++i;
      continue;
    }
    if (i + 1 < n && line[i + 1] == '%') {
      out += '%';
      i += 2;
      continue;
    }
    if (i + 1 < n && std::isdigit(static_cast<unsigned char>(line[i + 1]))) {
      if (line[i + 1] == '0') out += batchName;
      i += 2;
      continue;
    }
    if (i + 1 < n && line[i + 1] == '*') {
      i += 2;
      continue;
    }
    if (i + 1 < n && line[i + 1] == '~') {
      // %~dp1 and the like: modifiers of an argument, all of which are empty here.
      size_t j = i + 2;
      while (j < n && std::isalpha(static_cast<unsigned char>(line[j]))) ++j;
      if (j < n && std::isdigit(static_cast<unsigned char>(line[j]))) {
        if (line[j] == '0') out += batchName;
        i = j + 1;
        continue;
      }
    }
    size_t close = line.find('%', i + 1);
    if (close == std::string::npos) {
      ++i;  // a lone percent sign is dropped
      continue;
    }
    std::string name = line.substr(i + 1, close - i - 1);
    if (lookup) {
      if (auto value = lookup(name)) out += *value;
    }
    i = close + 1;
  }
  return out;
}

namespace {

bool holdsSomething(const Command& c) {
  if (!c.redirections.empty()) return true;
  for (char ch : c.text)
    if (!isDelimiter(ch)) return true;
  return false;
}

// Removes the leading delimiters and @ signs of a command, noting the @.
void settleStart(Command& c) {
  size_t i = 0;
  while (i < c.text.size() && (isDelimiter(c.text[i]) || c.text[i] == '@')) {
    if (c.text[i] == '@') c.quiet = true;
    ++i;
  }
  c.text.erase(0, i);
}

}  // namespace

std::vector<Command> parseLine(const std::string& line) {
  std::vector<Command> commands;
  Command cur;
  bool quoted = false;
  size_t i = 0, n = line.size();
  auto finish = [&](Connector next) {
    cur.next = next;
    settleStart(cur);
    if (holdsSomething(cur)) {
      commands.push_back(cur);
    } else if (!commands.empty() && next != Connector::End) {
      commands.back().next = next;
    }
    cur = Command{};
  };
  while (i < n) {
    char c = line[i];
    if (quoted) {
      cur.text += c;
      if (c == '"') quoted = false;
      ++i;
      continue;
    }
    if (c == '"') {
      quoted = true;
      cur.text += c;
      ++i;
      continue;
    }
    if (c == '^') {
      if (i + 1 < n) cur.text += line[i + 1];
      i += 2;
      continue;
    }
    if (c == '&') {
      bool twice = i + 1 < n && line[i + 1] == '&';
      i += twice ? 2 : 1;
      finish(twice ? Connector::IfSucceeded : Connector::Always);
      continue;
    }
    if (c == '|') {
      bool twice = i + 1 < n && line[i + 1] == '|';
      i += twice ? 2 : 1;
      finish(twice ? Connector::IfFailed : Connector::Pipe);
      continue;
    }
    if (c == '>' || c == '<') {
      Redirection r;
      r.handle = c == '<' ? 0 : 1;
      // A single digit standing alone before the sign names the handle (2>>errors.txt).
      size_t len = cur.text.size();
      if (len > 0 && std::isdigit(static_cast<unsigned char>(cur.text[len - 1])) &&
          (len == 1 || isDelimiter(cur.text[len - 2]))) {
        r.handle = cur.text[len - 1] - '0';
        cur.text.pop_back();
      }
      ++i;
      if (c == '>' && i < n && line[i] == '>') {
        r.append = true;
        ++i;
      }
      if (i + 1 < n && line[i] == '&' && std::isdigit(static_cast<unsigned char>(line[i + 1]))) {
        r.duplicateOf = line[i + 1] - '0';
        i += 2;
        cur.redirections.push_back(r);
        continue;
      }
      while (i < n && (line[i] == ' ' || line[i] == '\t')) ++i;
      bool nameQuoted = false;
      while (i < n) {
        char d = line[i];
        if (nameQuoted) {
          if (d == '"')
            nameQuoted = false;
          else
            r.file += d;
          ++i;
          continue;
        }
        if (d == '"') {
          nameQuoted = true;
          ++i;
          continue;
        }
        if (d == ' ' || d == '\t' || d == '&' || d == '|' || d == '<' || d == '>') break;
        if (d == '^') {
          if (i + 1 < n) r.file += line[i + 1];
          i += 2;
          continue;
        }
        r.file += d;
        ++i;
      }
      cur.redirections.push_back(r);
      continue;
    }
    cur.text += c;
    ++i;
  }
  finish(Connector::End);
  return commands;
}

CommandWord commandWord(const std::string& text) {
  CommandWord w;
  size_t i = 0, n = text.size();
  while (i < n && isDelimiter(text[i])) ++i;
  bool quoted = false;
  while (i < n) {
    char c = text[i];
    if (c == '"') {
      quoted = !quoted;
      ++i;
      continue;
    }
    if (!quoted && (c == ' ' || c == '\t')) break;
    // The built-in echo also ends at these characters (echo. gives an empty line).
    if (!quoted && equalsNoCase(w.word, "echo") &&
        std::strchr(".:;,=(/+[]\\", c) != nullptr)
      break;
    w.word += c;
    ++i;
  }
  w.rest = text.substr(i);
  return w;
}

std::optional<std::string> echoText(const CommandWord& command) {
  const std::string& rest = command.rest;
  bool onlyBlanks = true;
  for (char c : rest)
    if (c != ' ' && c != '\t') onlyBlanks = false;
  if (rest.empty() || (onlyBlanks && (rest[0] == ' ' || rest[0] == '\t'))) return "ECHO is on.";
  std::string text = rest.substr(1);
  if (rest[0] == ' ' || rest[0] == '\t') {
    std::string trimmed = text;
    while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t')) trimmed.pop_back();
    size_t s = trimmed.find_first_not_of(" \t");
    trimmed = s == std::string::npos ? "" : trimmed.substr(s);
    if (equalsNoCase(trimmed, "on") || equalsNoCase(trimmed, "off")) return std::nullopt;
  }
  return text;
}

}  // namespace sgbatch
