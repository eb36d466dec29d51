#include "win32/ui/msw_metrics.h"

#include <map>

namespace topaline::msw {

UINT MSWDpiFor(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static GetDpiForWindowFn getDpiForWindow = [] {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetDpiForWindow"))) : nullptr;
  }();
  if (hwnd && getDpiForWindow) {
    UINT dpi = getDpiForWindow(hwnd);
    if (dpi) return dpi;
  }
  HDC dc = GetDC(nullptr);
  int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

int MSWScale(int designPixels, UINT dpi) { return MulDiv(designPixels, static_cast<int>(dpi), 96); }
int MSWUnscale(int devicePixels, UINT dpi) { return dpi ? MulDiv(devicePixels, 96, static_cast<int>(dpi)) : devicePixels; }

int MSWPictureSize(int designPixels, UINT dpi) {
  const int wanted = MSWScale(designPixels, dpi);
  if (wanted >= designPixels * 2) return designPixels * 2;
  if (wanted >= designPixels * 3 / 2) return designPixels * 3 / 2;
  return designPixels;
}

HFONT MSWFont(UINT dpi) {
  static thread_local std::map<UINT, HFONT> fonts;
  auto it = fonts.find(dpi);
  if (it != fonts.end()) return it->second;
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(8, static_cast<int>(dpi), 72);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
  HFONT font = CreateFontIndirectW(&lf);
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts[dpi] = font;
  return font;
}

HFONT MSWBoldFont(UINT dpi) {
  static thread_local std::map<UINT, HFONT> fonts;
  auto it = fonts.find(dpi);
  if (it != fonts.end()) return it->second;
  LOGFONTW lf{};
  GetObjectW(MSWFont(dpi), sizeof lf, &lf);
  lf.lfWeight = FW_BOLD;
  HFONT font = CreateFontIndirectW(&lf);
  fonts[dpi] = font ? font : MSWFont(dpi);
  return fonts[dpi];
}

int MSWTextWidth(HFONT font, const std::wstring& text) {
  HDC dc = GetDC(nullptr);
  if (!dc) return 0;
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

RECT MSWWorkAreaNear(const RECT& r) {
  HMONITOR monitor = MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (monitor && GetMonitorInfoW(monitor, &mi)) return mi.rcWork;
  return MSWPrimaryWorkArea();
}

RECT MSWPrimaryWorkArea() {
  RECT work{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
    work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return work;
}

}  // namespace topaline::msw
