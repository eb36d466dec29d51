// A portable mirror of what a host can put in a VARIANT, and the element
// conversions the exchange arrays use.
//
// On Windows the exchange values stay real VARIANTs (server/com/);
// the model reads them element by element through ExchangeArray, so a
// million-point array is never copied into this type. Natively, tests and
// benchmarks hold their arrays as Variant.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/error.h"

namespace topaline {

enum class VarKind {
  Empty, Null, Bool,
  I1, UI1, I2, UI2, I4, UI4, I8, UI8,
  R4, R8,
  Currency,  // value scaled by 10000, as in CY
  Date,      // days since 1899-12-30, as in DATE
  String,
  Array,
  Other      // an interface pointer, an error code...: converts to nothing
};

class Variant;

// A SAFEARRAY's shape and elements. Elements are stored with the first
// dimension varying fastest, as in a SAFEARRAY.
struct VariantArray {
  struct Bound { std::int32_t lower = 0; std::uint32_t count = 0; };
  std::vector<Bound> bounds;       // one per dimension
  VarKind elementKind = VarKind::Empty;  // Empty means "array of VARIANT"
  std::vector<Variant> elements;
};

class Variant {
public:
  Variant() = default;  // Empty
  static Variant null();
  static Variant boolean(bool v);
  static Variant i1(std::int8_t v);
  static Variant ui1(std::uint8_t v);
  static Variant i2(std::int16_t v);
  static Variant ui2(std::uint16_t v);
  static Variant i4(std::int32_t v);
  static Variant ui4(std::uint32_t v);
  static Variant i8(std::int64_t v);
  static Variant ui8(std::uint64_t v);
  static Variant r4(float v);
  static Variant r8(double v);
  static Variant currency(std::int64_t scaledBy10000);
  static Variant date(double v);
  static Variant string(std::wstring v);
  static Variant other();
  // A one-dimensional array of VARIANT with the given lower bound.
  static Variant array(std::vector<Variant> elements, std::int32_t lower = 0);
  // Lets Variant::array({}) and Variant::array({a, b}) pick this form.
  static Variant array(std::initializer_list<Variant> elements, std::int32_t lower = 0) {
    return array(std::vector<Variant>(elements), lower);
  }
  static Variant array(VariantArray a);

  VarKind kind() const { return kind_; }
  bool isArray() const { return kind_ == VarKind::Array; }

  // Raw access (no conversion); the caller checks kind() first.
  std::int64_t intValue() const { return i_; }     // Bool (0/1), integer kinds, Currency
  std::uint64_t uintValue() const { return static_cast<std::uint64_t>(i_); }
  double realValue() const { return d_; }          // R4, R8, Date
  const std::wstring& stringValue() const { return s_; }
  const VariantArray& arrayValue() const { return *a_; }

private:
  VarKind kind_ = VarKind::Empty;
  std::int64_t i_ = 0;
  double d_ = 0;
  std::wstring s_;
  std::shared_ptr<const VariantArray> a_;  // immutable, shared on copy
};

// Element conversions. Each throws Error with a conversion message when
// the value cannot become the wanted kind.
//
// VariantToText: Empty -> ""; Bool -> "True" / "False" (what a host
// script sees with CStr); integer kinds -> decimal; R4/R8/Date -> the
// shortest text that reads back to the same value, "." as separator,
// exponent form "1.5E+20" only below 1E-5 or from 1E+15 on; Currency ->
// exact decimal ("12.5"); String -> itself. Null, Array, Other fail.
// VariantToInt: Empty -> 0; Bool -> -1 / 0; integers range-checked into
// int32; reals, dates and currency rounded half to even, then
// range-checked; String -> trimmed optional sign and decimal digits only
// ("12.5", "" and "1e3" fail). Never wraps around.
// VariantToReal: Empty -> 0; Bool -> -1 / 0; String -> trimmed decimal
// number with "." and optional exponent (never the C locale).
std::wstring VariantToText(const Variant& v);
std::int32_t VariantToInt(const Variant& v);
double VariantToReal(const Variant& v);

// Read access to one exchange value as the host assigned it.
class ExchangeArray {
public:
  virtual ~ExchangeArray() = default;
  virtual bool isArray() const = 0;
  // Bounds of the first dimension; throw Error (invalid argument) when
  // the value is not an array.
  virtual std::int32_t lowerBound() const = 0;
  virtual std::int32_t upperBound() const = 0;
  // Element at absolute index; throws Error (bad index) when out of range.
  virtual Variant at(std::int32_t index) const = 0;
  // Typed reads, the hot path of the model (no intermediate Variant needed).
  virtual std::wstring textAt(std::int32_t index) const { return VariantToText(at(index)); }
  virtual std::int32_t intAt(std::int32_t index) const { return VariantToInt(at(index)); }
  virtual double realAt(std::int32_t index) const { return VariantToReal(at(index)); }
  // The element's text where the array holds it as text, without a copy:
  // valid while the array is unchanged. False for any other kind (then
  // textAt converts it).
  virtual bool textView(std::int32_t index, std::wstring_view& out) const {
    (void)index, (void)out;
    return false;
  }
  // Whether the element converts, without the value: throw what the typed
  // read would throw. Overrides convert and allocate nothing for the
  // usual element kinds.
  virtual void checkText(std::int32_t index) const { textAt(index); }
  virtual void checkInt(std::int32_t index) const { intAt(index); }
  virtual void checkReal(std::int32_t index) const { realAt(index); }
};

// ExchangeArray over a portable Variant (native tests, benchmarks).
// The view refers to v: v must outlive it. name (e.g. L"AXPoints") is
// used in error messages.
class VariantExchangeArray final : public ExchangeArray {
public:
  explicit VariantExchangeArray(const Variant& v, std::wstring name = L"")
      : v_(v), name_(std::move(name)) {}
  bool isArray() const override;
  std::int32_t lowerBound() const override;
  std::int32_t upperBound() const override;
  Variant at(std::int32_t index) const override;
  std::wstring textAt(std::int32_t index) const override;
  std::int32_t intAt(std::int32_t index) const override;
  double realAt(std::int32_t index) const override;
  bool textView(std::int32_t index, std::wstring_view& out) const override;
  void checkText(std::int32_t index) const override;
  void checkInt(std::int32_t index) const override;
  void checkReal(std::int32_t index) const override;

private:
  const Variant& element(std::int32_t index) const;
  const Variant& v_;
  std::wstring name_;
};

// The messages every ExchangeArray implementation raises, so that the
// host sees the same text whatever side of the bridge failed.
// name may be empty ("The exchange value ...").
Error NotAnArrayError(const std::wstring& name);
Error BadIndexError(const std::wstring& name, std::int32_t index);
// An element that is itself an array, read as a single value (the
// callers name the array and the element, as for a conversion error).
Error ArrayElementError();

}  // namespace topaline
