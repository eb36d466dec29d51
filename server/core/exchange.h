// The server-wide exchange values and resultat, shared by every object the
// host creates. On Windows they are real VARIANTs held by the COM module
// (server/com/); natively, tests use VariantExchange.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "server/core/variant.h"

namespace topaline {

enum class Slot { AXPoints, AXGroupes, AXCalques, alldata };

// The property's name as the host script knows it (L"AXPoints"...).
const wchar_t* SlotName(Slot slot);

class ExchangeValues {
public:
  virtual ~ExchangeValues() = default;
  // The slot as it is now. Reading an element of a value that is not an
  // array throws Error (invalid argument).
  virtual const ExchangeArray& get(Slot slot) = 0;
  // Replaces the slot whole with a new one-dimensional array of VARIANT,
  // lower bound 0. Elements are scalars: String (BSTR), I4 or R8.
  virtual void put(Slot slot, std::vector<Variant> elements) = 0;

  std::int32_t resultat = 0;
};

// ExchangeValues held as portable Variants.
class VariantExchange final : public ExchangeValues {
public:
  VariantExchange();
  VariantExchange(const VariantExchange&) = delete;
  VariantExchange& operator=(const VariantExchange&) = delete;
  const ExchangeArray& get(Slot slot) override;
  void put(Slot slot, std::vector<Variant> elements) override;
  Variant& value(Slot slot);  // what the host assigned / reads back

private:
  Variant values_[4];
  std::unique_ptr<VariantExchangeArray> views_[4];
};

}  // namespace topaline
