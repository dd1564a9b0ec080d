// How the Windows command processor reads one line of a batch file: percent expansion first,
// then quotes, ^ escapes, command separators and redirections, then the command word.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sgbatch {

// Looks up an environment variable for %NAME% expansion; nullopt when it is not defined.
using VariableLookup = std::function<std::optional<std::string>(const std::string&)>;

// The physical lines of a batch file: LF ends a line, CR characters are dropped, and a line
// that ends in an unescaped ^ outside quotes is joined with the next one.
std::vector<std::string> batchLines(const std::string& content);

// Percent expansion of a batch file line: %% gives %, %0 the batch file's name, %1 to %9 and
// %* nothing (jobs take no arguments), %NAME% the variable or nothing when it is undefined, and
// a lone % is dropped. Quotes and carets do not protect from it.
std::string expandPercents(const std::string& line, const std::string& batchName,
                           const VariableLookup& lookup);

// The process environment, names compared without regard to case.
std::optional<std::string> processVariable(const std::string& name);

struct Redirection {
  int handle = 1;         // 0 input, 1 output, 2 errors
  bool append = false;    // >> rather than >
  std::string file;       // quotes removed; empty when duplicating a handle
  int duplicateOf = -1;   // 2>&1 gives handle 2, duplicateOf 1
};

enum class Connector { End, Always, IfSucceeded, IfFailed, Pipe };

struct Command {
  std::string text;                      // quotes kept, escapes resolved, redirections removed
  std::vector<Redirection> redirections;
  Connector next = Connector::End;       // how the following command of the line is joined
  bool quiet = false;                    // started with @
};

// Splits an expanded line into its commands. Outside quotes ^ makes the next character
// literal and & && || | < > are special; inside quotes everything is literal. Commands that
// hold nothing (an empty line, a trailing &) are left out.
std::vector<Command> parseLine(const std::string& expandedLine);

// The command word of a command's text and what follows it.
struct CommandWord {
  std::string word;  // quotes removed
  std::string rest;  // starts at the character after the word (the separator included)
};
CommandWord commandWord(const std::string& text);

// The text that echo writes for a command whose word is echo; nullopt for "echo on"/"echo off".
// A bare echo reports the echo state as the command processor does.
std::optional<std::string> echoText(const CommandWord& command);

// True for the characters that separate words at the start of a command.
bool isDelimiter(char c);

}  // namespace sgbatch
