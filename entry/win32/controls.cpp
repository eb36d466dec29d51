#include "entry/win32/controls.h"

#include <commctrl.h>

#include <map>

#include "platform/error.h"
#include "win32/ui/msw_class_atoms.h"
#include "win32/ui/msw_metrics.h"
#include "win32/ui/msw_names.h"

namespace topaline::win32 {

bool RegisterFormClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, HICON icon) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = name;
  wc.hIcon = icon;
  return RegisterClassExW(&wc) != 0;
}

HWND CreateControl(HWND parent, UINT dpi, DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style,
                   int x, int y, int w, int h, int id, const wchar_t* name) {
  using msw::MSWScale;
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  HWND c = msw::MSWCreateSystemWindow(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, MSWScale(x, dpi),
                                      MSWScale(y, dpi), MSWScale(w, dpi), MSWScale(h, dpi), parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (!c) throw Error(std::wstring(L"The control ") + name + L" cannot be created.");
  SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(msw::MSWFont(dpi)), FALSE);
  msw::MSWSetComponentName(c, name);
  return c;
}

void DesignLayout::add(HWND control, int x, int y, int w, int h, bool bold) {
  entries_.push_back(Entry{control, RECT{x, y, x + w, y + h}, bold});
}

void DesignLayout::apply(UINT dpi) const {
  using msw::MSWScale;
  for (const Entry& e : entries_) {
    if (!IsWindow(e.control)) continue;
    SendMessageW(e.control, WM_SETFONT,
                 reinterpret_cast<WPARAM>(e.bold ? msw::MSWBoldFont(dpi) : msw::MSWFont(dpi)), FALSE);
    SetWindowPos(e.control, nullptr, MSWScale(e.design.left, dpi), MSWScale(e.design.top, dpi),
                 MSWScale(e.design.right, dpi) - MSWScale(e.design.left, dpi),
                 MSWScale(e.design.bottom, dpi) - MSWScale(e.design.top, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(e.control, nullptr, TRUE);
  }
}

UINT FollowDpiChange(HWND window, WPARAM wParam, LPARAM lParam, const DesignLayout& layout) {
  const UINT dpi = LOWORD(wParam) ? LOWORD(wParam) : 96;
  if (const auto* suggested = reinterpret_cast<const RECT*>(lParam)) {
    SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  layout.apply(dpi);
  return dpi;
}

namespace {

// Draws an icon of size x size pixels twice: in colour on black, and as a
// mask (black where painted) on white.
template <class Draw>
HICON MakeIcon(int size, Draw draw) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP colour = CreateCompatibleBitmap(screen, size, size);
  HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
  ReleaseDC(nullptr, screen);
  const RECT all{0, 0, size, size};

  HGDIOBJ old = SelectObject(dc, colour);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  draw(dc, size, true);
  SelectObject(dc, mask);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  draw(dc, size, false);
  SelectObject(dc, old);
  DeleteDC(dc);

  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = colour;
  info.hbmMask = mask;
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(colour);
  DeleteObject(mask);
  return icon;
}

COLORREF Ink(bool inColour, COLORREF c) { return inColour ? c : RGB(0, 0, 0); }

}  // namespace

HICON CheckIcon(int size) {
  static std::map<int, HICON> icons;
  HICON& icon = icons[size];
  if (!icon) icon = MakeIcon(size, [](HDC dc, int s, bool colour) {
    HPEN pen = CreatePen(PS_SOLID, s / 6 + 1, Ink(colour, RGB(0, 140, 40)));
    HGDIOBJ old = SelectObject(dc, pen);
    const POINT stroke[] = {{s * 3 / 16, s / 2}, {s * 7 / 16, s * 12 / 16}, {s * 13 / 16, s * 4 / 16}};
    Polyline(dc, stroke, 3);
    SelectObject(dc, old);
    DeleteObject(pen);
  });
  return icon;
}

HICON ClockIcon(int size) {
  static std::map<int, HICON> icons;
  HICON& icon = icons[size];
  if (!icon) icon = MakeIcon(size, [](HDC dc, int s, bool colour) {
    HPEN pen = CreatePen(PS_SOLID, s >= 32 ? 2 : 1, Ink(colour, RGB(30, 60, 120)));
    HBRUSH face = CreateSolidBrush(Ink(colour, RGB(255, 255, 240)));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, face);
    Ellipse(dc, 1, 1, s - 1, s - 1);
    const int c = s / 2;
    MoveToEx(dc, c, c, nullptr);
    LineTo(dc, c, s / 4);
    MoveToEx(dc, c, c, nullptr);
    LineTo(dc, c + s / 4, c);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(face);
    DeleteObject(pen);
  });
  return icon;
}

HWND CreateTooltip(HWND owner) {
  HWND tip = msw::MSWCreateSystemWindow(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)), nullptr);
  return tip;
}

void AddHint(HWND tooltip, HWND owner, HWND control, const std::wstring& text) {
  if (!tooltip || text.empty()) return;
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = owner;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace topaline::win32
