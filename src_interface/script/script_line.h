// One command line of a script: the command word, a fixed number of words separated by single
// blanks, and optionally a VALUE, the rest of the line taken byte for byte.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace sg::script {

class ScriptLine {
 public:
  explicit ScriptLine(std::string text);

  // Empty lines and lines starting with '#'.
  bool skipped() const;
  const std::string& command() const { return command_; }

  // Exactly n words after the command word, each non-empty.
  std::vector<std::string> words(size_t n) const;
  // Between min and max words after the command word.
  std::vector<std::string> words(size_t min, size_t max) const;
  // n words, then VALUE: everything after the blank that follows the n-th word. A line that
  // ends right after the n-th word has an empty VALUE (editors strip trailing blanks).
  std::vector<std::string> wordsAndValue(size_t n, std::string& value) const;

 private:
  std::string text_;
  std::string command_;
  std::string rest_;  // after the blank that follows the command word
  bool hasRest_ = false;
};

// A whole number: an optional '-' and at least one digit, nothing else.
int wholeNumber(std::string_view word, const char* what);

}  // namespace sg::script
