#include "ui/tree_grid.h"

#include <algorithm>
#include <numeric>

#include "platform/error.h"
#include "platform/platform.h"
#include "ui/controls.h"

namespace topaline::ui {

namespace {

constexpr std::uint8_t kHeaderVersion = 1;
constexpr int kMaxColumnWidth = 10000;

}  // namespace

TreeGrid::TreeGrid(Form& owner, Component* parent, std::wstring name)
    : Component(Kind::TreeGrid, owner, parent, std::move(name)) {}

TreeGrid::~TreeGrid() = default;

// ---------------------------------------------------------------- columns

int TreeGrid::AddColumn(const std::wstring& caption, int width, Alignment alignment) {
  TreeColumn c;
  c.caption = caption;
  c.width = std::clamp(width, 0, kMaxColumnWidth);
  c.alignment = alignment;
  c.position = static_cast<int>(columns_.size());
  columns_.push_back(c);
  RowsChanged(Property::Columns);
  return c.position;
}

const TreeColumn& TreeGrid::Column(int index) const {
  if (index < 0 || index >= ColumnCount())
    throw Error(L"Tree \"" + Name() + L"\" has no column " + std::to_wstring(index));
  return columns_[static_cast<std::size_t>(index)];
}

void TreeGrid::SetColumnCaption(int index, const std::wstring& caption) {
  Column(index);
  columns_[static_cast<std::size_t>(index)].caption = caption;
  RowsChanged(Property::Columns);
}

void TreeGrid::SetColumnWidth(int index, int width) {
  Column(index);
  columns_[static_cast<std::size_t>(index)].width = std::clamp(width, 0, kMaxColumnWidth);
  RowsChanged(Property::Columns);
}

void TreeGrid::SetColumnAlignment(int index, Alignment alignment) {
  Column(index);
  columns_[static_cast<std::size_t>(index)].alignment = alignment;
  RowsChanged(Property::Columns);
}

void TreeGrid::SetColumnVisible(int index, bool visible) {
  Column(index);
  columns_[static_cast<std::size_t>(index)].visible = visible;
  RowsChanged(Property::Columns);
}

void TreeGrid::SetColumnColor(int index, Color color) {
  Column(index);
  if (columns_[static_cast<std::size_t>(index)].color == color) return;
  columns_[static_cast<std::size_t>(index)].color = color;
  RowsChanged(Property::Columns);
}

std::vector<int> TreeGrid::ColumnOrder() const {
  std::vector<int> order(columns_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
    return columns_[static_cast<std::size_t>(a)].position < columns_[static_cast<std::size_t>(b)].position;
  });
  return order;
}

void TreeGrid::MoveColumn(int index, int newPosition) {
  Column(index);
  std::vector<int> order = ColumnOrder();
  order.erase(std::find(order.begin(), order.end(), index));
  newPosition = std::clamp(newPosition, 0, static_cast<int>(order.size()));
  order.insert(order.begin() + newPosition, index);
  for (std::size_t p = 0; p < order.size(); ++p) columns_[static_cast<std::size_t>(order[p])].position = static_cast<int>(p);
  RowsChanged(Property::Columns);
}

void TreeGrid::SetHeaderVisible(bool v) {
  if (v == headerVisible_) return;
  headerVisible_ = v;
  RowsChanged(Property::Columns);
}

// ---------------------------------------------------------------- options

void TreeGrid::SetCheckBoxes(bool v) {
  if (v == checkBoxes_) return;
  checkBoxes_ = v;
  Notify(Property::Style);
}

void TreeGrid::SetFullRowSelect(bool v) {
  if (v == fullRowSelect_) return;
  fullRowSelect_ = v;
  Notify(Property::Style);
}

void TreeGrid::SetGridLines(bool v) {
  if (v == gridLines_) return;
  gridLines_ = v;
  Notify(Property::Style);
}

void TreeGrid::SetRowHeight(int h) {
  if (h <= 0 || h == rowHeight_) return;
  rowHeight_ = h;
  Notify(Property::Style);
}

// ---------------------------------------------------------------- rows

void TreeGrid::CheckRow(int row) const {
  if (row < 0 || row >= RowCount())
    throw Error(L"Tree \"" + Name() + L"\" has no row " + std::to_wstring(row));
}

void TreeGrid::RowsChanged(Property p) {
  if (updateCount_ > 0) {
    if (p == Property::Rows) pendingRows_ = true;
    else if (p == Property::RowsRepaint) pendingRepaint_ = true;
    else if (p == Property::Columns) pendingColumns_ = true;
    else Notify(p);
    return;
  }
  Notify(p);
}

void TreeGrid::FocusChanged() {
  if (updateCount_ > 0) {
    pendingFocus_ = true;
    return;
  }
  Notify(Property::FocusedRow);
  if (OnFocusChanged) OnFocusChanged();
}

int TreeGrid::AddRow(std::int32_t id, bool checked) {
  ids_.push_back(id);
  checked_.push_back(checked ? 1 : 0);
  if (multiSelect_) selected_.push_back(0);
  if (checked) ++checkedCount_;
  RowsChanged(Property::Rows);
  if (checked) {
    if (updateCount_ > 0) {
      pendingCheckedRow_ = pendingChecked_ ? -1 : RowCount() - 1;
      pendingChecked_ = true;
    } else if (OnChecked) {
      OnChecked(RowCount() - 1);
    }
  }
  return RowCount() - 1;
}

void TreeGrid::SetRows(std::vector<std::int32_t> ids) {
  CancelEdit();
  pendingRow_ = -1;
  ids_ = std::move(ids);
  checked_.assign(ids_.size(), 0);
  checkedCount_ = 0;
  if (multiSelect_) selected_.assign(ids_.size(), 0);
  selectedCount_ = 0;
  selLo_ = 0, selHi_ = -1;
  dirtyLo_ = 0, dirtyHi_ = -1;
  anchorRow_ = typeAheadRow_ = -1;
  typeAhead_.clear();
  bool focusMoved = focusedRow_ != -1;
  focusedRow_ = selectedRow_ = -1;
  topRow_ = 0;
  RowsChanged(Property::Rows);
  if (focusMoved) FocusChanged();
}

void TreeGrid::DeleteRow(int row) {
  CheckRow(row);
  if (IsEditing()) {
    if (editRow_ == row) CancelEdit();
  }
  pendingRow_ = -1;
  if (checked_[static_cast<std::size_t>(row)]) --checkedCount_;
  ids_.erase(ids_.begin() + row);
  checked_.erase(checked_.begin() + row);
  if (multiSelect_) {
    if (selected_[static_cast<std::size_t>(row)]) --selectedCount_;
    selected_.erase(selected_.begin() + row);
    if (selLo_ > row) --selLo_;
    if (selHi_ >= row) --selHi_;
    if (selectedCount_ == 0) selLo_ = 0, selHi_ = -1;
    MarkSelection(row, RowCount() - 1);
  }
  if (anchorRow_ == row) anchorRow_ = -1;
  else if (anchorRow_ > row) --anchorRow_;
  typeAheadRow_ = -1;
  bool focusMoved = false;
  if (focusedRow_ == row) {
    focusedRow_ = -1;
    focusMoved = true;
  } else if (focusedRow_ > row) {
    --focusedRow_;
  }
  if (selectedRow_ == row) selectedRow_ = -1;
  else if (selectedRow_ > row) --selectedRow_;
  if (editRow_ > row) --editRow_;
  if (topRow_ > 0 && topRow_ >= RowCount()) topRow_ = std::max(0, RowCount() - 1);
  RowsChanged(Property::Rows);
  if (focusMoved) FocusChanged();
  else RowsChanged(Property::FocusedRow);
}

void TreeGrid::Clear() { SetRows({}); }

std::int32_t TreeGrid::RowId(int row) const {
  CheckRow(row);
  return ids_[static_cast<std::size_t>(row)];
}

int TreeGrid::FindRow(std::int32_t id) const {
  auto it = std::find(ids_.begin(), ids_.end(), id);
  return it == ids_.end() ? -1 : static_cast<int>(it - ids_.begin());
}

bool TreeGrid::Checked(int row) const {
  CheckRow(row);
  return checked_[static_cast<std::size_t>(row)] != 0;
}

void TreeGrid::SetChecked(int row, bool v) {
  CheckRow(row);
  auto& c = checked_[static_cast<std::size_t>(row)];
  if ((c != 0) == v) return;
  c = v ? 1 : 0;
  checkedCount_ += v ? 1 : -1;
  RowsChanged(Property::RowsRepaint);
  if (updateCount_ > 0) {
    pendingCheckedRow_ = pendingChecked_ ? -1 : row;
    pendingChecked_ = true;
    return;
  }
  if (OnChecked) OnChecked(row);
}

void TreeGrid::SetAllChecked(bool v) {
  std::fill(checked_.begin(), checked_.end(), v ? 1 : 0);
  checkedCount_ = v ? RowCount() : 0;
  RowsChanged(Property::RowsRepaint);
  if (updateCount_ > 0) {
    pendingChecked_ = true;
    pendingCheckedRow_ = -1;
    return;
  }
  if (OnChecked) OnChecked(-1);
}

void TreeGrid::SetFocusedRowImpl(int row, bool select) {
  if (row < -1 || row >= RowCount())
    throw Error(L"Tree \"" + Name() + L"\" has no row " + std::to_wstring(row));
  bool moved = row != focusedRow_;
  bool selectionMoved = select && selectedRow_ != row;
  focusedRow_ = row;
  if (select) selectedRow_ = row;
  if (select && multiSelect_) {
    SelectOnly(row);
    selectionMoved = selectionMoved || dirtyLo_ <= dirtyHi_;
    anchorRow_ = row;
  }
  if (row >= 0) ScrollIntoView(row);
  if (moved) FocusChanged();
  else if (selectionMoved) RowsChanged(Property::FocusedRow);
}

void TreeGrid::SetFocusedRow(int row) { SetFocusedRowImpl(row, true); }

void TreeGrid::SetSelectedRow(int row) {
  if (row < -1 || row >= RowCount())
    throw Error(L"Tree \"" + Name() + L"\" has no row " + std::to_wstring(row));
  if (multiSelect_) {
    selectedRow_ = row;
    SelectOnly(row);
    if (row >= 0) anchorRow_ = row;
    if (dirtyLo_ <= dirtyHi_) RowsChanged(Property::FocusedRow);
    return;
  }
  if (row == selectedRow_) return;
  selectedRow_ = row;
  RowsChanged(Property::FocusedRow);
}

int TreeGrid::SelectedRow() const {
  if (!multiSelect_) return selectedRow_;
  if (selectedCount_ == 0) return -1;
  if (focusedRow_ >= 0 && selected_[static_cast<std::size_t>(focusedRow_)]) return focusedRow_;
  for (int r = std::max(0, selLo_); r <= selHi_; ++r)
    if (selected_[static_cast<std::size_t>(r)]) return r;
  return -1;
}

// ---------------------------------------------------------------- several selected rows

void TreeGrid::SetMultiSelect(bool v) {
  if (v == multiSelect_) return;
  multiSelect_ = v;
  selected_.clear();
  selectedCount_ = 0;
  selLo_ = 0, selHi_ = -1;
  if (v) {
    selected_.assign(ids_.size(), 0);
    if (selectedRow_ >= 0) SetSelectionBit(selectedRow_, true);
  } else {
    std::vector<std::uint8_t>().swap(selected_);
  }
  MarkSelection(0, RowCount() - 1);
  RowsChanged(Property::FocusedRow);
}

void TreeGrid::MarkSelection(int first, int last) {
  if (first > last) return;
  if (dirtyLo_ > dirtyHi_) {
    dirtyLo_ = first;
    dirtyHi_ = last;
  } else {
    dirtyLo_ = std::min(dirtyLo_, first);
    dirtyHi_ = std::max(dirtyHi_, last);
  }
}

TreeGrid::RowSpan TreeGrid::TakeSelectionChanges() {
  RowSpan span{std::max(0, dirtyLo_), std::min(dirtyHi_, RowCount() - 1)};
  dirtyLo_ = 0, dirtyHi_ = -1;
  return span;
}

void TreeGrid::SetSelectionBit(int row, bool v) {
  auto& b = selected_[static_cast<std::size_t>(row)];
  if ((b != 0) == v) return;
  b = v ? 1 : 0;
  selectedCount_ += v ? 1 : -1;
  if (v) {
    if (selLo_ > selHi_) selLo_ = selHi_ = row;
    else selLo_ = std::min(selLo_, row), selHi_ = std::max(selHi_, row);
  }
  MarkSelection(row, row);
}

void TreeGrid::ClearSelectionBits() {
  if (selectedCount_ > 0 && selLo_ <= selHi_) {
    std::fill(selected_.begin() + selLo_, selected_.begin() + selHi_ + 1, std::uint8_t{0});
    MarkSelection(selLo_, selHi_);
  }
  selectedCount_ = 0;
  selLo_ = 0, selHi_ = -1;
}

void TreeGrid::SelectOnly(int row) {
  if (selectedCount_ == 1 && row >= 0 && selected_[static_cast<std::size_t>(row)]) return;
  ClearSelectionBits();
  if (row >= 0) SetSelectionBit(row, true);
}

bool TreeGrid::RowSelected(int row) const {
  CheckRow(row);
  return multiSelect_ ? selected_[static_cast<std::size_t>(row)] != 0 : row == selectedRow_;
}

int TreeGrid::SelectedCount() const {
  if (!multiSelect_) return selectedRow_ >= 0 ? 1 : 0;
  return selectedCount_;
}

std::vector<int> TreeGrid::SelectedRows() const {
  std::vector<int> rows;
  if (!multiSelect_) {
    if (selectedRow_ >= 0) rows.push_back(selectedRow_);
    return rows;
  }
  rows.reserve(static_cast<std::size_t>(selectedCount_));
  for (int r = std::max(0, selLo_); r <= selHi_ && static_cast<int>(rows.size()) < selectedCount_; ++r)
    if (selected_[static_cast<std::size_t>(r)]) rows.push_back(r);
  return rows;
}

void TreeGrid::SelectAll() {
  if (!multiSelect_ || RowCount() == 0) return;
  if (selectedCount_ == RowCount()) return;
  std::fill(selected_.begin(), selected_.end(), std::uint8_t{1});
  selectedCount_ = RowCount();
  selLo_ = 0, selHi_ = RowCount() - 1;
  MarkSelection(0, RowCount() - 1);
  RowsChanged(Property::FocusedRow);
}

void TreeGrid::SelectRange(int first, int last, bool keepOthers) {
  CheckRow(first);
  CheckRow(last);
  if (!multiSelect_) {
    SetSelectedRow(last);
    return;
  }
  if (first > last) std::swap(first, last);
  if (!keepOthers) {
    // Only the rows outside the span are cleared: growing a span by one
    // row touches one row.
    for (int r = std::max(0, selLo_); r <= selHi_ && r < first; ++r) SetSelectionBit(r, false);
    for (int r = std::max(last + 1, selLo_); r <= selHi_; ++r) SetSelectionBit(r, false);
    if (selectedCount_ == 0) selLo_ = 0, selHi_ = -1;
  }
  for (int r = first; r <= last; ++r) SetSelectionBit(r, true);
  RowsChanged(Property::FocusedRow);
}

void TreeGrid::SetRowSelected(int row, bool v) {
  CheckRow(row);
  if (!multiSelect_) {
    if (v) SetSelectedRow(row);
    else if (row == selectedRow_) SetSelectedRow(-1);
    return;
  }
  SetSelectionBit(row, v);
  if (selectedCount_ == 0) selLo_ = 0, selHi_ = -1;
  if (dirtyLo_ <= dirtyHi_) RowsChanged(Property::FocusedRow);
}

// ---------------------------------------------------------------- type-ahead

void TreeGrid::SetTypeAheadColumn(int column) {
  if (column < -1 || column >= ColumnCount())
    throw Error(L"Tree \"" + Name() + L"\" has no column " + std::to_wstring(column));
  typeAheadColumn_ = column;
  typeAhead_.clear();
}

bool TreeGrid::TypeAheadMatches(int row, const std::wstring& prefix) const {
  const std::int32_t id = ids_[static_cast<std::size_t>(row)];
  if (OnTypeAheadMatch) return OnTypeAheadMatch(id, typeAheadColumn_, prefix);
  if (!OnGetText) return false;
  const std::wstring text = OnGetText(row, id, typeAheadColumn_);
  return text.size() >= prefix.size() && SameNameNoCase(text.substr(0, prefix.size()), prefix);
}

void TreeGrid::DefaultChar(wchar_t ch) {
  if (typeAheadColumn_ < 0 || typeAheadColumn_ >= ColumnCount() || ch < 32 || ch == 127 || RowCount() == 0) return;
  const std::uint64_t now = clock_ ? clock_->milliseconds() : 0;
  if (clock_ && !typeAhead_.empty() && now - typeAheadAt_ >= static_cast<std::uint64_t>(TypeAheadPause))
    typeAhead_.clear();
  if (typeAhead_.empty() && ch == L' ') return;
  const bool fresh = typeAhead_.empty();
  typeAhead_ += ch;
  typeAheadAt_ = now;
  // A longer text matches no row before the one the shorter text found.
  int found = -1;
  for (int r = fresh || typeAheadRow_ < 0 ? 0 : typeAheadRow_; r < RowCount(); ++r) {
    if (TypeAheadMatches(r, typeAhead_)) {
      found = r;
      break;
    }
  }
  if (found < 0) return;  // no row: the focus stays, and so does the typed text
  typeAheadRow_ = found;
  pendingRow_ = -1;
  SetFocusedRow(found);
}

int TreeGrid::VisibleRowCount() const {
  int area = Height() - (headerVisible_ ? headerHeight_ : 0) - 4;
  return std::max(1, area / rowHeight_);
}

void TreeGrid::SetTopRow(int row) {
  row = std::clamp(row, 0, std::max(0, RowCount() - 1));
  if (row == topRow_) return;
  topRow_ = row;
  RowsChanged(Property::RowsRepaint);
}

void TreeGrid::ScrollIntoView(int row) {
  if (row < 0 || row >= RowCount()) return;
  int visible = VisibleRowCount();
  if (row < topRow_) SetTopRow(row);
  else if (row >= topRow_ + visible) SetTopRow(row - visible + 1);
}

void TreeGrid::BeginUpdate() { ++updateCount_; }

void TreeGrid::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ > 0) return;
  if (pendingColumns_) Notify(Property::Columns);
  if (pendingRows_) Notify(Property::Rows);
  else if (pendingRepaint_) Notify(Property::RowsRepaint);
  bool focus = pendingFocus_, checked = pendingChecked_;
  int checkedRow = pendingCheckedRow_;
  pendingColumns_ = pendingRows_ = pendingRepaint_ = pendingFocus_ = pendingChecked_ = false;
  pendingCheckedRow_ = -2;
  if (focus) FocusChanged();
  if (checked && OnChecked) OnChecked(checkedRow);
}

void TreeGrid::Repaint() { RowsChanged(Property::RowsRepaint); }

// ---------------------------------------------------------------- cells

std::wstring TreeGrid::CellText(int row, int column) const {
  CheckRow(row);
  Column(column);
  if (!OnGetText) return {};
  return OnGetText(row, ids_[static_cast<std::size_t>(row)], column);
}

CellStyle TreeGrid::CellPaint(int row, int column) const {
  CheckRow(row);
  CellStyle style;
  style.background = Column(column).color;
  if (OnPaintCell) OnPaintCell(row, ids_[static_cast<std::size_t>(row)], column, style);
  if (style.background == clDefault) style.background = Column(column).color;
  return style;
}

namespace {

void AppendCell(std::wstring& out, const std::wstring& text) {
  for (wchar_t c : text) out.push_back(c == L'\t' || c == L'\r' || c == L'\n' ? L' ' : c);
}

}  // namespace

std::wstring TreeGrid::RowsText(const std::vector<int>& rows) const {
  std::wstring out;
  const int columns = ColumnCount();
  for (int c = 0; c < columns; ++c) {
    if (c > 0) out.push_back(L'\t');
    AppendCell(out, columns_[static_cast<std::size_t>(c)].caption);
  }
  out += L"\r\n";
  for (int row : rows) {
    CheckRow(row);
    for (int c = 0; c < columns; ++c) {
      if (c > 0) out.push_back(L'\t');
      if (OnGetText) AppendCell(out, OnGetText(row, ids_[static_cast<std::size_t>(row)], c));
    }
    out += L"\r\n";
  }
  return out;
}

Rect TreeGrid::CellRect(int row, int column) const {
  Column(column);
  int x = 2;
  for (int c : ColumnOrder()) {
    if (c == column) break;
    if (columns_[static_cast<std::size_t>(c)].visible) x += columns_[static_cast<std::size_t>(c)].width;
  }
  int y = 2 + (headerVisible_ ? headerHeight_ : 0) + (row - topRow_) * rowHeight_;
  return Rect{x, y, Column(column).width, rowHeight_};
}

// ---------------------------------------------------------------- sorting

void TreeGrid::SetSortColumn(int column) {
  if (column < -1 || column >= ColumnCount())
    throw Error(L"Tree \"" + Name() + L"\" has no column " + std::to_wstring(column));
  if (column == sortColumn_) return;
  sortColumn_ = column;
  Notify(Property::Header);
}

void TreeGrid::SetSortDirection(SortDirection d) {
  if (d == sortDirection_) return;
  sortDirection_ = d;
  Notify(Property::Header);
}

void TreeGrid::Sort() {
  if (sortColumn_ < 0 || sortColumn_ >= ColumnCount() || (!OnCompare && !OnSortKeys)) return;
  const std::size_t n = ids_.size();
  if (n < 2) return;
  EndEdit();
  const int column = sortColumn_;
  if (OnBeforeSort) OnBeforeSort(column);
  std::vector<std::uint32_t> order(n);
  std::iota(order.begin(), order.end(), 0u);
  const auto& ids = ids_;
  const auto& compare = OnCompare;
  std::vector<std::uint64_t> keys;
  if (OnSortKeys && OnSortKeys(column, ids, keys) && keys.size() == n) {
    // One sort of (key, row) pairs: the row keeps equal keys in their
    // order, and a descending sort takes the keys reversed.
    const bool down = sortDirection_ == SortDirection::Descending;
    const auto [lo, hi] = std::minmax_element(keys.begin(), keys.end());
    const std::uint64_t low = *lo, span = *hi - *lo;
    if (span < 2 * static_cast<std::uint64_t>(n)) {
      // Keys close together (ranks): counted into their places, O(n).
      std::vector<std::uint32_t> start(static_cast<std::size_t>(span) + 2, 0);
      for (std::uint64_t k : keys) {
        const std::uint64_t slot = down ? *hi - k : k - low;
        ++start[static_cast<std::size_t>(slot) + 1];
      }
      for (std::size_t b = 1; b < start.size(); ++b) start[b] += start[b - 1];
      for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t slot = down ? *hi - keys[i] : keys[i] - low;
        order[start[static_cast<std::size_t>(slot)]++] = static_cast<std::uint32_t>(i);
      }
    } else {
      std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed(n);
      for (std::size_t i = 0; i < n; ++i) keyed[i] = {down ? ~keys[i] : keys[i], static_cast<std::uint32_t>(i)};
      std::vector<std::uint64_t>().swap(keys);
      std::sort(keyed.begin(), keyed.end());
      for (std::size_t i = 0; i < n; ++i) order[i] = keyed[i].second;
    }
  } else if (!compare) {
    if (OnAfterSort) OnAfterSort(column);
    return;
  } else if (sortDirection_ == SortDirection::Ascending) {
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return compare(ids[a], ids[b], column) < 0; });
  } else {
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return compare(ids[b], ids[a], column) < 0; });
  }
  std::vector<std::int32_t> newIds(n);
  std::vector<std::uint8_t> newChecked(n);
  std::vector<std::uint32_t> where(n);  // old row -> new row
  for (std::size_t i = 0; i < n; ++i) {
    newIds[i] = ids_[order[i]];
    newChecked[i] = checked_[order[i]];
    where[order[i]] = static_cast<std::uint32_t>(i);
  }
  ids_.swap(newIds);
  checked_.swap(newChecked);
  if (multiSelect_) {
    std::vector<std::uint8_t> newSelected(n);
    selLo_ = static_cast<int>(n), selHi_ = -1;
    for (std::size_t i = 0; i < n; ++i) {
      newSelected[i] = selected_[order[i]];
      if (newSelected[i]) selLo_ = std::min(selLo_, static_cast<int>(i)), selHi_ = static_cast<int>(i);
    }
    if (selHi_ < 0) selLo_ = 0;
    selected_.swap(newSelected);
    MarkSelection(0, static_cast<int>(n) - 1);
  }
  if (anchorRow_ >= 0) anchorRow_ = static_cast<int>(where[static_cast<std::size_t>(anchorRow_)]);
  typeAheadRow_ = -1;
  if (focusedRow_ >= 0) focusedRow_ = static_cast<int>(where[static_cast<std::size_t>(focusedRow_)]);
  if (selectedRow_ >= 0) selectedRow_ = static_cast<int>(where[static_cast<std::size_t>(selectedRow_)]);
  if (pendingRow_ >= 0) pendingRow_ = -1;
  if (OnAfterSort) OnAfterSort(column);
  RowsChanged(Property::Rows);
  RowsChanged(Property::FocusedRow);
  if (focusedRow_ >= 0) ScrollIntoView(focusedRow_);
}

// ---------------------------------------------------------------- editing

Edit& TreeGrid::PlainEditor() {
  if (!plainEditor_) {
    plainEditor_ = &Owner().Add<Edit>(this, Name() + L"Editor");
    plainEditor_->SetVisible(false);
    plainEditor_->SetBorder(false);
    plainEditor_->SetTabStop(false);
  }
  return *plainEditor_;
}

bool TreeGrid::EditCell(int row, int column) {
  CheckRow(row);
  Column(column);
  if (IsEditing()) {
    if (row == editRow_ && column == editColumn_) return true;
    EndEdit();
  }
  pendingRow_ = -1;
  if (!OnEditing || !OnEditing(row, column)) return false;
  Component* editor = OnCreateEditor ? OnCreateEditor(row, column) : nullptr;
  if (!editor) editor = &PlainEditor();
  if (&editor->Owner() != &Owner()) throw Error(L"The editor of \"" + Name() + L"\" belongs to another form");
  if (focusedRow_ != row) SetFocusedRow(row);
  ScrollIntoView(row);
  editRow_ = row;
  editColumn_ = column;
  focusedColumn_ = column;
  editor_ = editor;
  editor->SetBounds(CellRect(row, column));
  if (auto* edit = dynamic_cast<Edit*>(editor)) {
    edit->SetText(CellText(row, column));
    edit->SelectAll();
  }
  editor->SetEditHost(this);
  editor->SetVisible(true);
  Notify(Property::Editing);
  editor->SetFocus();
  return true;
}

void TreeGrid::FinishEdit(bool commit) {
  if (finishingEdit_ || !IsEditing()) return;
  finishingEdit_ = true;
  Component* editor = editor_;
  const int row = editRow_, column = editColumn_;
  std::wstring text;
  if (auto* edit = dynamic_cast<Edit*>(editor)) text = edit->Text();
  editRow_ = editColumn_ = -1;
  editor_ = nullptr;
  try {
    // Focus back to the grid: the editor's own exit runs here.
    if (editor->Focused()) {
      if (CanFocus()) SetFocus();
      else Owner().SetActiveControl(nullptr);
    }
    editor->SetEditHost(nullptr);
    editor->SetVisible(false);
  } catch (...) {
    editor->SetEditHost(nullptr);
    editor->SetVisible(false);
    finishingEdit_ = false;
    Notify(Property::Editing);
    throw;
  }
  finishingEdit_ = false;
  Notify(Property::Editing);
  if (commit && OnNewText) OnNewText(row, column, text);
  RowsChanged(Property::RowsRepaint);
  if (OnEdited) OnEdited(row, column, commit);
}

bool TreeGrid::EndEdit() {
  if (!IsEditing()) return false;
  FinishEdit(true);
  return true;
}

void TreeGrid::CancelEdit() { FinishEdit(false); }

bool TreeGrid::EditorKeyDown(Component&, int key) {
  if (key == Key::Enter) {
    EndEdit();
    return true;
  }
  if (key == Key::Escape) {
    CancelEdit();
    return true;
  }
  return false;
}

void TreeGrid::EditorExited(Component& editor) {
  if (finishingEdit_ || &editor != editor_) return;
  FinishEdit(true);
}

void TreeGrid::DoExit() {
  pendingRow_ = -1;
  typeAhead_.clear();
  Component::DoExit();
}

// ---------------------------------------------------------------- header state

std::vector<std::uint8_t> TreeGrid::SaveHeaderState() const {
  std::vector<std::uint8_t> b;
  b.push_back(kHeaderVersion);
  b.push_back(static_cast<std::uint8_t>(columns_.size()));
  for (const TreeColumn& c : columns_) {
    auto w = static_cast<std::uint16_t>(std::clamp(c.width, 0, kMaxColumnWidth));
    b.push_back(static_cast<std::uint8_t>(w & 0xFF));
    b.push_back(static_cast<std::uint8_t>(w >> 8));
    b.push_back(static_cast<std::uint8_t>(c.position));
    b.push_back(c.visible ? 1 : 0);
  }
  b.push_back(sortColumn_ < 0 ? 0xFF : static_cast<std::uint8_t>(sortColumn_));
  b.push_back(sortDirection_ == SortDirection::Ascending ? 0 : 1);
  return b;
}

bool TreeGrid::RestoreHeaderState(const std::vector<std::uint8_t>& b) {
  const std::size_t n = columns_.size();
  if (n > 255 || b.size() != 2 + 4 * n + 2) return false;
  if (b[0] != kHeaderVersion || b[1] != n) return false;
  std::vector<int> widths(n), positions(n);
  std::vector<bool> visible(n), seen(n, false);
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t* p = &b[2 + 4 * i];
    widths[i] = p[0] | (p[1] << 8);
    positions[i] = p[2];
    if (widths[i] > kMaxColumnWidth || positions[i] >= static_cast<int>(n) || seen[static_cast<std::size_t>(positions[i])] || p[3] > 1)
      return false;
    seen[static_cast<std::size_t>(positions[i])] = true;
    visible[i] = p[3] == 1;
  }
  const std::uint8_t sort = b[2 + 4 * n], dir = b[3 + 4 * n];
  if ((sort != 0xFF && sort >= n) || dir > 1) return false;
  for (std::size_t i = 0; i < n; ++i) {
    columns_[i].width = widths[i];
    columns_[i].position = positions[i];
    columns_[i].visible = visible[i];
    columns_[i].color = clSysWindow;
  }
  sortColumn_ = sort == 0xFF ? -1 : sort;
  sortDirection_ = dir == 0 ? SortDirection::Ascending : SortDirection::Descending;
  if (sortColumn_ >= 0) columns_[static_cast<std::size_t>(sortColumn_)].color = sortColumnColor_;
  RowsChanged(Property::Columns);
  Notify(Property::Header);
  return true;
}

// ---------------------------------------------------------------- user operations

void TreeGrid::UserClickHeader(int column, MouseButton button) {
  if (ShouldIgnoreUser()) return;
  Dispatch([&] {
    if (column < 0 || column >= ColumnCount()) return;  // beside the columns
    if (button != MouseButton::Right && sortable_) {
      // An open edit ends first: should its commit fail, the header must
      // not show a sort that did not happen.
      EndEdit();
      if (sortColumn_ >= 0) SetColumnColor(sortColumn_, clSysWindow);
      SetSortDirection(sortDirection_ == SortDirection::Ascending ? SortDirection::Descending
                                                                 : SortDirection::Ascending);
      SetSortColumn(column);
      SetColumnColor(column, sortColumnColor_);
      Sort();
    }
    if (OnHeaderClick) OnHeaderClick(column, button);
  });
}

void TreeGrid::UserClickRow(int row, int column, MouseButton button, ShiftState shift) {
  if (ShouldIgnoreUser()) return;
  Dispatch([&] {
    if (IsEditing() && row == editRow_ && column == editColumn_) return;  // a click inside the editor
    if (CanFocus()) {
      SetFocus();  // an open editor loses the focus: its edit is committed
      if (!Focused()) return;
    }
    pendingRow_ = -1;
    typeAhead_.clear();
    if (row < 0 || row >= RowCount()) return;
    if (IsEditing()) EndEdit();
    if (column >= 0 && column < ColumnCount()) focusedColumn_ = column;
    if (multiSelect_ && button == MouseButton::Left && (shift.shift || shift.ctrl)) {
      if (shift.shift) {
        const int anchor = anchorRow_ >= 0 && anchorRow_ < RowCount() ? anchorRow_ : row;
        SetFocusedRowImpl(row, false);
        SelectRange(anchor, row, shift.ctrl);
        anchorRow_ = anchor;
      } else {
        SetFocusedRowImpl(row, false);
        SetRowSelected(row, !RowSelected(row));
        anchorRow_ = row;
      }
      return;
    }
    if (multiSelect_ && button == MouseButton::Right && RowSelected(row)) {
      SetFocusedRowImpl(row, false);  // the selection stays for a menu
      return;
    }
    SetFocusedRow(row);
    if (button == MouseButton::Left && editOnClick_ && column >= 0 && column < ColumnCount() && OnEditing &&
        OnEditing(row, column)) {
      pendingRow_ = row;
      pendingColumn_ = column;
      Notify(Property::Editing);  // the binding starts the edit-delay timer
    }
  });
}

void TreeGrid::UserDoubleClickRow(int row) {
  if (ShouldIgnoreUser()) return;
  Dispatch([&] {
    pendingRow_ = -1;
    if (CanFocus()) {
      SetFocus();
      if (!Focused()) return;
    }
    if (row >= 0 && row < RowCount()) SetFocusedRow(row);
    if (OnDblClick) OnDblClick();
  });
}

void TreeGrid::UserEditDelayElapsed() {
  if (ShouldIgnoreUser() || pendingRow_ < 0) return;
  Dispatch([&] {
    int row = pendingRow_, column = pendingColumn_;
    pendingRow_ = -1;
    if (row == focusedRow_ && Focused()) EditCell(row, column);
  });
}

void TreeGrid::UserToggleCheck(int row) {
  if (ShouldIgnoreUser() || !checkBoxes_) return;
  Dispatch([&] {
    if (row < 0 || row >= RowCount()) return;
    if (CanFocus()) {
      SetFocus();
      if (!Focused()) return;
    }
    SetFocusedRow(row);
    SetChecked(row, !Checked(row));
  });
}

void TreeGrid::UserResizeColumn(int column, int width) {
  if (ShouldIgnoreUser()) return;
  Dispatch([&] {
    if (column < 0 || column >= ColumnCount()) return;
    SetColumnWidth(column, width);
  });
}

void TreeGrid::UserMoveColumn(int column, int newPosition) {
  if (ShouldIgnoreUser()) return;
  Dispatch([&] {
    if (column < 0 || column >= ColumnCount()) return;
    MoveColumn(column, newPosition);
  });
}

bool TreeGrid::UserEditCell(int row, int column, const std::wstring& text) {
  UserClickRow(row, column);
  UserEditDelayElapsed();
  if (!IsEditing() || editRow_ != row || editColumn_ != column) return false;
  if (auto* edit = dynamic_cast<Edit*>(editor_)) edit->SelectAll();
  editor_->UserType(text);
  return IsEditing();
}

void TreeGrid::UserCommitEdit() {
  if (editor_) editor_->UserKey(Key::Enter);
}

void TreeGrid::UserCancelEdit() {
  if (editor_) editor_->UserKey(Key::Escape);
}

void TreeGrid::MoveTo(int row, ShiftState shift) {
  pendingRow_ = -1;
  typeAhead_.clear();
  if (!multiSelect_ || (!shift.shift && !shift.ctrl)) {
    SetFocusedRow(row);
    return;
  }
  if (shift.shift) {
    // The span from the anchor grows or shrinks with the focus.
    const int anchor = anchorRow_ >= 0 && anchorRow_ < RowCount() ? anchorRow_ : (focusedRow_ >= 0 ? focusedRow_ : row);
    SetFocusedRowImpl(row, false);
    SelectRange(anchor, row, shift.ctrl);
    anchorRow_ = anchor;
    return;
  }
  SetFocusedRowImpl(row, false);  // Ctrl: the focus moves alone
}

bool TreeGrid::DefaultKeyDown(int key, ShiftState shift) {
  const int n = RowCount();
  if (n == 0) return false;
  if (multiSelect_ && shift.ctrl && !shift.alt) {
    if (key == 'A') {
      typeAhead_.clear();
      SelectAll();
      return true;
    }
    if (key == Key::Space && focusedRow_ >= 0) {
      typeAhead_.clear();
      SetRowSelected(focusedRow_, !RowSelected(focusedRow_));
      anchorRow_ = focusedRow_;
      return true;
    }
  }
  int page = VisibleRowCount();
  int row = focusedRow_;
  switch (key) {
    case Key::Up: row = std::max(0, row - 1); break;
    case Key::Down: row = std::min(n - 1, row + 1); break;
    case Key::Home: row = 0; break;
    case Key::End: row = n - 1; break;
    case Key::PageUp: row = std::max(0, row - page); break;
    case Key::PageDown: row = std::min(n - 1, (row < 0 ? 0 : row) + page); break;
    case Key::Space:
      if (checkBoxes_ && focusedRow_ >= 0) {
        SetChecked(focusedRow_, !Checked(focusedRow_));
        return true;
      }
      return false;
    case Key::F2:
      if (focusedRow_ >= 0) EditCell(focusedRow_, focusedColumn_);
      return true;
    default:
      return false;
  }
  MoveTo(row, shift);
  return true;
}

void TreeGrid::DetachEvents() {
  OnGetText = nullptr;
  OnPaintCell = nullptr;
  OnCompare = nullptr;
  OnSortKeys = nullptr;
  OnBeforeSort = nullptr;
  OnAfterSort = nullptr;
  OnHeaderClick = nullptr;
  OnFocusChanged = nullptr;
  OnChecked = nullptr;
  OnEditing = nullptr;
  OnCreateEditor = nullptr;
  OnNewText = nullptr;
  OnEdited = nullptr;
  OnTypeAheadMatch = nullptr;
}

}  // namespace topaline::ui
