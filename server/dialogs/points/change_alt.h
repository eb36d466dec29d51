// Change altitude (command 15): how the host is to change the altitude of
// points, relative or absolute, with the new number of decimals and 2D or
// 3D. The choice goes to section "changealt".
#pragma once

#include "server/dialogs/common/vexa_edit.h"
#include "server/dialogs/common/dialog.h"

namespace topaline {

class TfrmChangeAlt : public TDialog {
public:
  explicit TfrmChangeAlt(Session& session);

  ui::GroupBox* GroupBox5;
  ui::RadioButton* relatif;
  ui::Label* Label1;
  TVexaEdit* valadd;
  ui::RadioButton* absolu;
  ui::Label* Label3;
  TVexaEdit* moveto;
  ui::Label* Label2;
  ui::ComboBox* numdec;
  ui::GroupBox* GroupBox1;
  ui::RadioButton* set2d;
  ui::RadioButton* set3d;

protected:
  void Apply() override;
  void Showing() override;

private:
  void UpdateEnabling();
};

// Command 15: loads section "changealt" and shows the dialog.
void ChangeAltitude(Session& session);

}  // namespace topaline
