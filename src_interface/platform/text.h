// Text rules shared by every subsystem: numeric value of a text, plain decimal form, rounding,
// trimming blanks, splitting at single blanks and replacing. Text is bytes.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace sg::text {

// The longest leading decimal number after leading blanks (sign, digits, point, fraction);
// 0 when the text does not begin with a number.
double numericValue(std::string_view s);

// Shortest plain decimal form: no leading blank, no exponent, no trailing zeros ("3", "2.5").
std::string plainDecimal(double v);

// Rounds to the nearest whole number, halves to even (2.5 -> 2, 3.5 -> 4).
long long roundHalfEven(double v);

// The numeric value rounded halves to even and clamped to the int range.
int integerValue(std::string_view s);

// Removes leading and trailing blanks (spaces only).
std::string trimBlanks(std::string_view s);

// Splits at every single blank; consecutive blanks give empty fields; an empty text gives none.
std::vector<std::string> splitBlanks(std::string_view s);

// The line that starts at pos (CR LF, LF or a lone CR ends it); pos moves past its end.
std::string_view nextLine(std::string_view content, size_t& pos);

// Replaces every occurrence of what (non-empty) by with.
std::string replaceAll(std::string_view s, std::string_view what, std::string_view with);

// Removes every occurrence of the character c.
std::string removeChar(std::string_view s, char c);

bool endsWith(std::string_view s, std::string_view tail);
bool startsWith(std::string_view s, std::string_view head);

// ASCII letter case folding, used for names matched without regard to case.
std::string lowerAscii(std::string_view s);
bool equalsNoCase(std::string_view a, std::string_view b);

// Whether a path ends in a separator ('\\' or '/').
inline bool endsWithSeparator(const std::string& s) { return !s.empty() && (s.back() == '\\' || s.back() == '/'); }

}  // namespace sg::text
