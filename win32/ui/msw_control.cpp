// The part every control window shares: creation helpers, the sync of
// the common properties (caption, hint, bounds, enabled, visible), key
// routing through the model, focus rules and context menus. The control
// families live beside it: msw_buttons.cpp, msw_edits.cpp,
// msw_containers.cpp, msw_static_controls.cpp, msw_bars.cpp,
// msw_tool_button.cpp, msw_tree_grid.cpp and msw_palette_grid.cpp.
#include <windows.h>
#include <commctrl.h>

#include "platform/error.h"
#include "win32/ui/msw_binding.h"
#include "win32/ui/msw_guard.h"
#include "win32/ui/msw_metrics.h"
#include "win32/ui/msw_module.h"
#include "win32/ui/msw_names.h"

namespace topaline::msw {

using ui::Kind;
using ui::Property;

COLORREF MSWColor(ui::Color c, COLORREF fallback) {
  if (c == ui::clDefault) return fallback;
  if (ui::IsSystemColor(c)) return GetSysColor(static_cast<int>(c & 0xFF));
  return static_cast<COLORREF>(c & 0xFFFFFF);
}

ui::ShiftState MSWShiftState() {
  ui::ShiftState s;
  s.shift = GetKeyState(VK_SHIFT) < 0;
  s.ctrl = GetKeyState(VK_CONTROL) < 0;
  s.alt = GetKeyState(VK_MENU) < 0;
  return s;
}

DWORD MSWAlignStyle(ui::Alignment a, DWORD left, DWORD right, DWORD center) {
  switch (a) {
    case ui::Alignment::Right: return right;
    case ui::Alignment::Center: return center;
    default: return left;
  }
}

MSWControl::MSWControl(MSWFormBinding& binding, ui::Component& component)
    : binding_(binding), component_(component) {
  component_.SetPeer(this);
}

MSWControl::~MSWControl() {
  if (!component_gone_ && component_.Peer() == this) component_.SetPeer(nullptr);
  if (HWND h = MSWHandle()) MSWClearComponentName(h);
  MSWDestroy();
  if (brush_) DeleteObject(brush_);
}

int MSWControl::Scale(int v) const { return MSWScale(v, binding_.Dpi()); }
int MSWControl::Unscale(int v) const { return MSWUnscale(v, binding_.Dpi()); }

RECT MSWControl::MSWDeviceRect() const {
  const ui::Rect& b = component_.Bounds();
  return RECT{Scale(b.left), Scale(b.top), Scale(b.left + b.width), Scale(b.top + b.height)};
}

UINT MSWControl::MSWControlId() const { return static_cast<UINT>(component_.CreationIndex() + 100); }

HWND MSWControl::MSWCreateAtDesign(DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, HWND parent) {
  const RECT r = MSWDeviceRect();
  // Made visible at once when it is to be seen (the form itself is still
  // hidden): showing it afterwards is one more round of window updates.
  const DWORD visible = component_.Visible() ? WS_VISIBLE : 0;
  return MSWCreateNative(exStyle, cls, text, WS_CHILD | WS_CLIPSIBLINGS | visible | style, r.left, r.top,
                         r.right - r.left, r.bottom - r.top, parent, MSWControlId());
}

void MSWControl::MSWSetWindowText(const std::wstring& text) {
  if (!MSWHandle()) return;
  if (finishing_) {
    // Just made with its text, most often: no second WM_SETTEXT.
    const int n = GetWindowTextLengthW(MSWHandle());
    if (n == static_cast<int>(text.size())) {
      std::wstring now(static_cast<std::size_t>(n) + 1, L'\0');
      now.resize(static_cast<std::size_t>(GetWindowTextW(MSWHandle(), now.data(), n + 1)));
      if (now == text) return;
    }
  }
  bool was = syncing_;
  syncing_ = true;
  SetWindowTextW(MSWHandle(), text.c_str());
  syncing_ = was;
}

void MSWControl::MSWCreateWindow(HWND) {
  // No window of its own (menus, image lists, timers).
}

void MSWControl::MSWFinishWindow() {
  SendMessageW(MSWHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(binding_.Font()), FALSE);
  MSWSetComponentName(MSWHandle(), component_.Name());
  finishing_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{finishing_};
  MSWSyncAll();
}

void MSWControl::MSWSyncAll() {
  for (Property p : {Property::Caption, Property::Hint, Property::Enabled, Property::Checked, Property::Text,
                     Property::Items, Property::ItemIndex, Property::Range, Property::Position, Property::Image,
                     Property::ActivePage, Property::Visible})
    MSWSync(p);
}

void MSWControl::Changed(ui::Component& component, Property property) {
  if (&component != &component_) return;
  MSWGuard([&] {
    if (!MSWHandle()) return;
    MSWSync(property);
  });
}

void MSWControl::Destroying(ui::Component& component) {
  if (&component != &component_) return;
  component_gone_ = true;
  binding_.Forget(component);
}

void MSWControl::MSWSync(Property property) {
  HWND h = MSWHandle();
  if (!h) return;
  switch (property) {
    case Property::Caption:
      // A control that shows no caption still has a window text: what
      // screen readers call it (ui/screen_reader.h).
      if (component_.HasCaption() || ui::ShowsNoCaption(component_) || !component_.SpokenName().empty())
        MSWSetWindowText(ui::WindowName(component_));
      break;
    case Property::Hint:
      binding_.MSWAddTool(h, component_.Hint());
      if (ui::ShowsNoCaption(component_)) MSWSync(Property::Caption);  // named after its hint
      break;
    case Property::Bounds: {
      RECT r = MSWDeviceRect();
      SetWindowPos(h, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top + MSWExtraHeight(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case Property::Enabled:
      EnableWindow(h, component_.Enabled());
      break;
    case Property::Visible:
      ShowWindow(h, component_.Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case Property::Color:
      InvalidateRect(h, nullptr, TRUE);
      break;
    case Property::Style:
      // Styles chosen at creation (alignment, combo kind, border): rebuild.
      if (component_.GetKind() != Kind::Form) {
        HWND parent = GetParent(h);
        HWND after = GetWindow(h, GW_HWNDPREV);
        MSWClearComponentName(h);
        MSWDestroy();
        MSWCreateWindow(parent);
        if (MSWHandle()) SetWindowPos(MSWHandle(), after ? after : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      }
      break;
    default:
      break;
  }
}

bool MSWControl::MSWOnCommand(WORD, LRESULT* result) {
  *result = 0;
  return false;
}

HBRUSH MSWControl::MSWOnCtlColor(HDC dc) {
  ui::Color c = component_.GetColor();
  if (c == ui::clDefault) {
    // Children of a coloured panel share its background.
    ui::Component* p = component_.Parent();
    if (p && p->GetKind() == Kind::Panel && p->GetColor() != ui::clDefault) c = p->GetColor();
    else return nullptr;
  }
  COLORREF rgb = MSWColor(c, GetSysColor(COLOR_BTNFACE));
  if (!brush_ || brushColor_ != rgb) {
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(rgb);
    brushColor_ = rgb;
  }
  SetBkColor(dc, rgb);
  if (component_.GetKind() == Kind::Label) SetBkMode(dc, TRANSPARENT);
  return brush_;
}

bool MSWControl::MSWOnDrawItem(DRAWITEMSTRUCT*) { return false; }

bool MSWControl::MSWRouteKey(MSG& msg) {
  // Keys go to the model first (the form sees them before its controls
  // when it asks to); only keys it leaves alone reach the window.
  switch (msg.message) {
    case WM_KEYDOWN: {
      int key = static_cast<int>(msg.wParam);
      MSWBeforeKeyDown();
      lastKeyConsumed_ = component_.UserKeyDown(key, MSWShiftState());
      if (lastKeyConsumed_) return true;
      // The dialog keys were the model's to act on. Left alone, they still
      // make their character, as a keystroke does in the model (Enter
      // normalises a numeric field).
      if (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE) {
        component_.UserChar(key == VK_TAB ? L'\t' : key == VK_RETURN ? L'\r' : wchar_t{27});
        return true;
      }
      // Navigation the window does itself (caret, list, combo); the
      // edit's deletions come back through EN_CHANGE.
      TranslateMessage(&msg);
      bool was = syncing_;
      syncing_ = MSWQuietNativeKeys();
      DispatchMessageW(&msg);
      syncing_ = was;
      if (MSWHandle()) MSWAfterNativeKey();
      return true;
    }
    case WM_CHAR: {
      if (lastKeyConsumed_) {
        lastKeyConsumed_ = false;
        return true;
      }
      auto ch = static_cast<wchar_t>(msg.wParam);
      if (MSWTakesEveryChar() || ch == L'\r' || ch == 27 || ch == L'\t' || ch == L' ' || ch >= 32)
        component_.UserChar(ch);
      return true;
    }
    case WM_KEYUP:
      component_.UserKeyUp(static_cast<int>(msg.wParam), MSWShiftState());
      return true;
    default:
      return false;
  }
}

namespace {
// Posted to an in-place editor that lost the focus to another program.
constexpr UINT kMsgEditorLeft = WM_APP + 0x31;
}  // namespace

LRESULT MSWControl::MSWHandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  Kind kind = component_.GetKind();
  switch (msg) {
    case WM_KILLFOCUS:
      // An in-place editor whose focus went outside the form (another
      // program, a window of another thread): leaving commits the edit.
      // Moves inside the form reach the model through the new control's
      // WM_SETFOCUS. Posted, so that the focus change completes first.
      if (!syncing_ && component_.GetEditHost()) {
        HWND to = reinterpret_cast<HWND>(wp);
        HWND form = binding_.MSWHandle();
        if (!to || (to != form && !IsChild(form, to))) PostMessageW(MSWHandle(), kMsgEditorLeft, 0, 0);
      }
      break;
    case kMsgEditorLeft: {
      HWND form = binding_.MSWHandle();
      HWND now = GetFocus();
      if (now && (now == form || IsChild(form, now))) return 0;  // came back meanwhile
      if (ui::TreeGrid* grid = binding_.MSWGridEditedBy(component_)) {
        // The grid takes the model's focus (which commits), the real
        // focus stays where the user put it.
        binding_.MSWQuietFocus(true);
        grid->UserFocus();
        binding_.MSWQuietFocus(false);
      }
      return 0;
    }
    case WM_SETFOCUS:
      if (!syncing_) {
        if (component_.IsFocusable()) {
          if (!component_.Focused()) component_.UserFocus();
        } else if (kind == Kind::ToolButton || kind == Kind::ColorSwatch) {
          // Never takes the focus: the field being edited keeps it.
          if (wp && IsWindow(reinterpret_cast<HWND>(wp))) {
            SetFocus(reinterpret_cast<HWND>(wp));
            return 0;
          }
        }
      }
      break;
    case WM_MOUSEMOVE:
      // The pointer reaches the model over every component; leaving is
      // reported once per stay (TrackMouseEvent).
      if (!mouseTracked_) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, MSWHandle(), 0};
        mouseTracked_ = TrackMouseEvent(&tme) != FALSE;
      }
      component_.UserMouseMove(Unscale(static_cast<short>(LOWORD(lp))), Unscale(static_cast<short>(HIWORD(lp))));
      break;
    case WM_MOUSELEAVE:
      mouseTracked_ = false;
      component_.UserMouseLeave();
      break;
    case WM_SETCURSOR:
      // The component's pointer over its own client area; the class's
      // arrow otherwise.
      if (reinterpret_cast<HWND>(wp) == MSWHandle() && LOWORD(lp) == HTCLIENT) {
        POINT pt{};
        GetCursorPos(&pt);
        ScreenToClient(MSWHandle(), &pt);
        if (component_.CursorAt(Unscale(pt.x), Unscale(pt.y)) == ui::Cursor::Hand) {
          SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
          return TRUE;
        }
      }
      break;
    case WM_CONTEXTMENU:
      if (ui::PopupMenu* menu = component_.GetPopupMenu()) {
        menu->UserPopup();
        HMENU h = CreatePopupMenu();
        auto items = menu->Items();
        for (size_t i = 0; i < items.size(); ++i) {
          UINT flags = MF_STRING | (items[i]->Enabled() ? 0 : MF_GRAYED) | (items[i]->Checked() ? MF_CHECKED : 0);
          if (items[i]->Caption() == L"-") flags = MF_SEPARATOR;
          if (items[i]->Visible()) AppendMenuW(h, flags, i + 1, items[i]->Caption().c_str());
        }
        POINT pt{};
        pt.x = static_cast<short>(LOWORD(lp));
        pt.y = static_cast<short>(HIWORD(lp));
        if (lp == static_cast<LPARAM>(-1)) GetCursorPos(&pt);
        UINT chosen = static_cast<UINT>(
            TrackPopupMenu(h, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, binding_.MSWHandle(), nullptr));
        DestroyMenu(h);
        if (chosen > 0 && chosen <= items.size()) items[chosen - 1]->UserClick();
        return 0;
      }
      break;
    default:
      break;
  }
  if ((msg == WM_HSCROLL || msg == WM_VSCROLL) && lp) {
    // Track bars report to their parent; forward to the child's object.
    auto* child = dynamic_cast<MSWControl*>(MSWWindow::MSWFromHandle(reinterpret_cast<HWND>(lp)));
    if (child && child->component_.GetKind() == Kind::TrackBar) {
      int pos = static_cast<int>(SendMessageW(reinterpret_cast<HWND>(lp), TBM_GETPOS, 0, 0));
      static_cast<ui::TrackBar&>(child->component_).UserSetPosition(pos);
      if (child->MSWHandle()) child->MSWSync(Property::Position);
      return 0;
    }
  }
  return MSWWindow::MSWHandleMessage(msg, wp, lp);
}

}  // namespace topaline::msw
