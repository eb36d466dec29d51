// What quenta's two windows draw and show beyond the shared Win32 pieces
// (win32/ui: component names, metrics and fonts, the flat tool button, the
// error box): the pictures of the validate and delay buttons, and hints.
#pragma once

#include <windows.h>

#include <string>

namespace topaline::win32 {

// The pictures of the validate and delay buttons, drawn at run time.
HICON CheckIcon();
HICON ClockIcon();

// Adds a hint to a control (no-op for an empty text).
void AddHint(HWND tooltip, HWND owner, HWND control, const std::wstring& text);
HWND CreateTooltip(HWND owner);

}  // namespace topaline::win32
