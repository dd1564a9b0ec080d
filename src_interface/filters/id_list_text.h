// Id list text: the filter texts that the filter dialogs exchange with the main window, whole
// numbers in decimal, each followed by exactly one blank ("1 14 56 ").
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace sg::filters {

// The piece as a whole number in plain decimal ("05" and "+5" give "5", "-0" gives "0"), or
// nullopt when it is not a whole number (fractions, exponents, letters, blanks, empty).
// Any number of digits is accepted: the result is text, not a machine number.
std::optional<std::string> wholeNumberText(std::string_view piece);

// The value of a plain decimal whole number text when it lies within [lo, hi].
std::optional<int> valueWithin(const std::string& wholeText, int lo, int hi);

}  // namespace sg::filters
