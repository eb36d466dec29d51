// Group selection (command 14): the groups of the drawing with a check
// box each; Select hands the checked groups' Ids to the host in
// AXGroupes, in the order the list shows them.
#pragma once

#include <cstdint>
#include <string>

#include "server/core/exchange_model.h"
#include "server/dialogs/common/dialog.h"
#include "server/dialogs/points/group_list.h"
#include "ui/tree_grid.h"

namespace topaline {

// The status line: " n groupes | c sélectionnés." in the interface
// language ("fr", "en", "es"; no words for any other).
std::wstring GrpSelectStatus(const std::wstring& langue, std::size_t rows, std::size_t checked);

class TfrmGrpSelect : public TDialog {
public:
  explicit TfrmGrpSelect(Session& session);
  ~TfrmGrpSelect() override;

  // Builds the groups from AXGroupes, fills the list, shows the dialog.
  void Execute();

  const TDesGroupes& Groupes() const { return groupes_; }

  ui::Panel* Panel1;
  ui::Label* Label1;
  ui::Label* Label2;
  ui::TreeGrid* TVGroupes;
  ui::PopupMenu* PopupMenu1;
  ui::MenuItem* outcocher1;
  ui::MenuItem* outdecocher1;
  ui::StatusBar* StatusBar1;

protected:
  void Apply() override;
  void Showing() override;

private:
  void UpdateStatus();

  TDesGroupes groupes_;
  TGroupRanks ranks_;
  bool ready_ = false;  // the model exists and the list is not being destroyed
};

// Command 14.
void SelectGroups(Session& session);

}  // namespace topaline
