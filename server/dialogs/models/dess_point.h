// Draw points (command 12): how the new points are numbered, what is
// asked at each insertion, where the altitude comes from, and the point
// model, scale and prefix. The choice goes to section "dessinpoint"; the
// host lets the user place the points.
#pragma once

#include "server/dialogs/models/point_dialog.h"

namespace topaline {

class TfrmDessPoint : public TPointDialog {
public:
  TfrmDessPoint(Session& session, PointModelForms& forms);

  ui::GroupBox* GroupBox1;
  TVexaEdit* increment;
  ui::GroupBox* GroupBox2;
  ui::CheckBox* asknum;
  ui::CheckBox* askdes;
  ui::RadioButton* altauto;
  ui::RadioButton* altask;
  ui::RadioButton* altconst;
  TVexaEdit* altval;

protected:
  void Apply() override;

private:
  void AltitudeRule();
};

// Command 12.
void DrawPoints(Session& session);

}  // namespace topaline
