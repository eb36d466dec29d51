// What quenta's two windows draw and show beyond the shared Win32 pieces
// (win32/ui: component names, metrics and fonts, the flat tool button, the
// error box): their window classes, their controls, the pictures of the
// validate and delay buttons, and hints.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

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

// The controls of one of quenta's windows with their design places
// (pixels at 96 DPI), so that the window can place them all again for
// another DPI.
class DesignLayout {
public:
  void add(HWND control, int x, int y, int w, int h, bool bold = false);
  // Every control at its design place scaled to dpi, in the product's
  // font (bold where asked) at dpi.
  void apply(UINT dpi) const;

private:
  struct Entry {
    HWND control;
    RECT design;
    bool bold;
  };
  std::vector<Entry> entries_;
};

// WM_DPICHANGED: the window takes the rectangle the system suggests
// (lParam) and its controls their places and font at the new DPI
// (wParam). Returns the new DPI.
UINT FollowDpiChange(HWND window, WPARAM wParam, LPARAM lParam, const DesignLayout& layout);

// The pictures of the validate and delay buttons, drawn at run time at a
// size in pixels (MSWPictureSize of 16 at the window's DPI); made once per
// size, they live as long as the program.
HICON CheckIcon(int size);
HICON ClockIcon(int size);

// Adds a hint to a control (no-op for an empty text).
void AddHint(HWND tooltip, HWND owner, HWND control, const std::wstring& text);
HWND CreateTooltip(HWND owner);

}  // namespace topaline::win32
