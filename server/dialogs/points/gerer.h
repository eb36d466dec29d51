// Group manager (command 0): the groups of points of the drawing, created,
// renamed, described, deleted and made current in place, and the actions
// on a group's points that the host performs once the dialog has closed
// (the action's code in resultat, the group's Id in alldata, the groups
// as they now stand in AXGroupes).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "server/dialogs/points/group_list.h"
#include "server/dialogs/common/dialog.h"
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
  void Showing() override;
  void Closing() override;

private:
  ui::ToolButton* AddAction(const wchar_t* name, const wchar_t* hint, int label, int image, GererAction action);
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
