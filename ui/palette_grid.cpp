#include "ui/palette_grid.h"

namespace topaline::ui {

namespace {
bool Contains(const Rect& r, int x, int y) { return x >= r.left && x < r.right() && y >= r.top && y < r.bottom(); }
}  // namespace

PaletteGrid::PaletteGrid(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::PaletteGrid, owner, parent, std::move(name)) {
  SetTabStop(false);
}

void PaletteGrid::SetCells(std::vector<Cell> cells) {
  cells_ = std::move(cells);
  hovered_ = -1;
  Notify(Property::Image);
}

int PaletteGrid::CellAt(int x, int y) const {
  for (std::size_t i = 0; i < cells_.size(); ++i)
    if (Contains(cells_[i].bounds, x, y)) return static_cast<int>(i);
  return -1;
}

int PaletteGrid::FindCell(std::int32_t number) const {
  for (std::size_t i = 0; i < cells_.size(); ++i)
    if (cells_[i].number == number) return static_cast<int>(i);
  return -1;
}

Cursor PaletteGrid::CursorAt(int x, int y) const { return CellAt(x, y) >= 0 ? Cursor::Hand : GetCursor(); }

void PaletteGrid::UserClickAt(int x, int y) {
  if (ShouldIgnoreUser()) return;
  Dispatch([&] {
    const int i = CellAt(x, y);
    if (i >= 0 && OnPick) OnPick(cells_[static_cast<std::size_t>(i)].number);
  });
}

void PaletteGrid::UserClickCell(std::int32_t number) {
  const int i = FindCell(number);
  if (i < 0) return;
  const Rect& r = cells_[static_cast<std::size_t>(i)].bounds;
  UserMouseMove(r.left + r.width / 2, r.top + r.height / 2);
  UserClickAt(r.left + r.width / 2, r.top + r.height / 2);
}

void PaletteGrid::UserHoverCell(std::int32_t number) {
  const int i = FindCell(number);
  if (i < 0) return;
  const Rect& r = cells_[static_cast<std::size_t>(i)].bounds;
  UserMouseMove(r.left + r.width / 2, r.top + r.height / 2);
}

void PaletteGrid::MouseMove(int x, int y) {
  const int i = CellAt(x, y);
  const bool entered = i >= 0 && i != hovered_;
  hovered_ = i;
  Component::MouseMove(x, y);
  if (entered && OnHover) OnHover(cells_[static_cast<std::size_t>(i)].number);
}

void PaletteGrid::MouseLeave() {
  hovered_ = -1;
  Component::MouseLeave();
}

}  // namespace topaline::ui
