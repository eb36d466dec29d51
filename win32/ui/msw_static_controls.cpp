// Labels and images: STATIC windows that show the model's caption, a
// standard icon or one of the module's pictures, and report clicks.
#include <windows.h>
#include <commctrl.h>

#include "win32/ui/msw_binding.h"

namespace topaline::msw {

using ui::Kind;
using ui::Property;

namespace {

class MSWStaticControl final : public MSWControl {
public:
  using MSWControl::MSWControl;

  void MSWCreateWindow(HWND parent) override {
    if (component_.GetKind() == Kind::Label) {
      auto& l = static_cast<ui::Label&>(component_);
      DWORD s = l.WordWrap() ? MSWAlignStyle(l.GetAlignment(), SS_LEFT, SS_RIGHT, SS_CENTER)
                             : MSWAlignStyle(l.GetAlignment(), SS_LEFTNOWORDWRAP, SS_RIGHT, SS_CENTER);
      MSWCreateAtDesign(0, L"STATIC", component_.Caption().c_str(), s | SS_NOTIFY, parent);
    } else {
      MSWCreateAtDesign(0, L"STATIC", L"", SS_ICON | SS_CENTERIMAGE | SS_NOTIFY, parent);
    }
    MSWFinishWindow();
  }

protected:
  void MSWSync(Property property) override {
    HWND h = MSWHandle();
    if (!h) return;
    if (property != Property::Image || component_.GetKind() != Kind::Image) {
      MSWControl::MSWSync(property);
      return;
    }
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
  }

  bool MSWOnCommand(WORD code, LRESULT* result) override {
    *result = 0;
    if (code == STN_CLICKED) {
      component_.UserClick();
      return true;
    }
    if (code == STN_DBLCLK) {
      component_.UserDoubleClick();
      return true;
    }
    return false;
  }
};

}  // namespace

std::unique_ptr<MSWControl> MSWMakeStaticControl(MSWFormBinding& binding, ui::Component& c) {
  return std::make_unique<MSWStaticControl>(binding, c);
}

}  // namespace topaline::msw
