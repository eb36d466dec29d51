#include "entry/entry_logic.h"

#include <algorithm>
#include <limits>

#include "ui/types.h"

namespace topaline {

namespace {
bool IsBlank(wchar_t c) { return c <= L' '; }

// An optional sign, then decimal digits only; false when anything else
// stands there or the magnitude does not fit 64 bits.
bool ParseSignedDigits(const std::wstring& text, bool& negative, std::uint64_t& magnitude) {
  std::size_t i = 0;
  negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
    negative = text[i] == L'-';
    ++i;
  }
  if (i == text.size()) return false;
  magnitude = 0;
  for (; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c < L'0' || c > L'9') return false;
    const std::uint64_t digit = static_cast<std::uint64_t>(c - L'0');
    if (magnitude > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) return false;
    magnitude = magnitude * 10 + digit;
  }
  return true;
}
}  // namespace

std::wstring TrimBlanks(const std::wstring& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

bool IsValidEntry(const std::wstring& text, bool checkEdges, const std::wstring& allowed) {
  if (text.empty()) return false;
  if (checkEdges) {
    const wchar_t first = text.front();
    const wchar_t last = text.back();
    if (first == L'-' || first == L',' || last == L'-' || last == L',') return false;
  }
  return text.find_first_not_of(allowed) == std::wstring::npos;
}

bool NumberHistory::add(const std::wstring& number) {
  if (std::find(items_.begin(), items_.end(), number) != items_.end()) return false;
  items_.push_back(number);
  return true;
}

bool IncrementNeedsBeep(const std::wstring& text) {
  const std::wstring trimmed = TrimBlanks(text);
  return !trimmed.empty() && !IsValidEntry(trimmed, false, kDigitChars);
}

std::optional<std::int32_t> ParseIncrement(const std::wstring& text) {
  bool negative = false;
  std::uint64_t magnitude = 0;
  if (!ParseSignedDigits(text, negative, magnitude)) return std::nullopt;
  const std::uint64_t limit = negative ? std::uint64_t(std::numeric_limits<std::int32_t>::max()) + 1
                                       : std::uint64_t(std::numeric_limits<std::int32_t>::max());
  if (magnitude > limit) return std::nullopt;
  return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude));
}

IncrementExit LeaveIncrement(const std::wstring& text) {
  IncrementExit result;
  result.text = TrimBlanks(text);
  if (result.text.empty()) return result;
  const auto value = ParseIncrement(result.text);
  if (value && *value != 0) {
    result.store = true;
  } else {
    result.beep = true;
    result.text = L"1";
  }
  return result;
}

std::optional<WindowHandle> ParseTargetHandle(const std::vector<std::wstring>& args) {
  if (args.empty()) return std::nullopt;
  bool negative = false;
  std::uint64_t value = 0;
  if (!ParseSignedDigits(TrimBlanks(args.front()), negative, value)) return std::nullopt;
  // Handles are sign-extended 32-bit values: a host that prints them as
  // signed integers gives negative numbers for the upper half.
  if (negative) {
    if (value > std::uint64_t(1) << 63) return std::nullopt;
    value = ~value + 1;
  }
  if (value == 0) return std::nullopt;
  return static_cast<WindowHandle>(value);
}

ScreenRect KeepOnScreen(const ScreenRect& window, const ScreenRect& workArea) {
  const ui::Rect kept = ui::KeptInside({window.left, window.top, window.width(), window.height()},
                                       {workArea.left, workArea.top, workArea.width(), workArea.height()});
  return {kept.left, kept.top, kept.right(), kept.bottom()};
}

bool PointInRect(const ScreenPoint& p, const ScreenRect& r) {
  return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

}  // namespace topaline
