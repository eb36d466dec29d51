// What the size (command 6) and rotation (command 7) dialogs share: the
// " Attributs " group in which the user ticks the attributes of the
// points the host is to change (number, altitude, description), and the
// Apply that refuses when none is ticked.
#pragma once

#include "server/dialogs/common/dialog.h"

namespace topaline {

class TAttributeDialog : public TDialog {
public:
  ui::GroupBox* GroupBox1;
  ui::Label* Label1;
  ui::CheckBox* num;
  ui::CheckBox* alt;
  ui::CheckBox* des;

protected:
  // Creates the group at the top of the client area (kGroupHeight high).
  TAttributeDialog(Session& session, std::wstring name, std::wstring helpTopic, std::wstring section);

  // No attribute ticked: label 709 and the dialog stays; otherwise the
  // dialog's own checks (CheckFields), then the section is saved.
  void Apply() final;
  // The dialog's further checks; false stops Apply (the check has told
  // the user why).
  virtual bool CheckFields() { return true; }

  static constexpr int kWidth = 313;        // client width
  static constexpr int kGroupHeight = 100;  // GroupBox1, from top 8
};

}  // namespace topaline
