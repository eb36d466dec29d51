// Screen metrics: DPI scaling of design pixels, the product's font, text
// width and monitor work areas.
#pragma once

#include <windows.h>

#include <string>

namespace topaline::msw {

// The DPI of a window (GetDpiForWindow when the system has it, else the
// screen's LOGPIXELSX). 96 is 100 %.
UINT MSWDpiFor(HWND hwnd);
// Design pixels (at 96 DPI) to device pixels at dpi, and back.
int MSWScale(int designPixels, UINT dpi);
int MSWUnscale(int devicePixels, UINT dpi);

// The size of the product's pictures at a DPI, given their design size
// (at 96 DPI): each exists at that size, one and a half times and twice
// it, and the largest that fits the scaled size is chosen: 16, 24 and 32
// pixels for a 16-pixel picture at 96, 144 and 192 DPI; 16 again at
// 120 DPI, 32 from 192 DPI up.
int MSWPictureSize(int designPixels, UINT dpi);

// The product's font, Tahoma 8 points, at a DPI. The font objects are
// cached per DPI and live as long as the module.
HFONT MSWFont(UINT dpi);
// The same font in bold.
HFONT MSWBoldFont(UINT dpi);

// Width in pixels of text drawn in font (GetTextExtentPoint32W).
int MSWTextWidth(HFONT font, const std::wstring& text);

// Work area of the monitor nearest to a rectangle.
RECT MSWWorkAreaNear(const RECT& r);
// Work area of the primary monitor (the desktop a centred window uses).
RECT MSWPrimaryWorkArea();

}  // namespace topaline::msw
