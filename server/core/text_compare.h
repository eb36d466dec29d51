// Case-insensitive comparison, one helper per rule the product uses.
#pragma once

#include <string>
#include <string_view>

namespace topaline {

// ASCII folding: 'A'..'Z' become 'a'..'z'; every other character is
// compared by code. The rule for group names.
inline wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? wchar_t(c + 32) : c; }
std::wstring FoldAscii(std::wstring_view s);
bool EqualsIgnoreCaseAscii(std::wstring_view a, std::wstring_view b);

// Latin-1 folding: ASCII letters and the accented capitals U+00C0 to
// U+00DE (except the multiplication sign) become lower case. The rule for
// texts compared in memory only (the sort of the points list, colour names
// typed in the picker, a model text's unsaved changes). Names the registry
// keeps (model names) compare as the registry folds them:
// platform/name_fold.h.
inline wchar_t FoldLatin1(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return wchar_t(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return wchar_t(c + 32);
  return c;
}
std::wstring FoldLatin1(std::wstring_view s);
bool EqualsIgnoreCaseLatin1(std::wstring_view a, std::wstring_view b);

// Texts already folded, ordered by code (shorter first on a common
// start): <0, 0, >0. An inline loop, for sorts that compare many keys
// (the library's wide compare is a call into the C runtime each time).
inline int CompareCodes(std::wstring_view a, std::wstring_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace topaline
