// What quenta's two windows draw and show beyond the shared Win32 pieces
// (win32/ui: component names, metrics and fonts, the flat tool button, the
// error box): their window classes, their controls, the pictures of the
// validate and delay buttons, and hints.
#pragma once

#include <windows.h>

#include <string>

#include "win32/ui/msw_guard.h"

namespace topaline::win32 {

// The window procedure of quenta's windows (T: EntryForm, DelayForm, which
// befriend it). The object comes from lpCreateParams at WM_NCCREATE and
// learns its handle there; then every message goes to T::handle inside the
// exception boundary.
template <class T>
LRESULT CALLBACK FormProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    created->hwnd_ = w;
  }
  auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(w, GWLP_USERDATA));
  if (self && self->hwnd_ == w) {
    try {
      return self->handle(message, wParam, lParam);
    } catch (...) {
      msw::MSWReportCurrentException();
      return 0;
    }
  }
  return DefWindowProcW(w, message, wParam, lParam);
}

// Registers one of quenta's window classes (TForm1, TForm2): arrow cursor,
// button-face background. False when the system refuses it.
bool RegisterFormClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, HICON icon);

// A visible child control of parent at a design place and size (pixels
// at 96 DPI) scaled to dpi, in the product's font, carrying its component
// name. Throws Error when it cannot be created.
HWND CreateControl(HWND parent, UINT dpi, DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style,
                   int x, int y, int w, int h, int id, const wchar_t* name);

// The pictures of the validate and delay buttons, drawn at run time.
HICON CheckIcon();
HICON ClockIcon();

// Adds a hint to a control (no-op for an empty text).
void AddHint(HWND tooltip, HWND owner, HWND control, const std::wstring& text);
HWND CreateTooltip(HWND owner);

}  // namespace topaline::win32
