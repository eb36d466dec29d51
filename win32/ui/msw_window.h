// One window procedure for every window of the binding, and the handle →
// object map behind it.
//
// Windows of the product's own classes attach to their object at
// WM_NCCREATE through lpCreateParams (or, failing that, the "window being
// created" hook). Windows of system classes (buttons, edits, the list
// view) are subclassed right after creation. Parents forward WM_COMMAND,
// WM_NOTIFY, WM_DRAWITEM and WM_CTLCOLOR* to the child's object found by
// handle. Every message is handled inside the exception boundary.
#pragma once

#include <windows.h>

namespace topaline::msw {

LRESULT CALLBACK MSWWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

class MSWWindow {
public:
  MSWWindow() = default;
  MSWWindow(const MSWWindow&) = delete;
  MSWWindow& operator=(const MSWWindow&) = delete;
  virtual ~MSWWindow();

  HWND MSWHandle() const { return hwnd_; }
  static MSWWindow* MSWFromHandle(HWND hwnd);

  // Destroys the window (if any); the object stays. An adopted window is
  // only let go: it belongs to the control that made it.
  void MSWDestroy();

  // Takes over a window another control made for itself (a list view's
  // header): subclassed to MSWWindowProc like a window of a system class,
  // until MSWDestroy or the window's end. false when it could not be.
  bool MSWAdopt(HWND hwnd);

protected:
  // A window of one of the product's classes (msw_module.h).
  HWND MSWCreateOwn(DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
                    int h, HWND parent, HMENU idOrMenu);
  // A window of a system class, subclassed to MSWWindowProc.
  HWND MSWCreateNative(DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
                       int h, HWND parent, UINT id);

  // The object's message handler. The default forwards the parent-side
  // notifications to the children and calls MSWDefault.
  virtual LRESULT MSWHandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  // The class's own handling (the original procedure of a subclassed
  // system control, DefWindowProc otherwise).
  LRESULT MSWDefault(UINT msg, WPARAM wp, LPARAM lp);

  // Child-side notifications, forwarded by the parent. Return true when
  // handled, with the result in *result.
  virtual bool MSWOnCommand(WORD /*code*/, LRESULT* /*result*/) { return false; }
  virtual bool MSWOnNotify(NMHDR* /*hdr*/, LRESULT* /*result*/) { return false; }
  virtual bool MSWOnDrawItem(DRAWITEMSTRUCT* /*dis*/) { return false; }
  // WM_CTLCOLOR*: return a brush (and set the DC's colours) or nullptr.
  virtual HBRUSH MSWOnCtlColor(HDC /*dc*/) { return nullptr; }
  // Called when the window is gone (WM_NCDESTROY); the handle is cleared.
  virtual void MSWOnDestroyed() {}

private:
  friend LRESULT CALLBACK MSWWindowProc(HWND, UINT, WPARAM, LPARAM);
  void attach(HWND hwnd);
  void detach();

  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;  // subclassed system control
  bool adopted_ = false;        // made by another control: never destroyed here
};

}  // namespace topaline::msw
