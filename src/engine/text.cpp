#include "engine/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace str {

namespace {

bool isBlank(unsigned char c) { return c <= 32; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Simple case pairs of Latin-1 and Latin Extended-A. Dotted and dotless i, the
// long s and the sharp s are left alone: their partners lie outside these blocks
// and mapping them would make lower(upper(x)) != lower(x).
char32_t lowerChar(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c < 0xC0) return c;
  if (c <= 0xDE) return c == 0xD7 ? c : c + 32;
  if (c < 0x100) return c;
  if (c <= 0x137) return (c == 0x130) ? c : (c | 1);
  if (c >= 0x139 && c <= 0x148) return (c & 1) ? c + 1 : c;
  if (c >= 0x14A && c <= 0x177) return c | 1;
  if (c == 0x178) return 0xFF;
  if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c + 1 : c;
  return c;
}

char32_t upperChar(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c < 0xE0) return c;
  if (c <= 0xFE) return c == 0xF7 ? c : c - 32;
  if (c == 0xFF) return 0x178;
  if (c < 0x100) return c;
  if (c <= 0x137) return (c == 0x131) ? c : (c & ~char32_t{1});
  if (c >= 0x139 && c <= 0x148) return (c & 1) ? c : c - 1;
  if (c >= 0x14A && c <= 0x177) return c & ~char32_t{1};
  if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c : c - 1;
  return c;
}

template <typename Map>
std::string mapChars(const std::string& s, Map map) {
  std::string out;
  out.reserve(s.size());
  for (const char32_t c : toU32(s)) appendUtf8(out, map(c));
  return out;
}

// Takes the longest prefix of s that reads as a number (after blanks), rebuilt
// in the one form from_chars accepts: "-123.45e-6". Returns false when the
// prefix has no digit at all.
struct NumberText {
  bool negative = false;
  std::string digits;  // integer digits followed by fraction digits
  int pointAt = 0;     // digits before the decimal point
  long long exponent = 0;
};

bool scanNumber(const std::string& s, NumberText& num) {
  std::size_t i = 0;
  while (i < s.size() && isBlank(static_cast<unsigned char>(s[i]))) ++i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) num.negative = s[i++] == '-';
  while (i < s.size() && isDigit(s[i])) num.digits += s[i++];
  num.pointAt = static_cast<int>(std::min<std::size_t>(num.digits.size(), INT_MAX));
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && isDigit(s[i])) num.digits += s[i++];
  }
  if (num.digits.empty()) return false;
  // An exponent counts only when at least one digit follows the 'e' and its sign.
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    bool expNegative = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) expNegative = s[j++] == '-';
    if (j < s.size() && isDigit(s[j])) {
      long long e = 0;
      while (j < s.size() && isDigit(s[j])) {
        // Far beyond any representable exponent; capped so it cannot overflow.
        e = std::min(e * 10 + (s[j++] - '0'), 1000000000LL);
      }
      num.exponent = expNegative ? -e : e;
    }
  }
  return true;
}

template <typename Real>
Real parseReal(const std::string& s) {
  NumberText num;
  if (!scanNumber(s, num)) return 0;
  const std::size_t firstNonZero = num.digits.find_first_not_of('0');
  if (firstNonZero == std::string::npos) return num.negative ? -Real(0) : Real(0);

  std::string text = num.negative ? "-" : "";
  text += num.digits.substr(0, num.pointAt).empty() ? "0" : num.digits.substr(0, num.pointAt);
  if (num.pointAt < static_cast<int>(num.digits.size())) {
    text += '.';
    text += num.digits.substr(num.pointAt);
  }
  text += 'e';
  text += std::to_string(num.exponent);

  Real value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Decimal magnitude of the leading digit tells overflow from underflow.
    const long long magnitude =
        static_cast<long long>(num.pointAt) - static_cast<long long>(firstNonZero) - 1 + num.exponent;
    value = magnitude > 0 ? std::numeric_limits<Real>::infinity() : Real(0);
    if (num.negative) value = -value;
  }
  return value;
}

}  // namespace

bool decodeUtf8(const unsigned char* p, std::size_t n, char32_t& c, std::size_t& len) {
  const unsigned char b = p[0];
  c = b;
  len = 1;
  if (b < 0x80) return true;

  int need = 0;
  unsigned char lo = 0x80;
  unsigned char hi = 0xBF;
  char32_t value = 0;
  if (b >= 0xC2 && b <= 0xDF) {
    need = 1;
    value = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    need = 2;
    value = b & 0x0F;
    if (b == 0xE0) lo = 0xA0;  // overlong
    if (b == 0xED) hi = 0x9F;  // surrogates
  } else if (b >= 0xF0 && b <= 0xF4) {
    need = 3;
    value = b & 0x07;
    if (b == 0xF0) lo = 0x90;  // overlong
    if (b == 0xF4) hi = 0x8F;  // beyond U+10FFFF
  } else {
    return false;
  }

  for (int k = 1; k <= need; ++k) {
    if (static_cast<std::size_t>(k) >= n || p[k] < lo || p[k] > hi) {
      len = static_cast<std::size_t>(k);
      return false;
    }
    value = (value << 6) | (p[k] & 0x3F);
    lo = 0x80;
    hi = 0xBF;
  }
  c = value;
  len = static_cast<std::size_t>(need) + 1;
  return true;
}

std::u32string toU32(const std::string& s) {
  std::u32string out;
  out.reserve(s.size());
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  std::size_t i = 0;
  while (i < s.size()) {
    char32_t c = 0;
    std::size_t len = 0;
    // A broken sequence yields just its first byte as Latin-1; the rest are read afresh.
    if (!decodeUtf8(p + i, s.size() - i, c, len)) len = 1;
    out += c;
    i += len;
  }
  return out;
}

void appendUtf8(std::string& out, char32_t c) {
  if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = 0xFFFD;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string fromU32(const std::u32string& s) {
  std::string out;
  out.reserve(s.size());
  for (const char32_t c : s) appendUtf8(out, c);
  return out;
}

std::string chr(char32_t c) {
  std::string out;
  appendUtf8(out, c);
  return out;
}

int length(const std::string& s) {
  // Only the count is needed; fast path for plain ASCII.
  if (std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return static_cast<int>(s.size());
  }
  return static_cast<int>(toU32(s).size());
}

int toInt(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size() && isBlank(static_cast<unsigned char>(s[i]))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  constexpr long long limit = static_cast<long long>(INT_MAX) + 1;
  long long value = 0;
  while (i < s.size() && isDigit(s[i])) value = std::min(value * 10 + (s[i++] - '0'), limit);
  if (negative) return static_cast<int>(std::max(-value, static_cast<long long>(INT_MIN)));
  return static_cast<int>(std::min(value, static_cast<long long>(INT_MAX)));
}

float toFloat(const std::string& s) { return parseReal<float>(s); }

double toDouble(const std::string& s) { return parseReal<double>(s); }

int find(const std::string& s, const std::string& sub, int start) {
  const std::u32string hay = toU32(s);
  const std::u32string needle = toU32(sub);
  const std::size_t from = static_cast<std::size_t>(std::max(start, 0));
  if (from > hay.size()) return -1;
  const std::size_t at = hay.find(needle, from);
  return at == std::u32string::npos ? -1 : static_cast<int>(at);
}

int findLast(const std::string& s, const std::string& sub, int start) {
  if (start < 0) return -1;
  const std::u32string hay = toU32(s);
  const std::size_t at = hay.rfind(toU32(sub), static_cast<std::size_t>(start));
  return at == std::u32string::npos ? -1 : static_cast<int>(at);
}

std::string replaceAll(const std::string& s, const std::string& from, const std::string& to) {
  if (from.empty()) return s;
  // UTF-8 is self-synchronising, so a byte match of a whole character sequence
  // is also a match of whole characters.
  std::string out;
  std::size_t pos = 0;
  while (true) {
    const std::size_t at = s.find(from, pos);
    if (at == std::string::npos) break;
    out.append(s, pos, at - pos);
    out += to;
    pos = at + from.size();
  }
  out.append(s, pos, std::string::npos);
  return out;
}

std::string trim(const std::string& s) {
  std::size_t a = 0;
  std::size_t b = s.size();
  while (a < b && isBlank(static_cast<unsigned char>(s[a]))) ++a;
  while (b > a && isBlank(static_cast<unsigned char>(s[b - 1]))) --b;
  return s.substr(a, b - a);
}

std::string lower(const std::string& s) { return mapChars(s, lowerChar); }

std::string upper(const std::string& s) { return mapChars(s, upperChar); }

std::vector<std::string> split(const std::string& s, const std::string& sep) {
  std::vector<std::string> parts;
  if (sep.empty()) {
    std::size_t i = 0;
    while (true) {
      while (i < s.size() && isBlank(static_cast<unsigned char>(s[i]))) ++i;
      if (i == s.size()) break;
      const std::size_t begin = i;
      while (i < s.size() && !isBlank(static_cast<unsigned char>(s[i]))) ++i;
      parts.push_back(s.substr(begin, i - begin));
    }
    return parts;
  }
  std::size_t pos = 0;
  while (true) {
    const std::size_t at = s.find(sep, pos);
    if (at == std::string::npos) break;
    parts.push_back(s.substr(pos, at - pos));
    pos = at + sep.size();
  }
  parts.push_back(s.substr(pos));
  return parts;
}

std::string join(const std::vector<std::string>& parts, const std::string& sep) {
  std::string out;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += sep;
    out += parts[i];
  }
  return out;
}

std::string slice(const std::string& s, int a, int b) {
  if (b <= a) return "";
  const std::u32string chars = toU32(s);
  const long long size = static_cast<long long>(chars.size());
  std::string out;
  for (long long i = a; i < b; ++i) {
    if (i < 0 || i >= size) {
      out += ' ';
    } else {
      appendUtf8(out, chars[static_cast<std::size_t>(i)]);
    }
  }
  return out;
}

std::string mid(const std::string& s, int start, int count) {
  const std::u32string chars = toU32(s);
  const long long size = static_cast<long long>(chars.size());
  long long first = start;
  long long n = count < 0 ? size : count;
  if (first < 1) {
    if (count >= 0) n += first - 1;
    first = 1;
  }
  if (n <= 0 || first > size) return "";
  const long long end = std::min(first - 1 + n, size);
  return fromU32(
      chars.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(end - first + 1)));
}

int instr(const std::string& s, const std::string& sub, int start) {
  return find(s, sub, std::max(start, 1) - 1) + 1;
}

std::string left(const std::string& s, int n) {
  if (n <= 0) return "";
  return fromU32(toU32(s).substr(0, static_cast<std::size_t>(n)));
}

std::string right(const std::string& s, int n) {
  if (n <= 0) return "";
  const std::u32string chars = toU32(s);
  const std::size_t keep = std::min(chars.size(), static_cast<std::size_t>(n));
  return fromU32(chars.substr(chars.size() - keep));
}

int compare(const std::string& a, const std::string& b) {
  const std::u32string x = toU32(a);
  const std::u32string y = toU32(b);
  const int order = x.compare(y);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

bool equalsIgnoreCase(const std::string& a, const std::string& b) {
  const std::u32string x = toU32(a);
  const std::u32string y = toU32(b);
  if (x.size() != y.size()) return false;
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (lowerChar(x[i]) != lowerChar(y[i])) return false;
  }
  return true;
}

}  // namespace str
