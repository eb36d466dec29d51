// Entity filter (command 8): which of the objects that make up a point the
// host is to select. The choice goes to section "filtre".
#pragma once

#include "server/dialogs/common/dialog.h"

namespace topaline {

class TfrmFiltreEnt : public TDialog {
public:
  explicit TfrmFiltreEnt(Session& session);

  ui::GroupBox* GroupBox1;
  ui::Label* Label1;
  ui::CheckBox* point;
  ui::CheckBox* num;
  ui::CheckBox* alt;
  ui::CheckBox* des;

protected:
  void Apply() override;
};

// Command 8: loads section "filtre" and shows the dialog.
void FilterEntities(Session& session);

}  // namespace topaline
