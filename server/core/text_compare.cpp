#include "server/core/text_compare.h"

namespace topaline {

std::wstring FoldAscii(std::wstring_view s) {
  std::wstring out(s);
  for (auto& c : out) c = FoldAscii(c);
  return out;
}

bool EqualsIgnoreCaseAscii(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

std::wstring FoldLatin1(std::wstring_view s) {
  std::wstring out(s);
  for (auto& c : out) c = FoldLatin1(c);
  return out;
}

bool EqualsIgnoreCaseLatin1(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldLatin1(a[i]) != FoldLatin1(b[i])) return false;
  return true;
}

}  // namespace topaline
