#include "server/core/variant.h"

#include <gtest/gtest.h>

#include <limits>

#include "server/core/exchange.h"

namespace topaline {
namespace {

std::wstring ErrorOf(void (*f)(const Variant&), const Variant& v) {
  try {
    f(v);
  } catch (const Error& e) {
    return e.message();
  }
  return L"(no error)";
}

TEST(VariantConversion, ToText) {
  struct Case { Variant v; const wchar_t* expected; };
  const Case cases[] = {
      {Variant(), L""},
      {Variant::boolean(true), L"True"},
      {Variant::boolean(false), L"False"},
      {Variant::i1(-5), L"-5"},
      {Variant::ui1(200), L"200"},
      {Variant::i2(-300), L"-300"},
      {Variant::ui2(60000), L"60000"},
      {Variant::i4(-2147483647 - 1), L"-2147483648"},
      {Variant::ui4(4000000000u), L"4000000000"},
      {Variant::i8(-9000000000LL), L"-9000000000"},
      {Variant::ui8(18446744073709551615ULL), L"18446744073709551615"},
      {Variant::r8(12.5), L"12.5"},
      {Variant::r8(3.0), L"3"},
      {Variant::r8(-0.001), L"-0.001"},
      {Variant::r4(0.1f), L"0.1"},
      {Variant::currency(125000), L"12.5"},
      {Variant::currency(-5), L"-0.0005"},
      {Variant::currency(30000), L"3"},
      {Variant::date(45000.25), L"45000.25"},
      {Variant::string(L"Borne n°1"), L"Borne n°1"},
  };
  for (const auto& c : cases) EXPECT_EQ(VariantToText(c.v), c.expected);
}

TEST(VariantConversion, ToInt) {
  struct Case { Variant v; std::int32_t expected; };
  const Case cases[] = {
      {Variant(), 0},
      {Variant::boolean(true), -1},
      {Variant::boolean(false), 0},
      {Variant::ui1(255), 255},
      {Variant::ui4(2147483647u), 2147483647},
      {Variant::i8(-2147483648LL), std::numeric_limits<std::int32_t>::min()},
      {Variant::r8(2.5), 2},    // half to even
      {Variant::r8(3.5), 4},
      {Variant::r8(-2.5), -2},
      {Variant::r8(-2.6), -3},
      {Variant::r8(7.49), 7},
      {Variant::r4(1.5f), 2},
      {Variant::currency(25000), 2},   // 2.5
      {Variant::currency(35000), 4},   // 3.5
      {Variant::currency(-15000), -2}, // -1.5
      {Variant::currency(12345), 1},
      {Variant::date(2.5), 2},
      {Variant::string(L" 7 "), 7},
      {Variant::string(L"-12"), -12},
      {Variant::string(L"+3"), 3},
  };
  for (const auto& c : cases) EXPECT_EQ(VariantToInt(c.v), c.expected) << VariantToText(c.v);
}

TEST(VariantConversion, ToReal) {
  struct Case { Variant v; double expected; };
  const Case cases[] = {
      {Variant(), 0},
      {Variant::boolean(true), -1},
      {Variant::i4(-7), -7},
      {Variant::ui8(1ULL << 40), 1099511627776.0},
      {Variant::r4(0.5f), 0.5},
      {Variant::r8(1.25), 1.25},
      {Variant::currency(125000), 12.5},
      {Variant::date(1.5), 1.5},
      {Variant::string(L" 12.5 "), 12.5},
      {Variant::string(L"-1e3"), -1000},
      {Variant::string(L"7"), 7},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(VariantToReal(c.v), c.expected) << VariantToText(c.v);
}

TEST(VariantConversion, FailuresAreClearAndNeverWrap) {
  auto toInt = [](const Variant& v) { VariantToInt(v); };
  auto toReal = [](const Variant& v) { VariantToReal(v); };
  auto toText = [](const Variant& v) { VariantToText(v); };
  struct Case { void (*f)(const Variant&); Variant v; const wchar_t* message; };
  const Case cases[] = {
      {toInt, Variant::string(L"12.5"), L"Could not convert \"12.5\" to an integer."},
      {toInt, Variant::string(L""), L"Could not convert \"\" to an integer."},
      {toInt, Variant::string(L"abc"), L"Could not convert \"abc\" to an integer."},
      {toReal, Variant::string(L"abc"), L"Could not convert \"abc\" to a number."},
      {toReal, Variant::string(L"12,5"), L"Could not convert \"12,5\" to a number."},
      {toReal, Variant::string(L""), L"Could not convert \"\" to a number."},
      {toText, Variant::null(), L"Could not convert Null to text."},
      {toInt, Variant::null(), L"Could not convert Null to an integer."},
      {toText, Variant::array(std::vector<Variant>{}), L"Could not convert an array to text."},
      {toReal, Variant::other(), L"Could not convert an object to a number."},
      {toInt, Variant::ui4(2147483648u),
       L"The value 2147483648 is out of range for an integer (-2147483648 to 2147483647)."},
      {toInt, Variant::i8(-2147483649LL),
       L"The value -2147483649 is out of range for an integer (-2147483648 to 2147483647)."},
      {toInt, Variant::ui8(18446744073709551615ULL),
       L"The value 18446744073709551615 is out of range for an integer (-2147483648 to 2147483647)."},
      {toInt, Variant::r8(3e9), L"The value 3000000000 is out of range for an integer (-2147483648 to 2147483647)."},
      {toInt, Variant::r8(std::numeric_limits<double>::quiet_NaN()), L"Could not convert NaN to an integer."},
      {toInt, Variant::currency(300000000000000LL),
       L"The value 30000000000 is out of range for an integer (-2147483648 to 2147483647)."},
      {toInt, Variant::string(L"99999999999"),
       L"The value \"99999999999\" is out of range for an integer (-2147483648 to 2147483647)."},
      {toReal, Variant::string(L"1e999"), L"The number \"1e999\" is too large."},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.f, c.v), c.message);
  // The edges of the range still convert.
  EXPECT_EQ(VariantToInt(Variant::r8(2147483647.4)), 2147483647);
  EXPECT_EQ(VariantToInt(Variant::r8(-2147483648.5)), std::numeric_limits<std::int32_t>::min());
}

TEST(VariantExchangeArray, BoundsAndAbsoluteIndex) {
  Variant a = Variant::array({Variant::string(L"a"), Variant::i4(2)}, 1);  // bounds 1..2
  VariantExchangeArray view(a, L"AXPoints");
  EXPECT_TRUE(view.isArray());
  EXPECT_EQ(view.lowerBound(), 1);
  EXPECT_EQ(view.upperBound(), 2);
  EXPECT_EQ(view.textAt(1), L"a");
  EXPECT_EQ(view.intAt(2), 2);
  try {
    view.at(0);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), L"The array AXPoints has no element at index 0 (bad index).");
  }
  EXPECT_THROW(view.at(3), Error);

  Variant empty = Variant::array({});
  EXPECT_EQ(VariantExchangeArray(empty).upperBound(), -1);

  Variant scalar = Variant::i4(3);
  VariantExchangeArray notArray(scalar, L"alldata");
  EXPECT_FALSE(notArray.isArray());
  try {
    notArray.upperBound();
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), L"The property alldata does not hold an array (invalid argument).");
  }
  EXPECT_THROW(notArray.textAt(0), Error);

  // An element that is itself an array is refused by every read.
  Variant nested = Variant::array({Variant::string(L"h"), Variant::array({Variant::i4(7)})});
  VariantExchangeArray points(nested, L"AXPoints");
  for (int read = 0; read < 4; ++read) {
    try {
      if (read == 0) points.at(1);
      if (read == 1) points.textAt(1);
      if (read == 2) points.intAt(1);
      if (read == 3) points.realAt(1);
      FAIL() << read;
    } catch (const Error& e) {
      EXPECT_EQ(e.message(), L"Could not convert an array to a single value: each element of an exchange array "
                             L"holds one value (invalid argument).");
    }
  }
}

TEST(VariantExchange, SlotsPersistAndPutReplacesWhole) {
  VariantExchange x;
  EXPECT_FALSE(x.get(Slot::AXPoints).isArray());  // empty until assigned
  x.value(Slot::alldata) = Variant::array({Variant::string(L"12")}, 3);
  const ExchangeArray& view = x.get(Slot::alldata);
  EXPECT_EQ(view.lowerBound(), 3);
  x.put(Slot::alldata, {Variant::i4(5), Variant::r8(1.5)});
  EXPECT_EQ(view.lowerBound(), 0);  // the same view sees the new value
  EXPECT_EQ(view.upperBound(), 1);
  EXPECT_EQ(x.value(Slot::alldata).arrayValue().elements[1].kind(), VarKind::R8);
  EXPECT_STREQ(SlotName(Slot::AXCalques), L"AXCalques");
}

}  // namespace
}  // namespace topaline
