#include "server/core/variant.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "server/core/number_format.h"

namespace topaline {

// ---------------------------------------------------------------- factories

Variant Variant::null() {
  Variant v;
  v.kind_ = VarKind::Null;
  return v;
}

Variant Variant::boolean(bool b) {
  Variant v;
  v.kind_ = VarKind::Bool;
  v.i_ = b ? 1 : 0;
  return v;
}

#define TOPALINE_INT_FACTORY(name, Kind, Type) \
  Variant Variant::name(Type x) {               \
    Variant v;                                  \
    v.kind_ = VarKind::Kind;                    \
    v.i_ = static_cast<std::int64_t>(x);        \
    return v;                                   \
  }
TOPALINE_INT_FACTORY(i1, I1, std::int8_t)
TOPALINE_INT_FACTORY(ui1, UI1, std::uint8_t)
TOPALINE_INT_FACTORY(i2, I2, std::int16_t)
TOPALINE_INT_FACTORY(ui2, UI2, std::uint16_t)
TOPALINE_INT_FACTORY(i4, I4, std::int32_t)
TOPALINE_INT_FACTORY(ui4, UI4, std::uint32_t)
TOPALINE_INT_FACTORY(i8, I8, std::int64_t)
TOPALINE_INT_FACTORY(ui8, UI8, std::uint64_t)  // kept bit for bit; uintValue() reads it back
TOPALINE_INT_FACTORY(currency, Currency, std::int64_t)
#undef TOPALINE_INT_FACTORY

Variant Variant::r4(float x) {
  Variant v;
  v.kind_ = VarKind::R4;
  v.d_ = x;
  return v;
}

Variant Variant::r8(double x) {
  Variant v;
  v.kind_ = VarKind::R8;
  v.d_ = x;
  return v;
}

Variant Variant::date(double x) {
  Variant v;
  v.kind_ = VarKind::Date;
  v.d_ = x;
  return v;
}

Variant Variant::string(std::wstring s) {
  Variant v;
  v.kind_ = VarKind::String;
  v.s_ = std::move(s);
  return v;
}

Variant Variant::other() {
  Variant v;
  v.kind_ = VarKind::Other;
  return v;
}

Variant Variant::array(std::vector<Variant> elements, std::int32_t lower) {
  VariantArray a;
  a.bounds.push_back({lower, static_cast<std::uint32_t>(elements.size())});
  a.elements = std::move(elements);
  return array(std::move(a));
}

Variant Variant::array(VariantArray a) {
  Variant v;
  v.kind_ = VarKind::Array;
  v.a_ = std::make_shared<const VariantArray>(std::move(a));
  return v;
}

// -------------------------------------------------------------- conversions

namespace {

const wchar_t* Describe(VarKind k) {
  switch (k) {
    case VarKind::Null: return L"Null";
    case VarKind::Array: return L"an array";
    default: return L"an object";
  }
}

[[noreturn]] void CannotConvert(const Variant& v, const wchar_t* to) {
  if (v.kind() == VarKind::String)
    throw Error(L"Could not convert \"" + v.stringValue() + L"\" to " + to + L".");
  throw Error(std::wstring(L"Could not convert ") + Describe(v.kind()) + L" to " + to + L".");
}

[[noreturn]] void OutOfIntRange(const std::wstring& shown) {
  throw Error(L"The value " + shown + L" is out of range for an integer (-2147483648 to 2147483647).");
}

std::int32_t CheckedInt(std::int64_t v) {
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
    OutOfIntRange(IntToText(v));
  return static_cast<std::int32_t>(v);
}

// Round half to even, then range-check, as the platform converts a real.
std::int32_t RealToInt(double v, const std::wstring& shown) {
  if (std::isnan(v)) throw Error(L"Could not convert " + shown + L" to an integer.");
  double f = std::floor(v);
  const double frac = v - f;
  if (frac > 0.5 || (frac == 0.5 && std::fmod(f, 2.0) != 0)) f += 1;
  if (!(f >= -2147483648.0 && f <= 2147483647.0)) OutOfIntRange(shown);
  return static_cast<std::int32_t>(f);
}

std::wstring CurrencyText(std::int64_t c) {
  const bool negative = c < 0;
  const std::uint64_t a = negative ? 0 - static_cast<std::uint64_t>(c) : static_cast<std::uint64_t>(c);
  std::wstring s = std::to_wstring(a / 10000);
  std::uint64_t frac = a % 10000;
  if (frac != 0) {
    std::wstring f = std::to_wstring(frac);
    f.insert(0, 4 - f.size(), L'0');
    while (f.back() == L'0') f.pop_back();
    s += L'.' + f;
  }
  return negative ? L"-" + s : s;
}

std::int32_t CurrencyToInt(std::int64_t c) {
  std::int64_t q = c / 10000;
  const std::int64_t r = c % 10000;
  if (r > 5000 || (r == 5000 && (q & 1))) ++q;
  if (r < -5000 || (r == -5000 && (q & 1))) --q;
  if (q < std::numeric_limits<std::int32_t>::min() || q > std::numeric_limits<std::int32_t>::max())
    OutOfIntRange(CurrencyText(c));
  return static_cast<std::int32_t>(q);
}

}  // namespace

std::wstring VariantToText(const Variant& v) {
  switch (v.kind()) {
    case VarKind::Empty: return std::wstring();
    case VarKind::Bool: return v.intValue() ? L"True" : L"False";
    case VarKind::I1: case VarKind::UI1: case VarKind::I2: case VarKind::UI2:
    case VarKind::I4: case VarKind::UI4: case VarKind::I8:
      return IntToText(v.intValue());
    case VarKind::UI8: return std::to_wstring(v.uintValue());
    case VarKind::R4: return FormatShortest(static_cast<float>(v.realValue()));
    case VarKind::R8: case VarKind::Date: return FormatShortest(v.realValue());
    case VarKind::Currency: return CurrencyText(v.intValue());
    case VarKind::String: return v.stringValue();
    default: CannotConvert(v, L"text");
  }
}

std::int32_t VariantToInt(const Variant& v) {
  switch (v.kind()) {
    case VarKind::Empty: return 0;
    case VarKind::Bool: return v.intValue() ? -1 : 0;
    case VarKind::I1: case VarKind::UI1: case VarKind::I2: case VarKind::UI2:
    case VarKind::I4: case VarKind::UI4: case VarKind::I8:
      return CheckedInt(v.intValue());
    case VarKind::UI8:
      if (v.uintValue() > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        OutOfIntRange(std::to_wstring(v.uintValue()));
      return static_cast<std::int32_t>(v.uintValue());
    case VarKind::R4: return RealToInt(v.realValue(), FormatShortest(static_cast<float>(v.realValue())));
    case VarKind::R8: case VarKind::Date: return RealToInt(v.realValue(), FormatShortest(v.realValue()));
    case VarKind::Currency: return CurrencyToInt(v.intValue());
    case VarKind::String: {
      std::int32_t out = 0;
      switch (ParseInt32(v.stringValue(), out)) {
        case ParseResult::Ok: return out;
        case ParseResult::OutOfRange: OutOfIntRange(L"\"" + v.stringValue() + L"\"");
        default: CannotConvert(v, L"an integer");
      }
    }
    default: CannotConvert(v, L"an integer");
  }
}

double VariantToReal(const Variant& v) {
  switch (v.kind()) {
    case VarKind::Empty: return 0;
    case VarKind::Bool: return v.intValue() ? -1 : 0;
    case VarKind::I1: case VarKind::UI1: case VarKind::I2: case VarKind::UI2:
    case VarKind::I4: case VarKind::UI4: case VarKind::I8:
      return static_cast<double>(v.intValue());
    case VarKind::UI8: return static_cast<double>(v.uintValue());
    case VarKind::R4: case VarKind::R8: case VarKind::Date: return v.realValue();
    case VarKind::Currency: return static_cast<double>(v.intValue()) / 10000.0;
    case VarKind::String: {
      double out = 0;
      switch (ParseReal(v.stringValue(), out)) {
        case ParseResult::Ok: return out;
        case ParseResult::OutOfRange:
          throw Error(L"The number \"" + v.stringValue() + L"\" is too large.");
        default: CannotConvert(v, L"a number");
      }
    }
    default: CannotConvert(v, L"a number");
  }
}

// ------------------------------------------------------------------- arrays

Error NotAnArrayError(const std::wstring& name) {
  if (name.empty()) return Error(L"The exchange value does not hold an array (invalid argument).");
  return Error(L"The property " + name + L" does not hold an array (invalid argument).");
}

Error BadIndexError(const std::wstring& name, std::int32_t index) {
  return Error((name.empty() ? std::wstring(L"The exchange array") : L"The array " + name) +
               L" has no element at index " + IntToText(index) + L" (bad index).");
}

Error ArrayElementError() {
  return Error(L"Could not convert an array to a single value: each element of an exchange array holds one value "
               L"(invalid argument).");
}

bool VariantExchangeArray::isArray() const { return v_.isArray(); }

std::int32_t VariantExchangeArray::lowerBound() const {
  if (!v_.isArray()) throw NotAnArrayError(name_);
  const auto& a = v_.arrayValue();
  return a.bounds.empty() ? 0 : a.bounds[0].lower;
}

std::int32_t VariantExchangeArray::upperBound() const {
  if (!v_.isArray()) throw NotAnArrayError(name_);
  const auto& a = v_.arrayValue();
  if (a.bounds.empty()) return -1;
  // Within the int32 range both ways: an empty array whose lower bound is
  // the smallest int32 ends there too (its count says it is empty).
  const std::int64_t upper = std::int64_t(a.bounds[0].lower) + a.bounds[0].count - 1;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(upper, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

const Variant& VariantExchangeArray::element(std::int32_t index) const {
  if (!v_.isArray()) throw NotAnArrayError(name_);
  const auto& a = v_.arrayValue();
  if (a.bounds.empty()) throw BadIndexError(name_, index);
  // Absolute index in the first dimension; further dimensions at their
  // lower bound (the first dimension varies fastest).
  const std::int64_t offset = std::int64_t(index) - a.bounds[0].lower;
  if (offset < 0 || offset >= std::int64_t(a.bounds[0].count) || std::uint64_t(offset) >= a.elements.size())
    throw BadIndexError(name_, index);
  const Variant& e = a.elements[std::size_t(offset)];
  if (e.isArray()) throw ArrayElementError();
  return e;
}

Variant VariantExchangeArray::at(std::int32_t index) const { return element(index); }
std::wstring VariantExchangeArray::textAt(std::int32_t index) const { return VariantToText(element(index)); }
std::int32_t VariantExchangeArray::intAt(std::int32_t index) const { return VariantToInt(element(index)); }
double VariantExchangeArray::realAt(std::int32_t index) const { return VariantToReal(element(index)); }

bool VariantExchangeArray::textView(std::int32_t index, std::wstring_view& out) const {
  const Variant& e = element(index);
  if (e.kind() != VarKind::String) return false;
  out = e.stringValue();
  return true;
}

// The usual kinds pass without a conversion; the others (and a text that
// does not read) go through the conversion, which raises the error.
void VariantExchangeArray::checkText(std::int32_t index) const {
  const Variant& e = element(index);
  switch (e.kind()) {
    case VarKind::Null: case VarKind::Array: case VarKind::Other: VariantToText(e); break;
    default: break;
  }
}

void VariantExchangeArray::checkInt(std::int32_t index) const {
  const Variant& e = element(index);
  std::int32_t out = 0;
  if (e.kind() == VarKind::I4 || e.kind() == VarKind::I2) return;
  if (e.kind() == VarKind::String && ParseInt32(e.stringValue(), out) == ParseResult::Ok) return;
  VariantToInt(e);
}

void VariantExchangeArray::checkReal(std::int32_t index) const {
  const Variant& e = element(index);
  double out = 0;
  if (e.kind() == VarKind::R8 || e.kind() == VarKind::I4) return;
  if (e.kind() == VarKind::String && ParseReal(e.stringValue(), out) == ParseResult::Ok) return;
  VariantToReal(e);
}

}  // namespace topaline
