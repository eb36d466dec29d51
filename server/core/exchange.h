// The server-wide exchange values and resultat, shared by every object the
// host creates. On Windows they are real VARIANTs held by the COM module
// (server/com/); natively, tests use VariantExchange.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "server/core/variant.h"

namespace topaline {

enum class Slot { AXPoints, AXGroupes, AXCalques, alldata };

// The property's name as the host script knows it (L"AXPoints"...).
const wchar_t* SlotName(Slot slot);

// Receives, in order, the elements of an array being written.
class ElementSink {
public:
  virtual ~ElementSink() = default;
  virtual void string(std::wstring_view v) = 0;
  virtual void i4(std::int32_t v) = 0;
  virtual void r8(double v) = 0;
};

// Collects what it receives as Variants.
class VariantListSink final : public ElementSink {
public:
  void string(std::wstring_view v) override { elements.push_back(Variant::string(std::wstring(v))); }
  void i4(std::int32_t v) override { elements.push_back(Variant::i4(v)); }
  void r8(double v) override { elements.push_back(Variant::r8(v)); }
  std::vector<Variant> elements;
};

// How an array to be written is produced: its element count, then a
// function handing exactly that many elements to a sink.
using ElementWriter = std::function<void(ElementSink&)>;

// The Error of a writer that handed over another number of elements than
// it announced.
[[noreturn]] void ThrowElementCount(Slot slot, std::size_t announced, std::size_t written);

class ExchangeValues {
public:
  virtual ~ExchangeValues() = default;
  // The slot as it is now. Reading an element of a value that is not an
  // array throws Error (invalid argument).
  virtual const ExchangeArray& get(Slot slot) = 0;
  // Replaces the slot whole with a new one-dimensional array of VARIANT,
  // lower bound 0. Elements are scalars: String (BSTR), I4 or R8.
  virtual void put(Slot slot, std::vector<Variant> elements) = 0;
  // The same for a large array, without a Variant per element in between:
  // write hands count elements to the sink, in order. Handing over another
  // number raises Error and leaves the slot as it was. This default
  // collects them and calls put.
  virtual void putElements(Slot slot, std::size_t count, const ElementWriter& write);

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
