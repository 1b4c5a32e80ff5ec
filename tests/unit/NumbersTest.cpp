// Reading number texts exactly and strictly, and writing "%.2Lf" with a
// point in every C locale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "CommaLocale.h"
#include "rtl/Numbers.h"

namespace {

using edihal::FormatTwoDecimals;
using edihal::TextToFloat;
using testing_support::CommaLocale;

TEST(TextToFloat, AcceptsOnlyWholeNumbers) {
  const struct {
    const char* text;
    char separator;
    bool number;
    long double value;
  } cases[] = {
      {"12", '.', true, 12.0L},
      {"2.5", '.', true, 2.5L},
      {"2,5", ',', true, 2.5L},
      {"-0,5", ',', true, -0.5L},
      {"+3", '.', true, 3.0L},
      {" 7 ", '.', true, 7.0L},
      {"\t7\r\n", '.', true, 7.0L},
      {".5", '.', true, 0.5L},
      {"5.", '.', true, 5.0L},
      {"000012.500", '.', true, 12.5L},
      {"1e3", '.', true, 1000.0L},
      {"1,5E-2", ',', true, 0.015L},
      {"25e+1", '.', true, 250.0L},
      {"0", '.', true, 0.0L},
      {"1e-5000", '.', true, 0.0L},  // below the range: it is still a number, 0
      {"", '.', false, 0},
      {"   ", '.', false, 0},
      {"2,5", '.', false, 0},  // the separator is the locale's only
      {"2.5", ',', false, 0},
      {"1.000,50", ',', false, 0},
      {"1 000", '.', false, 0},
      {"\xA0"
       "5",
       '.', false, 0},  // a no-break space is no blank
      {"12a", '.', false, 0},
      {"abc", '.', false, 0},
      {"-", '.', false, 0},
      {".", '.', false, 0},
      {"1.2.3", '.', false, 0},
      {"1e", '.', false, 0},
      {"1e+", '.', false, 0},
      {"e5", '.', false, 0},
      {"0x10", '.', false, 0},
      {"inf", '.', false, 0},
      {"nan", '.', false, 0},
      {"--1", '.', false, 0},
      {"1e99999", '.', false, 0},  // beyond the range of a long double
      {"1e999999999999999999999", '.', false, 0},
  };
  for (const auto& c : cases) {
    long double value = -123.0L;
    EXPECT_EQ(c.number, TextToFloat(c.text, c.separator, value)) << "[" << c.text << "]";
    EXPECT_EQ(c.number ? c.value : -123.0L, value) << "[" << c.text << "]";
  }
}

// The compiler reads the literals correctly rounded to the 64-bit
// significand; the texts must give the very same values.
TEST(TextToFloat, RoundsCorrectlyToLongDouble) {
  const struct {
    const char* text;
    long double value;
  } cases[] = {
      {"0.1", 0.1L},
      {"0.045", 0.045L},
      {"1.115", 1.115L},
      {"2.675", 2.675L},
      {"3.1415926535897932384626433832795028841971", 3.1415926535897932384626433832795028841971L},
      {"123456789012345678901234567890", 123456789012345678901234567890.0L},
      // Exactly halfway between 1 and the next long double: to even, 1.
      {"1.0000000000000000000542101086242752217003726400434970855712890625", 1.0L},
      // A hair above halfway: the next long double.
      {"1.0000000000000000000542101086242752217003726400434970855712890626",
       1.0000000000000000000542101086242752217003726400434970855712890626L},
      {"1e4932", 1e4932L},
      {"3.6451995318824746025e-4951", 3.6451995318824746025e-4951L},  // smallest denormal
      {"0.000000000000000000000000000000000000001234", 1.234e-39L},
  };
  for (const auto& c : cases) {
    long double value = 0;
    ASSERT_TRUE(TextToFloat(c.text, '.', value)) << c.text;
    EXPECT_EQ(c.value, value) << c.text;
  }
}

TEST(FormatTwoDecimals, WritesLikePrintfWithAPoint) {
  const struct {
    long double value;
    const char* text;
  } cases[] = {
      {7.0L, "7.00"},
      {12.0L, "12.00"},
      {7.5L, "7.50"},
      {0.0L, "0.00"},
      {0.125L, "0.12"},  // an exact half goes to even
      {0.375L, "0.38"},
      {0.045L, "0.05"},  // the long double lies above the half, a double below
      {1.115L, "1.12"},
      {2.675L, "2.67"},
      {-0.004L, "-0.00"},
      {-12.345L, "-12.35"},
      {1e20L, "100000000000000000000.00"},
      {1e30L, "1000000000000000000024696061952.00"},  // the binary value, digit by digit
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, FormatTwoDecimals(c.value)) << c.text;
}

// Decimals as invoices write them, of every length and precision around
// the limits of the quick way (19 significant digits, 9 decimals): each
// must give the value strtold gives for the same digits.
TEST(TextToFloat, ReadsDecimalsAsStrtoldDoes) {
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
