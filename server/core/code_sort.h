// Sorting many indices by their texts in code order (CompareCodes), for
// the sorts of long lists. Texts that share a long start (generated names
// such as "nouveau groupe (1234)") make each comparison of a comparison
// sort walk that start again. Here the start every text of a run shares
// is stepped over once, the next three code units of each text are taken
// as one number, indices are sorted by it, and only the runs whose
// numbers are equal go on to the units after.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "server/core/text_compare.h"

namespace topaline {

namespace code_sort_detail {

constexpr int kUnitBits = 21;  // a code unit plus one; 0 is "the text ended"
constexpr std::uint64_t kUnitMask = (std::uint64_t{1} << kUnitBits) - 1;

// Sorts [first, last) by the texts from unit `depth` on. false when a code
// unit does not fit the packed number (the caller then compares).
template <class Key>
bool Radix(std::uint32_t* first, std::uint32_t* last, std::size_t depth, const Key& key,
           std::vector<std::pair<std::uint64_t, std::uint32_t>>& buf) {
  for (;;) {
    const std::size_t n = static_cast<std::size_t>(last - first);
    if (n < 2) return true;
    if (n <= 16) {
      std::sort(first, last, [&](std::uint32_t a, std::uint32_t b) {
        const std::wstring_view x = key(a), y = key(b);
        return CompareCodes(x.substr(std::min(depth, x.size())), y.substr(std::min(depth, y.size()))) < 0;
      });
      return true;
    }
    {
      // The start every text of the run shares, stepped over at once.
      const std::wstring_view head = key(first[0]);
      std::size_t common = head.size() > depth ? head.size() - depth : 0;
      for (std::size_t i = 1; i < n && common > 0; ++i) {
        const std::wstring_view t = key(first[i]);
        const std::size_t m = std::min(common, t.size() > depth ? t.size() - depth : 0);
        std::size_t k = 0;
        while (k < m && t[depth + k] == head[depth + k]) ++k;
        common = k;
      }
      depth += common;
    }
    buf.resize(n);
    bool same = true;
    for (std::size_t i = 0; i < n; ++i) {
      const std::wstring_view t = key(first[i]);
      std::uint64_t digit = 0;
      for (std::size_t j = 0; j < 3; ++j) {
        std::uint64_t u = 0;
        if (depth + j < t.size()) {
          u = static_cast<std::uint64_t>(static_cast<std::make_unsigned_t<wchar_t>>(t[depth + j])) + 1;
          if (u > kUnitMask) return false;
        }
        digit = (digit << kUnitBits) | u;
      }
      buf[i] = {digit, first[i]};
      same = same && digit == buf[0].first;
    }
    if (same) {
      // One shared start: on to the next units, unless every text ended.
      if ((buf[0].first & kUnitMask) == 0) return true;
      depth += 3;
      continue;
    }
    std::sort(buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(n));
    for (std::size_t i = 0; i < n; ++i) first[i] = buf[i].second;
    // Runs of one number go deeper (their texts go on past these units).
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t i = 0; i < n;) {
      std::size_t j = i + 1;
      while (j < n && buf[j].first == buf[i].first) ++j;
      if (j - i > 1 && (buf[i].first & kUnitMask) != 0) runs.emplace_back(i, j);
      i = j;
    }
    if (runs.empty()) return true;
    // The largest run is taken by this loop, the others by a call: the
    // calls nest no deeper than log2(n), however long the texts.
    auto largest = std::max_element(runs.begin(), runs.end(), [](const auto& a, const auto& b) {
      return a.second - a.first < b.second - b.first;
    });
    const auto next = *largest;
    runs.erase(largest);
    for (const auto& r : runs)
      if (!Radix(first + r.first, first + r.second, depth + 3, key, buf)) return false;
    last = first + next.second;
    first = first + next.first;
    depth += 3;
  }
}

}  // namespace code_sort_detail

// Sorts order by key(index) (std::wstring_view of an already folded text)
// in code order, shorter first on a common start. Indices of equal texts
// end in no particular order.
template <class Key>
void SortByCodes(std::vector<std::uint32_t>& order, const Key& key) {
  std::vector<std::pair<std::uint64_t, std::uint32_t>> buf;
  if (!code_sort_detail::Radix(order.data(), order.data() + order.size(), 0, key, buf))
    std::sort(order.begin(), order.end(),
              [&](std::uint32_t a, std::uint32_t b) { return CompareCodes(key(a), key(b)) < 0; });
}

}  // namespace topaline
