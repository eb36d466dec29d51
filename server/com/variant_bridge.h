// The exchange values as real VARIANTs: the server-wide slots the host
// assigns, fast element reads over a SAFEARRAY, and the conversions
// between VARIANT and the portable Variant.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <memory>
#include <string>
#include <vector>

#include "server/core/exchange.h"
#include "server/core/variant.h"

namespace topaline {

// One element of type vt stored at p (a SAFEARRAY element or a VARIANT's
// payload), as a portable Variant. VT_VARIANT elements and VT_BYREF are
// followed.
Variant VariantFromCom(const VARIANT& v);
// A portable scalar as a VARIANT: String → BSTR, I4 → VT_I4, R8 → VT_R8,
// the other kinds as their nearest automation type. Throws on no memory.
void VariantToCom(const Variant& from, VARIANT* to);

// Read access to a SAFEARRAY held in a VARIANT, with any lower bound and
// any number of dimensions: the index runs over the first dimension (the
// one that varies fastest), the others stay at their lower bound. While
// bound, the array's data stays locked (SafeArrayAccessData).
class SafeArrayExchangeArray final : public ExchangeArray {
public:
  explicit SafeArrayExchangeArray(std::wstring name = L"");
  ~SafeArrayExchangeArray() override;
  SafeArrayExchangeArray(const SafeArrayExchangeArray&) = delete;
  SafeArrayExchangeArray& operator=(const SafeArrayExchangeArray&) = delete;

  // Binds to v (nullptr: nothing). v must outlive the binding and stay
  // unchanged until the next bind. Unlocks the previous array.
  void bind(const VARIANT* v);

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
  const void* element(std::int32_t index) const;
  Variant convert(const void* p) const;
  [[noreturn]] void notAnArray() const;

  std::wstring name_;
  SAFEARRAY* array_ = nullptr;
  VARTYPE type_ = VT_EMPTY;  // element type
  LONG lower_ = 0;
  LONG upper_ = -1;
  ULONG count_ = 0;  // elements of the first dimension that can be read
  const BYTE* data_ = nullptr;
  ULONG size_ = 0;  // bytes per element
};

// The four exchange values and resultat as the server keeps them: one set
// per loaded server, shared by every object.
class ComExchange final : public ExchangeValues {
public:
  ComExchange();
  ~ComExchange() override;
  ComExchange(const ComExchange&) = delete;
  ComExchange& operator=(const ComExchange&) = delete;

  const ExchangeArray& get(Slot slot) override;
  void put(Slot slot, std::vector<Variant> elements) override;
  // Writes the elements straight into the new SAFEARRAY.
  void putElements(Slot slot, std::size_t count, const ElementWriter& write) override;

  // Property put from the host: a deep copy, following references (a
  // script engine passes its arrays by reference).
  HRESULT assign(Slot slot, const VARIANT& value);
  // Property get for the host: a deep copy of the slot.
  HRESULT copyOut(Slot slot, VARIANT* to) const;

  // The storage of an array the server made itself (see OwnedArray in
  // the source); public for the source's helpers only.
  struct Owned;

private:
  // Takes ownership of fresh; own: the blocks fresh's array lives in, when
  // the server made it (nullptr: an array of the system's, freed with
  // VariantClear).
  void replace(Slot slot, VARIANT& fresh, std::unique_ptr<Owned> own = nullptr);
  void release(int i);  // frees slot i's value

  VARIANT values_[4];
  std::unique_ptr<Owned> owned_[4];
  SafeArrayExchangeArray views_[4];
};

}  // namespace topaline
