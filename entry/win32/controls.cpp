#include "entry/win32/controls.h"

#include <commctrl.h>

#include <exception>

#include "platform/error.h"

namespace topaline::win32 {

void SetComponentName(HWND window, const wchar_t* name) {
  SetPropW(window, L"ComponentName", reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(GlobalAddAtomW(name))));
}

void ReleaseComponentName(HWND window) {
  const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(RemovePropW(window, L"ComponentName")));
  if (atom) GlobalDeleteAtom(atom);
}

void ReleaseChildNames(HWND window) {
  EnumChildWindows(
      window,
      [](HWND child, LPARAM) -> BOOL {
        ReleaseComponentName(child);
        return TRUE;
      },
      0);
}

int Scale(int designPixels) {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    const int d = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return d > 0 ? d : 96;
  }();
  return MulDiv(designPixels, dpi, 96);
}

namespace {

HFONT MakeFont(bool bold) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTW font{};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    font = metrics.lfMessageFont;
  } else {
    font.lfHeight = -Scale(11);
    lstrcpyW(font.lfFaceName, L"Tahoma");
  }
  if (bold) font.lfWeight = FW_BOLD;
  return CreateFontIndirectW(&font);
}

// Draws an icon twice: in colour on black, and as a mask (black where
// painted) on white.
template <class Draw>
HICON MakeIcon(Draw draw) {
  const int size = GetSystemMetrics(SM_CXSMICON) > 0 ? GetSystemMetrics(SM_CXSMICON) : 16;
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

HFONT UiFont() {
  static HFONT font = MakeFont(false);
  return font;
}

HFONT UiBoldFont() {
  static HFONT font = MakeFont(true);
  return font;
}

HICON CheckIcon() {
  static HICON icon = MakeIcon([](HDC dc, int s, bool colour) {
    HPEN pen = CreatePen(PS_SOLID, s / 6 + 1, Ink(colour, RGB(0, 140, 40)));
    HGDIOBJ old = SelectObject(dc, pen);
    const POINT stroke[] = {{s * 3 / 16, s / 2}, {s * 7 / 16, s * 12 / 16}, {s * 13 / 16, s * 4 / 16}};
    Polyline(dc, stroke, 3);
    SelectObject(dc, old);
    DeleteObject(pen);
  });
  return icon;
}

HICON ClockIcon() {
  static HICON icon = MakeIcon([](HDC dc, int s, bool colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, Ink(colour, RGB(30, 60, 120)));
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
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
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

namespace {

struct ToolButtonState {
  bool hot = false;
  bool pressed = false;
  HICON icon = nullptr;
};

ToolButtonState* StateOf(HWND w) { return reinterpret_cast<ToolButtonState*>(GetWindowLongPtrW(w, 0)); }

void Released(HWND w, int button, LPARAM lParam) {
  RECT r;
  GetClientRect(w, &r);
  const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (!PtInRect(&r, p)) return;
  SendMessageW(GetParent(w), kToolButtonReleased, static_cast<WPARAM>(GetDlgCtrlID(w)), button);
}

void Paint(HWND w, ToolButtonState& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  RECT r;
  GetClientRect(w, &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  if (s.pressed)
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  else if (s.hot)
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  const int shift = s.pressed ? 1 : 0;
  if (s.icon) {
    const int size = GetSystemMetrics(SM_CXSMICON) > 0 ? GetSystemMetrics(SM_CXSMICON) : 16;
    DrawIconEx(dc, (r.right - size) / 2 + shift, (r.bottom - size) / 2 + shift, s.icon, size, size, 0, nullptr,
               DI_NORMAL);
  } else {
    wchar_t caption[16] = {};
    GetWindowTextW(w, caption, ARRAYSIZE(caption));
    HGDIOBJ old = SelectObject(dc, UiBoldFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(w) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    OffsetRect(&r, shift, shift);
    DrawTextW(dc, caption, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
  }
  EndPaint(w, &ps);
}

LRESULT CALLBACK ToolButtonProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    ToolButtonState* s = StateOf(w);
    switch (message) {
      case WM_NCCREATE:
        SetWindowLongPtrW(w, 0, reinterpret_cast<LONG_PTR>(new ToolButtonState));
        break;
      case WM_NCDESTROY:
        delete s;
        SetWindowLongPtrW(w, 0, 0);
        ReleaseComponentName(w);
        break;
      case kToolButtonSetIcon:
        if (s) s->icon = reinterpret_cast<HICON>(lParam);
        InvalidateRect(w, nullptr, TRUE);
        return 0;
      case WM_PAINT:
        if (s) {
          Paint(w, *s);
          return 0;
        }
        break;
      case WM_MOUSEMOVE:
        if (s && !s->hot) {
          s->hot = true;
          TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, w, 0};
          TrackMouseEvent(&track);
          InvalidateRect(w, nullptr, TRUE);
        }
        return 0;
      case WM_MOUSELEAVE:
        if (s) s->hot = false;
        InvalidateRect(w, nullptr, TRUE);
        return 0;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        if (s) s->pressed = true;
        SetCapture(w);
        InvalidateRect(w, nullptr, TRUE);
        return 0;
      case WM_LBUTTONUP:
        if (s) s->pressed = false;
        if (GetCapture() == w) ReleaseCapture();
        InvalidateRect(w, nullptr, TRUE);
        Released(w, 0, lParam);
        return 0;
      case WM_RBUTTONUP:
        Released(w, 1, lParam);
        return 0;
      case WM_MBUTTONUP:
        Released(w, 2, lParam);
        return 0;
      case WM_CAPTURECHANGED:
        if (s && s->pressed) {
          s->pressed = false;
          InvalidateRect(w, nullptr, TRUE);
        }
        return 0;
      case WM_CONTEXTMENU:
        return 0;
      case WM_SETTEXT: {
        const LRESULT result = DefWindowProcW(w, message, wParam, lParam);
        InvalidateRect(w, nullptr, TRUE);
        return result;
      }
    }
  } catch (...) {
    ReportException(GetParent(w));
  }
  return DefWindowProcW(w, message, wParam, lParam);
}

}  // namespace

void RegisterToolButtonClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = ToolButtonProc;
  wc.cbWndExtra = sizeof(void*);
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kToolButtonClass;
  RegisterClassExW(&wc);
}

void ReportException(HWND owner) noexcept {
  try {
    std::wstring message = L"Unexpected error.";
    try {
      throw;
    } catch (const Error& e) {
      message = e.message();
    } catch (const std::exception& e) {
      const std::string what = e.what();
      message.assign(what.begin(), what.end());
    } catch (...) {
    }
    MessageBoxW(owner, message.c_str(), L"Topaline3", MB_OK | MB_ICONERROR | MB_TOPMOST);
  } catch (...) {
  }
}

}  // namespace topaline::win32
