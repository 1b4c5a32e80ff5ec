// Reading number texts exactly and strictly, and writing "%.2Lf" with a
// point in every C locale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "CommaLocale.h"
#include "platform/FpuControl.h"
#include "numbers/Numbers.h"

namespace {

using edihal::FormatTwoDecimals;
using edihal::TextToFloat;
using testing_support::CommaLocale;

// The x87 control word for the length of a scope, restored after it.
class ControlWordScope {
 public:
  explicit ControlWordScope(std::uint16_t word) : own_(edihal::ReadControlWord()) {
    edihal::LoadControlWord(word);
  }
  ~ControlWordScope() { edihal::LoadControlWord(own_); }
  ControlWordScope(const ControlWordScope&) = delete;
  ControlWordScope& operator=(const ControlWordScope&) = delete;

 private:
  std::uint16_t own_;
};

// Decimals as invoices write them, of every length and precision around
// the limits of the quick way (19 significant digits, 9 decimals): each
// must give the value strtold gives for the same digits, at the module's
// own x87 precision and at a host's lower ones, where a division of the
// FPU would round the quotient to fewer bits.
class ReadsDecimalsAsStrtoldDoes : public testing::TestWithParam<std::uint16_t> {};

TEST_P(ReadsDecimalsAsStrtoldDoes, AtThisPrecision) {
  const ControlWordScope scope(GetParam());
  std::mt19937_64 random(1250);
  for (int i = 0; i < 100000; ++i) {
    const int length = 1 + static_cast<int>(random() % 22);
    std::string digits;
    for (int d = 0; d < length; ++d) digits += static_cast<char>('0' + random() % 10);
    if (i % 7 == 0) digits = "000" + digits;
    if (i % 11 == 0) digits += "000";
    const int decimals = static_cast<int>(random() % std::min<std::size_t>(digits.size(), 13));
    const char separator = i % 2 == 0 ? '.' : ',';
    const bool negative = i % 3 == 0;
    std::string text = (negative ? "-" : "") + digits;
    if (decimals > 0 || i % 5 == 0) text.insert(text.size() - decimals, 1, separator);
    // The same number without a separator, read in any C locale.
    const std::string plain = (negative ? "-" : "") + digits + "e-" + std::to_string(decimals);
    const long double expected = std::strtold(plain.c_str(), nullptr);
    long double value = 0;
    ASSERT_TRUE(TextToFloat(text, separator, value)) << text;
    ASSERT_EQ(expected, value) << text;
    ASSERT_EQ(std::signbit(expected), std::signbit(value)) << text;
  }
}

// 64-bit precision (the module's word), 53-bit (a host's 0x027F) and 24-bit,
// each rounding to nearest with every exception masked.
INSTANTIATE_TEST_SUITE_P(TextToFloat, ReadsDecimalsAsStrtoldDoes,
                         testing::Values(std::uint16_t{0x037F}, std::uint16_t{0x027F},
                                         std::uint16_t{0x007F}));

std::string Printed(long double value) {
  char text[128];
  std::snprintf(text, sizeof text, "%.2Lf", value);
  return text;
}

// Values of every size below and around 2^53, products of amounts as the
// import makes them, exact halves and their neighbours: each must be
// written as printf writes it.
TEST(FormatTwoDecimals, WritesWhatPrintfWrites) {
  std::vector<long double> values = {0.0L,
                                     -0.0L,
                                     0.005L,
                                     0.015L,
                                     0.025L,
                                     1.005L,
                                     9007199254740992.0L,  // 2^53
                                     std::nextafter(9007199254740992.0L, 0.0L),
                                     std::ldexp(1.0L, -73),
                                     std::ldexp(1.0L, -74),
                                     std::ldexp(3.0L, -75),
                                     std::ldexp(1.0L, -16445)};
  for (int n = -2000; n <= 2000; ++n) {
    values.push_back(n / 8.0L);  // exact halves of a cent among them
    values.push_back(n / 200.0L);
    values.push_back(std::nextafter(n / 8.0L, 1e30L));
    values.push_back(std::nextafter(n / 8.0L, -1e30L));
  }
  std::mt19937_64 random(2024);
  for (int i = 0; i < 60000; ++i) {
    const long double quantity = static_cast<long double>(random() % 100000) / 1000.0L;
    const long double price = static_cast<long double>(random() % 1000000) / 100.0L;
    values.push_back(quantity * price);
    const long double scaled =
        std::ldexp(static_cast<long double>(random() >> 1), static_cast<int>(random() % 90) - 100);
    values.push_back(i % 2 == 0 ? scaled : -scaled);
  }
  for (const long double value : values) {
    ASSERT_EQ(Printed(value), FormatTwoDecimals(value)) << static_cast<double>(value);
  }
}

TEST(Numbers, TheCLocaleChangesNothing) {
  CommaLocale comma;
  if (!comma.Active()) GTEST_SKIP() << "no locale with a decimal comma on this machine";
  EXPECT_EQ("7.50", FormatTwoDecimals(7.5L));
  EXPECT_EQ("-1234567.89", FormatTwoDecimals(-1234567.89L));
  long double value = 0;
  ASSERT_TRUE(TextToFloat("0.045", '.', value));
  EXPECT_EQ(0.045L, value);
  ASSERT_TRUE(TextToFloat("2,5", ',', value));
  EXPECT_EQ(2.5L, value);
  EXPECT_FALSE(TextToFloat("2.5", ',', value));
}

}  // namespace
