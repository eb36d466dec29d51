#include "win32/ui/msw_flat_button.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>

#include "win32/ui/msw_class_atoms.h"
#include "win32/ui/msw_guard.h"
#include "win32/ui/msw_names.h"

namespace topaline::msw {

void MSWDrawToolButtonFace(HWND button, HDC dc, const RECT& rc, COLORREF face, const MSWToolButtonFace& s) {
  HBRUSH brush = CreateSolidBrush(face);
  FillRect(dc, &rc, brush);
  DeleteObject(brush);
  if (HTHEME theme = OpenThemeData(button, L"TOOLBAR")) {
    const int state = s.disabled ? TS_DISABLED
                      : s.pressed ? TS_PRESSED
                      : s.down    ? (s.hot ? TS_HOTCHECKED : TS_CHECKED)
                      : s.hot     ? TS_HOT
                                  : TS_NORMAL;
    const bool themed = SUCCEEDED(DrawThemeBackground(theme, dc, TP_BUTTON, state, &rc, nullptr));
    CloseThemeData(theme);
    if (themed) return;
  }
  RECT frame = rc;
  if (s.down && !s.pressed) {
    RECT inner = rc;
    InflateRect(&inner, -1, -1);
    HBRUSH light = CreateSolidBrush(GetSysColor(COLOR_3DHILIGHT));
    FillRect(dc, &inner, light);
    DeleteObject(light);
  }
  if (s.pressed || s.down)
    DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
  else if (s.hot && !s.disabled)
    DrawEdge(dc, &frame, BDR_RAISEDINNER, BF_RECT);
}

bool MSWTrackHot(HWND button, UINT msg, bool& hot) {
  if (msg == WM_MOUSEMOVE) {
    if (!hot) {
      hot = true;
      TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, button, 0};
      TrackMouseEvent(&tme);
      InvalidateRect(button, nullptr, FALSE);
    }
    return true;
  }
  if (msg == WM_MOUSELEAVE) {
    hot = false;
    InvalidateRect(button, nullptr, FALSE);
    return true;
  }
  return false;
}

namespace {

constexpr UINT_PTR kFlatSubclass = 0x7F1A;

struct FlatButton {
  HICON icon = nullptr;
  SIZE iconSize{0, 0};
  bool hot = false;
  bool pressed = false;
};

// The state also hangs on the window, so that the parent's WM_DRAWITEM
// tells a flat button from any other owner-drawn button.
constexpr wchar_t kFlatProp[] = L"topaline3.FlatButton";

FlatButton* StateOf(HWND w) { return static_cast<FlatButton*>(GetPropW(w, kFlatProp)); }

SIZE IconSize(HICON icon) {
  SIZE size{0, 0};
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return size;
  BITMAP bm{};
  if (info.hbmColor && GetObjectW(info.hbmColor, sizeof bm, &bm)) {
    size = SIZE{bm.bmWidth, bm.bmHeight};
  } else if (info.hbmMask && GetObjectW(info.hbmMask, sizeof bm, &bm)) {
    size = SIZE{bm.bmWidth, bm.bmHeight / 2};  // a monochrome icon: mask above image
  }
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return size;
}

void SetIcon(FlatButton& s, HICON icon) {
  s.icon = icon;
  s.iconSize = IconSize(icon);
}

void NotifyRelease(HWND w, LPARAM at, int button) {
  RECT r{};
  GetClientRect(w, &r);
  const POINT p{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  if (PtInRect(&r, p))
    SendMessageW(GetParent(w), kMSWFlatButtonReleased, static_cast<WPARAM>(GetDlgCtrlID(w)), button);
}

LRESULT CALLBACK FlatProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  auto* s = reinterpret_cast<FlatButton*>(data);
  LRESULT result = 0;
  const bool ok = MSWGuard([&] {
    switch (msg) {
      case WM_SETFOCUS:
        // Never takes the focus: the field being edited keeps it.
        if (wp && IsWindow(reinterpret_cast<HWND>(wp))) {
          SetFocus(reinterpret_cast<HWND>(wp));
          return;
        }
        break;
      case WM_MOUSEMOVE:
      case WM_MOUSELEAVE:
        MSWTrackHot(w, msg, s->hot);
        break;
      // The left button is pressed and released here rather than by the
      // BUTTON class, which would give the button the focus for a moment:
      // the field being edited would be left. BM_CLICK comes this way too.
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:  // the second click of a quick pair is one more click
        s->pressed = true;
        SetCapture(w);
        SendMessageW(w, BM_SETSTATE, TRUE, 0);
        return;
      case WM_LBUTTONUP: {
        if (!s->pressed) return;
        s->pressed = false;
        SendMessageW(w, BM_SETSTATE, FALSE, 0);
        if (GetCapture() == w) ReleaseCapture();
        RECT r{};
        GetClientRect(w, &r);
        const POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        if (PtInRect(&r, p))
          SendMessageW(GetParent(w), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(w), BN_CLICKED), reinterpret_cast<LPARAM>(w));
        return;
      }
      case WM_CAPTURECHANGED:
        if (s->pressed) {
          s->pressed = false;
          SendMessageW(w, BM_SETSTATE, FALSE, 0);
        }
        break;
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_CONTEXTMENU:
        return;
      case WM_RBUTTONUP:
        NotifyRelease(w, lp, 1);
        return;
      case WM_MBUTTONUP:
        NotifyRelease(w, lp, 2);
        return;
      case WM_ERASEBKGND:
        result = 1;  // all painted in WM_DRAWITEM
        return;
      case BM_SETIMAGE:
        if (wp != IMAGE_ICON) break;
        result = reinterpret_cast<LRESULT>(s->icon);
        SetIcon(*s, reinterpret_cast<HICON>(lp));
        InvalidateRect(w, nullptr, FALSE);
        return;
      case BM_GETIMAGE:
        if (wp != IMAGE_ICON) break;
        result = reinterpret_cast<LRESULT>(s->icon);
        return;
      case BCM_GETIDEALSIZE:
        if (!s->icon || !lp) break;
        {
          auto* ideal = reinterpret_cast<SIZE*>(lp);
          ideal->cx = s->iconSize.cx + 2 * (s->iconSize.cx * 3 / 16);
          ideal->cy = s->iconSize.cy + 2 * (s->iconSize.cy * 3 / 16);
        }
        result = TRUE;
        return;
      case WM_NCDESTROY:
        RemoveWindowSubclass(w, FlatProc, kFlatSubclass);
        RemovePropW(w, kFlatProp);
        MSWClearComponentName(w);
        delete s;
        result = DefSubclassProc(w, msg, wp, lp);
        return;
      default:
        break;
    }
    result = DefSubclassProc(w, msg, wp, lp);
  });
  return ok ? result : 0;
}

}  // namespace

HWND MSWCreateFlatButton(HWND parent, UINT id, const RECT& r, const std::wstring& caption, HICON icon, HFONT font,
                         const std::wstring& name) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  HWND w = MSWCreateSystemWindow(0, WC_BUTTONW, caption.c_str(),
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_OWNERDRAW, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, nullptr);
  if (!w) return nullptr;
  auto* state = new FlatButton;
  SetIcon(*state, icon);
  if (!SetPropW(w, kFlatProp, state) ||
      !SetWindowSubclass(w, FlatProc, kFlatSubclass, reinterpret_cast<DWORD_PTR>(state))) {
    RemovePropW(w, kFlatProp);
    delete state;
    DestroyWindow(w);
    return nullptr;
  }
  SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  MSWSetComponentName(w, name);
  return w;
}

bool MSWDrawFlatButton(const DRAWITEMSTRUCT& dis) {
  if (dis.CtlType != ODT_BUTTON) return false;
  FlatButton* s = StateOf(dis.hwndItem);
  if (!s) return false;
  HWND w = dis.hwndItem;
  HDC dc = dis.hDC;
  RECT rc = dis.rcItem;
  MSWToolButtonFace face;
  face.pressed = (dis.itemState & ODS_SELECTED) != 0;
  face.disabled = (dis.itemState & ODS_DISABLED) != 0;
  face.hot = s->hot;
  MSWDrawToolButtonFace(w, dc, rc, GetSysColor(COLOR_BTNFACE), face);

  const int shift = face.pressed ? 1 : 0;
  if (s->icon) {
    const int iw = s->iconSize.cx > 0 ? s->iconSize.cx : 16, ih = s->iconSize.cy > 0 ? s->iconSize.cy : 16;
    DrawIconEx(dc, rc.left + (rc.right - rc.left - iw) / 2 + shift, rc.top + (rc.bottom - rc.top - ih) / 2 + shift,
               s->icon, iw, ih, 0, nullptr, DI_NORMAL);
    return true;
  }
  wchar_t caption[64] = {};
  GetWindowTextW(w, caption, ARRAYSIZE(caption));
  auto font = reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0));
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(face.disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  OffsetRect(&rc, shift, shift);
  DrawTextW(dc, caption, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (old) SelectObject(dc, old);
  return true;
}

}  // namespace topaline::msw
