// Number recognition, the leading-number rule and the two rounding rules.
#include "quillan/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "quillan/error.h"
#include "quillan/value.h"

using namespace quillan;

TEST(NumericText, AcceptsPlainDecimalsWithBlanksSignAndExponent) {
  for (const char* text : {"12", " -12.5 ", "+0.5", ".5", "5.", "1e3", "1.5E-2", "  7"})
    EXPECT_TRUE(is_numeric_text(text)) << text;
  for (const char* text : {"", " ", "1,234", "abc", "1e", "1.2.3", "-", ".", "\t1", "1 2"})
    EXPECT_FALSE(is_numeric_text(text)) << text;
}

TEST(LeadingNumber, ReadsTheLongestNumericPrefix) {
  EXPECT_EQ(leading_number("12abc"), 12);
  EXPECT_EQ(leading_number("  -3.5 m"), -3.5);
  EXPECT_EQ(leading_number("abc"), 0);
  EXPECT_EQ(leading_number("1e"), 1);
  EXPECT_EQ(leading_number("2E+2x"), 200);
  EXPECT_EQ(leading_number("???"), 0);
  EXPECT_EQ(leading_number(""), 0);
}

TEST(FormatFixed, RoundsHalvesAwayFromZeroAfterFifteenDigits) {
  EXPECT_EQ(format_fixed(12.345, 1), "12.3");
  EXPECT_EQ(format_fixed(12.35, 1), "12.4");
  EXPECT_EQ(format_fixed(2.675, 2), "2.68");
  EXPECT_EQ(format_fixed(-0.25, 1), "-0.3");
  EXPECT_EQ(format_fixed(14.5, 0), "15");
  EXPECT_EQ(format_fixed(0, 1), "0.0");
  EXPECT_EQ(format_fixed(9.96, 1), "10.0");
  EXPECT_EQ(format_fixed(1234.5, 2), "1234.50");
  EXPECT_EQ(format_fixed(0.004, 1), "0.0");
  EXPECT_EQ(format_fixed(0.05, 1), "0.1");
  EXPECT_EQ(format_fixed(10000000, 1), "10000000.0");
}

TEST(FormatFixed, KeepsTheSignOfSmallNegativesButNotOfNegativeZero) {
  EXPECT_EQ(format_fixed(-0.04, 1), "-0.0");
  EXPECT_EQ(format_fixed(-0.0, 1), "0.0");
}

TEST(RoundHalfEven, RoundsHalvesToTheEvenDecimal) {
  EXPECT_EQ(round_half_even(0.25, 1), 0.2);
  EXPECT_EQ(round_half_even(0.35, 1), 0.4);
  EXPECT_EQ(round_half_even(0.45, 1), 0.4);
  EXPECT_EQ(round_half_even(-0.25, 1), -0.2);
  EXPECT_EQ(round_half_even(2.5, 0), 2);
  EXPECT_EQ(round_half_even(0.251, 1), 0.3);
}

TEST(NumberToText, UsesTheShortestFormUpToFifteenDigits) {
  EXPECT_EQ(number_to_text(101), "101");
  EXPECT_EQ(number_to_text(1.5), "1.5");
  EXPECT_EQ(number_to_text(-0.25), "-0.25");
  EXPECT_EQ(number_to_text(0.1 + 0.2), "0.3");
  EXPECT_EQ(number_to_text(123456789012345), "123456789012345");
  EXPECT_EQ(number_to_text(1e20), "1E+20");
}

TEST(Trim, RemovesBlanksOnlyNotTabs) {
  EXPECT_EQ(trim("  a b  "), "a b");
  EXPECT_EQ(trim("\ta\t"), "\ta\t");
  EXPECT_EQ(trim("   "), "");
  EXPECT_EQ(to_upper("n/a"), "N/A");
}

TEST(ValueTest, ComparesLooselyButNeverANumberWithAText) {
  EXPECT_TRUE(Value(5).loosely_equals(Value(5.0)));
  EXPECT_FALSE(Value(5).loosely_equals(Value("5")));
  EXPECT_TRUE(Value().loosely_equals(Value("")));
  EXPECT_TRUE(Value("").loosely_equals(Value()));
  EXPECT_FALSE(Value("a").loosely_equals(Value("A")));
  EXPECT_EQ(Value(" 12.5x").to_number(), 12.5);
  EXPECT_TRUE(Value(" 3 ").is_numeric());
  EXPECT_FALSE(Value().is_numeric());
  EXPECT_THROW(Value("x").number(), Error);
}

namespace {

// The rounding rules written the plain way: print 15 significant digits,
// then round the decimal text.
std::string reference_fixed(double value, int decimals, bool halves_to_even) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
  std::string s(buf);
  std::string digits = s.substr(0, 1) + s.substr(2, 14);
  int exponent = std::atoi(s.c_str() + s.find('e') + 1);
  // Digits placed so that digits[0..int_len) is the integer part.
  int int_len = exponent + 1;
  if (int_len < 1) {
    digits.insert(0, static_cast<std::size_t>(1 - int_len), '0');
    int_len = 1;
  }
  std::size_t keep = static_cast<std::size_t>(int_len + decimals);
  if (digits.size() < keep + 1) digits.append(keep + 1 - digits.size(), '0');
  std::string kept = digits.substr(0, keep), rest = digits.substr(keep);
  bool beyond = rest.find_first_not_of('0', 1) != std::string::npos;
  bool up = rest[0] > '5' ||
            (rest[0] == '5' && (!halves_to_even || beyond || (kept.back() - '0') % 2 == 1));
  if (value == 0) up = false, kept = std::string(keep, '0');
  for (int i = static_cast<int>(kept.size()) - 1; up && i >= 0; --i) {
    if (kept[static_cast<std::size_t>(i)] == '9') {
      kept[static_cast<std::size_t>(i)] = '0';
      if (i == 0) kept.insert(0, "1"), up = false;
    } else {
      ++kept[static_cast<std::size_t>(i)];
      up = false;
    }
  }
  std::string integer = kept.substr(0, kept.size() - static_cast<std::size_t>(decimals));
  integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
  std::string out = (value < 0 ? "-" : "") + integer;
  if (decimals > 0) out += "." + kept.substr(kept.size() - static_cast<std::size_t>(decimals));
  return out;
}

TEST(FormatFixed, AgreesWithPlainDecimalRoundingOnManyValues) {
  std::mt19937_64 random(20261207);
  std::uniform_real_distribution<double> coordinate(-1e6, 1e6);
  std::uniform_int_distribution<int> halves(-200000, 200000);
  for (int i = 0; i < 20000; ++i) {
    double values[] = {coordinate(random), halves(random) / 20.0, halves(random) / 200.0,
                       coordinate(random) * 1e-7, coordinate(random) * 1e12};
    for (double v : values) {
      for (int d : {0, 1, 2}) {
        ASSERT_EQ(format_fixed(v, d), reference_fixed(v, d, false)) << v << " " << d;
        ASSERT_EQ(round_half_even(v, d), std::strtod(reference_fixed(v, d, true).c_str(), nullptr))
            << v << " " << d;
      }
    }
  }
}

}  // namespace
