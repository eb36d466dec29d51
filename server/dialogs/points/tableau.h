// Coordinates table (command 3): which columns the host's table of point
// coordinates has, their titles and decimals, the table's layer, text
// height, title, number of lines and ruling. The choice goes to section
// "tableau".
#pragma once

#include "server/dialogs/common/dialog.h"
#include "server/dialogs/common/vexa_edit.h"

namespace topaline {

class TfrmCalques;

class TfrmTableau : public TDialog {
public:
  // layers: the command's layer list (its picker button does nothing
  // without one).
  TfrmTableau(Session& session, TfrmCalques* layers);

  ui::GroupBox* GroupBox1;
  ui::CheckBox* crept;
  ui::Edit* colnum;
  ui::CheckBox* crex;
  ui::ComboBox* decx;
  ui::Edit* colx;
  ui::CheckBox* crey;
  ui::ComboBox* decy;
  ui::Edit* coly;
  ui::CheckBox* crez;
  ui::ComboBox* decz;
  ui::Edit* colz;
  ui::CheckBox* credes;
  ui::Edit* coldes;
  ui::GroupBox* GroupBox12;
  ui::Edit* calque;
  ui::Button* BitBtn1;
  TVexaEdit* httxt;
  ui::Edit* titre;
  TVexaEdit* nblig;
  ui::CheckBox* crelig;

protected:
  void Apply() override;

private:
  ui::Panel* AddColumnPanel(int index, ui::CheckBox*& box, const wchar_t* name, const wchar_t* caption, int label,
                            ui::ComboBox** decimals, const wchar_t* decimalsName, ui::Edit*& title,
                            const wchar_t* titleName, const wchar_t* titleText);

  TfrmCalques* layers_;
  ui::ImageList* ImageList1;
};

// Command 3, once the layer list exists: loads section "tableau" and
// shows the dialog.
void CoordinatesTable(Session& session, TfrmCalques* layers);

}  // namespace topaline
