#include "server/core/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace topaline {
namespace {

TEST(FormatFixed, Table) {
  struct Case { double v; int decimals; const wchar_t* expected; };
  const Case cases[] = {
      {0, 0, L"0"},
      {0, 3, L"0.000"},
      {12.5, 3, L"12.500"},
      {12.5, 0, L"13"},          // halves away from zero
      {-12.5, 0, L"-13"},
      {2.675, 2, L"2.68"},       // the typed value, not its binary neighbour 2.67499999...
      {1.005, 2, L"1.01"},
      {-0.0004, 3, L"0.000"},    // never "-0.000"
      {-0.0, 2, L"0.00"},
      {-0.0005, 3, L"-0.001"},
      {0.05, 1, L"0.1"},
      {0.04999, 1, L"0.0"},
      {0.5, 0, L"1"},
      {0.4, 0, L"0"},
      {9.9999, 2, L"10.00"},     // carry into a new digit
      {999.96, 1, L"1000.0"},
      {1234567.891, 2, L"1234567.89"},
      {123456789012345678.0, 1, L"123456789012350000.0"},  // past 14 significant digits: zeros
      {0.1 + 0.2, 15, L"0.300000000000000"},
      {1e-20, 3, L"0.000"},
      {1e20, 0, L"100000000000000000000"},
      {3.0, -2, L"3"},           // a negative count means none
      {-45.123456, 4, L"-45.1235"},
      {100000.0, 3, L"100000.000"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatFixed(c.v, c.decimals), c.expected) << c.v << " with " << c.decimals;
  EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 2), L"NaN");
  EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 2), L"-INF");
}

// The sort key of a shown coordinate orders and equates values exactly as
// their shown texts read as numbers, for every pair of a set of values
// that round, carry, lose their sign or pass 14 significant digits.
TEST(FixedKey, OrdersAsTheShownTexts) {
  const double values[] = {0, -0.0, 2.675, 2.68, 2.67499, 1.005, 1.01, -0.0004, -0.0005, 0.0005, 9.9999, 10,
                           999.96, 1000, -12.5, -13, 123456789012345678.0, 123456789012349999.0,
                           123456789012360000.0, 1e20, 1e300, -1e300, 1e-20, 512000.125, 512000.1251};
  for (int d : {0, 2, 3, 8}) {
    for (double a : values) {
      for (double b : values) {
        double ta = 0, tb = 0;
        ASSERT_TRUE(ParseNumber(FormatFixed(a, d), ta));
        ASSERT_TRUE(ParseNumber(FormatFixed(b, d), tb));
        const double ka = FixedKey(a, d), kb = FixedKey(b, d);
        EXPECT_EQ(ta < tb, ka < kb) << a << " " << b << " with " << d;
        EXPECT_EQ(ta == tb, ka == kb) << a << " " << b << " with " << d;
      }
    }
  }
  EXPECT_TRUE(std::isnan(FixedKey(std::numeric_limits<double>::quiet_NaN(), 3)));
  EXPECT_EQ(FixedKey(-std::numeric_limits<double>::infinity(), 3), -std::numeric_limits<double>::infinity());
  EXPECT_LT(FixedKey(1e300, 3), std::numeric_limits<double>::infinity());
}

TEST(FormatShortest, Table) {
  struct Case { double v; const wchar_t* expected; };
  const Case cases[] = {
      {12.5, L"12.5"}, {3.0, L"3"}, {-0.001, L"-0.001"}, {0.1, L"0.1"}, {-0.0, L"0"},
      {100000.0, L"100000"}, {123456789012345.0, L"123456789012345"}, {1e15, L"1E+15"},
      {1.5e20, L"1.5E+20"}, {1e-7, L"1E-07"}, {0.00001, L"0.00001"}, {0.1 + 0.2, L"0.30000000000000004"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatShortest(c.v), c.expected) << c.v;
  EXPECT_EQ(FormatShortest(0.1f), L"0.1");  // float precision, not 0.100000001490116
}

TEST(ParseReal, Table) {
  struct Case { const wchar_t* text; ParseResult result; double value; };
  const Case cases[] = {
      {L"12.5", ParseResult::Ok, 12.5},
      {L"  -3 ", ParseResult::Ok, -3},
      {L"+4.", ParseResult::Ok, 4},
      {L".25", ParseResult::Ok, 0.25},
      {L"1e3", ParseResult::Ok, 1000},
      {L"1.5E-2", ParseResult::Ok, 0.015},
      {L"\t7\r\n", ParseResult::Ok, 7},
      {L"0", ParseResult::Ok, 0},
      {L"1e-400", ParseResult::Ok, 0},          // below a double: zero
      {L"1e400", ParseResult::OutOfRange, 0},
      {L"", ParseResult::Invalid, 0},
      {L"   ", ParseResult::Invalid, 0},
      {L"12,5", ParseResult::Invalid, 0},       // "." only
      {L"1 000", ParseResult::Invalid, 0},
      {L".", ParseResult::Invalid, 0},
      {L"-", ParseResult::Invalid, 0},
      {L"1e", ParseResult::Invalid, 0},
      {L"e5", ParseResult::Invalid, 0},
      {L"inf", ParseResult::Invalid, 0},
      {L"nan", ParseResult::Invalid, 0},
      {L"0x10", ParseResult::Invalid, 0},
      {L"12abc", ParseResult::Invalid, 0},
      {L"--1", ParseResult::Invalid, 0},
      {L"\x0661", ParseResult::Invalid, 0},     // digits other than ASCII
  };
  for (const auto& c : cases) {
    double v = -99;
    EXPECT_EQ(ParseReal(c.text, v), c.result) << c.text;
    if (c.result == ParseResult::Ok) {
      EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
  }
  double v = 0;
  EXPECT_TRUE(ParseNumber(L"0.30000000000000004", v));
  EXPECT_EQ(v, 0.1 + 0.2);  // exact round trip
}

TEST(ParseInt32, Table) {
  struct Case { const wchar_t* text; ParseResult result; std::int32_t value; };
  const Case cases[] = {
      {L"12", ParseResult::Ok, 12},
      {L" -7 ", ParseResult::Ok, -7},
      {L"+3", ParseResult::Ok, 3},
      {L"007", ParseResult::Ok, 7},
      {L"2147483647", ParseResult::Ok, 2147483647},
      {L"-2147483648", ParseResult::Ok, std::numeric_limits<std::int32_t>::min()},
      {L"2147483648", ParseResult::OutOfRange, 0},
      {L"-2147483649", ParseResult::OutOfRange, 0},
      {L"99999999999999999999999", ParseResult::OutOfRange, 0},
      {L"", ParseResult::Invalid, 0},
      {L"x", ParseResult::Invalid, 0},
      {L"12.5", ParseResult::Invalid, 0},
      {L"12.0", ParseResult::Invalid, 0},
      {L"1e3", ParseResult::Invalid, 0},
      {L"1 2", ParseResult::Invalid, 0},
      {L"-", ParseResult::Invalid, 0},
  };
  for (const auto& c : cases) {
    std::int32_t v = -99;
    EXPECT_EQ(ParseInt32(c.text, v), c.result) << c.text;
    if (c.result == ParseResult::Ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
}

}  // namespace
}  // namespace topaline
