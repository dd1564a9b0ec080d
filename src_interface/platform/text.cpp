#include "platform/text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace sg::text {

double numericValue(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  std::string num;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) num += s[i++];
  bool digits = false;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') { num += s[i++]; digits = true; }
  if (i < s.size() && s[i] == '.') {
    num += s[i++];
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') { num += s[i++]; digits = true; }
  }
  if (!digits) return 0.0;
  if (num[0] == '+') num.erase(0, 1);
  double v = 0.0;
  auto res = std::from_chars(num.data(), num.data() + num.size(), v);
  if (res.ec == std::errc::result_out_of_range) {
    v = (num[0] == '-') ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
  }
  if (v == 0.0) v = 0.0;  // no negative zero
  return v;
}

std::string plainDecimal(double v) {
  if (!std::isfinite(v)) return "0";
  if (v == 0.0) return "0";
  // Shortest round-trip form, then expanded to plain notation without exponent.
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general);
  std::string g(buf, res.ptr);
  auto e = g.find('e');
  if (e == std::string::npos) return g;
  std::string mant = g.substr(0, e);
  int exp = std::stoi(g.substr(e + 1));
  bool neg = !mant.empty() && mant[0] == '-';
  if (neg) mant.erase(0, 1);
  std::string digits;
  int pointPos = 0;
  auto dot = mant.find('.');
  if (dot == std::string::npos) { digits = mant; pointPos = static_cast<int>(mant.size()); }
  else { digits = mant.substr(0, dot) + mant.substr(dot + 1); pointPos = static_cast<int>(dot); }
  pointPos += exp;
  std::string out;
  if (pointPos <= 0) {
    out = "0." + std::string(static_cast<size_t>(-pointPos), '0') + digits;
  } else if (pointPos >= static_cast<int>(digits.size())) {
    out = digits + std::string(static_cast<size_t>(pointPos) - digits.size(), '0');
  } else {
    out = digits.substr(0, static_cast<size_t>(pointPos)) + "." + digits.substr(static_cast<size_t>(pointPos));
  }
  return neg ? "-" + out : out;
}

long long roundHalfEven(double v) {
  if (!std::isfinite(v)) return 0;
  if (v >= 9.2e18) return std::numeric_limits<long long>::max();
  if (v <= -9.2e18) return std::numeric_limits<long long>::min();
  return static_cast<long long>(std::nearbyint(v));  // default rounding mode: halves to even
}

int integerValue(std::string_view s) {
  long long r = roundHalfEven(numericValue(s));
  if (r > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (r < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(r);
}

std::string trimBlanks(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  return std::string(s.substr(b, e - b));
}

std::vector<std::string> splitBlanks(std::string_view s) {
  std::vector<std::string> out;
  if (s.empty()) return out;
  size_t start = 0;
  for (;;) {
    size_t p = s.find(' ', start);
    if (p == std::string_view::npos) { out.emplace_back(s.substr(start)); break; }
    out.emplace_back(s.substr(start, p - start));
    start = p + 1;
  }
  return out;
}

std::string_view nextLine(std::string_view content, size_t& pos) {
  size_t end = content.find_first_of("\r\n", pos);
  if (end == std::string_view::npos) end = content.size();
  std::string_view line = content.substr(pos, end - pos);
  pos = end;
  if (pos < content.size() && content[pos] == '\r') {
    ++pos;
    if (pos < content.size() && content[pos] == '\n') ++pos;
  } else if (pos < content.size()) {
    ++pos;  // a LF
  }
  return line;
}

std::string replaceAll(std::string_view s, std::string_view what, std::string_view with) {
  if (what.empty()) return std::string(s);
  std::string out;
  size_t start = 0;
  for (;;) {
    size_t p = s.find(what, start);
    if (p == std::string_view::npos) { out.append(s.substr(start)); break; }
    out.append(s.substr(start, p - start));
    out.append(with);
    start = p + what.size();
  }
  return out;
}

std::string removeChar(std::string_view s, char c) {
  std::string out;
  out.reserve(s.size());
  for (char ch : s) if (ch != c) out += ch;
  return out;
}

bool endsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}
bool startsWith(std::string_view s, std::string_view head) {
  return s.size() >= head.size() && s.substr(0, head.size()) == head;
}

std::string lowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}
bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace sg::text
