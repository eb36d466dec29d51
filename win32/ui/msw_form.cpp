// The form's window, its component windows, and the Win32 form runner.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "platform/error.h"
#include "win32/ui/msw_binding.h"
#include "win32/ui/msw_class_atoms.h"
#include "win32/ui/msw_form_runner.h"
#include "win32/ui/msw_guard.h"
#include "win32/ui/msw_metrics.h"
#include "win32/ui/msw_module.h"
#include "win32/ui/msw_names.h"
#include "win32/ui/msw_visual_styles.h"

namespace topaline::msw {

using ui::Kind;
using ui::Property;

std::unique_ptr<MSWControl> MSWMakeControl(MSWFormBinding& binding, ui::Component& c) {
  switch (c.GetKind()) {
    case Kind::Button:
    case Kind::CheckBox:
    case Kind::RadioButton:
    case Kind::ColorSwatch:
      return MSWMakeButton(binding, c);
    case Kind::Edit:
    case Kind::ComboBox:
      return MSWMakeEdit(binding, c);
    case Kind::GroupBox:
    case Kind::Panel:
    case Kind::ToolBar:
    case Kind::TabSheet:
    case Kind::PageControl:
      return MSWMakeContainer(binding, c);
    case Kind::Label:
    case Kind::Image:
      return MSWMakeStaticControl(binding, c);
    case Kind::StatusBar:
    case Kind::TrackBar:
      return MSWMakeBar(binding, c);
    case Kind::ToolButton:
      return MSWMakeToolButton(binding, c);
    case Kind::TreeGrid:
      return MSWMakeTreeGrid(binding, c);
    case Kind::PaletteGrid:
      return MSWMakePaletteGrid(binding, c);
    default:
      return std::make_unique<MSWControl>(binding, c);  // no window: menus, image lists, timers
  }
}

// ------------------------------------------------------------------ form

MSWFormBinding::MSWFormBinding(ui::Form& form, HWND owner, UINT dpi)
    : MSWControl(*this, form), form_(form), owner_(owner), dpi_(dpi), images_(dpi) {}

MSWFormBinding::~MSWFormBinding() {
  for (auto& t : timers_)
    if (MSWHandle()) KillTimer(MSWHandle(), t.first);
  // Children first (their windows go with the form's, their peers now).
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) it->reset();
  controls_.clear();
  if (tooltip_) DestroyWindow(tooltip_);
}

HFONT MSWFormBinding::Font() const { return MSWFont(dpi_); }

HFONT MSWFormBinding::BoldFont() const { return MSWBoldFont(dpi_); }

MSWControl* MSWFormBinding::Find(ui::Component* c) const {
  if (c == &form_) return const_cast<MSWFormBinding*>(this);
  auto it = byComponent_.find(c);
  return it == byComponent_.end() ? nullptr : it->second;
}

void MSWFormBinding::Forget(ui::Component& c) {
  auto it = byComponent_.find(&c);
  if (it == byComponent_.end()) return;
  MSWControl* peer = it->second;
  byComponent_.erase(it);
  for (auto& t : timers_)
    if (t.second == &c) {
      KillTimer(MSWHandle(), t.first);
      t.second = nullptr;
    }
  auto pos = std::find_if(controls_.begin(), controls_.end(), [&](auto& p) { return p.get() == peer; });
  if (pos != controls_.end()) controls_.erase(pos);
}

MSWControl* MSWFormBinding::Ensure(ui::Component& c) {
  if (MSWControl* b = Find(&c)) return b;
  MSWControl* parent = c.Parent() ? Ensure(*c.Parent()) : this;
  auto control = MSWMakeControl(*this, c);
  MSWControl* raw = control.get();
  byComponent_[&c] = raw;
  controls_.push_back(std::move(control));
  MSWVisualStylesScope styles;
  raw->MSWCreateWindow(parent && parent->MSWHandle() ? parent->MSWHandle() : MSWHandle());
  if (parent && parent != this) parent->MSWLowerInnerWindows();
  if (c.GetKind() == Kind::Timer) {
    auto& t = static_cast<ui::Timer&>(c);
    UINT_PTR id = 1000 + static_cast<UINT_PTR>(c.CreationIndex());
    timers_[id] = &t;
    if (t.Enabled() && t.Interval() > 0) SetTimer(MSWHandle(), id, static_cast<UINT>(t.Interval()), nullptr);
  }
  return raw;
}

void MSWFormBinding::MSWCreateWindow(HWND) {
  DWORD style = WS_CLIPCHILDREN | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  DWORD ex = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME;
  switch (form_.GetBorderStyle()) {
    case ui::BorderStyle::Sizeable: style |= WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX; ex &= ~WS_EX_DLGMODALFRAME; break;
    case ui::BorderStyle::Single: style |= WS_MINIMIZEBOX; ex &= ~WS_EX_DLGMODALFRAME; break;
    case ui::BorderStyle::ToolWindow: ex = WS_EX_CONTROLPARENT | WS_EX_TOOLWINDOW; style |= WS_BORDER; break;
    case ui::BorderStyle::SizeToolWindow: ex = WS_EX_CONTROLPARENT | WS_EX_TOOLWINDOW; style |= WS_THICKFRAME; break;
    case ui::BorderStyle::None: style = WS_POPUP | WS_CLIPCHILDREN; ex = WS_EX_CONTROLPARENT; break;
    default: break;
  }
  // A top-most form (the message box) has the desktop as parent so that
  // it stays in front of every window, the host's included.
  HWND parent = owner_;
  if (form_.StayOnTop()) {
    ex |= WS_EX_TOPMOST;
    parent = nullptr;
  }
  RECT r{0, 0, Scale(form_.ClientWidth()), Scale(form_.ClientHeight())};
  AdjustWindowRectEx(&r, style, FALSE, ex);
  if (form_.OuterSizeGiven()) {
    // A stored outer size (the window as it was closed) stays as it is:
    // the client area is what the real frame leaves of it.
    syncing_ = true;
    form_.SetFrameExtra(ui::Size{Unscale((r.right - r.left) - Scale(form_.ClientWidth())),
                                 Unscale((r.bottom - r.top) - Scale(form_.ClientHeight()))});
    syncing_ = false;
    r = RECT{0, 0, Scale(form_.ClientWidth()), Scale(form_.ClientHeight())};
    AdjustWindowRectEx(&r, style, FALSE, ex);
  }
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = form_.Left(), y = form_.Top();
  RECT placed{x, y, x + w, y + h};
  RECT work = MSWWorkAreaNear(placed);
  if (form_.GetPosition() == ui::FormPosition::ScreenCenter) {
    x = work.left + (work.right - work.left - w) / 2;
    y = work.top + (work.bottom - work.top - h) / 2;
  }
  MSWCreateOwn(ex, kFormClass, form_.Caption().c_str(), style, x, y, w, h, parent, nullptr);
  SendMessageW(MSWHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  MSWSetComponentName(MSWHandle(), form_.Name());
  // The model learns the real frame, so Width/Height are the outer size.
  RECT client{}, outer{};
  GetClientRect(MSWHandle(), &client);
  GetWindowRect(MSWHandle(), &outer);
  syncing_ = true;
  form_.SetFrameExtra(ui::Size{Unscale((outer.right - outer.left) - client.right),
                               Unscale((outer.bottom - outer.top) - client.bottom)});
  // And where it really is: a centred form was placed here, and the place
  // saved when it closes must be the one the user saw.
  form_.SetBounds(ui::Rect{outer.left, outer.top, Unscale(outer.right - outer.left), Unscale(outer.bottom - outer.top)});
  syncing_ = false;
  tooltip_ = MSWCreateSystemWindow(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   0, 0, 0, 0, MSWHandle(), nullptr, MSWInstance(), nullptr);
}

void MSWFormBinding::MSWCreateAll() {
  MSWVisualStylesScope styles;
  MSWCreateWindow(nullptr);
  for (const auto& c : form_.Components()) Ensure(*c);
  MSWPlaceLabels();
  for (const auto& c : form_.Components())
    if (MSWControl* b = Find(c.get()); b && b->MSWHandle()) ShowWindow(b->MSWHandle(), c->Visible() ? SW_SHOWNA : SW_HIDE);
}

void MSWFormBinding::MSWPlaceLabels() {
  // Screen readers name a field after the window just before it: each
  // label's window moves there. Only the window order changes: the Tab
  // order is the model's creation order (Form::NextFocusable).
  for (const auto& c : form_.Components()) {
    if (c->GetKind() != Kind::Label) continue;
    ui::Component* named = ui::NamedControl(static_cast<ui::Label&>(*c));
    MSWControl* label = Find(c.get());
    MSWControl* control = named ? Find(named) : nullptr;
    if (!label || !control || !label->MSWHandle() || !control->MSWHandle()) continue;
    HWND l = label->MSWHandle(), f = control->MSWHandle();
    if (GetParent(l) != GetParent(f)) continue;
    HWND before = GetWindow(f, GW_HWNDPREV);
    if (before == l) continue;
    SetWindowPos(l, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void MSWFormBinding::MSWSyncAll() {}

void MSWFormBinding::MSWAddTool(HWND hwnd, const std::wstring& text) {
  if (!tooltip_ || !hwnd || hwnd == MSWHandle()) return;
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  // No TTF_SUBCLASS: a tooltip that subclasses its tools looks up a window
  // property at every message of every control (a request to the window
  // server each); the modal loop relays the mouse to it instead.
  ti.uFlags = TTF_IDISHWND;
  ti.hwnd = MSWHandle();
  ti.uId = reinterpret_cast<UINT_PTR>(hwnd);
  SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  if (text.empty()) return;
  ti.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

ui::TreeGrid* MSWFormBinding::MSWGridEditedBy(ui::Component& c) const {
  for (const auto& other : form_.Components())
    if (other->GetKind() == Kind::TreeGrid) {
      auto* grid = static_cast<ui::TreeGrid*>(other.get());
      if (grid->IsEditing() && grid->Editor() == &c) return grid;
    }
  return nullptr;
}

void MSWFormBinding::MSWSyncFocus() {
  if (quietFocus_) return;
  ui::Component* active = form_.ActiveControl();
  MSWControl* b = active ? Find(active) : nullptr;
  if (b && active->GetKind() == Kind::TreeGrid && static_cast<ui::TreeGrid*>(active)->IsEditing()) {
    if (auto* ed = static_cast<ui::TreeGrid*>(active)->Editor()) b = Find(ed) ? Find(ed) : b;
  }
  if (b && b->MSWHandle() && GetFocus() != b->MSWHandle()) {
    syncing_ = true;
    b->syncing_ = true;
    SetFocus(b->MSWHandle());
    b->syncing_ = false;
    syncing_ = false;
  }
}

void MSWFormBinding::MSWSync(Property property) {
  HWND h = MSWHandle();
  switch (property) {
    case Property::Caption: MSWSetWindowText(form_.Caption()); break;
    case Property::Focus: MSWSyncFocus(); break;
    case Property::Enabled: EnableWindow(h, form_.Enabled()); break;
    case Property::Bounds:
      if (!syncing_) {
        SetWindowPos(h, nullptr, form_.Left(), form_.Top(), Scale(form_.Width()), Scale(form_.Height()),
                     SWP_NOZORDER | SWP_NOACTIVATE);
      }
      break;
    case Property::Timer:
      break;
    default: break;
  }
}

LRESULT MSWFormBinding::MSWHandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      form_.UserClose();
      return 0;
    case WM_COMMAND:
      // IDOK / IDCANCEL from the dialog manager: the model already saw the
      // key (Enter clicks the default button, Escape the cancel button).
      if (!lp && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) return 0;
      break;
    case WM_TIMER: {
      auto it = timers_.find(wp);
      if (it != timers_.end()) {
        if (it->second) it->second->UserTick();
        return 0;
      }
      break;
    }
    case WM_EXITSIZEMOVE: {
      RECT r;
      GetWindowRect(MSWHandle(), &r);
      syncing_ = true;
      form_.UserMoved(ui::Rect{r.left, r.top, Unscale(r.right - r.left), Unscale(r.bottom - r.top)});
      syncing_ = false;
      return 0;
    }
    case WM_SETFOCUS:
      // The form window itself got the focus (it was activated again):
      // the model's active control takes it.
      MSWSyncFocus();
      return 0;
    case WM_HELP:
      return TRUE;
    default: break;
  }
  return MSWControl::MSWHandleMessage(msg, wp, lp);
}

// ------------------------------------------------------------------ runner

MSWFormRunner::MSWFormRunner(WindowHandle owner) : owner_(owner) {}
MSWFormRunner::~MSWFormRunner() = default;

WindowHandle MSWFormRunner::ActiveFormWindow() const {
  return stack_.empty() ? 0 : reinterpret_cast<WindowHandle>(stack_.back()->MSWHandle());
}

WindowHandle MSWFormRunner::TopModalWindow() const { return stack_.empty() ? owner_ : ActiveFormWindow(); }

namespace {

MSWControl* controlOf(HWND hwnd) {
  // The window itself, or the control a native child belongs to (the
  // edit inside an editable combo box).
  for (HWND h = hwnd; h; h = GetParent(h)) {
    if (auto* c = dynamic_cast<MSWControl*>(MSWWindow::MSWFromHandle(h))) return c;
    if (!(GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD)) break;
  }
  return nullptr;
}

}  // namespace

namespace {

BOOL CALLBACK collectEnabled(HWND hwnd, LPARAM lp) {
  // Hidden windows (the system's own helper windows among them) cannot be
  // reached by the user and are left alone.
  if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}

// The windows a modal showing disabled, enabled again when it ends,
// whatever way it ends (an exception included). Only these: a window the
// host had disabled itself stays disabled.
class DisabledWindows {
public:
  DisabledWindows() = default;
  DisabledWindows(const DisabledWindows&) = delete;
  DisabledWindows& operator=(const DisabledWindows&) = delete;
  ~DisabledWindows() { EnableAgain(); }

  void Disable(HWND h) {
    if (h && IsWindow(h) && IsWindowEnabled(h) && std::find(windows_.begin(), windows_.end(), h) == windows_.end()) {
      EnableWindow(h, FALSE);
      windows_.push_back(h);
    }
  }
  // Last disabled, first enabled again.
  void EnableAgain() {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
      if (IsWindow(*it)) EnableWindow(*it, TRUE);
    windows_.clear();
  }

private:
  std::vector<HWND> windows_;
};

}  // namespace

int MSWFormRunner::ShowModal(ui::Form& form) {
  MSWErrorReporterScope reporting(&reporter_);
  HWND owner = reinterpret_cast<HWND>(form.OwnerWindow() ? form.OwnerWindow()
                                      : !stack_.empty()  ? ActiveFormWindow()
                                                         : owner_);
  if (owner && !IsWindow(owner)) owner = nullptr;
  // Every window the user could reach meanwhile. For the outermost form:
  // every top-level window of this thread that is enabled now (the host's
  // main window, its palettes, its other windows), taken before the form
  // has windows of its own. For a nested one: the form below it; the
  // host's windows are disabled already.
  std::vector<HWND> hostWindows;
  if (stack_.empty()) EnumThreadWindows(GetCurrentThreadId(), collectEnabled, reinterpret_cast<LPARAM>(&hostWindows));
  DisabledWindows disabled;

  MSWVisualStylesScope styles;
  auto binding = std::make_unique<MSWFormBinding>(form, owner, MSWDpiFor(owner));
  binding->MSWCreateAll();
  HWND hwnd = binding->MSWHandle();
  stack_.push_back(binding.get());

  int result = ui::mrCancel;
  try {
    form.BeginModal();
    disabled.Disable(owner);
    disabled.Disable(reinterpret_cast<HWND>(owner_));
    for (HWND h : hostWindows) disabled.Disable(h);
    if (stack_.size() > 1) disabled.Disable(stack_[stack_.size() - 2]->MSWHandle());
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    binding->MSWSyncFocus();
    if (!form.ActiveControl()) SetFocus(hwnd);

    MSG msg;
    bool quit = false;
    for (;;) {
      if (form.GetModalResult() != ui::mrNone) {
        if (form.EndModal()) break;
        continue;
      }
      if (!IsWindow(hwnd)) break;
      BOOL got = GetMessageW(&msg, nullptr, 0, 0);
      if (got == 0) {
        quit = true;
        break;
      }
      if (got < 0) break;
      bool handled = false;
      if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST && binding->Tooltip() &&
          (msg.hwnd == hwnd || IsChild(hwnd, msg.hwnd)))
        SendMessageW(binding->Tooltip(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
      // Keys of this form go to the model (key preview, default and
      // cancel buttons, Tab order); Alt+letter mnemonics to the dialog
      // manager.
      if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR) &&
          (msg.hwnd == hwnd || IsChild(hwnd, msg.hwnd))) {
        MSWControl* target = msg.hwnd == hwnd ? nullptr : controlOf(msg.hwnd);
        try {
          if (target && target != binding.get()) {
            handled = target->MSWRouteKey(msg);
          } else if (msg.message == WM_KEYDOWN) {
            form.UserKeyDown(static_cast<int>(msg.wParam), MSWShiftState());
            handled = true;
          } else if (msg.message == WM_CHAR) {
            form.UserChar(static_cast<wchar_t>(msg.wParam));
            handled = true;
          } else {
            form.UserKeyUp(static_cast<int>(msg.wParam), MSWShiftState());
            handled = true;
          }
        } catch (...) {
          MSWReportCurrentException();
          handled = true;
        }
      }
      if (!handled && !IsDialogMessageW(hwnd, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
    if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
    result = form.GetModalResult();
    if (result == ui::mrNone) result = ui::mrCancel;
  } catch (...) {
    MSWReportCurrentException();
  }
  // The owner comes back before the form goes, so that the activation
  // returns to it and not to some other program.
  disabled.EnableAgain();
  if (IsWindow(hwnd)) ShowWindow(hwnd, SW_HIDE);
  if (owner && IsWindow(owner)) SetActiveWindow(owner);
  stack_.pop_back();
  binding.reset();
  return result;
}

int MSWFormRunner::TextWidth(const std::wstring& text, const ui::Font& font) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(font.sizePt, 96, 72);
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.italic;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, font.name.c_str(), LF_FACESIZE);
  HFONT f = CreateFontIndirectW(&lf);
  int w = MSWTextWidth(f ? f : MSWFont(96), text);
  if (f) DeleteObject(f);
  return w;
}

int MSWFormRunner::TextHeight(const ui::Font& font) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(font.sizePt, 96, 72);
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, font.name.c_str(), LF_FACESIZE);
  HFONT f = CreateFontIndirectW(&lf);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, f ? f : MSWFont(96));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  if (f) DeleteObject(f);
  return tm.tmHeight;
}

ui::Rect MSWFormRunner::WorkAreaFor(const ui::Rect& r) {
  RECT rc{r.left, r.top, r.right(), r.bottom()};
  RECT w = MSWWorkAreaNear(rc);
  return ui::Rect{w.left, w.top, w.right - w.left, w.bottom - w.top};
}

ui::Rect MSWFormRunner::WorkArea() {
  RECT w = MSWPrimaryWorkArea();
  return ui::Rect{w.left, w.top, w.right - w.left, w.bottom - w.top};
}

ui::Size MSWFormRunner::ScreenSize() {
  return ui::Size{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace topaline::msw
