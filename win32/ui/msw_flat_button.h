// The flat tool button. Its face and hot state are shared by the
// binding's tool buttons (msw_tool_button.cpp) and by windows that are not
// built from the component model (quenta's entry window), so that every
// tool button of the product is the same window: a BUTTON drawn flat, which
// answers BM_CLICK and gives its parent BN_CLICKED like any other button,
// and never takes the focus.
#pragma once

#include <windows.h>

#include <string>

namespace topaline::msw {

struct MSWToolButtonFace {
  bool pressed = false;   // the mouse holds it down
  bool hot = false;       // the pointer is over it
  bool down = false;      // a check-style button that is down
  bool disabled = false;
};

// Fills rc with face and draws the frame of the state: the theme's tool
// bar button when visual styles are on, plain edges otherwise.
void MSWDrawToolButtonFace(HWND button, HDC dc, const RECT& rc, COLORREF face, const MSWToolButtonFace& state);

// Hot tracking: call with the button's WM_MOUSEMOVE and WM_MOUSELEAVE.
// Updates hot and repaints when it changes; false for other messages.
bool MSWTrackHot(HWND button, UINT msg, bool& hot);

// A standalone flat button under parent, with a caption (drawn in font)
// or an icon, carrying the component name. A left click or BM_CLICK gives
// the parent BN_CLICKED, without the focus moving at all. A release of the right or the
// middle mouse button over it sends the parent kMSWFlatButtonReleased
// (wParam: control id; lParam: 1 right, 2 middle); it shows no context
// menu. The parent draws it by passing WM_DRAWITEM to MSWDrawFlatButton.
// The icon is drawn at its own size, centred; BM_SETIMAGE (IMAGE_ICON)
// changes it (a window whose DPI changed gives its buttons pictures of
// the new size) and BM_GETIMAGE returns it. BCM_GETIDEALSIZE answers, for
// a picture button, the picture with a border of 3/16 of its size on
// each side (22 x 22 for a 16-pixel picture).
inline constexpr UINT kMSWFlatButtonReleased = WM_APP + 0x41;
HWND MSWCreateFlatButton(HWND parent, UINT id, const RECT& r, const std::wstring& caption, HICON icon, HFONT font,
                         const std::wstring& name);
// Draws a standalone flat button; false when dis is not one.
bool MSWDrawFlatButton(const DRAWITEMSTRUCT& dis);

}  // namespace topaline::msw
