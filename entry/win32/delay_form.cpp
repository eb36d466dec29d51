#include "entry/win32/delay_form.h"

#include <commctrl.h>

#include "entry/win32/controls.h"
#include "platform/error.h"
#include "win32/ui/msw_guard.h"
#include "win32/ui/msw_metrics.h"
#include "win32/ui/msw_names.h"

namespace topaline::win32 {

using namespace topaline::msw;

namespace {
constexpr wchar_t kClass[] = L"TForm2";
constexpr int kClientWidth = 339;
constexpr int kClientHeight = 85;
}  // namespace

DelayForm::DelayForm(HINSTANCE instance, EntryAssistant& assistant, const EntryTexts& texts)
    : instance_(instance), assistant_(assistant), texts_(texts) {}

DelayForm::~DelayForm() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void DelayForm::create(HWND owner) {
  owner_ = owner;
  RegisterFormClass(instance_, kClass, FormProc<DelayForm>, nullptr);

  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  const UINT dpi = MSWDpiFor(owner);
  const auto Scale = [dpi](int designPixels) { return MSWScale(designPixels, dpi); };
  RECT frame{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  hwnd_ = CreateWindowExW(exStyle, kClass, texts_.delayCaption.c_str(), style, 0, 0, frame.right - frame.left,
                          frame.bottom - frame.top, owner, nullptr, instance_, this);
  if (!hwnd_) throw Error(L"The delay dialog cannot be created.");
  MSWSetComponentName(hwnd_, L"Form2");

  const auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD s, int x, int y, int w, int h, int id,
                         const wchar_t* name) {
    HWND c = CreateControl(hwnd_, dpi, 0, cls, text, s, x, y, w, h, id, name);
    layout_.add(c, x, y, w, h);
    return c;
  };
  child(WC_STATICW, L"Min", SS_LEFT, 8, 16, 26, 16, 1001, L"Label1");
  // Screen readers name the track bar after the label just before it: one
  // of no size, rather than "Min".
  child(WC_STATICW, texts_.delayName.c_str(), SS_LEFT, 36, 8, 0, 0, 0, L"LabDelay");
  trackBar_ = child(TRACKBAR_CLASSW, texts_.delayName.c_str(), WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS | TBS_TOOLTIPS | TBS_BOTTOM, 36, 8,
                    264, 34, 1002, L"TrackBar1");
  child(WC_STATICW, L"Max", SS_LEFT, 304, 16, 30, 16, 1003, L"Label2");
  button_ = child(WC_BUTTONW, texts_.closeButton.c_str(), WS_TABSTOP | BS_DEFPUSHBUTTON, 127, 50, 85, 27, IDOK,
                  L"BitBtn1");
  SendMessageW(button_, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(CheckIcon(MSWPictureSize(16, dpi))));

  SendMessageW(trackBar_, TBM_SETRANGE, FALSE, MAKELPARAM(0, kMaxTempo));
  SendMessageW(trackBar_, TBM_SETTICFREQ, 10, 0);
  SendMessageW(trackBar_, TBM_SETPAGESIZE, 0, 10);
  SendMessageW(trackBar_, TBM_SETTIPSIDE, TBTS_BOTTOM, 0);
}

void DelayForm::run() {
  if (open_) return;
  SendMessageW(trackBar_, TBM_SETPOS, TRUE, static_cast<LPARAM>(assistant_.delayDialogPosition()));

  // Centred on the desktop's work area.
  const RECT area = MSWPrimaryWorkArea();
  RECT r;
  GetWindowRect(hwnd_, &r);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  SetWindowPos(hwnd_, HWND_TOPMOST, area.left + (area.right - area.left - w) / 2,
               area.top + (area.bottom - area.top - h) / 2, 0, 0, SWP_NOSIZE);

  open_ = true;
  EnableWindow(owner_, FALSE);
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  SetFocus(button_);

  MSG msg;
  bool quit = false;
  while (open_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      quit = true;
      break;
    }
    if (!IsDialogMessageW(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  open_ = false;
  EnableWindow(owner_, TRUE);
  ShowWindow(hwnd_, SW_HIDE);
  if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
}

void DelayForm::confirm() {
  const auto position = SendMessageW(trackBar_, TBM_GETPOS, 0, 0);
  assistant_.confirmDelay(static_cast<unsigned>(position < 0 ? 0 : position));
  open_ = false;
}

LRESULT DelayForm::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {  // BitBtn1, or Enter
        confirm();
        return 0;
      }
      if (LOWORD(wParam) == IDCANCEL) {  // Escape: like the close box
        open_ = false;
        return 0;
      }
      break;
    case WM_CLOSE:
      open_ = false;  // nothing stored; the dialog lives on, hidden
      return 0;
    case WM_DPICHANGED: {
      const UINT dpi = FollowDpiChange(hwnd_, wParam, lParam, layout_);
      SendMessageW(button_, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(CheckIcon(MSWPictureSize(16, dpi))));
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_DESTROY:
      MSWClearComponentNames(hwnd_);
      break;
    case WM_NCDESTROY: {
      HWND w = hwnd_;
      MSWClearComponentName(w);
      hwnd_ = nullptr;
      open_ = false;
      return DefWindowProcW(w, message, wParam, lParam);
    }
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace topaline::win32
