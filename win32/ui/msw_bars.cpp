// Status bars and track bars: common controls showing the model's panel
// texts and its position; a track bar's moves come back through its
// parent's WM_HSCROLL (msw_control.cpp).
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "win32/ui/msw_binding.h"

namespace topaline::msw {

using ui::Kind;
using ui::Property;

namespace {

class MSWBar final : public MSWControl {
public:
  using MSWControl::MSWControl;

  void MSWCreateWindow(HWND parent) override {
    if (component_.GetKind() == Kind::StatusBar)
      MSWCreateAtDesign(0, STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP, parent);
    else
      MSWCreateAtDesign(0, TRACKBAR_CLASSW, L"", WS_TABSTOP | TBS_AUTOTICKS | TBS_HORZ, parent);
    MSWFinishWindow();
  }

protected:
  void MSWSync(Property property) override {
    HWND h = MSWHandle();
    if (!h) return;
    const Kind kind = component_.GetKind();
    if (property == Property::Items && kind == Kind::StatusBar) {
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
      return;
    }
    if ((property == Property::Range || property == Property::Position) && kind == Kind::TrackBar) {
      auto& t = static_cast<ui::TrackBar&>(component_);
      SendMessageW(h, TBM_SETRANGEMIN, FALSE, t.Min());
      SendMessageW(h, TBM_SETRANGEMAX, FALSE, t.Max());
      SendMessageW(h, TBM_SETTICFREQ, static_cast<WPARAM>(t.Frequency() > 0 ? t.Frequency() : 1), 0);
      SendMessageW(h, TBM_SETPOS, TRUE, t.Position());
      return;
    }
    MSWControl::MSWSync(property);
  }
};

}  // namespace

std::unique_ptr<MSWControl> MSWMakeBar(MSWFormBinding& binding, ui::Component& c) {
  return std::make_unique<MSWBar>(binding, c);
}

}  // namespace topaline::msw
