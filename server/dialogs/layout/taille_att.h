// Size of attributes (command 6): which attributes of the points get a
// new text height, and that height (a distance, or a percentage of the
// present one with a trailing "%"). The choice goes to section
// "tailleattrib".
#pragma once

#include "server/dialogs/layout/attribute_dialog.h"

namespace topaline {

class TfrmTailleAtt : public TAttributeDialog {
public:
  explicit TfrmTailleAtt(Session& session);

  ui::GroupBox* GroupBox2;
  ui::Label* Label2;
  ui::Edit* httxt;
  ui::Label* Label3;

protected:
  // The height is checked again as leaving it does: a text that is no
  // number never reaches the host.
  bool CheckFields() override;
};

// Command 6: loads section "tailleattrib" and shows the dialog.
void AttributeSize(Session& session);

}  // namespace topaline
