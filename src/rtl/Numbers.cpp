#include "rtl/Numbers.h"

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/FpuControl.h"

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

// The invoices' numbers are short decimals, and the quantities and values
// written are two-decimal amounts: both are done here exactly, with
// integers (and one division of the FPU where its word makes that exact,
// see below), when long double is the x87 extended format (a 64-bit
// significand with its integer bit, then a sign bit and a 15-bit exponent
// biased by 16383, little-endian), as with GCC and MinGW on x86.  The
// results are the very values strtold reads and the very texts printf
// writes, whatever precision the FPU is set to; other texts and values go
// the general way.
constexpr bool kX87LongDouble = std::numeric_limits<long double>::digits == 64 &&
                                std::numeric_limits<long double>::max_exponent == 16384 &&
                                __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;
constexpr int kBias = 16383;

struct Extended {
  std::uint64_t significand = 0;
  int exponent = 0;  // biased; 0 for zero and denormals
  bool negative = false;
};

Extended Decompose(long double value) {
  unsigned char bytes[sizeof(long double)] = {};
  std::memcpy(bytes, &value, sizeof value);
  Extended parts;
  std::memcpy(&parts.significand, bytes, 8);
  const unsigned top = bytes[8] | (static_cast<unsigned>(bytes[9]) << 8);
  parts.exponent = static_cast<int>(top & 0x7FFF);
  parts.negative = (top & 0x8000) != 0;
  return parts;
}

// `significand` (top bit set) times two to the power `exponent` - kBias -
// 63, which must be a normal number.
long double Compose(std::uint64_t significand, int exponent, bool negative) {
  unsigned char bytes[sizeof(long double)] = {};
  std::memcpy(bytes, &significand, 8);
  const unsigned top = static_cast<unsigned>(exponent) | (negative ? 0x8000u : 0u);
  bytes[8] = static_cast<unsigned char>(top & 0xFF);
  bytes[9] = static_cast<unsigned char>(top >> 8);
  long double value = 0;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

int BitLength(std::uint64_t n) {
  return n == 0 ? 0 : 64 - __builtin_clzll(n);
}

// An unsigned 128-bit number in two halves, for the 32-bit builds too.
struct Wide {
  std::uint64_t high = 0, low = 0;
};

// `n` / `divisor` (below 2^32) by 32-bit digits; the remainder goes to
// `remainder`.
Wide DivideSmall(Wide n, std::uint32_t divisor, std::uint64_t& remainder) {
  const std::uint64_t digits[4] = {n.high >> 32, n.high & 0xFFFFFFFFu, n.low >> 32,
                                   n.low & 0xFFFFFFFFu};
  std::uint64_t quotient[4] = {};
  std::uint64_t rest = 0;
  for (int i = 0; i < 4; ++i) {
    const std::uint64_t current = (rest << 32) | digits[i];
    quotient[i] = current / divisor;
    rest = current % divisor;
  }
  remainder = rest;
  return Wide{(quotient[0] << 32) | quotient[1], (quotient[2] << 32) | quotient[3]};
}

constexpr long double kPowersOfTen[] = {1e0L, 1e1L, 1e2L, 1e3L, 1e4L, 1e5L, 1e6L, 1e7L, 1e8L, 1e9L};

// Both operands of digits / 10^fraction are exact long doubles, so one x87
// division rounds the quotient correctly, to the same value as the integer
// division below, in a fraction of its time, but only while the unit works
// at 64-bit precision and rounds to nearest, as every export runs it.  A
// host's own word (53-bit precision, say) takes the integer way.
bool X87DividesToNearestExtended() {
  constexpr std::uint16_t kPrecisionAndRounding = 0x0F00;
  return (ReadControlWord() & kPrecisionAndRounding) ==
         (kModuleControlWord & kPrecisionAndRounding);
}

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

// A plain decimal (an optional sign, digits with at most one separator,
// `separator` or `other`, at most 19 significant digits and at most 9
// after the separator) as the long double nearest to it.  False for any
// other text: the general way reads (or refuses) it.
bool ReadPlainDecimal(std::string_view body, char separator, char other, long double& value) {
  if (!kX87LongDouble) return false;
  std::size_t at = 0;
  bool negative = false;
  if (at < body.size() && (body[at] == '+' || body[at] == '-')) negative = body[at++] == '-';
  std::uint64_t digits = 0;
  int whole = 0, fraction = 0, significant = 0;
  ReadDigits(body, at, digits, whole, significant);
  if (at < body.size() && (body[at] == separator || body[at] == other)) {
    ++at;
    ReadDigits(body, at, digits, fraction, significant);
  }
  if (at != body.size() || whole + fraction == 0) return false;
  if (significant > 19 || fraction > 9) return false;
  if (digits == 0) {
    value = negative ? -0.0L : 0.0L;
    return true;
  }
  if (fraction == 0) {
    // An integer below 2^64 is a long double as it is.
    const int bits = BitLength(digits);
    value = Compose(digits << (64 - bits), kBias + bits - 1, negative);
    return true;
  }
  if (X87DividesToNearestExtended()) {
    const long double quotient = static_cast<long double>(digits) / kPowersOfTen[fraction];
    value = negative ? -quotient : quotient;
    return true;
  }
  // digits / 10^fraction: a quotient of 64 bits, rounded to nearest by its
  // remainder.  (No such quotient lies halfway: that would need the decimal
  // to be a binary fraction of 65 bits.)
  std::uint32_t divisor = 1;
  for (int i = 0; i < fraction; ++i) divisor *= 10;
  int shift = 64 - BitLength(digits) + BitLength(divisor);
  std::uint64_t remainder = 0;
  Wide quotient;
  for (;; --shift) {
    const Wide n = shift >= 64 ? Wide{digits << (shift - 64), 0}
                               : Wide{digits >> (64 - shift), digits << shift};
    quotient = DivideSmall(n, divisor, remainder);
    if (quotient.high == 0) break;  // below 2^64: the shift is right
  }
  std::uint64_t significand = quotient.low;
  if (2 * remainder > divisor || (2 * remainder == divisor && (significand & 1) != 0)) {
    if (++significand == 0) {  // rounded up to 2^64
      significand = std::uint64_t{1} << 63;
      --shift;
    }
  }
  value = Compose(significand, kBias + 63 - shift, negative);
  return true;
}

// A number's text, written backwards from the end of `bytes`.
struct TwoDecimalsText {
  char bytes[32];
  const char* begin = nullptr;
};

// printf's "%.2Lf" of a value below 2^53, with a point: the value times 100
// rounded to an integer, halves to even, as printf rounds in the default
// rounding mode.  False for other values and modes.
bool WriteTwoDecimals(long double value, TwoDecimalsText& text) {
  if (!kX87LongDouble || std::fegetround() != FE_TONEAREST) return false;
  const Extended parts = Decompose(value);
  if (parts.exponent != 0 && (parts.significand >> 63) == 0) return false;  // not a number
  // value = significand * 2^-shift
  const int shift = kBias + 63 - (parts.exponent == 0 ? 1 : parts.exponent);
  if (shift < 11) return false;  // 2^53 or more, infinities and NaNs
  std::uint64_t hundredths = 0;
  if (shift <= 73) {
    // significand * 100, below 2^71, in two halves.
    const std::uint64_t low_product = (parts.significand & 0xFFFFFFFFu) * 100;
    const std::uint64_t high_product = (parts.significand >> 32) * 100;
    Wide n;
    n.low = low_product + (high_product << 32);
    n.high = (high_product >> 32) + (n.low < low_product ? 1 : 0);
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
  }
  // Below 2^-73 the value times 100 is below a quarter: 0.00.
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
  if (parts.negative) *--at = '-';
  text.begin = at;
  return true;
}

}  // namespace

// The checked text is rewritten as sign, significant digits, "e" and a
// decimal exponent, a form without a decimal point, which strtold reads
// the same way in every C locale and rounds correctly.
bool TextToFloat(std::string_view text, char separator, long double& value) {
  const std::string_view body = TrimBlanks(text);
  if (ReadPlainDecimal(body, separator, separator, value)) return true;
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

bool PlainDecimalToFloat(std::string_view text, char separator, char other, long double& value) {
  return ReadPlainDecimal(TrimBlanks(text), separator, other, value);
}

std::string FormatTwoDecimals(long double value) {
  TwoDecimalsText fast;
  if (WriteTwoDecimals(value, fast)) {
    const char* end = fast.bytes + sizeof fast.bytes;
    return std::string(fast.begin, static_cast<std::size_t>(end - fast.begin));
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
