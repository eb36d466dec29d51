#include "fuzz/fuzz_input.h"

#include <utility>
#include <vector>

namespace topaline::fuzz {

std::wstring TakeText(FuzzedDataProvider& in, std::size_t maxLength) {
  const std::size_t n = in.ConsumeIntegralInRange<std::size_t>(0, maxLength);
  std::wstring s;
  for (std::size_t i = 0; i < n && in.remaining_bytes() > 0; ++i) {
    // Mostly printable ASCII, so numbers and names are reachable; now and
    // then any UTF-16 unit.
    if (in.ConsumeBool()) s += static_cast<wchar_t>(in.ConsumeIntegralInRange<int>(32, 126));
    else s += static_cast<wchar_t>(in.ConsumeIntegral<std::uint16_t>());
  }
  return s;
}

namespace {

VarKind TakeScalarKind(FuzzedDataProvider& in) {
  return static_cast<VarKind>(in.ConsumeIntegralInRange<int>(0, static_cast<int>(VarKind::String)));
}

Variant TakeScalar(FuzzedDataProvider& in, VarKind kind) {
  switch (kind) {
    case VarKind::Empty: return Variant();
    case VarKind::Null: return Variant::null();
    case VarKind::Bool: return Variant::boolean(in.ConsumeBool());
    case VarKind::I1: return Variant::i1(in.ConsumeIntegral<std::int8_t>());
    case VarKind::UI1: return Variant::ui1(in.ConsumeIntegral<std::uint8_t>());
    case VarKind::I2: return Variant::i2(in.ConsumeIntegral<std::int16_t>());
    case VarKind::UI2: return Variant::ui2(in.ConsumeIntegral<std::uint16_t>());
    case VarKind::I4: return Variant::i4(in.ConsumeIntegral<std::int32_t>());
    case VarKind::UI4: return Variant::ui4(in.ConsumeIntegral<std::uint32_t>());
    case VarKind::I8: return Variant::i8(in.ConsumeIntegral<std::int64_t>());
    case VarKind::UI8: return Variant::ui8(in.ConsumeIntegral<std::uint64_t>());
    // Raw bit patterns: NaNs, infinities and denormals included.
    case VarKind::R4: {
      const std::uint32_t bits = in.ConsumeIntegral<std::uint32_t>();
      float f;
      static_assert(sizeof f == sizeof bits);
      __builtin_memcpy(&f, &bits, sizeof f);
      return Variant::r4(f);
    }
    case VarKind::R8:
    case VarKind::Date: {
      const std::uint64_t bits = in.ConsumeIntegral<std::uint64_t>();
      double d;
      __builtin_memcpy(&d, &bits, sizeof d);
      return kind == VarKind::Date ? Variant::date(d) : Variant::r8(d);
    }
    case VarKind::Currency: return Variant::currency(in.ConsumeIntegral<std::int64_t>());
    case VarKind::String: return Variant::string(TakeText(in));
    default: return Variant::other();
  }
}

Variant TakeArray(FuzzedDataProvider& in, int maxDepth, std::size_t maxElements) {
  VariantArray a;
  const int dims = in.ConsumeIntegralInRange<int>(1, in.ConsumeBool() ? 1 : 3);
  std::size_t total = 1;
  for (int d = 0; d < dims; ++d) {
    VariantArray::Bound b;
    b.lower = in.ConsumeBool() ? 0 : in.ConsumeIntegral<std::int32_t>();
    b.count = in.ConsumeIntegralInRange<std::uint32_t>(0, static_cast<std::uint32_t>(maxElements));
    total *= b.count;
    a.bounds.push_back(b);
  }
  // An array of VARIANT mostly; sometimes a typed one (all elements of
  // one kind), as a host's typed SAFEARRAY arrives.
  a.elementKind = in.ConsumeIntegralInRange<int>(0, 3) == 0 ? TakeScalarKind(in) : VarKind::Empty;
  for (std::size_t i = 0; i < total; ++i) {
    if (a.elementKind != VarKind::Empty) a.elements.push_back(TakeScalar(in, a.elementKind));
    else a.elements.push_back(TakeVariant(in, maxDepth - 1));
  }
  return Variant::array(std::move(a));
}

}  // namespace

Variant TakeVariant(FuzzedDataProvider& in, int maxDepth) {
  const int choice = in.ConsumeIntegralInRange<int>(0, 20);
  if (choice == 20 && maxDepth > 0) return TakeArray(in, maxDepth, 4);
  if (choice == 19) return Variant::other();
  return TakeScalar(in, TakeScalarKind(in));
}

Variant TakeExchangeValue(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange<int>(0, 7)) {
    case 0: return TakeVariant(in);
    case 1: return TakeArray(in, 2, 40);
    default: {
      std::vector<Variant> elements;
      const std::int32_t lower = in.ConsumeBool() ? 0 : in.ConsumeIntegral<std::int32_t>();
      while (in.remaining_bytes() > 0 && elements.size() < 400) elements.push_back(TakeVariant(in, 2));
      return Variant::array(std::move(elements), lower);
    }
  }
}

void TakeRegistryValue(FuzzedDataProvider& in, HeadlessRegistry& registry, const std::wstring& path,
                       const std::wstring& name) {
  switch (in.ConsumeIntegralInRange<int>(0, 7)) {
    case 0: registry.setDword(path, name, in.ConsumeIntegral<std::uint32_t>()); break;
    case 1: registry.setBinary(path, name, in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<int>(0, 64))); break;
    case 2: registry.setOther(path, name); break;
    default: registry.setString(path, name, TakeText(in)); break;
  }
}

}  // namespace topaline::fuzz
