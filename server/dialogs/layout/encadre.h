// Attribute frames (command 4): which attribute of the points the host
// frames, on which layer, with what gap around the text, in which colour,
// and whether attribute and frame are grouped. The choice goes to section
// "encadre".
#pragma once

#include "server/dialogs/common/dialog.h"

namespace topaline {

class TfrmCalques;
class TFormGetACCol;

class TfrmEncadre : public TDialog {
public:
  TfrmEncadre(Session& session, TfrmCalques* layers, TFormGetACCol* colours);

  ui::GroupBox* GroupBox1;
  ui::Label* Label5;
  ui::ComboBox* attname;
  ui::GroupBox* GroupBox2;
  ui::Label* Label1;
  ui::Edit* calque;
  ui::Button* BitBtn1;
  ui::CheckBox* mmcalq;
  ui::Label* Label2;
  ui::Edit* dectext;
  ui::Label* Label3;
  ui::CheckBox* grouper;
  ui::Label* Label4;
  ui::ColorSwatch* cadcolor;

protected:
  void Apply() override;
  void Showing() override;

private:
  void UpdateSameLayer();

  TfrmCalques* layers_;
  ui::ImageList* ImageList1;
};

// Command 4, once the layer list and the colour picker exist: loads
// section "encadre" and shows the dialog.
void AttributeFrames(Session& session, TfrmCalques* layers, TFormGetACCol* colours);

}  // namespace topaline
