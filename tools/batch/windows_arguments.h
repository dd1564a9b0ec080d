// Windows command-line argument splitting, as a C runtime builds argv from the one command
// line string a Windows program receives.
#pragma once
#include <string>
#include <vector>

namespace sgbatch {

// Blanks and tabs separate arguments outside quotes; a quote toggles quoting and is dropped;
// inside quotes "" gives one literal quote; 2n backslashes before a quote give n backslashes
// (the quote then toggles), 2n+1 give n backslashes and a literal quote; other backslashes
// stay as they are. An empty quoted argument ("") counts as an argument.
std::vector<std::string> splitWindowsArguments(const std::string& commandLine);

// The reverse: quotes an argument so that splitWindowsArguments gives it back unchanged.
std::string quoteWindowsArgument(const std::string& argument);

}  // namespace sgbatch
