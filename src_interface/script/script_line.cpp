#include "script/script_line.h"

#include <charconv>

#include "script/script_error.h"

namespace sg::script {

ScriptLine::ScriptLine(std::string text) : text_(std::move(text)) {
  size_t blank = text_.find(' ');
  command_ = text_.substr(0, blank);
  if (blank != std::string::npos) {
    hasRest_ = true;
    rest_ = text_.substr(blank + 1);
  }
}

bool ScriptLine::skipped() const { return text_.empty() || text_[0] == '#'; }

namespace {

// Splits at single blanks; an empty word means two blanks in a row or a blank at an end.
std::vector<std::string> split(const std::string& s) {
  std::vector<std::string> out;
  size_t start = 0;
  while (true) {
    size_t blank = s.find(' ', start);
    out.push_back(s.substr(start, blank - start));
    if (blank == std::string::npos) break;
    start = blank + 1;
  }
  return out;
}

std::string wordCount(size_t min, size_t max) {
  if (min == max) return std::to_string(min) + (min == 1 ? " word" : " words");
  if (max == static_cast<size_t>(-1)) return "at least " + std::to_string(min) + " words";
  return std::to_string(min) + " to " + std::to_string(max) + " words";
}

}  // namespace

std::vector<std::string> ScriptLine::words(size_t n) const { return words(n, n); }

std::vector<std::string> ScriptLine::words(size_t min, size_t max) const {
  std::vector<std::string> out;
  if (hasRest_) out = split(rest_);
  for (const auto& w : out)
    if (w.empty())
      throw ScriptError("malformed line: words of '" + command_ + "' are separated by single blanks");
  if (out.size() < min || out.size() > max)
    throw ScriptError("malformed line: '" + command_ + "' takes " + wordCount(min, max) +
                      " after it, not " + std::to_string(out.size()));
  return out;
}

std::vector<std::string> ScriptLine::wordsAndValue(size_t n, std::string& value) const {
  std::vector<std::string> out;
  size_t start = 0;
  value.clear();
  for (size_t i = 0; i < n; ++i) {
    if (!hasRest_ || start == std::string::npos)
      throw ScriptError("malformed line: '" + command_ + "' takes " + wordCount(n, n) +
                        " and a value after it");
    size_t blank = rest_.find(' ', start);
    std::string w = rest_.substr(start, blank - start);
    if (w.empty())
      throw ScriptError("malformed line: words of '" + command_ + "' are separated by single blanks");
    out.push_back(std::move(w));
    start = blank == std::string::npos ? blank : blank + 1;
  }
  // A line that ends right after the last word has an empty VALUE.
  if (start != std::string::npos) value = rest_.substr(start);
  return out;
}

int wholeNumber(std::string_view word, const char* what) {
  int v = 0;
  const char* first = word.data();
  const char* last = word.data() + word.size();
  if (!word.empty() && *first == '+') first = last;  // only '-' may lead
  auto [ptr, ec] = std::from_chars(first, last, v);
  if (word.empty() || ec != std::errc() || ptr != last)
    throw ScriptError("malformed line: " + std::string(what) + " '" + std::string(word) +
                      "' is not a whole number");
  return v;
}

}  // namespace sg::script
