// Push buttons (with an optional picture), check boxes, radio buttons and
// colour swatches: BUTTON windows whose state the model decides (they are
// created without auto-toggling), so BM_CLICK reaches them like a click.
#include <windows.h>
#include <commctrl.h>

#include "win32/ui/msw_binding.h"

namespace topaline::msw {

using ui::Kind;
using ui::Property;

namespace {

class MSWButtonControl final : public MSWControl {
public:
  using MSWControl::MSWControl;

  void MSWCreateWindow(HWND parent) override {
    const std::wstring& caption = component_.Caption();
    switch (component_.GetKind()) {
      case Kind::Button: {
        auto& b = static_cast<ui::Button&>(component_);
        // A picture button without caption shows its picture only: its
        // window text is the name screen readers give it, never drawn.
        const DWORD picture = caption.empty() && b.Images() ? BS_BITMAP : 0;
        MSWCreateAtDesign(0, L"BUTTON", ui::WindowName(b).c_str(),
                          WS_TABSTOP | picture | (b.Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), parent);
        break;
      }
      case Kind::CheckBox: {
        // Not auto-toggling: the model decides the state, the window follows.
        // A caption too long for one line wraps where the design made the
        // box two lines high (one line stays vertically centred).
        auto& c = static_cast<ui::CheckBox&>(component_);
        DWORD s = BS_CHECKBOX | BS_MULTILINE | (c.GetAlignment() == ui::Alignment::Left ? BS_LEFTTEXT : 0);
        MSWCreateAtDesign(0, L"BUTTON", caption.c_str(), WS_TABSTOP | s, parent);
        break;
      }
      case Kind::RadioButton:
        MSWCreateAtDesign(0, L"BUTTON", caption.c_str(), WS_TABSTOP | BS_RADIOBUTTON, parent);
        break;
      default:  // Kind::ColorSwatch
        // Owner-drawn: painted in the model's colour; BM_CLICK reaches it.
        MSWCreateAtDesign(0, L"BUTTON", ui::WindowName(component_).c_str(), BS_OWNERDRAW, parent);
        break;
    }
    MSWFinishWindow();
  }

protected:
  void MSWSync(Property property) override {
    HWND h = MSWHandle();
    if (!h) return;
    Kind kind = component_.GetKind();
    switch (property) {
      case Property::Checked:
        if (auto* box = dynamic_cast<ui::CheckableControl*>(&component_))
          SendMessageW(h, BM_SETCHECK, box->Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
      case Property::Image:
        if (kind == Kind::Button) {
          // A picture button: its image beside the caption (alone without one).
          auto& b = static_cast<ui::Button&>(component_);
          BUTTON_IMAGELIST bil{};
          bil.himl = binding_.Images().Single(b.Images(), b.ImageIndex());
          bil.margin = RECT{Scale(2), 0, Scale(2), 0};
          bil.uAlign = b.Caption().empty() ? BUTTON_IMAGELIST_ALIGN_CENTER : BUTTON_IMAGELIST_ALIGN_LEFT;
          SendMessageW(h, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil));
          InvalidateRect(h, nullptr, TRUE);
        } else if (kind == Kind::ColorSwatch) {
          InvalidateRect(h, nullptr, TRUE);
        }
        break;
      default:
        MSWControl::MSWSync(property);
        break;
    }
  }

  bool MSWOnCommand(WORD code, LRESULT* result) override {
    *result = 0;
    if (code == BN_CLICKED) {
      component_.UserClick();
      // The model decided; the window shows what it holds now.
      if (MSWHandle()) MSWSync(Property::Checked);
      return true;
    }
    if (code == BN_DOUBLECLICKED && component_.GetKind() == Kind::ColorSwatch) {
      // An owner-drawn button reports the second click of a quick pair
      // as a double click only.
      component_.UserDoubleClick();
      return true;
    }
    return false;
  }

  bool MSWOnDrawItem(DRAWITEMSTRUCT* dis) override {
    if (component_.GetKind() != Kind::ColorSwatch) return false;
    auto& sw = static_cast<ui::ColorSwatch&>(component_);
    HBRUSH b = CreateSolidBrush(MSWColor(sw.PaintColor(), RGB(0, 0, 0)));
    FillRect(dis->hDC, &dis->rcItem, b);
    DeleteObject(b);
    FrameRect(dis->hDC, &dis->rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return true;
  }
};

}  // namespace

std::unique_ptr<MSWControl> MSWMakeButton(MSWFormBinding& binding, ui::Component& c) {
  return std::make_unique<MSWButtonControl>(binding, c);
}

}  // namespace topaline::msw
