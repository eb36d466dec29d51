#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/ui.h"

using namespace topaline;
using namespace topaline::ui;

namespace {

// Two rows of three 13 x 13 cells, 14 pixels apart, numbered 10c + r.
struct PaletteFixture {
  PaletteFixture() : form(L"frmPalette") {
    grid = &form.Add<PaletteGrid>(nullptr, L"coulset1", {8, 8, 60, 40});
    std::vector<PaletteGrid::Cell> cells;
    for (int c = 1; c <= 3; ++c)
      for (int r = 0; r < 2; ++r) cells.push_back({Rect{14 * c - 10, 14 * r + 5, 13, 13}, 10 * c + r, Rgb(c, r, 0)});
    grid->SetCells(std::move(cells));
    grid->OnPick = [this](std::int32_t n) { log.push_back(L"pick " + std::to_wstring(n)); };
    grid->OnHover = [this](std::int32_t n) { log.push_back(L"hover " + std::to_wstring(n)); };
    grid->OnMouseLeave = [this] { log.push_back(L"leave"); };
  }
  Form form;
  PaletteGrid* grid;
  std::vector<std::wstring> log;
};

TEST(PaletteGrid, AClickPicksTheCellUnderThePointerAndNothingBetweenCells) {
  PaletteFixture f;
  f.grid->UserClickAt(4, 5);    // top-left corner of cell 10
  f.grid->UserClickAt(30, 31);  // bottom-right corner of cell 21 (32, 32 excluded)
  f.grid->UserClickAt(17, 5);   // the gap between columns 1 and 2
  f.grid->UserClickAt(2, 2);    // the margin
  f.grid->UserClickCell(31);
  f.grid->UserClickCell(99);    // no such cell
  EXPECT_EQ(f.log, (std::vector<std::wstring>{L"pick 10", L"pick 21", L"hover 31", L"pick 31"}));
}

TEST(PaletteGrid, HoverOncePerCellEnteredThenLeave) {
  PaletteFixture f;
  f.grid->UserMouseMove(5, 6);    // cell 10
  f.grid->UserMouseMove(9, 9);    // still 10: no new event
  f.grid->UserMouseMove(20, 20);  // cell 21
  f.grid->UserMouseMove(17, 20);  // gap: readouts stay
  f.grid->UserMouseMove(20, 20);  // 21 again after the gap
  f.grid->UserMouseLeave();
  f.grid->UserHoverCell(10);
  EXPECT_EQ(f.log, (std::vector<std::wstring>{L"hover 10", L"hover 21", L"hover 21", L"leave", L"hover 10"}));
}

TEST(PaletteGrid, HandPointerOverCellsOnlyAndADisabledGridIgnoresThePointer) {
  PaletteFixture f;
  EXPECT_EQ(f.grid->CursorAt(5, 6), Cursor::Hand);
  EXPECT_EQ(f.grid->CursorAt(17, 5), Cursor::Default);
  f.grid->SetEnabled(false);
  f.grid->UserClickCell(10);
  f.grid->UserMouseLeave();
  EXPECT_TRUE(f.log.empty());
}

TEST(PaletteGrid, AnExceptionInAReactionIsReportedAndTheFormGoesOn) {
  PaletteFixture f;
  std::vector<std::wstring> errors;
  f.form.OnError = [&](const std::wstring& m) { errors.push_back(m); };
  f.grid->OnPick = [](std::int32_t) { throw std::runtime_error("boom"); };
  f.grid->UserClickCell(20);
  f.grid->UserHoverCell(11);
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_EQ(f.log.back(), L"hover 11");
}

TEST(ComponentPointer, MoveAndLeaveReachAnyComponentAndItsCursorIsTheDefault) {
  Form form(L"frmPointer");
  auto& swatch = form.Add<ColorSwatch>(nullptr, L"Panel18", {8, 8, 30, 30});
  swatch.SetCursor(Cursor::Hand);
  std::vector<std::wstring> log;
  swatch.OnMouseMove = [&](int x, int y) { log.push_back(std::to_wstring(x) + L"," + std::to_wstring(y)); };
  swatch.OnMouseLeave = [&] { log.push_back(L"leave"); };
  swatch.UserMouseMove(3, 4);
  swatch.UserMouseLeave();
  EXPECT_EQ(log, (std::vector<std::wstring>{L"3,4", L"leave"}));
  EXPECT_EQ(swatch.CursorAt(0, 0), Cursor::Hand);
}

}  // namespace
