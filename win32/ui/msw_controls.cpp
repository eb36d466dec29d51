// Windows for the control kinds of the component model (the tree-grid is
// in msw_tree_grid.cpp, the form in msw_form.cpp).
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>

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

// ------------------------------------------------------------------ base

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

void MSWControl::MSWSetWindowText(const std::wstring& text) {
  if (!MSWHandle()) return;
  bool was = syncing_;
  syncing_ = true;
  SetWindowTextW(MSWHandle(), text.c_str());
  syncing_ = was;
}

namespace {

DWORD alignStyle(ui::Alignment a, DWORD left, DWORD right, DWORD center) {
  switch (a) {
    case ui::Alignment::Right: return right;
    case ui::Alignment::Center: return center;
    default: return left;
  }
}

}  // namespace

void MSWControl::MSWCreateWindow(HWND parent) {
  RECT r = MSWDeviceRect();
  int x = r.left, y = r.top, w = r.right - r.left, h = r.bottom - r.top;
  DWORD base = WS_CHILD | WS_CLIPSIBLINGS;
  UINT id = static_cast<UINT>(component_.CreationIndex() + 100);
  const std::wstring& caption = component_.Caption();
  switch (component_.GetKind()) {
    case Kind::Label: {
      auto& l = static_cast<ui::Label&>(component_);
      DWORD s = l.WordWrap() ? alignStyle(l.GetAlignment(), SS_LEFT, SS_RIGHT, SS_CENTER)
                             : alignStyle(l.GetAlignment(), SS_LEFTNOWORDWRAP, SS_RIGHT, SS_CENTER);
      MSWCreateNative(0, L"STATIC", caption.c_str(), base | s | SS_NOTIFY, x, y, w, h, parent, id);
      break;
    }
    case Kind::Button: {
      auto& b = static_cast<ui::Button&>(component_);
      MSWCreateNative(0, L"BUTTON", caption.c_str(),
                      base | WS_TABSTOP | (b.Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), x, y, w, h, parent, id);
      break;
    }
    case Kind::ToolButton: {
      // A real button window, so that BM_CLICK reaches it like any other.
      auto& t = static_cast<ui::ToolButton&>(component_);
      DWORD s = t.GetStyle() == ui::ToolButton::Style::Check ? (BS_CHECKBOX | BS_PUSHLIKE) : BS_PUSHBUTTON;
      if (t.GetStyle() == ui::ToolButton::Style::Separator) s = BS_GROUPBOX;
      MSWCreateNative(0, L"BUTTON", caption.c_str(), base | s | BS_FLAT, x, y, w, h, parent, id);
      break;
    }
    case Kind::CheckBox: {
      // Not auto-toggling: the model decides the state, the window follows.
      // A caption too long for one line wraps where the design made the
      // box two lines high (one line stays vertically centred).
      auto& c = static_cast<ui::CheckBox&>(component_);
      DWORD s = BS_CHECKBOX | BS_MULTILINE | (c.GetAlignment() == ui::Alignment::Left ? BS_LEFTTEXT : 0);
      MSWCreateNative(0, L"BUTTON", caption.c_str(), base | WS_TABSTOP | s, x, y, w, h, parent, id);
      break;
    }
    case Kind::RadioButton:
      MSWCreateNative(0, L"BUTTON", caption.c_str(), base | WS_TABSTOP | BS_RADIOBUTTON, x, y, w, h, parent, id);
      break;
    case Kind::Edit: {
      auto& e = static_cast<ui::Edit&>(component_);
      DWORD s = ES_AUTOHSCROLL | alignStyle(e.GetAlignment(), ES_LEFT, ES_RIGHT, ES_CENTER);
      if (e.ReadOnly()) s |= ES_READONLY;
      MSWCreateNative(e.Border() ? WS_EX_CLIENTEDGE : 0, L"EDIT", e.Text().c_str(), base | WS_TABSTOP | s, x, y, w,
                      h, parent, id);
      break;
    }
    case Kind::ComboBox: {
      auto& c = static_cast<ui::ComboBox&>(component_);
      DWORD s = c.GetStyle() == ui::ComboBox::Style::DropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
      // The height of a combo box window includes its drop-down list.
      int listHeight = Scale(18) * (c.DropDownCount() + 1);
      MSWCreateNative(0, L"COMBOBOX", L"", base | WS_TABSTOP | WS_VSCROLL | s | CBS_AUTOHSCROLL, x, y, w,
                      h + listHeight, parent, id);
      break;
    }
    case Kind::GroupBox:
    case Kind::Panel:
    case Kind::ToolBar:
    case Kind::TabSheet:
      MSWCreateOwn(WS_EX_CONTROLPARENT, kContainerClass, caption.c_str(), base | WS_CLIPCHILDREN, x, y, w, h,
                   parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
      // A group box draws its frame and caption itself (WM_PAINT): a
      // frame window beside the children would cover them.
      break;
    case Kind::PageControl: {
      MSWCreateOwn(WS_EX_CONTROLPARENT, kContainerClass, L"", base | WS_CLIPCHILDREN, x, y, w, h, parent,
                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
      HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0,
                                  w, h, MSWHandle(), reinterpret_cast<HMENU>(1), MSWInstance(), nullptr);
      SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(binding_.Font()), FALSE);
      MSWLowerInnerWindows();
      break;
    }
    case Kind::StatusBar:
      MSWCreateNative(0, STATUSCLASSNAMEW, L"", base | SBARS_SIZEGRIP, x, y, w, h, parent, id);
      break;
    case Kind::TrackBar:
      MSWCreateNative(0, TRACKBAR_CLASSW, L"", base | WS_TABSTOP | TBS_AUTOTICKS | TBS_HORZ, x, y, w, h, parent, id);
      break;
    case Kind::Image:
      MSWCreateNative(0, L"STATIC", L"", base | SS_ICON | SS_CENTERIMAGE | SS_NOTIFY, x, y, w, h, parent, id);
      break;
    case Kind::ColorSwatch:
      // Owner-drawn: painted in the model's colour; BM_CLICK reaches it.
      MSWCreateNative(0, L"BUTTON", L"", base | BS_OWNERDRAW, x, y, w, h, parent, id);
      break;
    default:
      return;  // no window (menus, image lists, timers)
  }
  SendMessageW(MSWHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(binding_.Font()), FALSE);
  MSWSetComponentName(MSWHandle(), component_.Name());
  MSWSyncAll();
}

void MSWControl::MSWPaintGroupBox() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(MSWHandle(), &ps);
  RECT r;
  GetClientRect(MSWHandle(), &r);
  HGDIOBJ old = SelectObject(dc, binding_.Font());
  const std::wstring& caption = component_.Caption();
  SIZE text{0, 0};
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  if (!caption.empty()) GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
  // The etched frame starts half a line down; the caption interrupts it.
  RECT frame{r.left, r.top + tm.tmHeight / 2, r.right, r.bottom};
  const int textLeft = Scale(8);
  RECT gap{textLeft - Scale(2), r.top, textLeft + text.cx + Scale(2), r.top + tm.tmHeight};
  if (!caption.empty()) ExcludeClipRect(dc, gap.left, gap.top, gap.right, gap.bottom);
  bool themed = false;
  if (HTHEME theme = OpenThemeData(MSWHandle(), L"BUTTON")) {
    themed = SUCCEEDED(DrawThemeBackground(theme, dc, BP_GROUPBOX, component_.EffectivelyEnabled() ? GBS_NORMAL
                                                                                                    : GBS_DISABLED,
                                           &frame, nullptr));
    CloseThemeData(theme);
  }
  if (!themed) DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  SelectClipRgn(dc, nullptr);
  if (!caption.empty()) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(component_.EffectivelyEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    RECT tr{textLeft, r.top, textLeft + text.cx + 1, r.top + tm.tmHeight};
    DrawTextW(dc, caption.c_str(), -1, &tr, DT_SINGLELINE | DT_NOPREFIX);
  }
  SelectObject(dc, old);
  EndPaint(MSWHandle(), &ps);
}

void MSWControl::MSWLowerInnerWindows() {
  // A page control's tabs are a window of their own beside the tab
  // sheets: they must stay beneath every sheet (a new child window goes to
  // the bottom of its siblings), or they would cover them.
  HWND h = MSWHandle();
  if (!h || component_.GetKind() != Kind::PageControl) return;
  for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (!MSWWindow::MSWFromHandle(c)) {
      SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      break;
    }
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
  Kind kind = component_.GetKind();
  switch (property) {
    case Property::Caption:
      if (component_.HasCaption() && kind != Kind::Edit && kind != Kind::ComboBox) {
        MSWSetWindowText(component_.Caption());
        if (kind == Kind::GroupBox) InvalidateRect(h, nullptr, TRUE);
        if (kind == Kind::TabSheet) {
          if (auto* pc = static_cast<ui::TabSheet&>(component_).Pages()) {
            if (MSWControl* pb = binding_.Find(pc)) pb->MSWSync(Property::ActivePage);
          }
        }
        if (kind == Kind::Panel) InvalidateRect(h, nullptr, TRUE);
      }
      break;
    case Property::Hint:
      binding_.MSWAddTool(h, component_.Hint());
      break;
    case Property::Bounds: {
      RECT r = MSWDeviceRect();
      int extra = 0;
      if (kind == Kind::ComboBox) extra = Scale(18) * (static_cast<ui::ComboBox&>(component_).DropDownCount() + 1);
      SetWindowPos(h, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top + extra,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      if (kind == Kind::PageControl) {
        if (HWND tabs = GetDlgItem(h, 1))
          SetWindowPos(tabs, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
      }
      if (kind == Kind::GroupBox) InvalidateRect(h, nullptr, TRUE);
      break;
    }
    case Property::Enabled:
      EnableWindow(h, component_.Enabled());
      break;
    case Property::Visible:
      ShowWindow(h, component_.Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case Property::Checked:
      if (kind == Kind::CheckBox)
        SendMessageW(h, BM_SETCHECK, static_cast<ui::CheckBox&>(component_).Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
      else if (kind == Kind::RadioButton)
        SendMessageW(h, BM_SETCHECK, static_cast<ui::RadioButton&>(component_).Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
      else if (kind == Kind::ToolButton)
        SendMessageW(h, BM_SETCHECK, static_cast<ui::ToolButton&>(component_).Down() ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Property::Text:
    case Property::Selection:
      if (kind == Kind::Edit) {
        auto& e = static_cast<ui::Edit&>(component_);
        if (property == Property::Text) {
          std::wstring now(static_cast<size_t>(GetWindowTextLengthW(h)), L'\0');
          if (!now.empty()) GetWindowTextW(h, now.data(), static_cast<int>(now.size()) + 1);
          if (now != e.Text()) MSWSetWindowText(e.Text());
        }
        SendMessageW(h, EM_SETSEL, static_cast<WPARAM>(e.SelStart()), e.SelStart() + e.SelLength());
      } else if (kind == Kind::ComboBox) {
        auto& c = static_cast<ui::ComboBox&>(component_);
        if (c.GetStyle() == ui::ComboBox::Style::DropDownList) {
          SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(c.ItemIndex()), 0);
        } else {
          MSWSetWindowText(c.Text());
        }
      }
      break;
    case Property::Items:
      if (kind == Kind::ComboBox) {
        auto& c = static_cast<ui::ComboBox&>(component_);
        syncing_ = true;
        SendMessageW(h, CB_RESETCONTENT, 0, 0);
        for (const auto& item : c.Items()) SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        syncing_ = false;
        MSWSync(Property::ItemIndex);
      } else if (kind == Kind::StatusBar) {
        auto& s = static_cast<ui::StatusBar&>(component_);
        if (s.Panels().empty() || s.SimplePanel()) {
          SendMessageW(h, SB_SIMPLE, TRUE, 0);
          SendMessageW(h, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(s.StatusText().c_str()));
        } else {
          SendMessageW(h, SB_SIMPLE, FALSE, 0);
          std::vector<int> edges;
          int right = 0;
          for (size_t i = 0; i < s.Panels().size(); ++i) {
            right += Scale(s.Panels()[i].width);
            edges.push_back(i + 1 == s.Panels().size() ? -1 : right);
          }
          SendMessageW(h, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
          for (size_t i = 0; i < s.Panels().size(); ++i)
            SendMessageW(h, SB_SETTEXTW, i, reinterpret_cast<LPARAM>(s.Panels()[i].text.c_str()));
        }
      }
      break;
    case Property::ItemIndex:
      if (kind == Kind::ComboBox) {
        auto& c = static_cast<ui::ComboBox&>(component_);
        SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(c.ItemIndex()), 0);
        if (c.GetStyle() == ui::ComboBox::Style::DropDown) MSWSetWindowText(c.Text());
      }
      break;
    case Property::DropDown:
      if (kind == Kind::ComboBox) {
        bool open = static_cast<ui::ComboBox&>(component_).DroppedDown();
        if ((SendMessageW(h, CB_GETDROPPEDSTATE, 0, 0) != 0) != open) {
          syncing_ = true;
          SendMessageW(h, CB_SHOWDROPDOWN, open, 0);
          syncing_ = false;
        }
      }
      break;
    case Property::Range:
    case Property::Position:
      if (kind == Kind::TrackBar) {
        auto& t = static_cast<ui::TrackBar&>(component_);
        SendMessageW(h, TBM_SETRANGEMIN, FALSE, t.Min());
        SendMessageW(h, TBM_SETRANGEMAX, FALSE, t.Max());
        SendMessageW(h, TBM_SETTICFREQ, static_cast<WPARAM>(t.Frequency() > 0 ? t.Frequency() : 1), 0);
        SendMessageW(h, TBM_SETPOS, TRUE, t.Position());
      }
      break;
    case Property::Image:
      if (kind == Kind::Image) {
        auto& img = static_cast<ui::Image&>(component_);
        LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE) & ~static_cast<LONG_PTR>(SS_TYPEMASK | SS_CENTERIMAGE);
        if (!img.Resource().empty()) {
          // One of the module's pictures, composed over the background.
          ui::Color under = component_.Parent() ? component_.Parent()->GetColor() : ui::clDefault;
          HBITMAP bmp = binding_.Images().Picture(img.Resource(), MSWColor(under, GetSysColor(COLOR_BTNFACE)));
          SetWindowLongPtrW(h, GWL_STYLE, style | SS_BITMAP | (img.Stretch() ? 0 : SS_CENTERIMAGE));
          SendMessageW(h, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bmp));
        } else {
          int id = img.StockIcon();
          HICON icon = id ? LoadIconW(nullptr, MAKEINTRESOURCEW(id)) : nullptr;
          SetWindowLongPtrW(h, GWL_STYLE, style | SS_ICON | SS_CENTERIMAGE);
          SendMessageW(h, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        }
      } else if (kind == Kind::Button) {
        // A picture button: its image beside the caption (alone without one).
        auto& b = static_cast<ui::Button&>(component_);
        BUTTON_IMAGELIST bil{};
        bil.himl = binding_.Images().Single(b.Images(), b.ImageIndex());
        bil.margin = RECT{Scale(2), 0, Scale(2), 0};
        bil.uAlign = b.Caption().empty() ? BUTTON_IMAGELIST_ALIGN_CENTER : BUTTON_IMAGELIST_ALIGN_LEFT;
        if (!bil.himl) bil.himl = static_cast<HIMAGELIST>(nullptr);
        SendMessageW(h, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil));
        InvalidateRect(h, nullptr, TRUE);
      } else if (kind == Kind::PageControl) {
        MSWSync(Property::ActivePage);
      } else if (kind == Kind::TabSheet) {
        if (auto* pc = static_cast<ui::TabSheet&>(component_).Pages())
          if (MSWControl* pb = binding_.Find(pc)) pb->MSWSync(Property::ActivePage);
      } else if (kind == Kind::ColorSwatch) {
        InvalidateRect(h, nullptr, TRUE);
      }
      break;
    case Property::ActivePage:
      if (kind == Kind::PageControl) {
        auto& pc = static_cast<ui::PageControl&>(component_);
        HWND tabs = GetDlgItem(h, 1);
        if (!tabs) break;
        TabCtrl_DeleteAllItems(tabs);
        HIMAGELIST images = binding_.Images().List(pc.Images());
        TabCtrl_SetImageList(tabs, images);
        int shown = 0, current = -1;
        auto pages = pc.Pages();
        for (size_t i = 0; i < pages.size(); ++i) {
          if (!pages[i]->TabVisible()) continue;
          TCITEMW item{};
          item.mask = TCIF_TEXT | TCIF_PARAM | TCIF_IMAGE;
          item.pszText = const_cast<wchar_t*>(pages[i]->Caption().c_str());
          item.iImage = images ? pages[i]->ImageIndex() : -1;
          item.lParam = static_cast<LPARAM>(i);
          TabCtrl_InsertItem(tabs, shown, &item);
          if (static_cast<int>(i) == pc.ActivePageIndex()) current = shown;
          ++shown;
        }
        TabCtrl_SetCurSel(tabs, current);
        for (size_t i = 0; i < pages.size(); ++i)
          if (MSWControl* b = binding_.Find(pages[i]); b && b->MSWHandle())
            ShowWindow(b->MSWHandle(), static_cast<int>(i) == pc.ActivePageIndex() && pages[i]->Visible() ? SW_SHOWNA
                                                                                                          : SW_HIDE);
      }
      break;
    case Property::Color:
      InvalidateRect(h, nullptr, TRUE);
      break;
    case Property::Style:
      if (kind == Kind::GroupBox || kind == Kind::Panel || kind == Kind::ToolBar || kind == Kind::TabSheet ||
          kind == Kind::PageControl) {
        // Containers are drawn from the model: rebuilding one would take
        // its children's windows with it. Repaint, and a hidden or shown
        // tab goes through the page control's tabs.
        if (kind == Kind::TabSheet) {
          if (auto* pc = static_cast<ui::TabSheet&>(component_).Pages())
            if (MSWControl* pb = binding_.Find(pc)) pb->MSWSync(Property::ActivePage);
        }
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
      }
      // Styles chosen at creation (alignment, combo kind, border): rebuild.
      if (kind != Kind::Form) {
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

bool MSWControl::MSWOnCommand(WORD code, LRESULT* result) {
  *result = 0;
  Kind kind = component_.GetKind();
  switch (kind) {
    case Kind::Button:
    case Kind::ToolButton:
    case Kind::CheckBox:
    case Kind::RadioButton:
    case Kind::ColorSwatch:
      if (code == BN_CLICKED) {
        component_.UserClick();
        // The model decided; the window shows what it holds now.
        if (MSWHandle()) MSWSync(Property::Checked);
        return true;
      }
      if (code == BN_DOUBLECLICKED && kind == Kind::ColorSwatch) {
        // An owner-drawn button reports the second click of a quick pair
        // as a double click only.
        component_.UserDoubleClick();
        return true;
      }
      break;
    case Kind::Label:
    case Kind::Image:
      if (code == STN_CLICKED) {
        component_.UserClick();
        return true;
      }
      if (code == STN_DBLCLK) {
        component_.UserDoubleClick();
        return true;
      }
      break;
    case Kind::Edit:
      if (code == EN_CHANGE && !syncing_) {
        // Text changed by the window itself (a paste, WM_SETTEXT from a
        // tool): the model takes it as the user's.
        HWND h = MSWHandle();
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)), L'\0');
        if (!text.empty()) GetWindowTextW(h, text.data(), static_cast<int>(text.size()) + 1);
        static_cast<ui::Edit&>(component_).UserSetText(text);
        return true;
      }
      break;
    case Kind::ComboBox: {
      auto& c = static_cast<ui::ComboBox&>(component_);
      HWND h = MSWHandle();
      if (syncing_) break;
      if (code == CBN_SELCHANGE) {
        int i = static_cast<int>(SendMessageW(h, CB_GETCURSEL, 0, 0));
        if (i >= 0) c.UserPick(i);
        if (MSWHandle()) MSWSync(Property::ItemIndex);
        return true;
      }
      if (code == CBN_EDITCHANGE) {
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)), L'\0');
        if (!text.empty()) GetWindowTextW(h, text.data(), static_cast<int>(text.size()) + 1);
        c.UserSetText(text);
        return true;
      }
      if (code == CBN_DROPDOWN || code == CBN_CLOSEUP) {
        c.UserDropDown(code == CBN_DROPDOWN);
        return true;
      }
      break;
    }
    default:
      break;
  }
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

bool MSWControl::MSWOnDrawItem(DRAWITEMSTRUCT* dis) {
  if (component_.GetKind() != Kind::ColorSwatch) return false;
  auto& sw = static_cast<ui::ColorSwatch&>(component_);
  HBRUSH b = CreateSolidBrush(MSWColor(sw.PaintColor(), RGB(0, 0, 0)));
  FillRect(dis->hDC, &dis->rcItem, b);
  DeleteObject(b);
  FrameRect(dis->hDC, &dis->rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  return true;
}

bool MSWControl::MSWRouteKey(MSG& msg) {
  // Keys go to the model first (the form sees them before its controls
  // when it asks to); only keys it leaves alone reach the window.
  Kind kind = component_.GetKind();
  switch (msg.message) {
    case WM_KEYDOWN: {
      int key = static_cast<int>(msg.wParam);
      if (kind == Kind::Edit) {
        // The caret may have moved natively (mouse): tell the model first.
        DWORD start = 0, end = 0;
        SendMessageW(MSWHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        auto& e = static_cast<ui::Edit&>(component_);
        if (static_cast<int>(start) != e.SelStart() || static_cast<int>(end - start) != e.SelLength())
          e.SetSelection(static_cast<int>(start), static_cast<int>(end - start));
      }
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
      syncing_ = kind == Kind::ComboBox;  // CBN_SELCHANGE from arrows goes through UserPick below
      DispatchMessageW(&msg);
      syncing_ = was;
      if (kind == Kind::ComboBox && MSWHandle()) {
        auto& c = static_cast<ui::ComboBox&>(component_);
        int i = static_cast<int>(SendMessageW(MSWHandle(), CB_GETCURSEL, 0, 0));
        if (i >= 0 && i != c.ItemIndex()) c.UserPick(i);
      }
      if (kind == Kind::Edit && MSWHandle()) {
        DWORD start = 0, end = 0;
        SendMessageW(MSWHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        static_cast<ui::Edit&>(component_).SetSelection(static_cast<int>(start), static_cast<int>(end - start));
      }
      return true;
    }
    case WM_CHAR: {
      if (lastKeyConsumed_) {
        lastKeyConsumed_ = false;
        return true;
      }
      auto ch = static_cast<wchar_t>(msg.wParam);
      if (kind == Kind::Edit || kind == Kind::ComboBox || ch == L'\r' || ch == 27 || ch == L'\t' || ch == L' ' ||
          ch >= 32)
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
    case WM_SETTEXT:
      // A tool setting an edit's text: the model takes it, then the window
      // shows the model's text (a filter may have changed it).
      if (!syncing_ && kind == Kind::Edit && lp) {
        static_cast<ui::Edit&>(component_).UserSetText(reinterpret_cast<const wchar_t*>(lp));
        if (MSWHandle()) MSWSync(Property::Text);
        return TRUE;
      }
      break;
    case WM_CHAR:
      // Characters sent straight to the window (not through the modal
      // loop, e.g. by a tool) take the same road as typed ones.
      if (kind == Kind::Edit || (kind == Kind::ComboBox)) {
        component_.UserChar(static_cast<wchar_t>(wp));
        return 0;
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
    case WM_ERASEBKGND:
      if (kind == Kind::Panel || kind == Kind::ToolBar || kind == Kind::TabSheet || kind == Kind::GroupBox ||
          kind == Kind::PageControl) {
        RECT r;
        GetClientRect(MSWHandle(), &r);
        HBRUSH b = CreateSolidBrush(MSWColor(component_.GetColor(), GetSysColor(COLOR_BTNFACE)));
        FillRect(reinterpret_cast<HDC>(wp), &r, b);
        DeleteObject(b);
        if (kind == Kind::Panel && static_cast<ui::Panel&>(component_).BevelOuter() != ui::Panel::Bevel::None)
          DrawEdge(reinterpret_cast<HDC>(wp), &r,
                   static_cast<ui::Panel&>(component_).BevelOuter() == ui::Panel::Bevel::Raised ? BDR_RAISEDOUTER
                                                                                                 : BDR_SUNKENOUTER,
                   BF_RECT);
        return 1;
      }
      break;
    case WM_PAINT:
      if (kind == Kind::GroupBox) {
        MSWPaintGroupBox();
        return 0;
      }
      if (kind == Kind::Panel && !component_.Caption().empty()) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(MSWHandle(), &ps);
        RECT r;
        GetClientRect(MSWHandle(), &r);
        SetBkMode(dc, TRANSPARENT);
        HGDIOBJ old = SelectObject(dc, binding_.Font());
        DrawTextW(dc, component_.Caption().c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, old);
        EndPaint(MSWHandle(), &ps);
        return 0;
      }
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      break;
    case WM_NOTIFY:
      if (kind == Kind::PageControl) {
        auto* hdr = reinterpret_cast<NMHDR*>(lp);
        if (hdr && hdr->idFrom == 1 && hdr->code == TCN_SELCHANGE) {
          TCITEMW item{};
          item.mask = TCIF_PARAM;
          int sel = TabCtrl_GetCurSel(hdr->hwndFrom);
          if (sel >= 0 && TabCtrl_GetItem(hdr->hwndFrom, sel, &item))
            static_cast<ui::PageControl&>(component_).UserSelectTab(static_cast<int>(item.lParam));
          if (MSWHandle()) MSWSync(Property::ActivePage);
          return 0;
        }
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
