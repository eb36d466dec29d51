// Rotation of attributes (command 7): which attributes of the points get
// a new rotation angle, and the angle, or the user shows it on screen.
// The choice goes to section "rotationattrib".
#pragma once

#include "server/dialogs/common/vexa_edit.h"
#include "server/dialogs/layout/attribute_dialog.h"

namespace topaline {

class TfrmRotation : public TAttributeDialog {
public:
  explicit TfrmRotation(Session& session);

  ui::GroupBox* GroupBox2;
  ui::Label* Label2;
  TVexaEdit* angle;
  ui::CheckBox* onscreen;

private:
  // The angle is typed only when it is not shown on screen.
  void OnScreenChanged();
};

// Command 7: loads section "rotationattrib" and shows the dialog.
void AttributeRotation(Session& session);

}  // namespace topaline
