#include "entry/win32/entry_form.h"

#include <commctrl.h>

#include <string>

#include "entry/win32/controls.h"
#include "platform/error.h"

namespace topaline::win32 {

namespace {

constexpr int kClientWidth = 269;
constexpr int kClientHeight = 50;
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimerPeriod = 200;

// Control identifiers: the digit buttons are 101 to 112, in caption order.
constexpr int kFirstDigit = 101;
constexpr int kValidate = 114;
constexpr int kDelay = 115;
constexpr int kNumber = 120;
constexpr int kIncrement = 121;
constexpr wchar_t kDigitCaptions[] = L"0123456789,-";

constexpr UINT_PTR kNumberSubclass = 1;
constexpr UINT_PTR kIncrementSubclass = 2;

std::wstring TextOf(HWND w) {
  const int length = GetWindowTextLengthW(w);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(w, &text[0], length + 1);
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return text;
}

}  // namespace

EntryForm::EntryForm(HINSTANCE instance, EntryAssistant& assistant, DelayForm& delayForm, const EntryTexts& texts)
    : instance_(instance), assistant_(assistant), delayForm_(delayForm), texts_(texts) {}

EntryForm::~EntryForm() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void EntryForm::create(int left, int top) {
  RegisterToolButtonClass(instance_);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance_;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kEntryFormClass;
  wc.hIcon = ClockIcon();
  if (!RegisterClassExW(&wc)) throw Error(L"The entry window class cannot be registered.");

  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  RECT frame{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;

  // Keep the window on the monitor nearest to the stored position (any
  // stored number: the right and bottom edges are formed only once the
  // corner is within reach).
  const ScreenRect reach = PlaceOnScreen({left, top}, width, height, {-32768, -32768, 32767, 32767});
  RECT wanted{reach.left, reach.top, reach.right, reach.bottom};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& a = monitor.rcWork;
    const ScreenRect placed = PlaceOnScreen({left, top}, width, height, {a.left, a.top, a.right, a.bottom});
    left = placed.left;
    top = placed.top;
  }

  hwnd_ = CreateWindowExW(exStyle, kEntryFormClass, texts_.title.c_str(), style, left, top, width, height, nullptr,
                          nullptr, instance_, this);
  if (!hwnd_) throw Error(L"The entry window cannot be created.");
  SetComponentName(hwnd_, L"Form1");
  tooltip_ = CreateTooltip(hwnd_);

  const auto child = [&](DWORD ex, const wchar_t* cls, const wchar_t* text, DWORD s, int x, int y, int w, int h,
                         int id, const wchar_t* name) {
    HWND c = CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | s, Scale(x), Scale(y), Scale(w), Scale(h), hwnd_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (!c) throw Error(std::wstring(L"The control ") + name + L" cannot be created.");
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
    SetComponentName(c, name);
    return c;
  };

  // Top row: twelve digit buttons, validate, a separator, delay.
  constexpr int buttonWidth = 18;
  constexpr int pictureWidth = 22;
  constexpr int rowHeight = 22;
  for (int i = 0; i < 12; ++i) {
    const wchar_t caption[2] = {kDigitCaptions[i], 0};
    const std::wstring name = L"ToolButton" + std::to_wstring(i + 1);
    child(0, kToolButtonClass, caption, 0, 1 + i * buttonWidth, 1, buttonWidth, rowHeight, kFirstDigit + i,
          name.c_str());
  }
  int x = 1 + 12 * buttonWidth;
  HWND validate = child(0, kToolButtonClass, L"", 0, x, 1, pictureWidth, rowHeight, kValidate, L"ToolButton14");
  SendMessageW(validate, kToolButtonSetIcon, 0, reinterpret_cast<LPARAM>(CheckIcon()));
  x += pictureWidth;
  child(0, WC_STATICW, L"", SS_ETCHEDVERT, x + 3, 3, 2, rowHeight - 4, 0, L"ToolButton13");
  x += 6;
  HWND delay = child(0, kToolButtonClass, L"", 0, x, 1, pictureWidth, rowHeight, kDelay, L"ToolButton15");
  SendMessageW(delay, kToolButtonSetIcon, 0, reinterpret_cast<LPARAM>(ClockIcon()));
  AddHint(tooltip_, hwnd_, delay, texts_.delayHint);

  // Second row: the number field and the increment field.
  edNum_ = child(0, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 1, 26, 228, 200,
                 kNumber, L"edNum");
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(edNum_, &info)) edNumEdit_ = info.hwndItem;
  if (!edNumEdit_) edNumEdit_ = FindWindowExW(edNum_, nullptr, WC_EDITW, nullptr);
  if (edNumEdit_) SetWindowSubclass(edNumEdit_, FieldProc, kNumberSubclass, reinterpret_cast<DWORD_PTR>(this));

  edit1_ = child(WS_EX_CLIENTEDGE, WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, 234, 27, 26, 20, kIncrement, L"Edit1");
  SetWindowSubclass(edit1_, FieldProc, kIncrementSubclass, reinterpret_cast<DWORD_PTR>(this));
  AddHint(tooltip_, hwnd_, edit1_, texts_.incrementHint);

  focus_ = edNumEdit_ ? edNumEdit_ : edNum_;
  assistant_.attach(*this);
  startTimer();
}

void EntryForm::show() {
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  SetFocus(focus_);
}

void EntryForm::startTimer() { SetTimer(hwnd_, kTimer1, kTimerPeriod, nullptr); }
void EntryForm::stopTimer() { KillTimer(hwnd_, kTimer1); }

// EntryView ---------------------------------------------------------------

WindowHandle EntryForm::toolWindow() const { return reinterpret_cast<WindowHandle>(hwnd_); }

std::wstring EntryForm::numberText() const { return TextOf(edNum_); }

void EntryForm::setNumberText(const std::wstring& text) {
  SetWindowTextW(edNum_, text.c_str());
  const auto end = static_cast<WPARAM>(text.size());
  if (edNumEdit_) SendMessageW(edNumEdit_, EM_SETSEL, end, static_cast<LPARAM>(end));
}

void EntryForm::addHistoryItem(const std::wstring& number) {
  SendMessageW(edNum_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(number.c_str()));
}

bool EntryForm::numberListDropped() const { return SendMessageW(edNum_, CB_GETDROPPEDSTATE, 0, 0) != 0; }

std::wstring EntryForm::incrementText() const { return TextOf(edit1_); }

void EntryForm::setIncrementText(const std::wstring& text) {
  if (TextOf(edit1_) != text) SetWindowTextW(edit1_, text.c_str());
}

bool EntryForm::toolVisible() const { return IsWindowVisible(hwnd_) != FALSE; }

void EntryForm::showTool() {
  // Shown without taking the activation: the next tick decides which
  // window gets the keyboard. The number field gets the focus on activation.
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  focus_ = edNumEdit_ ? edNumEdit_ : edNum_;
  if (GetForegroundWindow() == hwnd_) SetFocus(focus_);
}

void EntryForm::hideTool() { ShowWindow(hwnd_, SW_HIDE); }

ScreenRect EntryForm::toolRect() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return {r.left, r.top, r.right, r.bottom};
}

// Reactions -----------------------------------------------------------------

void EntryForm::onButtonReleased(int id, MouseButton button) {
  if (id >= kFirstDigit && id < kFirstDigit + 12) {
    assistant_.digitReleased(kDigitCaptions[id - kFirstDigit], button);
  } else if (id == kValidate && button == MouseButton::Left) {
    assistant_.valide();
  } else if (id == kDelay && button == MouseButton::Left) {
    openDelayDialog();
  }
}

void EntryForm::onTimer() {
  if (assistant_.timerTick() == EntryAssistant::Tick::TargetGone) {
    // The CAD window is gone: end without storing the position.
    stopTimer();
    DestroyWindow(hwnd_);
  }
}

void EntryForm::openDelayDialog() {
  stopTimer();
  try {
    delayForm_.run();
  } catch (...) {
    if (hwnd_) startTimer();
    throw;
  }
  if (hwnd_) {
    startTimer();
    SetForegroundWindow(hwnd_);
  }
}

// Window procedures -----------------------------------------------------------

LRESULT CALLBACK EntryForm::Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<EntryForm*>(create->lpCreateParams)->hwnd_ = w;
  }
  auto* self = reinterpret_cast<EntryForm*>(GetWindowLongPtrW(w, GWLP_USERDATA));
  if (self && self->hwnd_ == w) {
    try {
      return self->handle(message, wParam, lParam);
    } catch (...) {
      ReportException(w);
      return 0;
    }
  }
  return DefWindowProcW(w, message, wParam, lParam);
}

LRESULT EntryForm::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kToolButtonReleased: {
      const auto button = lParam == 0 ? MouseButton::Left : lParam == 1 ? MouseButton::Right : MouseButton::Middle;
      onButtonReleased(static_cast<int>(wParam), button);
      return 0;
    }
    case WM_TIMER:
      if (wParam == kTimer1) onTimer();
      return 0;
    case WM_MOVING: {
      const LRESULT result = DefWindowProcW(hwnd_, message, wParam, lParam);
      stopTimer();
      return result;
    }
    case WM_EXITSIZEMOVE: {
      const LRESULT result = DefWindowProcW(hwnd_, message, wParam, lParam);
      startTimer();
      return result;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focused = GetFocus();
        if (focused && IsChild(hwnd_, focused)) focus_ = focused;
      } else if (!HIWORD(wParam)) {
        SetFocus(focus_);
      }
      return 0;
    case WM_SHOWWINDOW:
      if (wParam) focus_ = edNumEdit_ ? edNumEdit_ : edNum_;
      break;
    case WM_CTLCOLOREDIT:
      if (reinterpret_cast<HWND>(lParam) == edit1_) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
        SetBkColor(dc, GetSysColor(COLOR_INFOBK));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
      }
      break;
    case WM_CLOSE: {
      // Closed by the user: the position is kept for the next start.
      if (closing_) return 0;
      closing_ = true;
      stopTimer();
      const ScreenRect r = toolRect();
      try {
        assistant_.userClosed(r.left, r.top);
      } catch (...) {
        ReportException(hwnd_);
      }
      DestroyWindow(hwnd_);
      return 0;
    }
    case WM_DESTROY:
      stopTimer();
      ReleaseChildNames(hwnd_);
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      HWND w = hwnd_;
      ReleaseComponentName(w);
      hwnd_ = nullptr;
      return DefWindowProcW(w, message, wParam, lParam);
    }
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK EntryForm::FieldProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data) {
  auto* self = reinterpret_cast<EntryForm*>(data);
  try {
    if (message == WM_NCDESTROY) {
      RemoveWindowSubclass(w, FieldProc, id);
    } else if (id == kNumberSubclass) {
      return self->numberFieldMessage(w, message, wParam, lParam);
    } else if (id == kIncrementSubclass) {
      return self->incrementFieldMessage(w, message, wParam, lParam);
    }
  } catch (...) {
    ReportException(GetAncestor(w, GA_ROOT));
    return 0;
  }
  return DefSubclassProc(w, message, wParam, lParam);
}

LRESULT EntryForm::numberFieldMessage(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYUP:
      if (wParam == VK_RETURN) {
        assistant_.valide();
        return 0;
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_TAB) {
        SetFocus(edit1_);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == L'\r' || wParam == L'\n' || wParam == L'\t') return 0;  // no ding
      break;
    case WM_RBUTTONDOWN:
      return 0;
    case WM_RBUTTONUP:
      assistant_.valide();
      return 0;
    case WM_CONTEXTMENU:
      return 0;
  }
  return DefSubclassProc(w, message, wParam, lParam);
}

LRESULT EntryForm::incrementFieldMessage(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYUP: {
      const LRESULT result = DefSubclassProc(w, message, wParam, lParam);
      assistant_.incrementKeyReleased();
      return result;
    }
    case WM_KEYDOWN:
      if (wParam == VK_TAB) {
        SetFocus(edNumEdit_ ? edNumEdit_ : edNum_);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == L'\r' || wParam == L'\n' || wParam == L'\t') return 0;
      break;
    case WM_KILLFOCUS: {
      const LRESULT result = DefSubclassProc(w, message, wParam, lParam);
      assistant_.incrementLeft();
      return result;
    }
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
      return 0;
  }
  return DefSubclassProc(w, message, wParam, lParam);
}

}  // namespace topaline::win32
