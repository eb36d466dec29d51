// A grid of colour cells drawn by one control (the colour picker's
// palette: 120 cells in one window, not 120 windows). The dialog gives
// each cell its square, its number and its colour; the grid reports the
// cell under the pointer by number.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "ui/component.h"

namespace topaline::ui {

class PaletteGrid : public Component {
public:
  struct Cell {
    Rect bounds;             // inside the grid, design pixels
    std::int32_t number = 0;
    Color color = clBlack;
  };

  PaletteGrid(Form& owner, Component* parent, std::wstring name);

  const std::vector<Cell>& Cells() const { return cells_; }
  void SetCells(std::vector<Cell> cells);
  // The index of the cell containing the point (-1: between cells).
  int CellAt(int x, int y) const;
  // The index of the cell with the number (-1: none).
  int FindCell(std::int32_t number) const;

  // A hand over a cell, the grid's own cursor elsewhere.
  Cursor CursorAt(int x, int y) const override;

  // A click with the main button at a point: over a cell it raises
  // OnPick with the cell's number; between cells nothing happens.
  void UserClickAt(int x, int y);
  // Intent-level steps: a click / the pointer at the centre of the cell
  // with that number (nothing when no cell has it).
  void UserClickCell(std::int32_t number);
  void UserHoverCell(std::int32_t number);

  // The cell picked by a click.
  std::function<void(std::int32_t number)> OnPick;
  // The pointer came over a cell (raised once per cell entered).
  std::function<void(std::int32_t number)> OnHover;
  // OnMouseLeave (Component) reports the pointer leaving the grid.

protected:
  void MouseMove(int x, int y) override;
  void MouseLeave() override;

private:
  std::vector<Cell> cells_;
  int hovered_ = -1;  // index of the cell the pointer is over
};

}  // namespace topaline::ui
