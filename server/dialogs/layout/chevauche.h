// Keep attributes from overlapping (command 5): which attribute of the
// points the host keeps apart, with what margin around its text (a
// distance, or a percentage with a trailing "%"), and the layer the
// treated attributes go to. The choice goes to section "chevauche".
#pragma once

#include <functional>
#include <string>

#include "server/dialogs/common/dialog.h"

namespace topaline {

class TfrmChevauche : public TDialog {
public:
  // chooseLayer shows the layer list and returns the chosen layer, "" when
  // none was chosen.
  TfrmChevauche(Session& session, std::function<std::wstring()> chooseLayer);

  ui::GroupBox* GroupBox1;
  ui::Label* Label1;
  ui::ComboBox* attname;
  ui::Label* Label2;
  ui::Edit* dectext;
  ui::Label* Label3;
  ui::GroupBox* GroupBox2;
  ui::Label* Label4;
  ui::Edit* calque;
  ui::Button* BitBtn1;

protected:
  // The layer must be named (label 710) and, when it is frozen or off,
  // confirmed; the margin is checked again as leaving it does.
  void Apply() override;

private:
  void ChooseLayerClicked();

  std::function<std::wstring()> chooseLayer_;
};

}  // namespace topaline
