// The layer list: a small picker showing the drawing's layers as the host
// delivered them in AXCalques, returning the name of the one picked.
//
// Creating it builds Session::Layers (read by the layer warning check),
// which is why a command that has a layer field creates one list before
// its own dialog; the one list serves every opening during the command.
#pragma once

#include <string>

#include "server/dialogs/common/dialog.h"

namespace topaline {

class TfrmCalques : public TDialog {
public:
  explicit TfrmCalques(Session& session);
  ~TfrmCalques() override;

  // Shows the list from its first layer and waits: the Nom of the focused
  // layer when the user selects, "" when the user cancels or the list is
  // empty. Changes nothing else.
  std::wstring ChooseLayer();

  ui::ImageList* ImageList1;
  ui::Label* Label1;
  ui::TreeGrid* TVCalques;
  ui::ToolBar* ToolBar1;
  ui::ToolButton* btAppliquer;
  ui::ToolButton* btAnnule;
  ui::StatusBar* StatusBar1;

protected:
  void Apply() override;

private:
  void UpdateStatus();
};

// The caller's rule of a layer field: a chosen name replaces the field's
// text; a cancelled list leaves it as it was. No list (a command that
// created none): nothing happens.
void PickLayerInto(TfrmCalques* list, ui::Edit& field);

}  // namespace topaline
