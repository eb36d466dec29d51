#include "entry/win32/entry_form.h"

#include <commctrl.h>

#include <string>

#include "entry/win32/controls.h"
#include "platform/error.h"
#include "win32/ui/msw_flat_button.h"
#include "win32/ui/msw_guard.h"
#include "win32/ui/msw_metrics.h"
#include "win32/ui/msw_names.h"

namespace topaline::win32 {

using namespace topaline::msw;

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
  dpi_ = MSWDpiFor(nullptr);
  if (!RegisterFormClass(instance_, kEntryFormClass, FormProc<EntryForm>, ClockIcon(MSWPictureSize(16, dpi_))))
    throw Error(L"The entry window class cannot be registered.");

  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  const auto Scale = [this](int designPixels) { return MSWScale(designPixels, dpi_); };
  RECT frame{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;

  // Keep the window on the monitor nearest to the stored position (any
  // stored number: the right and bottom edges are formed only once the
  // corner is within reach).
  const ScreenRect reach = PlaceOnScreen({left, top}, width, height, {-32768, -32768, 32767, 32767});
  const RECT a = MSWWorkAreaNear(RECT{reach.left, reach.top, reach.right, reach.bottom});
  const ScreenRect placed = PlaceOnScreen({left, top}, width, height, {a.left, a.top, a.right, a.bottom});
  left = placed.left;
  top = placed.top;

  hwnd_ = CreateWindowExW(exStyle, kEntryFormClass, texts_.title.c_str(), style, left, top, width, height, nullptr,
                          nullptr, instance_, this);
  if (!hwnd_) throw Error(L"The entry window cannot be created.");
  MSWSetComponentName(hwnd_, L"Form1");
  tooltip_ = CreateTooltip(hwnd_);

  // Top row: twelve digit buttons, validate, a separator, delay.
  constexpr int buttonWidth = 18;
  constexpr int pictureWidth = 22;
  constexpr int rowHeight = 22;
  const auto child = [&](DWORD ex, const wchar_t* cls, const wchar_t* text, DWORD s, int x, int y, int w, int h,
                         int id, const wchar_t* name) {
    HWND c = CreateControl(hwnd_, dpi_, ex, cls, text, s, x, y, w, h, id, name);
    layout_.add(c, x, y, w, h);
    return c;
  };
  const int pictureSize = MSWPictureSize(16, dpi_);
  const auto toolButton = [&](const wchar_t* caption, HICON icon, int x, int w, int id, const std::wstring& name) {
    const RECT r{Scale(x), Scale(1), Scale(x + w), Scale(1 + rowHeight)};
    HWND b = MSWCreateFlatButton(hwnd_, static_cast<UINT>(id), r, caption, icon, MSWBoldFont(dpi_), name);
    if (!b) throw Error(L"The control " + name + L" cannot be created.");
    layout_.add(b, x, 1, w, rowHeight, true);
    return b;
  };

  for (int i = 0; i < 12; ++i) {
    const wchar_t caption[2] = {kDigitCaptions[i], 0};
    toolButton(caption, nullptr, 1 + i * buttonWidth, buttonWidth, kFirstDigit + i, L"ToolButton" + std::to_wstring(i + 1));
  }
  int x = 1 + 12 * buttonWidth;
  // A picture button's caption is never drawn: it is the name screen readers read.
  validate_ = toolButton(texts_.validateName.c_str(), CheckIcon(pictureSize), x, pictureWidth, kValidate, L"ToolButton14");
  x += pictureWidth;
  child(0, WC_STATICW, L"", SS_ETCHEDVERT, x + 3, 3, 2, rowHeight - 4, 0, L"ToolButton13");
  x += 6;
  delay_ = toolButton(texts_.delayName.c_str(), ClockIcon(pictureSize), x, pictureWidth, kDelay, L"ToolButton15");
  AddHint(tooltip_, hwnd_, delay_, texts_.delayHint);

  // Second row: the number field and the increment field, each just after
  // a label of no size that names it for screen readers.
  child(0, WC_STATICW, texts_.numberName.c_str(), SS_LEFT, 1, 26, 0, 0, 0, L"LabNum");
  edNum_ = child(0, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 1, 26, 228, 200,
                 kNumber, L"edNum");
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(edNum_, &info)) edNumEdit_ = info.hwndItem;
  if (!edNumEdit_) edNumEdit_ = FindWindowExW(edNum_, nullptr, WC_EDITW, nullptr);
  if (edNumEdit_) SetWindowSubclass(edNumEdit_, FieldProc, kNumberSubclass, reinterpret_cast<DWORD_PTR>(this));
  // The drop-down button is the combo box's own window, beside its edit part.
  SetWindowSubclass(edNum_, FieldProc, kNumberSubclass, reinterpret_cast<DWORD_PTR>(this));

  child(0, WC_STATICW, texts_.incrementName.c_str(), SS_LEFT, 234, 27, 0, 0, 0, L"LabIncrement");
  edit1_ = child(WS_EX_CLIENTEDGE, WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, 234, 27, 26, 20, kIncrement, L"Edit1");
  SetWindowSubclass(edit1_, FieldProc, kIncrementSubclass, reinterpret_cast<DWORD_PTR>(this));
  AddHint(tooltip_, hwnd_, edit1_, texts_.incrementHint);

  focus_ = edNumEdit_ ? edNumEdit_ : edNum_;

  // A window placed on a monitor of another DPI than the system's takes
  // that monitor's scale at once.
  const UINT own = MSWDpiFor(hwnd_);
  if (own != dpi_) {
    RECT sized{0, 0, MSWScale(kClientWidth, own), MSWScale(kClientHeight, own)};
    AdjustWindowRectEx(&sized, style, FALSE, exStyle);
    const RECT suggested{left, top, left + sized.right - sized.left, top + sized.bottom - sized.top};
    onDpiChanged(MAKEWPARAM(own, own), reinterpret_cast<LPARAM>(&suggested));
  }
  assistant_.attach(*this);
  startTimer();
}

void EntryForm::onDpiChanged(WPARAM wParam, LPARAM lParam) {
  dpi_ = FollowDpiChange(hwnd_, wParam, lParam, layout_);
  const int size = MSWPictureSize(16, dpi_);
  SendMessageW(validate_, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(CheckIcon(size)));
  SendMessageW(delay_, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(ClockIcon(size)));
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
  if (TextOf(edit1_) != text) SetWindowTextW(edit1_, text.c_str());  // reports EN_CHANGE at once
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

LRESULT EntryForm::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const WORD code = HIWORD(wParam);
      if (id == kIncrement && code == EN_CHANGE) {
        assistant_.incrementChanged();
        return 0;
      }
      if (id != kNumber && id != kIncrement && code == BN_CLICKED) {  // a left click, or BM_CLICK
        onButtonReleased(id, MouseButton::Left);
        return 0;
      }
      break;
    }
    case kMSWFlatButtonReleased:
      onButtonReleased(static_cast<int>(wParam), lParam == 1 ? MouseButton::Right : MouseButton::Middle);
      return 0;
    case WM_DRAWITEM:
      if (MSWDrawFlatButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_TIMER:
      if (wParam == kTimer1) onTimer();
      return 0;
    case WM_DPICHANGED:
      onDpiChanged(wParam, lParam);
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
      MSWGuard([&] { assistant_.userClosed(r.left, r.top); });
      DestroyWindow(hwnd_);
      return 0;
    }
    case WM_DESTROY:
      stopTimer();
      MSWClearComponentNames(hwnd_);
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      HWND w = hwnd_;
      MSWClearComponentName(w);
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
    MSWReportCurrentException();
    return 0;
  }
  return DefSubclassProc(w, message, wParam, lParam);
}

// edNum's edit part and the combo box itself (its drop-down button): a
// right-click anywhere in the field sends the number.
LRESULT EntryForm::numberFieldMessage(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (w == edNum_) {
    switch (message) {
      case WM_RBUTTONDOWN:
      case WM_CONTEXTMENU:
        return 0;
      case WM_RBUTTONUP:
        assistant_.valide();
        return 0;
    }
    return DefSubclassProc(w, message, wParam, lParam);
  }
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
      // Left only when the focus goes to another control of the window:
      // the window losing the activation (the timer brings the CAD window
      // forward as soon as the pointer leaves) is not leaving the field.
      const LRESULT result = DefSubclassProc(w, message, wParam, lParam);
      const auto to = reinterpret_cast<HWND>(wParam);
      if (to && IsChild(hwnd_, to)) assistant_.incrementLeft();
      return result;
    }
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
      return 0;
  }
  return DefSubclassProc(w, message, wParam, lParam);
}

}  // namespace topaline::win32
