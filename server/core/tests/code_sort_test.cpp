#include "server/core/code_sort.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace topaline;

namespace {

// The texts in the order SortByCodes gives, and in the order a plain
// comparison sort gives (equal texts are interchangeable).
void ExpectSortsAsComparisons(const std::vector<std::wstring>& texts) {
  std::vector<std::uint32_t> order(texts.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
  auto key = [&](std::uint32_t i) { return std::wstring_view(texts[i]); };
  SortByCodes(order, key);
  std::vector<std::wstring> got, want = texts;
  for (std::uint32_t i : order) got.push_back(texts[i]);
  std::sort(want.begin(), want.end(),
            [](const std::wstring& a, const std::wstring& b) { return CompareCodes(a, b) < 0; });
  EXPECT_EQ(got, want);
  std::sort(order.begin(), order.end());
  for (std::size_t i = 0; i < order.size(); ++i) ASSERT_EQ(order[i], i);  // each index once
}

}  // namespace

TEST(SortByCodes, OrdersAsCompareCodesDoes) {
  std::mt19937 rng(7);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  struct Case {
    const char* what;
    std::function<std::wstring(int)> make;
    int count;
  };
  const std::vector<Case> cases = {
      {"generated names sharing a long start",
       [&](int i) {
         return i % 10 == 3 ? L"talus " + std::to_wstring(i) : L"nouveau groupe (" + std::to_wstring(pick(500)) + L")";
       },
       3000},
      {"prefixes of one another, empty texts and duplicates",
       [&](int) { return std::wstring(static_cast<std::size_t>(pick(12)), L'a') + (pick(3) ? L"" : L"b"); }, 2000},
      {"one text repeated", [](int) { return std::wstring(40, L'x'); }, 500},
      {"the highest code units and the null character",
       [&](int) {
         std::wstring t;
         for (int k = pick(6); k > 0; --k) t.push_back(pick(2) ? wchar_t(0xFFFF) : wchar_t(pick(3)));
         return t;
       },
       2000},
      {"a few texts", [&](int i) { return std::wstring(1, wchar_t(L'a' + (i * 7) % 5)); }, 9},
      {"ever longer texts", [](int i) { return std::wstring(static_cast<std::size_t>(i), L'q'); }, 400},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::wstring> texts;
    for (int i = 0; i < c.count; ++i) texts.push_back(c.make(i));
    ExpectSortsAsComparisons(texts);
  }
  if constexpr (sizeof(wchar_t) == 4) {
    // Units beyond what three of them packed in one number can hold: the
    // comparison sort takes over.
    std::vector<std::wstring> texts;
    for (int i = 0; i < 100; ++i) texts.push_back(std::wstring(1, static_cast<wchar_t>(0x7FFFFFF0 - i % 7)) + L"z");
    ExpectSortsAsComparisons(texts);
  }
}
