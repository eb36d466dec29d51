// Rules of the point-number entry assistant that do not depend on the
// operating system: what a valid number is, the history of sent numbers,
// the increment field, the command line and the window placement.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace topaline {

// Characters a point number may hold.
inline const wchar_t kNumberChars[] = L"0123456789,-";
inline const wchar_t kDigitChars[] = L"0123456789";

// The text without the blanks (and control characters) at both ends.
std::wstring TrimBlanks(const std::wstring& text);

// A number text is valid when it is not empty, every character is one of
// `allowed`, and (with checkEdges) it neither begins nor ends with "-" or ",".
bool IsValidEntry(const std::wstring& text, bool checkEdges = true,
                  const std::wstring& allowed = kNumberChars);

// The numbers sent during this run, in the order first sent, each once.
class NumberHistory {
public:
  // Appends the number unless an equal entry is there; true when appended.
  bool add(const std::wstring& number);
  const std::vector<std::wstring>& items() const { return items_; }

private:
  std::vector<std::wstring> items_;
};

// The increment field beeps on key release when its trimmed text is not
// empty and holds something other than digits.
bool IncrementNeedsBeep(const std::wstring& text);

// What leaving the increment field does.
struct IncrementExit {
  std::wstring text;  // the field's new text
  bool store = false; // write `text` to the "increment" value
  bool beep = false;
};
IncrementExit LeaveIncrement(const std::wstring& text);

// Whole-number conversion of the increment: optional sign, decimal digits,
// 32-bit range. Nothing when the text is not such a number.
std::optional<std::int32_t> ParseIncrement(const std::wstring& text);

// The target window from the program's arguments (the first one, a decimal
// integer, optionally signed). Nothing when missing, not a number or zero.
std::optional<WindowHandle> ParseTargetHandle(const std::vector<std::wstring>& args);

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

// The rectangle moved (not resized) so that it lies within the work area;
// when it is larger than the area its top-left corner stays visible (the
// rule of every window of the product: ui::KeptInside).
ScreenRect KeepOnScreen(const ScreenRect& window, const ScreenRect& workArea);

// Pointer within the rectangle, edges included.
bool PointInRect(const ScreenPoint& p, const ScreenRect& r);

}  // namespace topaline
