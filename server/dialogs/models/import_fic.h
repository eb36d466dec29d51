// Load a points file (command 11): the file, its type, the columns and
// separator of a text file, the renumbering, what to do with duplicate
// numbers, and the point model, scale and prefix. The choice goes to
// section "importe"; the host reads the file.
#pragma once

#include "server/dialogs/models/point_dialog.h"

namespace topaline {

class TfrmImportFic : public TPointDialog {
public:
  TfrmImportFic(Session& session, PointModelForms& forms);

  ui::GroupBox* GroupBox1;
  ui::Edit* nomfic;
  ui::Button* BitBtn7;
  ui::Button* BitBtn1;
  ui::ComboBox* typfic;
  ui::Panel* PanColumns;
  ui::ComboBox* cn;
  ui::ComboBox* cx;
  ui::ComboBox* cy;
  ui::ComboBox* cz;
  ui::ComboBox* cdes;
  ui::ComboBox* separ;
  ui::Panel* PanRenum;
  ui::CheckBox* renum;
  TVexaEdit* increment;
  ui::ComboBox* cbPointsDup;

protected:
  void Apply() override;
  void Showing() override;

private:
  void FileTypeRule();
  void RenumberingRule();
  void Browse();
};

// Command 11.
void ImportPointsFile(Session& session);

}  // namespace topaline
