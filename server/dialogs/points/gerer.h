// Group manager (command 0): the groups of points of the drawing, created,
// renamed, described, deleted and made current in place, and the actions
// on a group's points that the host performs once the dialog has closed
// (the action's code in resultat, the group's Id in alldata, the groups
// as they now stand in AXGroupes).
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "server/core/exchange_model.h"
#include "server/dialogs/dialog.h"
#include "ui/tree_grid.h"

namespace topaline {

class TfrmFiltrePoints;

// The codes the manager leaves in resultat.
enum class GererAction : std::int32_t {
  Apply = 1,
  Liste = 2,
  DelElts = 3,
  AddSel = 4,
  RemoveSel = 5,
  AddCrit = 6,
  RemoveCrit = 7,
};

// Sort comparison of two groups on a column of the group lists: names and
// descriptions without regard to case (ASCII letters folded, other
// characters by code), the three counts numerically. <0, 0, >0.
int CompareGroups(const TUnGroupe& a, const TUnGroupe& b, int column);
// The text of a group's cell in the group lists.
std::wstring GroupCellText(const TUnGroupe& g, int column);
// The five columns shared by the group lists: captions from labels 611 to
// 615, counts right-aligned.
void AddGroupColumns(ui::TreeGrid& grid);
void LabelGroupColumns(Session& session, ui::TreeGrid& grid);
// Reads the groups from AXGroupes into `groupes` (a fresh set) and gives
// the grid one row per group, in the set's order.
void LoadGroupRows(Session& session, TDesGroupes& groupes, ui::TreeGrid& grid);

// Sort keys of one sort of a group list: every group's rank on the sorted
// column, computed once per sort directly on the model, so that the tree's
// comparisons are two lookups instead of two searches and a text compare.
class TGroupRanks {
public:
  void Build(const TDesGroupes& groupes, int column);
  void Clear();
  bool Built() const { return built_; }
  // Ranks of two groups' Ids; an Id that names no group ranks last.
  int Compare(std::int32_t a, std::int32_t b) const;

private:
  std::uint32_t RankOf(std::int32_t id) const;

  bool built_ = false;
  bool dense_ = false;
  std::int64_t minId_ = 0;
  std::vector<std::uint32_t> byId_;  // dense: rank + 1 at Id - minId_ (0: no group)
  std::unordered_map<std::int32_t, std::uint32_t> sparse_;
};

// Wires a group list's sorting (OnBeforeSort, OnCompare, OnAfterSort) to
// the groups through the ranks.
void SortGroupsBy(ui::TreeGrid& grid, const TDesGroupes& groupes, TGroupRanks& ranks);

class TfrmGerer : public TDialog {
public:
  // filter: the point filter shown by the two actions by criteria.
  TfrmGerer(Session& session, TfrmFiltrePoints& filter);
  ~TfrmGerer() override;

  // Builds the groups from AXGroupes, fills and sorts the tree, shows the
  // dialog.
  void Execute();

  const TDesGroupes& Groupes() const { return groupes_; }

  ui::ImageList* ImageList1;
  ui::GroupBox* GroupBox1;
  ui::TreeGrid* TVGroupes;
  ui::ToolBar* ToolBar2;
  ui::ToolButton* btNew;
  ui::ToolButton* btDel;
  ui::ToolButton* btCourant;
  ui::ToolBar* tbActions;
  ui::ToolButton* btListe;
  ui::ToolButton* btDelElts;
  ui::ToolButton* btAddSel;
  ui::ToolButton* btRemoveSel;
  ui::ToolButton* btAddCrit;
  ui::ToolButton* btRemoveCrit;
  ui::ToolBar* ToolBar1;
  ui::ToolButton* btClose;
  ui::ToolButton* ToolButton3;
  ui::ToolButton* ToolButton1;
  ui::StatusBar* StatusBar1;

protected:
  void Apply() override;

private:
  ui::ToolButton& AddAction(const wchar_t* name, const wchar_t* hint, int label, int image, GererAction action);
  void Opening();
  void Closing();
  void UpdateButtons();
  void NewGroup();
  void DeleteGroup();
  void MakeCurrent();
  void CellEdited(int row, int column, const std::wstring& text);
  void RunAction(GererAction action);
  // The focused group's Id; false when no row is focused.
  bool FocusedId(std::int32_t& id) const;
  const TUnGroupe* GroupOfRow(std::int32_t id) const;

  TfrmFiltrePoints& filter_;
  TDesGroupes groupes_;
  TGroupRanks ranks_;
  bool ready_ = false;  // the model exists and the tree is not being destroyed
};

// Command 0: creates the point filter and the group manager, runs the
// manager.
void ManageGroups(Session& session);

}  // namespace topaline
