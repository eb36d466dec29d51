// Points list (commands 1 and 2): the points of AXPoints, one row each,
// with number, X, Y, Z and description. Command 1 only shows them;
// command 2 lets the user correct X, Y and Z in place, reset points to
// their values at load, and hands the changed points back in AXPoints.
//
// The list is built for a million points: the model is a view over the
// host's array (TPointsView) that converts a point only when its row is
// shown, edited, reset, sorted or written back; rows are plain indices into
// it, and sorting makes one key per point before a stable sort of the
// indices.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "server/core/points_view.h"
#include "server/dialogs/common/vexa_edit.h"
#include "server/dialogs/common/dialog.h"
#include "server/dialogs/common/undo_history.h"
#include "ui/tree_grid.h"

namespace topaline {

// The cell editor of the list: a borderless, right-aligned numeric field
// of the decimal kind laid over the cell. While it edits a cell it keeps
// its text as typed when it loses the focus: the grid commits that text
// and the list converts it, so leaving the editor and pressing Enter store
// the same value (the field's own rounding to its decimals on leaving
// would otherwise change what the user typed).
class TPropsEditLink : public TVexaEdit {
public:
  TPropsEditLink(ui::Form& owner, ui::Component* parent, std::wstring name);
  void DoExit() override;
};

class TfrmListePoints : public TDialog {
public:
  enum Column { colNumero = 0, colX = 1, colY = 2, colZ = 3, colDesc = 4 };

  explicit TfrmListePoints(Session& session);

  // The entry routine: mode (false: viewing, true: editing), section
  // "liste", a fresh model from AXPoints, one row per point, then the
  // dialog modally. Returns the modal result.
  int Execute(bool editing);

  bool Editing() const { return editing_; }
  // Decimals of the coordinates as shown (the numdec item).
  int Decimals() const { return decimals_; }
  // The text of a coordinate as the list shows it.
  std::wstring CoordText(double v) const;

  // Ctrl+C: the selected rows, in display order, as tab-separated text
  // (a line of column captions first, the cells as shown) on the
  // clipboard.
  void CopySelection();
  // Ctrl+Z / Ctrl+Y: the last coordinate edit or reset taken back / done
  // again, as far back as the list was opened (editing mode).
  void Undo();
  void Redo();

  // The points: a view over AXPoints; rows carry the index of their point.
  TPointsView Points;

  ui::Panel* Panel1;
  ui::Label* Label1;
  ui::Label* Label2;
  ui::Label* Label3;
  ui::ComboBox* numdec;
  ui::ToolBar* ToolBar2;
  ui::ToolButton* btReinit;
  ui::ToolButton* btReinitAll;
  ui::Panel* Panel2;
  ui::StatusBar* StatusBar1;
  ui::TreeGrid* TVPoints;
  TPropsEditLink* EditLink;

protected:
  void Apply() override;
  void Showing() override;
  void Closing() override;
  bool EscapeCloses() const override;

private:
  std::size_t PointOfRow(int row) const;
  std::wstring CellText(std::int32_t id, int column) const;
  void DecimalsChanged();
  void ResetSelected();
  void ResetAll();
  void ListKeyDown(int& key, ui::ShiftState shift);
  bool NumberStartsWith(std::int32_t id, const std::wstring& prefix) const;
  // One undo step: the points an action changed, each before and after.
  struct PointChange {
    std::size_t index;
    TPointsView::PointState before, after;
  };
  using Step = std::vector<PointChange>;
  // Reset point i, adding it to step when that changes it.
  void ResetInto(std::size_t i, Step& step);
  void Record(Step step);
  void Replay(const Step& step, bool forward);
  void CommitCell(int row, int column, const std::wstring& text);
  void PrepareSortKeys(int column);
  void ClearSortKeys();
  std::wstring_view DescKey(std::int32_t id) const;
  int CompareRows(std::int32_t a, std::int32_t b, int column) const;

  bool editing_ = false;
  int decimals_ = 3;
  // The text the open editor started with.
  std::wstring editStartText_;
  // A commit was refused while the focus was moving to btAppliquer: the
  // click that follows must not apply.
  bool applyBlocked_ = false;
  // Sort keys by model index, alive during one sort: numbers, or the
  // folded descriptions one after the other (point i's from descStart_[i]
  // to descStart_[i + 1]).
  std::vector<double> sortKeys_;
  std::vector<wchar_t> descKeys_;
  std::vector<std::size_t> descStart_;
  UndoHistory<Step> history_;
};

// Command 1: the list in viewing mode.
void ListPoints(Session& session);
// Command 2: the list in editing mode; Apply writes the modified points
// to AXPoints and sets resultat to 1.
void EditPoints(Session& session);

}  // namespace topaline
