#include "platform/name_fold.h"

#include <algorithm>
#include <iterator>

#include "platform/name_fold_table.h"

namespace topaline {

wchar_t FoldName(wchar_t c) {
  if (c < L'a') return c;
  if (c <= L'z') return static_cast<wchar_t>(c - 32);
  if (static_cast<unsigned long>(c) > 0xFFFF) return c;  // beyond the plane the registry folds
  using name_fold::kRanges;
  const unsigned cp = static_cast<unsigned>(c);
  auto r = std::upper_bound(std::begin(kRanges), std::end(kRanges), cp,
                            [](unsigned v, const name_fold::Range& range) { return v < range.first; });
  if (r == std::begin(kRanges)) return c;
  --r;
  if (cp > r->last || (cp - r->first) % r->step != 0) return c;
  return static_cast<wchar_t>(static_cast<int>(cp) + r->delta);
}

std::wstring FoldName(std::wstring_view s) {
  std::wstring out(s);
  for (wchar_t& c : out) c = FoldName(c);
  return out;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldName(a[i]) != FoldName(b[i])) return false;
  return true;
}

namespace {

// The folded unit, with the letters of ASCII placed as small letters so
// that "_" and the other signs between the two alphabets sort before them.
unsigned long OrderKey(wchar_t c) {
  const wchar_t f = FoldName(c);
  return static_cast<unsigned long>(f >= L'A' && f <= L'Z' ? f + 32 : f);
}

}  // namespace

bool NameLess(std::wstring_view a, std::wstring_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](wchar_t x, wchar_t y) { return OrderKey(x) < OrderKey(y); });
}

}  // namespace topaline
