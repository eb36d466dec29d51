// Program options (command 16): the two program-wide options of section
// "options", the layer warning switch and the entry window at start-up.
#pragma once

#include "server/dialogs/common/dialog.h"

namespace topaline {

class TfrmOptions : public TDialog {
public:
  explicit TfrmOptions(Session& session);

  ui::GroupBox* GroupBox1;
  ui::CheckBox* showbox;
  ui::CheckBox* avertcalq;

protected:
  void Apply() override;
};

// Command 16: loads section "options" and shows the dialog.
void ProgramOptions(Session& session);

}  // namespace topaline
