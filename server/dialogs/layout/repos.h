// Reposition objects (command 10): which kinds of drawing object the host
// moves onto nearby points, the search radius, 2D or 3D and, in 3D,
// whether the objects keep their original Z. The choice goes to section
// "reposition".
#pragma once

#include "server/dialogs/common/dialog.h"
#include "server/dialogs/common/vexa_edit.h"

namespace topaline {

class TfrmRepos : public TDialog {
public:
  explicit TfrmRepos(Session& session);

  ui::GroupBox* GroupBox1;
  ui::CheckBox* polyligne;
  ui::CheckBox* ligne;
  ui::CheckBox* spline;
  ui::CheckBox* cercle;
  ui::CheckBox* arc;
  ui::CheckBox* bloc;
  ui::GroupBox* GroupBox2;
  ui::Label* Label1;
  TVexaEdit* rayrech;
  ui::CheckBox* keepz;
  ui::RadioButton* c2d;
  ui::RadioButton* c3d;

protected:
  void Apply() override;
  void Showing() override;

private:
  // keepz applies in 3D only.
  void UpdateKeepZ();
};

// Command 10: loads section "reposition" and shows the dialog.
void RepositionObjects(Session& session);

}  // namespace topaline
