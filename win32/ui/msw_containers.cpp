// Group boxes, panels, tool bars, tab sheets and page controls: windows of
// the product's container class that hold other controls' windows and
// draw themselves from the model (background, bevel, frame and caption,
// the page control's tabs).
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>

#include "win32/ui/msw_binding.h"
#include "win32/ui/msw_class_atoms.h"
#include "win32/ui/msw_module.h"

namespace topaline::msw {

using ui::Kind;
using ui::Property;

namespace {

class MSWContainer final : public MSWControl {
public:
  using MSWControl::MSWControl;

  void MSWCreateWindow(HWND parent) override {
    RECT r = MSWDeviceRect();
    int x = r.left, y = r.top, w = r.right - r.left, h = r.bottom - r.top;
    DWORD base = WS_CHILD | WS_CLIPSIBLINGS;
    auto id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(MSWControlId()));
    if (component_.GetKind() == Kind::PageControl) {
      MSWCreateOwn(WS_EX_CONTROLPARENT, kContainerClass, L"", base | WS_CLIPCHILDREN, x, y, w, h, parent, id);
      HWND tabs = MSWCreateSystemWindow(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP,
                                        0, 0, w, h, MSWHandle(), reinterpret_cast<HMENU>(1), MSWInstance(), nullptr);
      SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(binding_.Font()), FALSE);
      MSWLowerInnerWindows();
    } else {
      // A group box draws its frame and caption itself (WM_PAINT): a
      // frame window beside the children would cover them.
      MSWCreateOwn(WS_EX_CONTROLPARENT, kContainerClass, component_.Caption().c_str(), base | WS_CLIPCHILDREN, x,
                   y, w, h, parent, id);
    }
    MSWFinishWindow();
  }

  void MSWLowerInnerWindows() override {
    // A page control's tabs are a window of their own beside the tab
    // sheets: they must stay beneath every sheet (a new child window goes
    // to the bottom of its siblings), or they would cover them.
    HWND h = MSWHandle();
    if (!h || component_.GetKind() != Kind::PageControl) return;
    for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      if (!MSWWindow::MSWFromHandle(c)) {
        SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
      }
  }

protected:
  void MSWSync(Property property) override {
    HWND h = MSWHandle();
    if (!h) return;
    const Kind kind = component_.GetKind();
    switch (property) {
      case Property::Caption:
        MSWControl::MSWSync(property);
        if (!component_.HasCaption()) break;
        if (kind == Kind::GroupBox) InvalidateRect(h, nullptr, TRUE);
        if (kind == Kind::TabSheet) SyncPageControl();
        if (kind == Kind::Panel) InvalidateRect(h, nullptr, TRUE);
        break;
      case Property::Bounds: {
        MSWControl::MSWSync(property);
        RECT r = MSWDeviceRect();
        if (kind == Kind::PageControl) {
          if (HWND tabs = GetDlgItem(h, 1))
            SetWindowPos(tabs, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (kind == Kind::GroupBox) InvalidateRect(h, nullptr, TRUE);
        break;
      }
      case Property::Image:
        if (kind == Kind::PageControl) MSWSync(Property::ActivePage);
        else if (kind == Kind::TabSheet) SyncPageControl();
        break;
      case Property::ActivePage:
        if (kind == Kind::PageControl) SyncTabs();
        break;
      case Property::Style:
        // Containers are drawn from the model: rebuilding one would take
        // its children's windows with it. Repaint, and a hidden or shown
        // tab goes through the page control's tabs.
        if (kind == Kind::TabSheet) SyncPageControl();
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
      default:
        MSWControl::MSWSync(property);
        break;
    }
  }

  LRESULT MSWHandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    const Kind kind = component_.GetKind();
    switch (msg) {
      case WM_ERASEBKGND: {
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
      case WM_PAINT:
        if (kind == Kind::GroupBox) {
          PaintGroupBox();
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
    return MSWControl::MSWHandleMessage(msg, wp, lp);
  }

private:
  // A tab sheet's caption, picture or visibility shows in its page
  // control's tabs.
  void SyncPageControl() {
    if (auto* pc = static_cast<ui::TabSheet&>(component_).Pages())
      if (MSWControl* pb = binding_.Find(pc)) pb->Changed(*pc, Property::ActivePage);
  }

  void SyncTabs() {
    auto& pc = static_cast<ui::PageControl&>(component_);
    HWND tabs = GetDlgItem(MSWHandle(), 1);
    if (!tabs) return;
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

  void PaintGroupBox() {
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
      themed = SUCCEEDED(DrawThemeBackground(theme, dc, BP_GROUPBOX,
                                             component_.EffectivelyEnabled() ? GBS_NORMAL : GBS_DISABLED, &frame,
                                             nullptr));
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
};

}  // namespace

std::unique_ptr<MSWControl> MSWMakeContainer(MSWFormBinding& binding, ui::Component& c) {
  return std::make_unique<MSWContainer>(binding, c);
}

}  // namespace topaline::msw
