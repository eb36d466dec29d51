// Windows of system classes made by their class atom.
//
// Under an activation context every CreateWindowExW that names a class
// looks the name up in the context and, in Wine, checks the module behind
// the versioned class again (a file opened and mapped per window): that
// doubles the cost of each button, label and edit. The class a name
// resolves to in the current context is learnt at its first window; later
// windows of that name in that context are made by its atom, which names
// the same versioned class without the look-up. A failure by atom (the
// class went away) falls back to the name.
#pragma once

#include <windows.h>

namespace topaline::msw {

HWND MSWCreateSystemWindow(DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
                           int h, HWND parent, HMENU idOrMenu, HINSTANCE instance, void* param = nullptr);

}  // namespace topaline::msw
