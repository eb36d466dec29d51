// Element reads of an exchange array for the model, naming the array and
// the element in every error so that a host-script author finds the
// faulty value.
#pragma once

#include <cstdint>
#include <string>

#include "server/core/number_format.h"
#include "server/core/variant.h"

namespace topaline {

class ElementReader {
public:
  ElementReader(const ExchangeArray& a, const wchar_t* name) : a_(a), name_(name) {
    if (!a.isArray()) throw NotAnArrayError(name_);
  }
  std::int32_t upper() const { return a_.upperBound(); }
  // Elements are read from index 0 whatever the lower bound.
  void checkFrom0(std::int32_t lastIndex) const {
    if (lastIndex >= 0 && a_.lowerBound() > 0) throw BadIndexError(name_, 0);
  }
  std::wstring text(std::int32_t i) const {
    try { return a_.textAt(i); } catch (const Error& e) { throw wrap(i, e); }
  }
  std::int32_t integer(std::int32_t i) const {
    try { return a_.intAt(i); } catch (const Error& e) { throw wrap(i, e); }
  }
  double real(std::int32_t i) const {
    try { return a_.realAt(i); } catch (const Error& e) { throw wrap(i, e); }
  }
  // The same checks without the value (nothing converted or allocated for
  // the usual element kinds).
  void checkText(std::int32_t i) const {
    try { a_.checkText(i); } catch (const Error& e) { throw wrap(i, e); }
  }
  void checkInteger(std::int32_t i) const {
    try { a_.checkInt(i); } catch (const Error& e) { throw wrap(i, e); }
  }
  void checkReal(std::int32_t i) const {
    try { a_.checkReal(i); } catch (const Error& e) { throw wrap(i, e); }
  }

private:
  Error wrap(std::int32_t i, const Error& e) const {
    return Error(std::wstring(name_) + L", element " + IntToText(i) + L": " + e.message());
  }
  const ExchangeArray& a_;
  const wchar_t* name_;
};

}  // namespace topaline
