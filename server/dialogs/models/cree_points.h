// Create points on entities (command 13): how the new points are
// numbered, the extra points at centres and middles of arcs, the default
// description, and the point model, scale and prefix. The choice goes to
// section "immat"; the host creates the points.
#pragma once

#include "server/dialogs/models/point_dialog.h"

namespace topaline {

class TfrmCreePoints : public TPointDialog {
public:
  TfrmCreePoints(Session& session, PointModelForms& forms);

  ui::GroupBox* GroupBox1;
  TVexaEdit* increment;
  ui::GroupBox* GroupBox2;
  ui::CheckBox* pointcentre;
  ui::CheckBox* pointmilieu;
  ui::Edit* defdes;

protected:
  void Apply() override;
};

// Command 13.
void CreatePointsOnEntities(Session& session);

}  // namespace topaline
