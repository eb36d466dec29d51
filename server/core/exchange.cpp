#include "server/core/exchange.h"

#include "platform/error.h"

namespace topaline {

const wchar_t* SlotName(Slot slot) {
  switch (slot) {
    case Slot::AXPoints: return L"AXPoints";
    case Slot::AXGroupes: return L"AXGroupes";
    case Slot::AXCalques: return L"AXCalques";
    case Slot::alldata: return L"alldata";
  }
  return L"";
}

void ThrowElementCount(Slot slot, std::size_t announced, std::size_t written) {
  throw Error(std::wstring(L"Writing ") + SlotName(slot) + L": " + std::to_wstring(announced) +
              L" elements were announced but " + std::to_wstring(written) + L" were handed over.");
}

void ExchangeValues::putElements(Slot slot, std::size_t count, const ElementWriter& write) {
  VariantListSink sink;
  sink.elements.reserve(count);
  write(sink);
  if (sink.elements.size() != count) ThrowElementCount(slot, count, sink.elements.size());
  put(slot, std::move(sink.elements));
}

VariantExchange::VariantExchange() {
  for (int i = 0; i < 4; ++i)
    views_[i] = std::make_unique<VariantExchangeArray>(values_[i], SlotName(static_cast<Slot>(i)));
}

const ExchangeArray& VariantExchange::get(Slot slot) { return *views_[static_cast<int>(slot)]; }

void VariantExchange::put(Slot slot, std::vector<Variant> elements) {
  values_[static_cast<int>(slot)] = Variant::array(std::move(elements), 0);
}

Variant& VariantExchange::value(Slot slot) { return values_[static_cast<int>(slot)]; }

}  // namespace topaline
