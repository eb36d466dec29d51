#include "win32/ui/msw_window.h"

#include <unordered_map>

#include "platform/error.h"
#include "win32/ui/msw_class_atoms.h"
#include "win32/ui/msw_guard.h"
#include "win32/ui/msw_module.h"

namespace topaline::msw {

namespace {

// All windows of the binding live on the thread that runs the modal
// loops; the map is per thread so that two threads never share state.
std::unordered_map<HWND, MSWWindow*>& handles() {
  static thread_local std::unordered_map<HWND, MSWWindow*> map;
  return map;
}

// The object whose window is being created on this thread, for messages
// that arrive before WM_NCCREATE carries lpCreateParams.
thread_local MSWWindow* beingCreated = nullptr;

}  // namespace

MSWWindow::~MSWWindow() { MSWDestroy(); }

MSWWindow* MSWWindow::MSWFromHandle(HWND hwnd) {
  auto& map = handles();
  auto it = map.find(hwnd);
  return it == map.end() ? nullptr : it->second;
}

void MSWWindow::MSWDestroy() {
  if (adopted_) {
    detach();
    return;
  }
  if (hwnd_) {
    HWND h = hwnd_;
    DestroyWindow(h);
    // Destroying from another state (already detached by WM_NCDESTROY)
    // leaves nothing; otherwise make sure the map forgets us.
    if (hwnd_ == h) detach();
  }
}

void MSWWindow::attach(HWND hwnd) {
  hwnd_ = hwnd;
  handles()[hwnd] = this;
}

void MSWWindow::detach() {
  if (!hwnd_) return;
  if (original_) {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  }
  handles().erase(hwnd_);
  hwnd_ = nullptr;
  original_ = nullptr;
  adopted_ = false;
}

bool MSWWindow::MSWAdopt(HWND hwnd) {
  MSWDestroy();
  if (!hwnd || MSWFromHandle(hwnd)) return false;
  attach(hwnd);
  adopted_ = true;
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MSWWindowProc)));
  if (!original_) {
    detach();
    return false;
  }
  return true;
}

HWND MSWWindow::MSWCreateOwn(DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y,
                             int w, int h, HWND parent, HMENU idOrMenu) {
  MSWRegisterClasses();
  MSWWindow* previous = beingCreated;
  beingCreated = this;
  HWND hwnd = CreateWindowExW(exStyle, cls, text, style, x, y, w, h, parent, idOrMenu, MSWInstance(), this);
  beingCreated = previous;
  if (!hwnd)
    throw Error(L"Cannot create a window of class " + std::wstring(cls) + L" (error " +
                std::to_wstring(GetLastError()) + L").");
  return hwnd;
}

HWND MSWWindow::MSWCreateNative(DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y,
                                int w, int h, HWND parent, UINT id) {
  HWND hwnd = MSWCreateSystemWindow(exStyle, cls, text, style, x, y, w, h, parent,
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), MSWInstance(), nullptr);
  if (!hwnd)
    throw Error(L"Cannot create a window of class " + std::wstring(cls) + L" (error " +
                std::to_wstring(GetLastError()) + L").");
  attach(hwnd);
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MSWWindowProc)));
  return hwnd;
}

LRESULT MSWWindow::MSWDefault(UINT msg, WPARAM wp, LPARAM lp) {
  if (original_) return CallWindowProcW(original_, hwnd_, msg, wp, lp);
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT MSWWindow::MSWHandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (lp) {
        if (MSWWindow* child = MSWFromHandle(reinterpret_cast<HWND>(lp)); child && child != this) {
          LRESULT r = 0;
          if (child->MSWOnCommand(HIWORD(wp), &r)) return r;
        }
      }
      break;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lp);
      if (hdr) {
        if (MSWWindow* child = MSWFromHandle(hdr->hwndFrom); child && child != this) {
          LRESULT r = 0;
          if (child->MSWOnNotify(hdr, &r)) return r;
        }
      }
      break;
    }
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (dis && dis->CtlType != ODT_MENU) {
        if (MSWWindow* child = MSWFromHandle(dis->hwndItem); child && child->MSWOnDrawItem(dis)) return TRUE;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (MSWWindow* child = MSWFromHandle(reinterpret_cast<HWND>(lp)); child && child != this) {
        if (HBRUSH b = child->MSWOnCtlColor(reinterpret_cast<HDC>(wp))) return reinterpret_cast<LRESULT>(b);
      }
      break;
  }
  return MSWDefault(msg, wp, lp);
}

LRESULT CALLBACK MSWWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  MSWWindow* self = MSWWindow::MSWFromHandle(hwnd);
  if (!self) {
    if (msg == WM_NCCREATE && lp) {
      auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
      self = static_cast<MSWWindow*>(cs->lpCreateParams);
    }
    if (!self) self = beingCreated;
    if (self && !self->hwnd_) {
      try {
        self->attach(hwnd);
      } catch (...) {
        // Out of memory for the handle map: the window cannot be ours.
        MSWReportCurrentException();
        return msg == WM_NCCREATE ? FALSE : DefWindowProcW(hwnd, msg, wp, lp);
      }
    } else {
      return DefWindowProcW(hwnd, msg, wp, lp);
    }
  }
  LRESULT result = 0;
  try {
    result = self->MSWHandleMessage(msg, wp, lp);
  } catch (...) {
    MSWReportCurrentException();
    // The window carries on as if the reaction had done nothing.
    result = 0;
  }
  if (msg == WM_NCDESTROY) {
    // The object may already have been detached by a handler.
    if (MSWWindow::MSWFromHandle(hwnd) == self) {
      self->detach();
      try {
        self->MSWOnDestroyed();
      } catch (...) {
        MSWReportCurrentException();
      }
    }
  }
  return result;
}

}  // namespace topaline::msw
