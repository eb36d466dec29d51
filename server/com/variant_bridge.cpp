#include "server/com/variant_bridge.h"

#include <oleauto.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>

#include "platform/error.h"
#include "server/core/number_format.h"

namespace topaline {

namespace {

std::wstring FromBstr(BSTR s) { return s ? std::wstring(s, SysStringLen(s)) : std::wstring(); }

Variant ArrayFromCom(SAFEARRAY* psa, VARTYPE type);

// Dimension d (0 the first) as the array descriptor holds it. Not
// through SafeArrayGetUBound: an empty dimension whose lower bound is the
// smallest LONG has no upper bound a LONG can hold, and the system wraps
// it round to the largest.
const SAFEARRAYBOUND& Dimension(const SAFEARRAY* psa, UINT d) { return psa->rgsabound[psa->cDims - 1 - d]; }

// The last index of a dimension, within the range of an int32 (an empty
// dimension at the bottom of the range reads as ending there too; its
// count says it is empty).
LONG LastIndex(const SAFEARRAYBOUND& b) {
  const std::int64_t last = std::int64_t(b.lLbound) + std::int64_t(b.cElements) - 1;
  return static_cast<LONG>(std::clamp<std::int64_t>(last, INT32_MIN, INT32_MAX));
}

// The element of type `type` stored at p.
Variant ScalarFromCom(VARTYPE type, const void* p) {
  switch (type) {
    case VT_EMPTY: return Variant();
    case VT_NULL: return Variant::null();
    case VT_BOOL: return Variant::boolean(*static_cast<const VARIANT_BOOL*>(p) != VARIANT_FALSE);
    case VT_I1: return Variant::i1(*static_cast<const signed char*>(p));
    case VT_UI1: return Variant::ui1(*static_cast<const BYTE*>(p));
    case VT_I2: return Variant::i2(*static_cast<const SHORT*>(p));
    case VT_UI2: return Variant::ui2(*static_cast<const USHORT*>(p));
    case VT_I4: return Variant::i4(*static_cast<const LONG*>(p));
    case VT_INT: return Variant::i4(*static_cast<const INT*>(p));
    case VT_UI4: return Variant::ui4(*static_cast<const ULONG*>(p));
    case VT_UINT: return Variant::ui4(*static_cast<const UINT*>(p));
    case VT_I8: return Variant::i8(*static_cast<const LONGLONG*>(p));
    case VT_UI8: return Variant::ui8(*static_cast<const ULONGLONG*>(p));
    case VT_R4: return Variant::r4(*static_cast<const FLOAT*>(p));
    case VT_R8: return Variant::r8(*static_cast<const DOUBLE*>(p));
    case VT_CY: return Variant::currency(static_cast<const CY*>(p)->int64);
    case VT_DATE: return Variant::date(*static_cast<const DATE*>(p));
    case VT_BSTR: return Variant::string(FromBstr(*static_cast<const BSTR*>(p)));
    case VT_DECIMAL: {
      double d = 0;
      if (FAILED(VarR8FromDec(const_cast<DECIMAL*>(static_cast<const DECIMAL*>(p)), &d))) return Variant::other();
      return Variant::r8(d);
    }
    case VT_VARIANT: return VariantFromCom(*static_cast<const VARIANT*>(p));
    default: return Variant::other();  // interfaces, error codes, records
  }
}

Variant ArrayFromCom(SAFEARRAY* psa, VARTYPE type) {
  VariantArray a;
  a.elementKind = VarKind::Empty;  // array of VARIANT
  if (!psa) return Variant::array(std::move(a));
  UINT dims = SafeArrayGetDim(psa);
  std::size_t total = dims ? 1 : 0;
  a.bounds.resize(dims);
  for (UINT d = 0; d < dims; ++d) {
    a.bounds[d].lower = Dimension(psa, d).lLbound;
    a.bounds[d].count = Dimension(psa, d).cElements;
    total *= a.bounds[d].count;
  }
  void* data = nullptr;
  if (total && SUCCEEDED(SafeArrayAccessData(psa, &data))) {
    ULONG size = SafeArrayGetElemsize(psa);
    a.elements.reserve(total);
    for (std::size_t i = 0; i < total; ++i)
      a.elements.push_back(ScalarFromCom(type, static_cast<const BYTE*>(data) + i * size));
    SafeArrayUnaccessData(psa);
  }
  return Variant::array(std::move(a));
}

const VARIANT& Deref(const VARIANT& v) {
  const VARIANT* p = &v;
  while (V_VT(p) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(p)) p = V_VARIANTREF(p);
  return *p;
}

[[noreturn]] void ThrowHr(HRESULT hr, const std::wstring& what) {
  if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
  wchar_t code[16];
  swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(hr));
  throw Error(what + L" (error " + code + L").");
}

}  // namespace

Variant VariantFromCom(const VARIANT& value) {
  const VARIANT& v = Deref(value);
  VARTYPE vt = V_VT(&v);
  if (vt & VT_ARRAY) {
    SAFEARRAY* psa = (vt & VT_BYREF) ? (V_ARRAYREF(&v) ? *V_ARRAYREF(&v) : nullptr) : V_ARRAY(&v);
    return ArrayFromCom(psa, vt & VT_TYPEMASK);
  }
  if (vt & VT_BYREF) return V_BYREF(&v) ? ScalarFromCom(vt & VT_TYPEMASK, V_BYREF(&v)) : Variant();
  if (vt == VT_DECIMAL) return ScalarFromCom(VT_DECIMAL, &V_DECIMAL(&v));
  return ScalarFromCom(vt, &V_UI1(&v));  // the payload starts at the same place for every type
}

void VariantToCom(const Variant& from, VARIANT* to) {
  VariantInit(to);
  switch (from.kind()) {
    case VarKind::Empty: break;
    case VarKind::Null: V_VT(to) = VT_NULL; break;
    case VarKind::Bool: V_VT(to) = VT_BOOL; V_BOOL(to) = from.intValue() ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VarKind::I1: V_VT(to) = VT_I1; V_I1(to) = static_cast<CHAR>(from.intValue()); break;
    case VarKind::UI1: V_VT(to) = VT_UI1; V_UI1(to) = static_cast<BYTE>(from.intValue()); break;
    case VarKind::I2: V_VT(to) = VT_I2; V_I2(to) = static_cast<SHORT>(from.intValue()); break;
    case VarKind::UI2: V_VT(to) = VT_UI2; V_UI2(to) = static_cast<USHORT>(from.intValue()); break;
    case VarKind::I4: V_VT(to) = VT_I4; V_I4(to) = static_cast<LONG>(from.intValue()); break;
    case VarKind::UI4: V_VT(to) = VT_UI4; V_UI4(to) = static_cast<ULONG>(from.uintValue()); break;
    case VarKind::I8: V_VT(to) = VT_I8; V_I8(to) = from.intValue(); break;
    case VarKind::UI8: V_VT(to) = VT_UI8; V_UI8(to) = from.uintValue(); break;
    case VarKind::R4: V_VT(to) = VT_R4; V_R4(to) = static_cast<FLOAT>(from.realValue()); break;
    case VarKind::R8: V_VT(to) = VT_R8; V_R8(to) = from.realValue(); break;
    case VarKind::Currency: V_VT(to) = VT_CY; V_CY(to).int64 = from.intValue(); break;
    case VarKind::Date: V_VT(to) = VT_DATE; V_DATE(to) = from.realValue(); break;
    case VarKind::String: {
      const std::wstring& s = from.stringValue();
      BSTR b = SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
      if (!b) throw std::bad_alloc();
      V_VT(to) = VT_BSTR;
      V_BSTR(to) = b;
      break;
    }
    case VarKind::Array: {
      const VariantArray& a = from.arrayValue();
      std::vector<SAFEARRAYBOUND> bounds(a.bounds.size());
      // SAFEARRAYBOUND lists the dimensions from the last to the first.
      for (std::size_t d = 0; d < a.bounds.size(); ++d) {
        bounds[a.bounds.size() - 1 - d].lLbound = a.bounds[d].lower;
        bounds[a.bounds.size() - 1 - d].cElements = a.bounds[d].count;
      }
      SAFEARRAY* psa = SafeArrayCreate(VT_VARIANT, static_cast<UINT>(bounds.size()), bounds.data());
      if (!psa) throw std::bad_alloc();
      VARIANT* data = nullptr;
      SafeArrayAccessData(psa, reinterpret_cast<void**>(&data));
      try {
        for (std::size_t i = 0; i < a.elements.size(); ++i) VariantToCom(a.elements[i], &data[i]);
      } catch (...) {
        SafeArrayUnaccessData(psa);
        SafeArrayDestroy(psa);
        throw;
      }
      SafeArrayUnaccessData(psa);
      V_VT(to) = VT_ARRAY | VT_VARIANT;
      V_ARRAY(to) = psa;
      break;
    }
    case VarKind::Other: V_VT(to) = VT_ERROR; V_ERROR(to) = DISP_E_PARAMNOTFOUND; break;
  }
}

namespace {

// The element at p, of the array's element type, when it is of type vt
// (directly, or as a VARIANT holding it by value); else nullptr.
const void* Payload(VARTYPE arrayType, const void* p, VARTYPE vt) {
  if (arrayType == vt) return p;
  if (arrayType != VT_VARIANT) return nullptr;
  const VARIANT* v = static_cast<const VARIANT*>(p);
  return V_VT(v) == vt ? static_cast<const void*>(&V_UI1(v)) : nullptr;
}

std::wstring_view BstrView(const void* payload) {
  BSTR b = *static_cast<const BSTR*>(payload);
  return b ? std::wstring_view(b, SysStringLen(b)) : std::wstring_view();
}

}  // namespace

// ---------------------------------------------------------------- array view

SafeArrayExchangeArray::SafeArrayExchangeArray(std::wstring name) : name_(std::move(name)) {}

SafeArrayExchangeArray::~SafeArrayExchangeArray() { bind(nullptr); }

void SafeArrayExchangeArray::bind(const VARIANT* value) {
  if (array_ && data_) SafeArrayUnaccessData(array_);
  array_ = nullptr;
  data_ = nullptr;
  type_ = VT_EMPTY;
  lower_ = 0;
  upper_ = -1;
  count_ = 0;
  size_ = 0;
  if (!value) return;
  const VARIANT& v = Deref(*value);
  VARTYPE vt = V_VT(&v);
  if (!(vt & VT_ARRAY)) return;
  SAFEARRAY* psa = (vt & VT_BYREF) ? (V_ARRAYREF(&v) ? *V_ARRAYREF(&v) : nullptr) : V_ARRAY(&v);
  if (!psa) return;
  array_ = psa;
  type_ = vt & VT_TYPEMASK;
  if (SafeArrayGetDim(psa) == 0) return;  // an array without dimensions holds nothing
  lower_ = Dimension(psa, 0).lLbound;
  upper_ = LastIndex(Dimension(psa, 0));
  count_ = Dimension(psa, 0).cElements;
  size_ = SafeArrayGetElemsize(psa);
  void* data = nullptr;
  if (count_ > 0 && SUCCEEDED(SafeArrayAccessData(psa, &data))) data_ = static_cast<const BYTE*>(data);
  else count_ = 0, upper_ = LastIndex(SAFEARRAYBOUND{0, lower_});
}

bool SafeArrayExchangeArray::isArray() const { return array_ != nullptr; }

void SafeArrayExchangeArray::notAnArray() const { throw NotAnArrayError(name_); }

std::int32_t SafeArrayExchangeArray::lowerBound() const {
  if (!array_) notAnArray();
  return lower_;
}

std::int32_t SafeArrayExchangeArray::upperBound() const {
  if (!array_) notAnArray();
  return upper_;
}

const void* SafeArrayExchangeArray::element(std::int32_t index) const {
  if (!array_) notAnArray();
  const std::int64_t offset = std::int64_t(index) - lower_;
  if (offset < 0 || offset >= std::int64_t(count_) || !data_) throw BadIndexError(name_, index);
  return data_ + static_cast<std::size_t>(offset) * size_;
}

Variant SafeArrayExchangeArray::convert(const void* p) const {
  // A record element is a single value. One that holds an array (however
  // deeply nested) is refused here, before anything walks into it.
  if (type_ == VT_VARIANT && (V_VT(&Deref(*static_cast<const VARIANT*>(p))) & VT_ARRAY))
    throw ArrayElementError();
  return ScalarFromCom(type_, p);
}

Variant SafeArrayExchangeArray::at(std::int32_t index) const { return convert(element(index)); }

std::wstring SafeArrayExchangeArray::textAt(std::int32_t index) const {
  const void* p = element(index);
  if (type_ == VT_VARIANT) {
    const VARIANT* v = static_cast<const VARIANT*>(p);
    if (V_VT(v) == VT_BSTR) return FromBstr(V_BSTR(v));
  } else if (type_ == VT_BSTR) {
    return FromBstr(*static_cast<const BSTR*>(p));
  }
  return VariantToText(convert(p));
}

std::int32_t SafeArrayExchangeArray::intAt(std::int32_t index) const {
  const void* p = element(index);
  if (type_ == VT_VARIANT) {
    const VARIANT* v = static_cast<const VARIANT*>(p);
    if (V_VT(v) == VT_I4) return V_I4(v);
    if (V_VT(v) == VT_I2) return V_I2(v);
  } else if (type_ == VT_I4) {
    return *static_cast<const LONG*>(p);
  }
  // A number as text (identifiers come back so): read in place.
  std::int32_t out = 0;
  if (const void* b = Payload(type_, p, VT_BSTR); b && ParseInt32(BstrView(b), out) == ParseResult::Ok) return out;
  return VariantToInt(convert(p));
}

double SafeArrayExchangeArray::realAt(std::int32_t index) const {
  const void* p = element(index);
  if (type_ == VT_VARIANT) {
    const VARIANT* v = static_cast<const VARIANT*>(p);
    if (V_VT(v) == VT_R8) return V_R8(v);
    if (V_VT(v) == VT_I4) return V_I4(v);
  } else if (type_ == VT_R8) {
    return *static_cast<const DOUBLE*>(p);
  }
  double out = 0;
  if (const void* b = Payload(type_, p, VT_BSTR); b && ParseReal(BstrView(b), out) == ParseResult::Ok) return out;
  return VariantToReal(convert(p));
}

bool SafeArrayExchangeArray::textView(std::int32_t index, std::wstring_view& out) const {
  const void* b = Payload(type_, element(index), VT_BSTR);
  if (b) out = BstrView(b);
  return b != nullptr;
}

// Checks of the usual kinds in place; anything else goes through the
// typed read, which raises the error.
void SafeArrayExchangeArray::checkText(std::int32_t index) const {
  const void* p = element(index);
  if (Payload(type_, p, VT_BSTR) || Payload(type_, p, VT_R8) || Payload(type_, p, VT_I4)) return;
  textAt(index);
}

void SafeArrayExchangeArray::checkInt(std::int32_t index) const {
  const void* p = element(index);
  if (Payload(type_, p, VT_I4) || Payload(type_, p, VT_I2)) return;
  std::int32_t out = 0;
  if (const void* b = Payload(type_, p, VT_BSTR); b && ParseInt32(BstrView(b), out) == ParseResult::Ok) return;
  intAt(index);
}

void SafeArrayExchangeArray::checkReal(std::int32_t index) const {
  const void* p = element(index);
  if (Payload(type_, p, VT_R8) || Payload(type_, p, VT_I4)) return;
  double out = 0;
  if (const void* b = Payload(type_, p, VT_BSTR); b && ParseReal(BstrView(b), out) == ParseResult::Ok) return;
  realAt(index);
}

// ---------------------------------------------------------------- the slots

// An array of VARIANT that the server makes for a slot (a put from the
// host, a write-back) lives in three blocks of its own: the descriptor
// (SafeArrayAllocDescriptorEx, so that the system reads, locks and copies
// it as any other), the elements, and every text of the elements in one
// text store, each text laid out as a BSTR is (its byte length, the
// characters, a terminating zero). Such an array never leaves the server
// (a get hands the host a copy made by VariantCopy) and is freed here,
// never by VariantClear: freeing it frees the blocks, not every text one
// by one, which for 10^6 points is most of what replacing the array costs.
// Elements that hold anything else than a text or a plain number
// (interfaces, arrays, references) are copied and cleared by the system,
// element by element, as before.
struct ComExchange::Owned {
  ~Owned() {
    if (!plain && elements) {
      VARIANT* e = static_cast<VARIANT*>(elements);
      for (std::size_t k = 0; k < count; ++k)
        if (V_VT(&e[k]) != VT_BSTR) VariantClear(&e[k]);
    }
    if (psa) {
      psa->pvData = nullptr;
      SafeArrayDestroyDescriptor(psa);
    }
    ::operator delete(elements);
  }

  // A text as a BSTR kept in the store.
  BSTR text(const void* bytes, std::size_t byteLength) {
    const std::size_t need = (sizeof(DWORD) + byteLength + sizeof(WCHAR) + 7) & ~std::size_t(7);
    if (need > left) {
      // Blocks of 1 MB, each twice the last up to 32 MB: few blocks for
      // 10^6 points, little room to spare for ten.
      const std::size_t size = std::max(need, std::size_t(1) << std::min<std::size_t>(20 + texts.size(), 25));
      texts.push_back({std::unique_ptr<BYTE[]>(new BYTE[size]), size});
      at = texts.back().bytes.get();
      left = size;
    }
    BYTE* p = at;
    const DWORD length = static_cast<DWORD>(byteLength);
    std::memcpy(p, &length, sizeof length);
    if (byteLength) std::memcpy(p + sizeof length, bytes, byteLength);
    std::memset(p + sizeof length + byteLength, 0, sizeof(WCHAR));
    at += need;
    left -= need;
    return reinterpret_cast<BSTR>(p + sizeof length);
  }

  // v as a text of the store, laid out whole (length before, zero after):
  // the BSTR it already is, else nullptr.
  BSTR held(std::wstring_view v) const {
    const BYTE* p = reinterpret_cast<const BYTE*>(v.data());
    for (const auto* blocks : {&texts, &kept})
      for (const Block& b : *blocks) {
        const BYTE* first = b.bytes.get();
        if (p < first + sizeof(DWORD) || p >= first + b.size) continue;
        DWORD length = 0;
        std::memcpy(&length, p - sizeof length, sizeof length);
        if (length != v.size() * sizeof(wchar_t) || v.data()[v.size()] != L'\0') return nullptr;
        return const_cast<BSTR>(v.data());
      }
    return nullptr;
  }

  struct Block {
    std::unique_ptr<BYTE[]> bytes;
    std::size_t size;
  };
  SAFEARRAY* psa = nullptr;
  void* elements = nullptr;
  std::size_t count = 0;
  bool plain = true;  // every element a text (in the store) or a plain number
  std::vector<Block> texts;
  BYTE* at = nullptr;     // where the next text goes
  std::size_t left = 0;   // bytes free from there in the last block
  std::vector<Block> kept;  // texts taken over from the array replaced
};

namespace {

// Kinds whose VARIANT holds its whole value in itself: copied bitwise,
// nothing to free.
bool PlainKind(VARTYPE vt) {
  switch (vt) {
    case VT_EMPTY: case VT_NULL: case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY: case VT_DATE:
    case VT_ERROR: case VT_BOOL: case VT_DECIMAL: case VT_I1: case VT_UI1: case VT_UI2: case VT_UI4: case VT_I8:
    case VT_UI8: case VT_INT: case VT_UINT:
      return true;
    default:
      return false;
  }
}

// A server-made array of VARIANT with the given dimensions (as a
// descriptor holds them), its elements not yet written; fresh holds it.
std::unique_ptr<ComExchange::Owned> MakeOwned(const SAFEARRAYBOUND* bounds, USHORT dims, VARIANT& fresh) {
  auto own = std::make_unique<ComExchange::Owned>();
  std::size_t count = 1;
  for (USHORT d = 0; d < dims; ++d) count *= bounds[d].cElements;
  if (FAILED(SafeArrayAllocDescriptorEx(VT_VARIANT, dims, &own->psa))) throw std::bad_alloc();
  std::memcpy(own->psa->rgsabound, bounds, dims * sizeof(SAFEARRAYBOUND));
  own->elements = ::operator new(count * sizeof(VARIANT));
  own->count = count;
  own->psa->pvData = own->elements;
  VariantInit(&fresh);
  V_VT(&fresh) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&fresh) = own->psa;
  return own;
}

}  // namespace

ComExchange::ComExchange()
    : views_{SafeArrayExchangeArray(SlotName(Slot::AXPoints)), SafeArrayExchangeArray(SlotName(Slot::AXGroupes)),
             SafeArrayExchangeArray(SlotName(Slot::AXCalques)), SafeArrayExchangeArray(SlotName(Slot::alldata))} {
  for (VARIANT& v : values_) VariantInit(&v);
}

ComExchange::~ComExchange() {
  for (int i = 0; i < 4; ++i) {
    views_[i].bind(nullptr);
    release(i);
  }
}

const ExchangeArray& ComExchange::get(Slot slot) { return views_[static_cast<int>(slot)]; }

void ComExchange::release(int i) {
  if (owned_[i]) {
    owned_[i].reset();
    VariantInit(&values_[i]);
  } else {
    VariantClear(&values_[i]);
  }
}

void ComExchange::replace(Slot slot, VARIANT& fresh, std::unique_ptr<Owned> own) {
  int i = static_cast<int>(slot);
  views_[i].bind(nullptr);  // unlock before the old array is freed
  release(i);
  values_[i] = fresh;  // ownership moves into the slot
  owned_[i] = std::move(own);
  VariantInit(&fresh);
  views_[i].bind(&values_[i]);
}

void ComExchange::put(Slot slot, std::vector<Variant> elements) {
  SAFEARRAYBOUND bound{static_cast<ULONG>(elements.size()), 0};
  SAFEARRAY* psa = SafeArrayCreate(VT_VARIANT, 1, &bound);
  if (!psa) throw std::bad_alloc();
  VARIANT fresh;
  VariantInit(&fresh);
  V_VT(&fresh) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&fresh) = psa;
  if (!elements.empty()) {
    VARIANT* data = nullptr;
    HRESULT hr = SafeArrayAccessData(psa, reinterpret_cast<void**>(&data));
    if (FAILED(hr)) {
      VariantClear(&fresh);
      ThrowHr(hr, std::wstring(L"Cannot write ") + SlotName(slot));
    }
    try {
      for (std::size_t i = 0; i < elements.size(); ++i) VariantToCom(elements[i], &data[i]);
    } catch (...) {
      SafeArrayUnaccessData(psa);
      VariantClear(&fresh);
      throw;
    }
    SafeArrayUnaccessData(psa);
  }
  replace(slot, fresh);
}

namespace {

// Fills the elements of a server-made array in order, texts into its
// store; counts what it is handed, past the end too, so that the caller
// can tell a short or long writer from a right one.
class OwnedArraySink final : public ElementSink {
public:
  // Texts already in from's store (the array being replaced) are not
  // copied: the new array takes them over (TakeOver) with the store.
  OwnedArraySink(ComExchange::Owned& own, const ComExchange::Owned* from)
      : own_(own), from_(from), data_(static_cast<VARIANT*>(own.elements)) {}
  void string(std::wstring_view v) override {
    if (VARIANT* to = next()) {
      V_VT(to) = VT_BSTR;
      BSTR kept = from_ ? from_->held(v) : nullptr;
      if (kept) taken_ = true;
      V_BSTR(to) = kept ? kept : own_.text(v.data(), v.size() * sizeof(wchar_t));
    }
  }
  // Moves from's text blocks into the new array when it holds some of
  // them; from then frees only its elements.
  void TakeOver(ComExchange::Owned& from) {
    if (!taken_) return;
    for (auto* blocks : {&from.texts, &from.kept}) {
      for (auto& b : *blocks) own_.kept.push_back(std::move(b));
      blocks->clear();
    }
  }
  void i4(std::int32_t v) override {
    if (VARIANT* to = next()) {
      V_VT(to) = VT_I4;
      V_I4(to) = v;
    }
  }
  void r8(double v) override {
    if (VARIANT* to = next()) {
      V_VT(to) = VT_R8;
      V_R8(to) = v;
    }
  }
  std::size_t written() const { return written_; }

private:
  VARIANT* next() { return written_ < own_.count ? &data_[written_++] : (++written_, nullptr); }
  ComExchange::Owned& own_;
  const ComExchange::Owned* from_;
  VARIANT* data_;
  std::size_t written_ = 0;
  bool taken_ = false;
};

}  // namespace

void ComExchange::putElements(Slot slot, std::size_t count, const ElementWriter& write) {
  if (count == 0 || count > ULONG_MAX) {
    ExchangeValues::putElements(slot, count, write);
    return;
  }
  SAFEARRAYBOUND bound{static_cast<ULONG>(count), 0};
  VARIANT fresh;
  std::unique_ptr<Owned> own = MakeOwned(&bound, 1, fresh);
  // Until the writer is done, elements past the ones written are not yet
  // VARIANTs: the store frees as if every one were plain.
  // The texts of the array being replaced are taken over rather than
  // copied when the new one is at least half its size (Apply with most
  // points changed): the store then holds at most about twice what the
  // new array needs.
  Owned* from = owned_[static_cast<int>(slot)].get();
  if (from && count < from->count / 2) from = nullptr;
  OwnedArraySink sink(*own, from);
  write(sink);
  if (sink.written() != count) ThrowElementCount(slot, count, sink.written());
  if (from) sink.TakeOver(*from);
  replace(slot, fresh, std::move(own));
}

HRESULT ComExchange::assign(Slot slot, const VARIANT& value) {
  const VARIANT& from = Deref(value);
  SAFEARRAY* psa = nullptr;
  if (V_VT(&from) == (VT_ARRAY | VT_VARIANT)) psa = V_ARRAY(&from);
  else if (V_VT(&from) == (VT_BYREF | VT_ARRAY | VT_VARIANT) && V_ARRAYREF(&from)) psa = *V_ARRAYREF(&from);
  std::size_t count = 0;
  if (psa && psa->cDims > 0 && psa->cbElements == sizeof(VARIANT)) {
    count = 1;
    for (USHORT d = 0; d < psa->cDims; ++d) count *= psa->rgsabound[d].cElements;
  }
  VARIANT fresh;
  if (count == 0) {
    // Not an array of VARIANT, or an empty one: the system's copy.
    VariantInit(&fresh);
    HRESULT hr = VariantCopyInd(&fresh, const_cast<VARIANT*>(&from));
    if (FAILED(hr)) return hr;
    replace(slot, fresh);
    return S_OK;
  }
  try {
    VARIANT* source = nullptr;
    HRESULT hr = SafeArrayAccessData(psa, reinterpret_cast<void**>(&source));
    if (FAILED(hr)) return hr;
    std::unique_ptr<Owned> own;
    try {
      own = MakeOwned(psa->rgsabound, psa->cDims, fresh);
    } catch (...) {
      SafeArrayUnaccessData(psa);
      throw;
    }
    VARIANT* to = static_cast<VARIANT*>(own->elements);
    std::size_t k = 0;
    for (; k < count && SUCCEEDED(hr); ++k) {
      const VARIANT& e = source[k];
      const VARTYPE vt = V_VT(&e);
      if (vt == VT_BSTR) {
        to[k] = e;
        if (V_BSTR(&e)) V_BSTR(&to[k]) = own->text(V_BSTR(&e), SysStringByteLen(V_BSTR(&e)));
      } else if (PlainKind(vt)) {
        to[k] = e;
      } else {
        own->plain = false;
        VariantInit(&to[k]);
        hr = VariantCopy(&to[k], const_cast<VARIANT*>(&e));
      }
    }
    SafeArrayUnaccessData(psa);
    if (FAILED(hr)) {
      // Only the elements written are VARIANTs to clear.
      own->count = k;
      return hr;
    }
    replace(slot, fresh, std::move(own));
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT ComExchange::copyOut(Slot slot, VARIANT* to) const {
  VariantInit(to);
  return VariantCopy(to, const_cast<VARIANT*>(&values_[static_cast<int>(slot)]));
}

}  // namespace topaline
