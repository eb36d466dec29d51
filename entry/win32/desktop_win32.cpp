#include "entry/win32/desktop_win32.h"

#include <windows.h>

namespace topaline {

namespace {
HWND H(WindowHandle w) { return reinterpret_cast<HWND>(w); }
WindowHandle W(HWND h) { return reinterpret_cast<WindowHandle>(h); }
}  // namespace


bool Win32Desktop::windowExists(WindowHandle window) { return IsWindow(H(window)) != FALSE; }

WindowHandle Win32Desktop::topLevelOf(WindowHandle window) {
  HWND root = GetAncestor(H(window), GA_ROOT);
  return root ? W(root) : window;
}

WindowHandle Win32Desktop::foregroundWindow() { return W(GetForegroundWindow()); }

void Win32Desktop::bringToFront(WindowHandle window) { SetForegroundWindow(H(window)); }

ScreenPoint Win32Desktop::cursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

bool Win32Desktop::capsLockOn() { return (GetKeyState(VK_CAPITAL) & 1) != 0; }

std::int16_t Win32Desktop::keyScan(wchar_t c) { return VkKeyScanW(c); }

void Win32Desktop::keyDown(std::uint8_t vk) { keybd_event(vk, 0, 0, 0); }

void Win32Desktop::keyUp(std::uint8_t vk) { keybd_event(vk, 0, KEYEVENTF_KEYUP, 0); }

void Win32Desktop::sleep(unsigned ms) { Sleep(ms); }

void Win32Desktop::beep() { Beep(440, 100); }

}  // namespace topaline
