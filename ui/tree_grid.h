// The tree-grid: a flat, virtual list of rows with columns, as the group,
// point and layer dialogs use it.
//
// Each row carries one 32-bit IdElement (the row's TDataNoeud) and a
// check state; nothing else is stored per row. Cell texts and paint hints
// are asked for on demand through callbacks, so a million rows cost a few
// megabytes and the Win32 side can be an owner-data list view. Rows are
// numbered in display order: sorting permutes the rows, never the
// dialog's model.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/form.h"

namespace topaline {
class Clock;
}

namespace topaline::ui {

class ImageList;
class Edit;

enum class SortDirection { Ascending, Descending };

struct TreeColumn {
  std::wstring caption;
  int width = 100;
  Alignment alignment = Alignment::Left;
  bool visible = true;
  // Display position among the columns (0 = leftmost).
  int position = 0;
  // Cell background (clSysWindow unless the column is the sorted one).
  Color color = clSysWindow;
};

// Paint hints for one cell, filled by OnPaintCell.
struct CellStyle {
  bool bold = false;
  Color textColor = clDefault;
  Color background = clDefault;  // clDefault: the column's colour
  int imageIndex = -1;           // an image of Images() drawn before the text
};

class TreeGrid : public Component, private EditHost {
public:
  TreeGrid(Form& owner, Component* parent, std::wstring name);
  ~TreeGrid() override;
  bool IsFocusable() const override { return true; }

  // ---- Columns ----
  int AddColumn(const std::wstring& caption, int width, Alignment alignment = Alignment::Left);
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  const TreeColumn& Column(int index) const;
  void SetColumnCaption(int index, const std::wstring& caption);
  void SetColumnWidth(int index, int width);
  void SetColumnAlignment(int index, Alignment alignment);
  void SetColumnVisible(int index, bool visible);
  void SetColumnColor(int index, Color color);
  // Moves a column to another display position (header drag).
  void MoveColumn(int index, int newPosition);
  // Column indices in display order.
  std::vector<int> ColumnOrder() const;
  int HeaderHeight() const { return headerHeight_; }
  bool HeaderVisible() const { return headerVisible_; }
  void SetHeaderVisible(bool v);

  // ---- Options ----
  bool CheckBoxes() const { return checkBoxes_; }
  void SetCheckBoxes(bool v);
  bool FullRowSelect() const { return fullRowSelect_; }
  void SetFullRowSelect(bool v);
  bool GridLines() const { return gridLines_; }
  void SetGridLines(bool v);
  // Whether header clicks sort (false for lists that keep their order).
  bool Sortable() const { return sortable_; }
  void SetSortable(bool v) { sortable_ = v; }
  // A click on a cell of an editable column starts editing it after this
  // delay (ms), unless a double click comes first.
  bool EditOnClick() const { return editOnClick_; }
  void SetEditOnClick(bool v) { editOnClick_ = v; }
  int EditDelay() const { return editDelay_; }
  void SetEditDelay(int ms) { editDelay_ = ms; }
  int RowHeight() const { return rowHeight_; }
  void SetRowHeight(int h);
  void SetImages(ImageList* images) { images_ = images; Notify(Property::Image); }
  ImageList* Images() const { return images_; }

  // ---- Rows (display order) ----
  int RowCount() const { return static_cast<int>(ids_.size()); }
  // Appends a row; returns its index.
  int AddRow(std::int32_t id, bool checked = false);
  // Replaces every row at once (check states cleared, focus and selection
  // dropped).
  void SetRows(std::vector<std::int32_t> ids);
  void DeleteRow(int row);
  void Clear();
  std::int32_t RowId(int row) const;
  // The first row carrying id, -1 when none (linear search).
  int FindRow(std::int32_t id) const;
  const std::vector<std::int32_t>& RowIds() const { return ids_; }

  // Two-state check boxes. SetChecked raises OnChecked when it changes.
  bool Checked(int row) const;
  void SetChecked(int row, bool v);
  // Every row at once; one OnChecked(-1).
  void SetAllChecked(bool v);
  int CheckedCount() const { return checkedCount_; }

  // Focus and selection (one selected row).
  int FocusedRow() const { return focusedRow_; }
  // With several selected rows: the focused row when it is selected,
  // else the first selected one (-1: none).
  int SelectedRow() const;
  // Focuses and selects a row (-1: none); OnFocusChanged when it moves.
  void SetFocusedRow(int row);
  void SetSelectedRow(int row);

  // ---- Several selected rows ----
  // Off (the default), one row is selected: the focused one. On, Ctrl and
  // Shift clicks, Shift with the moving keys, Ctrl+Space and Ctrl+A select
  // several rows; a plain click or move still selects the one row it
  // reaches, and SetFocusedRow / SetSelectedRow select that row alone.
  // The selection is one byte per row (sorting carries it with the rows).
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool v);
  bool RowSelected(int row) const;
  int SelectedCount() const;
  // The selected rows in display order.
  std::vector<int> SelectedRows() const;
  void SelectAll();
  // Selects the rows between first and last (either order, both
  // included); keepOthers false drops every other row's selection.
  void SelectRange(int first, int last, bool keepOthers);
  void SetRowSelected(int row, bool v);
  // For the binding: the rows whose selection changed since it last
  // asked (an empty span, first > last, when none), then forgotten.
  struct RowSpan {
    int first = 0, last = -1;
    bool Empty() const { return first > last; }
  };
  RowSpan TakeSelectionChanges();

  // ---- Type-ahead ----
  // Printable characters typed while the grid has the focus jump to the
  // first row, in display order, whose text in this column starts with
  // what was typed since the last pause (TypeAheadPause ms, measured on
  // the clock; without a clock the typed text only restarts after a
  // move or a click). -1 (the default): no type-ahead.
  int TypeAheadColumn() const { return typeAheadColumn_; }
  void SetTypeAheadColumn(int column);
  void SetClock(Clock* clock) { clock_ = clock; }
  static constexpr int TypeAheadPause = 1000;
  // What has been typed so far (empty after a pause or a move).
  const std::wstring& TypeAheadText() const { return typeAhead_; }

  // First row shown at the top (scrolling).
  int TopRow() const { return topRow_; }
  void SetTopRow(int row);
  void ScrollIntoView(int row);

  // Batch changes: notifications and OnFocusChanged / OnChecked are held
  // back until the outermost EndUpdate, which reports once.
  void BeginUpdate();
  void EndUpdate();
  bool IsUpdating() const { return updateCount_ > 0; }
  // Asks the binding to repaint the rows (paint hints changed).
  void Repaint();

  // ---- Cells ----
  std::wstring CellText(int row, int column) const;
  CellStyle CellPaint(int row, int column) const;
  // The rows as tab-separated text for the clipboard: a first line of
  // the column captions, then one line per row with its cell texts, in
  // column order, each line ended by CR LF. Tabs and line breaks inside
  // a cell become blanks, so that every row stays one line of a sheet.
  std::wstring RowsText(const std::vector<int>& rows) const;
  // Cell rectangle relative to the grid (from TopRow, RowHeight and the
  // column widths in display order).
  Rect CellRect(int row, int column) const;

  // ---- Sorting ----
  int SortColumn() const { return sortColumn_; }  // -1: none
  SortDirection GetSortDirection() const { return sortDirection_; }
  // Sets the header's sort column and direction (no sorting, no colours).
  void SetSortColumn(int column);
  void SetSortDirection(SortDirection d);
  // The sorted column's background (others get clSysWindow).
  Color SortColumnColor() const { return sortColumnColor_; }
  void SetSortColumnColor(Color c) { sortColumnColor_ = c; }
  // Stable sort of the rows by OnSortKeys (when it keys the column) or OnCompare on
  // SortColumn in SortDirection; focus, selection and check states follow
  // their rows. Nothing when there is no sort column or neither event.
  void Sort();

  // ---- In-place editing ----
  // Starts editing a cell when OnEditing allows it: the editor (from
  // OnCreateEditor, else the grid's own plain text field) gets the cell's
  // text, is laid over the cell, shown and focused. Returns whether an
  // edit began.
  bool EditCell(int row, int column);
  bool IsEditing() const { return editRow_ >= 0; }
  int EditRow() const { return editRow_; }
  int EditColumn() const { return editColumn_; }
  Component* Editor() const { return editor_; }
  // Commits: OnNewText(row, column, editor text), editor hidden, focus
  // back to the grid. Returns false when nothing was being edited.
  bool EndEdit();
  // Abandons the edit: editor hidden, focus back to the grid.
  void CancelEdit();
  // A click started a delayed edit that has not begun yet.
  bool EditPending() const { return pendingRow_ >= 0; }

  // ---- Header state ----
  // Widths, order, visibility, sort column and direction as bytes
  // (version byte first). RestoreHeaderState ignores a blob that does not
  // fit this grid's columns or is malformed and returns false.
  std::vector<std::uint8_t> SaveHeaderState() const;
  bool RestoreHeaderState(const std::vector<std::uint8_t>& bytes);

  // ---- Events ----
  // Cell text, asked for on demand.
  std::function<std::wstring(int row, std::int32_t id, int column)> OnGetText;
  // Paint hints (bold, colour, image) of a cell.
  std::function<void(int row, std::int32_t id, int column, CellStyle& style)> OnPaintCell;
  // Sort comparison: <0, 0, >0 as for ascending order on the column.
  std::function<int(std::int32_t idA, std::int32_t idB, int column)> OnCompare;
  // The sort keys of every row on the column, asked once per sort: keys
  // gets one per id, in the order of ids, and the rows sort by them (rows
  // of equal key keep their order, as OnCompare returning 0). Returns
  // false for a column it does not key: OnCompare sorts that one.
  std::function<bool(int column, const std::vector<std::int32_t>& ids, std::vector<std::uint64_t>& keys)>
      OnSortKeys;
  // Around a sort (a dialog may prepare sort keys for the column).
  std::function<void(int column)> OnBeforeSort;
  std::function<void(int column)> OnAfterSort;
  // After a header click has been handled (sorted or not).
  std::function<void(int column, MouseButton button)> OnHeaderClick;
  // The focused row moved (also to -1).
  std::function<void()> OnFocusChanged;
  // A check state changed (-1: several rows at once).
  std::function<void(int row)> OnChecked;
  // Whether a cell may be edited (none: no cell can).
  std::function<bool(int row, int column)> OnEditing;
  // The editor for a cell: a control of the form (e.g. a numeric field),
  // or nullptr for the grid's plain text field.
  std::function<Component*(int row, int column)> OnCreateEditor;
  // The edited text is committed.
  std::function<void(int row, int column, const std::wstring& text)> OnNewText;
  // Whether a row's text in the type-ahead column starts with prefix
  // (none: the cell text compared without regard to case). A dialog with
  // many rows gives a test that formats nothing.
  std::function<bool(std::int32_t id, int column, const std::wstring& prefix)> OnTypeAheadMatch;
  // The edit ended (committed or cancelled).
  std::function<void(int row, int column, bool committed)> OnEdited;

  // Drops every reaction above. A dialog whose reactions reach data that
  // it frees before its components (a model, sort keys) calls this first
  // in its destructor, so the grid cannot call back into freed data while
  // the form tears its windows down.
  void DetachEvents();

  // ---- User operations ----
  // Click on a column header: with any button but the right one, the
  // previous sort column goes back to clSysWindow, the direction is
  // reversed (also for a new column), the clicked column becomes the sort
  // column in SortColumnColor, and the rows are sorted. Then
  // OnHeaderClick.
  void UserClickHeader(int column, MouseButton button = MouseButton::Left);
  // Click on a cell (column -1: beside the columns): focus to the grid,
  // row focused and selected; on an editable cell with EditOnClick and the
  // left button an edit is pending until UserEditDelayElapsed (another
  // button only focuses the row). A click on another row ends an edit in
  // progress (commit).
  // With MultiSelect, the left button with Ctrl toggles the row's
  // selection, with Shift selects from the anchor (the row of the last
  // plain or Ctrl click) to the row, with both adds that span; neither
  // starts an edit. A right click on a selected row keeps the selection.
  void UserClickRow(int row, int column = 0, MouseButton button = MouseButton::Left, ShiftState shift = {});
  // Double-click on a row: focus to the grid, the row focused, then
  // OnDblClick. Row -1 (or any row the grid does not have): beside the
  // rows, below the last one or in an empty grid; focus to the grid, the
  // focused row stays, then OnDblClick all the same.
  void UserDoubleClickRow(int row);
  // The edit delay ran out: a pending edit begins.
  void UserEditDelayElapsed();
  // Click on a row's check box.
  void UserToggleCheck(int row);
  // Header divider dragged / column dragged to another position.
  void UserResizeColumn(int column, int width);
  void UserMoveColumn(int column, int newPosition);
  // Scripted whole edit: click the cell, let the delay run out, select
  // the editor's text and type text through its key filters. The edit
  // stays open: UserCommitEdit (Enter) or UserCancelEdit (Escape).
  // Returns whether an edit is open.
  bool UserEditCell(int row, int column, const std::wstring& text);
  void UserCommitEdit();
  void UserCancelEdit();

  void DoExit() override;

protected:
  bool DefaultKeyDown(int key, ShiftState shift) override;
  void DefaultChar(wchar_t ch) override;

private:
  bool EditorKeyDown(Component& editor, int key) override;
  void EditorExited(Component& editor) override;
  void CheckRow(int row) const;
  void RowsChanged(Property p);
  void FocusChanged();
  void FinishEdit(bool commit);
  int VisibleRowCount() const;
  void SetFocusedRowImpl(int row, bool select);
  Edit& PlainEditor();
  // Multiple selection helpers.
  void MarkSelection(int first, int last);
  void ClearSelectionBits();
  void SetSelectionBit(int row, bool v);
  void SelectOnly(int row);
  void MoveTo(int row, ShiftState shift);
  bool TypeAheadMatches(int row, const std::wstring& prefix) const;

  std::vector<TreeColumn> columns_;
  std::vector<std::int32_t> ids_;
  std::vector<std::uint8_t> checked_;
  int checkedCount_ = 0;
  int focusedRow_ = -1, selectedRow_ = -1, topRow_ = 0, focusedColumn_ = 0;
  int sortColumn_ = -1;
  SortDirection sortDirection_ = SortDirection::Ascending;
  Color sortColumnColor_ = clSysMenu;
  bool checkBoxes_ = false, fullRowSelect_ = true, gridLines_ = false, sortable_ = true;
  bool headerVisible_ = true;
  bool editOnClick_ = true;
  int editDelay_ = 500;
  int rowHeight_ = 18, headerHeight_ = 20;
  ImageList* images_ = nullptr;
  int updateCount_ = 0;
  bool pendingRows_ = false, pendingRepaint_ = false, pendingFocus_ = false;
  bool pendingColumns_ = false, pendingChecked_ = false;
  int pendingCheckedRow_ = -2;
  // editing
  int editRow_ = -1, editColumn_ = -1;
  int pendingRow_ = -1, pendingColumn_ = -1;
  Component* editor_ = nullptr;
  Edit* plainEditor_ = nullptr;
  bool finishingEdit_ = false;
  // several selected rows
  bool multiSelect_ = false;
  std::vector<std::uint8_t> selected_;
  int selectedCount_ = 0;
  int selLo_ = 0, selHi_ = -1;      // every selected row lies in between
  int dirtyLo_ = 0, dirtyHi_ = -1;  // selection changes not yet taken
  int anchorRow_ = -1;
  // type-ahead
  int typeAheadColumn_ = -1;
  Clock* clock_ = nullptr;
  std::wstring typeAhead_;
  std::uint64_t typeAheadAt_ = 0;
  int typeAheadRow_ = -1;
};

}  // namespace topaline::ui
