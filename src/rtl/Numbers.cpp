#include "rtl/Numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace edihal {

namespace {

// An exponent beyond any long double; larger written exponents are held
// here so that adding them up cannot overflow.
constexpr long long kExponentCap = 100000000;

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// Reads the exponent digits from `at` on; false when there are none.
bool ReadExponent(std::string_view body, std::size_t& at, long long& exponent) {
  bool negative = false;
  if (at < body.size() && (body[at] == '+' || body[at] == '-')) negative = body[at++] == '-';
  if (at >= body.size() || !IsDigit(body[at])) return false;
  exponent = 0;
  for (; at < body.size() && IsDigit(body[at]); ++at) {
    if (exponent < kExponentCap) exponent = exponent * 10 + (body[at] - '0');
  }
  if (negative) exponent = -exponent;
  return true;
}

}  // namespace

// The checked text is rewritten as sign, significant digits, "e" and a
// decimal exponent, a form without a decimal point, which strtold reads
// the same way in every C locale and rounds correctly.
bool TextToFloat(std::string_view text, char separator, long double& value) {
  const std::string_view body = TrimBlanks(text);
  std::string canonical;
  canonical.reserve(body.size() + 24);
  std::size_t at = 0;
  if (at < body.size() && (body[at] == '+' || body[at] == '-')) {
    if (body[at] == '-') canonical += '-';
    ++at;
  }
  bool any_digit = false, seen_separator = false;
  long long fraction_digits = 0;
  for (; at < body.size(); ++at) {
    const char c = body[at];
    if (IsDigit(c)) {
      any_digit = true;
      if (seen_separator && fraction_digits < kExponentCap) ++fraction_digits;
      // Leading zeros carry no value; dropping them keeps the text short.
      if (c != '0' || (!canonical.empty() && canonical.back() != '-')) canonical += c;
    } else if (c == separator && !seen_separator) {
      seen_separator = true;
    } else {
      break;
    }
  }
  if (!any_digit) return false;
  long long exponent = 0;
  if (at < body.size() && (body[at] == 'e' || body[at] == 'E')) {
    ++at;
    if (!ReadExponent(body, at, exponent)) return false;
  }
  if (at != body.size()) return false;
  if (canonical.empty() || canonical == "-") canonical += '0';
  canonical += 'e';
  canonical += std::to_string(exponent - fraction_digits);

  char* end = nullptr;
  const long double read = std::strtold(canonical.c_str(), &end);
  if (end != canonical.c_str() + canonical.size() || std::isinf(read)) return false;
  value = read;
  return true;
}

std::string FormatTwoDecimals(long double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  char small[64];
  int length = std::snprintf(small, sizeof small, "%.2Lf", value);
  if (length < 0) return std::string();
  std::string out;
  if (static_cast<std::size_t>(length) < sizeof small) {
    out.assign(small, static_cast<std::size_t>(length));
  } else {
    out.resize(static_cast<std::size_t>(length) + 1);
    std::snprintf(&out[0], out.size(), "%.2Lf", value);
    out.resize(static_cast<std::size_t>(length));
  }
  // printf writes the C locale's decimal point: sign, integer digits, the
  // point (of any length) and two decimals.  Put a point in its place.
  if (out.size() < 3) return out;
  const std::size_t decimals = out.size() - 2;
  std::size_t digits_end = out[0] == '-' ? 1 : 0;
  while (digits_end < decimals && IsDigit(out[digits_end])) ++digits_end;
  out.replace(digits_end, decimals - digits_end, ".");
  return out;
}

}  // namespace edihal
