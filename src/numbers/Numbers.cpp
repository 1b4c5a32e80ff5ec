#include "numbers/Numbers.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/FpuControl.h"

namespace edihal {

namespace {

// An exponent beyond any long double; larger written exponents are held
// here so that adding them up cannot overflow.
constexpr long long kExponentCap = 100000000;

// Where long double carries 64 bits of significand (the x87 format of GCC
// and MinGW on x86), the invoices' short decimals and the two-decimal
// amounts written are done exactly with integers and one division; the
// results are the very values strtold reads and the very texts printf
// writes, at a fraction of their cost.  Every other text and value, and
// every one where long double is another format, goes the general way.
constexpr bool kSixtyFourBitSignificand = std::numeric_limits<long double>::digits == 64;

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

constexpr long double kPowersOfTen[] = {1e0L, 1e1L, 1e2L, 1e3L, 1e4L, 1e5L, 1e6L, 1e7L, 1e8L, 1e9L};

// The digits from `at` on, up to the first other byte, added to `digits`
// and counted in `count`; `significant` counts those from the first that
// is not a leading zero.  Past 19 significant digits `digits` no longer
// holds their value, which the count tells.
void ReadDigits(std::string_view body, std::size_t& at, std::uint64_t& digits, int& count,
                int& significant) {
  for (; at < body.size(); ++at) {
    const unsigned digit = static_cast<unsigned char>(body[at]) - unsigned{'0'};
    if (digit > 9) break;
    if ((digits | digit) != 0) ++significant;
    digits = digits * 10 + digit;
    ++count;
  }
}

// A plain decimal (an optional sign, digits with at most one `separator`,
// at most 19 significant digits and at most 9 after the separator) as the
// long double nearest to it: digits / 10^decimals, both exact, in one
// division, which rounds it correctly while the x87 unit works at 64-bit
// precision and rounds to nearest, as every export runs it.  False for
// any other text, and under any other control word.
bool ReadPlainDecimal(std::string_view body, char separator, long double& value) {
  if (!kSixtyFourBitSignificand || !X87DividesToNearestExtended()) return false;
  std::size_t at = 0;
  bool negative = false;
  if (at < body.size() && (body[at] == '+' || body[at] == '-')) negative = body[at++] == '-';
  std::uint64_t digits = 0;
  int whole = 0, fraction = 0, significant = 0;
  ReadDigits(body, at, digits, whole, significant);
  if (at < body.size() && body[at] == separator) {
    ++at;
    ReadDigits(body, at, digits, fraction, significant);
  }
  if (at != body.size() || whole + fraction == 0 || significant > 19 || fraction > 9) {
    return false;
  }
  const long double quotient = static_cast<long double>(digits) / kPowersOfTen[fraction];
  value = negative ? -quotient : quotient;
  return true;
}

// A number's text, written backwards from the end of `bytes`.
struct TwoDecimalsText {
  char bytes[32];
  const char* begin = nullptr;
};

// An unsigned 128-bit number in two halves, for the 32-bit builds too.
struct Wide {
  std::uint64_t high = 0, low = 0;
};

// The value times 100, rounded to an integer, halves to even as printf
// rounds in the default rounding mode: value = significand * 2^-shift,
// with 11 <= shift.
std::uint64_t Hundredths(std::uint64_t significand, int shift) {
  // Below 2^-73 the value times 100 is below a quarter.
  if (shift > 73) return 0;
  // significand * 100, below 2^71, in two halves.
  const std::uint64_t low_product = (significand & 0xFFFFFFFFu) * 100;
  const std::uint64_t high_product = (significand >> 32) * 100;
  Wide n;
  n.low = low_product + (high_product << 32);
  n.high = (high_product >> 32) + (n.low < low_product ? 1 : 0);
  std::uint64_t hundredths = 0;
  bool round_bit = false, sticky = false;
  if (shift < 64) {
    hundredths = (n.low >> shift) | (n.high << (64 - shift));
    round_bit = ((n.low >> (shift - 1)) & 1) != 0;
    sticky = (n.low & ((std::uint64_t{1} << (shift - 1)) - 1)) != 0;
  } else if (shift == 64) {
    hundredths = n.high;
    round_bit = (n.low >> 63) != 0;
    sticky = (n.low << 1) != 0;
  } else {
    hundredths = n.high >> (shift - 64);
    round_bit = ((n.high >> (shift - 65)) & 1) != 0;
    sticky = (n.high & ((std::uint64_t{1} << (shift - 65)) - 1)) != 0 || n.low != 0;
  }
  if (round_bit && (sticky || (hundredths & 1) != 0)) ++hundredths;
  return hundredths;
}

// printf's "%.2Lf" of a finite value below 2^53, with a point.  False for
// other values, and under any control word but the module's: at a lower
// precision the conversion of the significand to an integer rounds.
bool WriteTwoDecimals(long double value, TwoDecimalsText& text) {
  if (!kSixtyFourBitSignificand || !std::isfinite(value) || !X87DividesToNearestExtended()) {
    return false;
  }
  // value = fraction * 2^exponent, fraction in [0.5, 1) with 64 bits, so
  // that value = significand * 2^(exponent - 64).
  int exponent = 0;
  const long double fraction = std::frexp(std::fabs(value), &exponent);
  const auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
  const int shift = 64 - exponent;
  if (shift < 11) return false;  // 2^53 or more
  const std::uint64_t hundredths = Hundredths(significand, shift);
  char* at = text.bytes + sizeof text.bytes;
  const auto cents = static_cast<unsigned>(hundredths % 100);
  *--at = static_cast<char>('0' + cents % 10);
  *--at = static_cast<char>('0' + cents / 10);
  *--at = '.';
  // The whole part in 32-bit steps once it fits in 32 bits: a 32-bit
  // processor divides a 64-bit number only through the run-time library.
  std::uint64_t whole = hundredths / 100;
  for (; whole > 0xFFFFFFFFu; whole /= 10) *--at = static_cast<char>('0' + whole % 10);
  auto small_whole = static_cast<std::uint32_t>(whole);
  do {
    *--at = static_cast<char>('0' + small_whole % 10);
    small_whole /= 10;
  } while (small_whole != 0);
  if (std::signbit(value)) *--at = '-';
  text.begin = at;
  return true;
}

}  // namespace

// The checked text is rewritten as sign, significant digits, "e" and a
// decimal exponent, a form without a decimal point, which strtold reads
// the same way in every C locale and rounds correctly.
bool TextToFloat(std::string_view text, char separator, long double& value) {
  const std::string_view body = TrimBlanks(text);
  if (ReadPlainDecimal(body, separator, value)) return true;
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

std::string_view LocaliseDecimalSeparator(std::string_view text, char separator,
                                          std::string& scratch) {
  // An invoice may write "." where the locale has a comma, "," elsewhere.
  const char from = separator == ',' ? '.' : ',';
  // Number texts are short: a loop beats a search call.
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != from) continue;
    scratch.assign(text.data(), text.size());
    scratch[at] = separator;
    return scratch;
  }
  return text;
}

std::string FormatTwoDecimals(long double value) {
  TwoDecimalsText quick;
  if (WriteTwoDecimals(value, quick)) {
    const char* end = quick.bytes + sizeof quick.bytes;
    return std::string(quick.begin, static_cast<std::size_t>(end - quick.begin));
  }
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
