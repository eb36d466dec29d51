// The palette grid: one window of the product's swatch class that paints
// all its cells and turns clicks into the model's pick at that point. The
// pointer's moves, leaving and the hand over the cells come through the
// part every control shares (msw_control.cpp).
#include <windows.h>

#include "win32/ui/msw_binding.h"
#include "win32/ui/msw_module.h"

namespace topaline::msw {

using ui::Property;

namespace {

class MSWPaletteGrid final : public MSWControl {
public:
  MSWPaletteGrid(MSWFormBinding& binding, ui::Component& c)
      : MSWControl(binding, c), grid_(static_cast<ui::PaletteGrid&>(c)) {}

  void MSWCreateWindow(HWND parent) override {
    RECT r = MSWDeviceRect();
    MSWCreateOwn(0, kSwatchClass, L"", WS_CHILD | WS_CLIPSIBLINGS, r.left, r.top, r.right - r.left,
                 r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(MSWControlId())));
    MSWFinishWindow();
  }

protected:
  void MSWSync(Property property) override {
    if (property == Property::Image || property == Property::Color) {
      if (MSWHandle()) InvalidateRect(MSWHandle(), nullptr, FALSE);
      return;
    }
    MSWControl::MSWSync(property);
  }

  LRESULT MSWHandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_ERASEBKGND:
        return 1;  // all painted in WM_PAINT
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(MSWHandle(), &ps);
        Paint(dc);
        EndPaint(MSWHandle(), &ps);
        return 0;
      }
      case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wp));
        return 0;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:  // a quick second click picks again
        grid_.UserClickAt(Unscale(static_cast<short>(LOWORD(lp))), Unscale(static_cast<short>(HIWORD(lp))));
        return 0;
      default:
        break;
    }
    return MSWControl::MSWHandleMessage(msg, wp, lp);
  }

private:
  void Paint(HDC dc) {
    RECT all;
    GetClientRect(MSWHandle(), &all);
    ui::Color back = grid_.GetColor();
    if (back == ui::clDefault && grid_.Parent()) back = grid_.Parent()->GetColor();
    HBRUSH b = CreateSolidBrush(MSWColor(back, GetSysColor(COLOR_BTNFACE)));
    FillRect(dc, &all, b);
    DeleteObject(b);
    for (const ui::PaletteGrid::Cell& cell : grid_.Cells()) {
      RECT r{Scale(cell.bounds.left), Scale(cell.bounds.top), Scale(cell.bounds.right()), Scale(cell.bounds.bottom())};
      HBRUSH cb = CreateSolidBrush(MSWColor(cell.color, RGB(0, 0, 0)));
      FillRect(dc, &r, cb);
      DeleteObject(cb);
    }
  }

  ui::PaletteGrid& grid_;
};

}  // namespace

std::unique_ptr<MSWControl> MSWMakePaletteGrid(MSWFormBinding& binding, ui::Component& c) {
  return std::make_unique<MSWPaletteGrid>(binding, c);
}

}  // namespace topaline::msw
