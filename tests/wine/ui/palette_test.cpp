// The palette grid's window: one window carrying its component name that
// paints its cells, picks the cell under a click and reports the cell the
// pointer is over; the pointer over a swatch reaches the model too.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/wine/ui/driver.h"
#include "ui/ui.h"
#include "win32/ui/msw_form_runner.h"

using namespace topaline;
namespace u = topaline::ui;
using namespace wine_ui;

namespace {

// The full-colour grid's layout: column c (1..24), row r (0..4).
int CellNumber(int c, int r) { return 10 * c + 8 - 2 * r; }
POINT CellCentre(int c, int r) { return POINT{14 * c - 10 + 6, 14 * r + 5 + 6}; }

struct PaletteForm : u::Form {
  PaletteForm() : Form(L"frmPalette") {
    SetClientSize(380, 160);
    grid = &Add<u::PaletteGrid>(nullptr, L"coulset1", {8, 8, 345, 77});
    std::vector<u::PaletteGrid::Cell> cells;
    for (int c = 1; c <= 24; ++c)
      for (int r = 0; r < 5; ++r)
        cells.push_back({u::Rect{14 * c - 10, 14 * r + 5, 13, 13}, CellNumber(c, r), u::Rgb(CellNumber(c, r), 40, 200)});
    grid->SetCells(std::move(cells));
    grid->OnPick = [this](std::int32_t n) { picked.push_back(n); };
    grid->OnHover = [this](std::int32_t n) { hovered.push_back(n); };
    swatch = &Add<u::ColorSwatch>(nullptr, L"Panel18", {8, 100, 40, 30});
    swatch->OnMouseMove = [this](int, int) { ++swatchMoves; };
    auto& ok = Add<u::Button>(nullptr, L"Button4", {280, 120, 75, 25});
    ok.SetCaption(L"Ok");
    ok.SetModalResult(u::mrOk);
  }
  u::PaletteGrid* grid;
  u::ColorSwatch* swatch;
  std::vector<int> picked, hovered;
  int swatchMoves = 0;
};

TEST(Win32PaletteGrid, OneNamedWindowPaintsPicksAndHoversByCell) {
  msw::MSWFormRunner runner;
  PaletteForm form;
  HWND gridWindow = nullptr;
  int childWindows = -1;
  unsigned pixel = 0;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmPalette");
        gridWindow = FindControl(f, L"coulset1");
        if (!gridWindow) return;
        childWindows = 0;
        for (HWND c = GetWindow(gridWindow, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++childWindows;
        int w = 0, h = 0;
        auto pixels = Snapshot(gridWindow, &w, &h);
        POINT p = CellCentre(3, 1);
        if (p.y < h && p.x < w) pixel = pixels[static_cast<size_t>(p.y * w + p.x)];
        ClickAtAndWait(gridWindow, p.x, p.y);
        ClickAtAndWait(gridWindow, 17, 5);  // between two columns: nothing
        POINT q = CellCentre(5, 4);
        SendMessageW(gridWindow, WM_MOUSEMOVE, 0, MAKELPARAM(q.x, q.y));
        SendMessageW(FindControl(f, L"Panel18"), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        Click(FindControl(f, L"Button4"));
      },
      [&] { runner.ShowModal(form); });
  ASSERT_NE(gridWindow, nullptr);
  EXPECT_EQ(childWindows, 0);
  EXPECT_EQ(pixel, (unsigned(CellNumber(3, 1)) << 16) | (40u << 8) | 200u);
  EXPECT_EQ(form.picked, std::vector<int>{CellNumber(3, 1)});
  ASSERT_FALSE(form.hovered.empty());
  EXPECT_EQ(form.hovered.back(), CellNumber(5, 4));
  EXPECT_EQ(form.swatchMoves, 1);
}

}  // namespace
