// How user text is put into a line of a job's batch file so that the command processor passes
// it on as the user typed it: carets before its special characters where it stands outside
// double quotes, doubled percent signs everywhere, and a closing quote that stays a quote.
#pragma once
#include <string>
#include <string_view>

namespace sg::jobs {

// For a place outside double quotes: ^ before each of & | < > ^, and each % written as %%.
std::string batchBare(std::string_view s);

// For a place inside double quotes: each % written as %%.
std::string batchQuoted(std::string_view s);

// A value between double quotes that a program reads as one argument: the percent rule, and
// trailing backslashes doubled so that the closing quote is not read as an escaped quote.
std::string batchArgument(std::string_view s);

// A level option line put onto a command line: its quoted values as batchArgument, the rest
// as batchBare. A line of plain words and names comes back unchanged.
std::string batchOptionLine(std::string_view line);

}  // namespace sg::jobs
