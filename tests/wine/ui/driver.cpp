#include "tests/wine/ui/driver.h"

#include <vector>

namespace wine_ui {

std::wstring ComponentName(HWND hwnd) {
  auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(hwnd, L"ComponentName")));
  if (!atom) return {};
  wchar_t buffer[256];
  UINT n = GlobalGetAtomNameW(atom, buffer, 256);
  return std::wstring(buffer, n);
}

bool WaitFor(const std::function<bool()>& pred, int timeoutMs) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < end) {
    if (pred()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return pred();
}

namespace {
struct Search {
  std::wstring name;
  HWND found = nullptr;
};
BOOL CALLBACK topLevel(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd) && ComponentName(hwnd) == s->name) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
BOOL CALLBACK child(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  if (ComponentName(hwnd) == s->name) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
BOOL CALLBACK collect(HWND hwnd, LPARAM lp) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}
}  // namespace

HWND FindForm(const std::wstring& name) {
  Search s{name};
  EnumWindows(topLevel, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND WaitForForm(const std::wstring& name, int timeoutMs) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindForm(name)) != nullptr; }, timeoutMs);
  return found;
}

HWND FindControl(HWND form, const std::wstring& name) {
  if (!form) return nullptr;
  Search s{name};
  EnumChildWindows(form, child, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::wstring WindowText(HWND hwnd) {
  wchar_t buffer[1024];
  DWORD_PTR n = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL, 5000, &n)) return {};
  return std::wstring(buffer, static_cast<size_t>(n));
}

void Click(HWND hwnd) { PostMessageW(hwnd, BM_CLICK, 0, 0); }
void ClickAndWait(HWND hwnd) { SendMessageW(hwnd, BM_CLICK, 0, 0); }
void SetText(HWND hwnd, const std::wstring& text) {
  SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
void TypeChars(HWND hwnd, const std::wstring& text) {
  for (wchar_t c : text) SendMessageW(hwnd, WM_CHAR, c, 1);
}
void Key(HWND hwnd, UINT vk) {
  UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  PostMessageW(hwnd, WM_KEYDOWN, vk, 1 | (scan << 16));
  PostMessageW(hwnd, WM_KEYUP, vk, 1 | (scan << 16) | 0xC0000000u);
}

void Focus(HWND hwnd) {
  // SetFocus works only for windows of the calling thread: attach input.
  DWORD target = GetWindowThreadProcessId(hwnd, nullptr);
  DWORD self = GetCurrentThreadId();
  AttachThreadInput(self, target, TRUE);
  SetFocus(hwnd);
  AttachThreadInput(self, target, FALSE);
}

void ClickAt(HWND hwnd, int x, int y) {
  PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void ClickAtAndWait(HWND hwnd, int x, int y) {
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void DragAndWait(HWND hwnd, int x0, int y0, int x1, int y1) {
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0, y0));
  for (int i = 1; i <= 4; ++i)
    SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x0 + (x1 - x0) * i / 4, y0 + (y1 - y0) * i / 4));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x1, y1));
}

HWND FocusOf(HWND hwnd) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

std::vector<unsigned> Snapshot(HWND hwnd, int* width, int* height) {
  RECT r{};
  GetClientRect(hwnd, &r);
  const int w = r.right, h = r.bottom;
  if (width) *width = w;
  if (height) *height = h;
  std::vector<unsigned> pixels;
  if (w <= 0 || h <= 0) return pixels;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bmp);
  SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  const auto* p = static_cast<const unsigned*>(bits);
  pixels.assign(p, p + static_cast<size_t>(w) * h);
  for (auto& px : pixels) px &= 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  return pixels;
}

void Sync(HWND hwnd) {
  DWORD_PTR r = 0;
  SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r);
}

void RunScripted(const std::function<void()>& script, const std::function<void()>& body) {
  std::thread t([&] {
    script();
    // Close what the script left open so that the modal loop returns.
    for (int round = 0; round < 50; ++round) {
      std::vector<HWND> open;
      EnumWindows(collect, reinterpret_cast<LPARAM>(&open));
      bool any = false;
      for (HWND h : open) {
        if (!ComponentName(h).empty()) {
          PostMessageW(h, WM_CLOSE, 0, 0);
          any = true;
        }
      }
      if (!any) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  });
  body();
  t.join();
}

}  // namespace wine_ui
