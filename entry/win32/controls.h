// Small Win32 helpers shared by quenta's two windows: component names,
// design-pixel scaling, fonts, pictures, tooltips, the flat tool button
// and the exception boundary of window procedures.
#pragma once

#include <windows.h>

#include <string>

namespace topaline::win32 {

// Every control window carries its component name as a global atom in
// the window property "ComponentName", so that it can be found by name.
void SetComponentName(HWND window, const wchar_t* name);
// Releases the atom when the window goes (call from WM_NCDESTROY).
void ReleaseComponentName(HWND window);

// Releases the names of all the window's descendants (call from WM_DESTROY).
void ReleaseChildNames(HWND window);

// Design pixels (96 per inch) to screen pixels.
int Scale(int designPixels);

HFONT UiFont();
HFONT UiBoldFont();

// The pictures of the validate and delay buttons, drawn at run time.
HICON CheckIcon();
HICON ClockIcon();

// Adds a hint to a control (no-op for an empty text).
void AddHint(HWND tooltip, HWND owner, HWND control, const std::wstring& text);
HWND CreateTooltip(HWND owner);

// A flat tool button that never takes the focus. On release of a mouse
// button over it, it sends its parent kToolButtonReleased with its control
// identifier in wParam and the button (0 left, 1 right, 2 middle) in lParam.
constexpr UINT kToolButtonReleased = WM_APP + 1;
constexpr wchar_t kToolButtonClass[] = L"topaline3.quenta.ToolButton";
void RegisterToolButtonClass(HINSTANCE instance);
// A picture button sets its icon with this message (lParam: HICON).
constexpr UINT kToolButtonSetIcon = WM_APP + 2;

// Reports an exception that reached a window procedure; the program goes on.
void ReportException(HWND owner) noexcept;

}  // namespace topaline::win32
