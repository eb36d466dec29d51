// A tool bar's button: a real BUTTON window (BM_CLICK reaches it like any
// other button) drawn flat by the binding, with its picture from the tool
// bar's image list, its caption when the tool bar shows captions, and its
// hint as tooltip. It never takes the focus, so a field being edited keeps
// it while a tool button is clicked.
#include <windows.h>
#include <commctrl.h>

#include "win32/ui/msw_binding.h"
#include "win32/ui/msw_flat_button.h"
#include "win32/ui/msw_names.h"

namespace topaline::msw {

using ui::Property;

namespace {

class MSWToolButton final : public MSWControl {
public:
  MSWToolButton(MSWFormBinding& b, ui::Component& c) : MSWControl(b, c), button_(static_cast<ui::ToolButton&>(c)) {}

  void MSWCreateWindow(HWND parent) override {
    RECT r = MSWDeviceRect();
    const DWORD base = WS_CHILD | WS_CLIPSIBLINGS;
    const UINT id = static_cast<UINT>(button_.CreationIndex() + 100);
    if (button_.GetStyle() == ui::ToolButton::Style::Separator) {
      // A thin etched line across the bar.
      ui::ToolBar* bar = toolBar();
      DWORD s = bar && bar->Vertical() ? SS_ETCHEDHORZ : SS_ETCHEDVERT;
      MSWCreateNative(0, L"STATIC", L"", base | s, r.left, r.top, r.right - r.left, r.bottom - r.top, parent, id);
    } else {
      MSWCreateNative(0, L"BUTTON", ui::WindowName(button_).c_str(), base | BS_OWNERDRAW, r.left, r.top, r.right - r.left,
                      r.bottom - r.top, parent, id);
    }
    SendMessageW(MSWHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(binding_.Font()), FALSE);
    MSWSetComponentName(MSWHandle(), button_.Name());
    MSWSyncAll();
  }

protected:
  void MSWSync(Property p) override {
    switch (p) {
      case Property::Image:
      case Property::Checked:
      case Property::Color:
        if (MSWHandle()) InvalidateRect(MSWHandle(), nullptr, TRUE);
        break;
      case Property::Caption:
        MSWSetWindowText(ui::WindowName(button_));  // drawn from the caption only
        if (MSWHandle()) InvalidateRect(MSWHandle(), nullptr, TRUE);
        break;
      default:
        MSWControl::MSWSync(p);
        break;
    }
  }

  bool MSWOnCommand(WORD code, LRESULT* result) override {
    *result = 0;
    // An owner-drawn button reports the second click of a quick pair as a
    // double click: for a tool button it is one more click.
    if (code == BN_CLICKED || code == BN_DOUBLECLICKED) {
      button_.UserClick();
      if (MSWHandle()) InvalidateRect(MSWHandle(), nullptr, TRUE);
      return true;
    }
    return false;
  }

  LRESULT MSWHandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case BM_GETCHECK:
        // The pressed state of a check-style button, for tools.
        return button_.GetStyle() == ui::ToolButton::Style::Check && button_.Down() ? BST_CHECKED : BST_UNCHECKED;
      case WM_MOUSEMOVE:
      case WM_MOUSELEAVE:
        MSWTrackHot(MSWHandle(), msg, hot_);
        break;
      case WM_ERASEBKGND:
        return 1;  // all painted in WM_DRAWITEM
      default:
        break;
    }
    return MSWControl::MSWHandleMessage(msg, wp, lp);
  }

  bool MSWOnDrawItem(DRAWITEMSTRUCT* dis) override {
    HDC dc = dis->hDC;
    RECT rc = dis->rcItem;
    const bool pressed = (dis->itemState & ODS_SELECTED) != 0;
    const bool disabled = (dis->itemState & ODS_DISABLED) != 0 || !button_.EffectivelyEnabled();
    const bool down = button_.GetStyle() == ui::ToolButton::Style::Check && button_.Down();
    ui::ToolBar* bar = toolBar();

    // Face: the bar's colour; a frame when hot, pressed or down.
    ui::Color face = bar ? bar->GetColor() : ui::clDefault;
    MSWToolButtonFace state;
    state.pressed = pressed;
    state.hot = hot_;
    state.down = down;
    state.disabled = disabled;
    MSWDrawToolButtonFace(MSWHandle(), dc, rc, MSWColor(face, GetSysColor(COLOR_BTNFACE)), state);

    // Picture and caption, centred together; pushed by a pixel while pressed.
    HIMAGELIST images = bar ? binding_.Images().List(bar->Images(), disabled) : nullptr;
    const int index = button_.ImageIndex();
    int iw = 0, ih = 0;
    if (images && index >= 0 && index < ImageList_GetImageCount(images)) ImageList_GetIconSize(images, &iw, &ih);
    const std::wstring& caption = button_.Caption();
    const bool showCaption = !caption.empty() && (!bar || bar->ShowCaptions() || iw == 0);
    HGDIOBJ oldFont = SelectObject(dc, binding_.Font());
    SIZE text{0, 0};
    RECT measure{0, 0, 0, 0};
    if (showCaption) {
      DrawTextW(dc, caption.c_str(), -1, &measure, DT_SINGLELINE | DT_CALCRECT);
      text.cx = measure.right - measure.left;
      text.cy = measure.bottom - measure.top;
    }
    const int gap = iw && text.cx ? Scale(4) : 0;
    const int shift = pressed ? 1 : 0;
    int x = rc.left + ((rc.right - rc.left) - (iw + gap + text.cx)) / 2 + shift;
    if (iw) {
      int y = rc.top + ((rc.bottom - rc.top) - ih) / 2 + shift;
      ImageList_Draw(images, index, dc, x, y, ILD_TRANSPARENT);
      x += iw + gap;
    }
    if (text.cx) {
      RECT tr{x, rc.top + shift, x + text.cx + 1, rc.bottom + shift};
      SetBkMode(dc, TRANSPARENT);
      if (disabled) {
        OffsetRect(&tr, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextW(dc, caption.c_str(), -1, &tr, DT_SINGLELINE | DT_VCENTER);
        OffsetRect(&tr, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
      } else {
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      }
      DrawTextW(dc, caption.c_str(), -1, &tr, DT_SINGLELINE | DT_VCENTER);
    }
    SelectObject(dc, oldFont);
    return true;
  }

private:
  ui::ToolBar* toolBar() const {
    ui::Component* p = button_.Parent();
    return p && p->GetKind() == ui::Kind::ToolBar ? static_cast<ui::ToolBar*>(p) : nullptr;
  }

  ui::ToolButton& button_;
  bool hot_ = false;
};

}  // namespace

std::unique_ptr<MSWControl> MSWMakeToolButton(MSWFormBinding& binding, ui::Component& c) {
  return std::make_unique<MSWToolButton>(binding, c);
}

}  // namespace topaline::msw
