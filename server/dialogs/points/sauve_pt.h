// Save points to a file (command 9): the file the host is to write, its
// type (delimited text or GSI) and layout, and the renumbering. The
// dialog writes no file: Apply saves the choices, with the answer of the
// existing-file question, into section "sauvepoints".
#pragma once

#include "server/dialogs/common/dialog.h"
#include "server/dialogs/common/vexa_edit.h"

namespace topaline {

// The question asked when the chosen file exists: append the points
// (mrYes), replace the content (mrNo) or back to the dialog (mrCancel:
// also Escape and the close box). Enter appends.
class TForm23 : public TDialog {
public:
  explicit TForm23(Session& session);

  ui::Image* Image1;
  ui::Label* Label1;
  ui::Button* Button1;
  ui::Button* Button2;
  ui::Button* Button3;

protected:
  void Apply() override {}
  void Showing() override;
};

class TfrmSauvePt : public TDialog {
public:
  TfrmSauvePt(Session& session, TForm23& existingFile);

  ui::ImageList* ImageList1;
  ui::GroupBox* GroupBox1;
  ui::Label* Label1;
  ui::Edit* nomfic;
  ui::Button* BitBtn7;
  ui::Button* BitBtn1;
  ui::Label* Label2;
  ui::ComboBox* typfic;
  ui::Panel* Panel1;  // the text file's layout
  ui::Label* Label3;
  ui::ComboBox* cn;
  ui::Label* Label4;
  ui::ComboBox* cx;
  ui::Label* Label5;
  ui::ComboBox* cy;
  ui::Label* Label6;
  ui::ComboBox* cz;
  ui::Label* Label7;
  ui::ComboBox* cdes;
  ui::Label* Label8;
  ui::ComboBox* separ;
  ui::Label* Label9;
  ui::ComboBox* nbdec;
  ui::Panel* Panel2;  // the GSI file's layout
  ui::RadioButton* gsi8;
  ui::RadioButton* gsi16;
  ui::Label* Label10;
  ui::ComboBox* gsidec;
  ui::Panel* Panel3;  // renumbering
  ui::CheckBox* renum;
  ui::Label* Label11;
  TVexaEdit* startat;
  ui::Label* Label12;
  TVexaEdit* increment;
  ui::CheckBox* ecrase;  // never shown: the existing-file answer, 1 = replace

protected:
  // No file name, or the name of a folder: label 711. An existing file:
  // the question decides ecrase, or the dialog stays.
  void Apply() override;
  void Showing() override;

private:
  // Only the chosen type's panel is enabled (none with no type chosen).
  void FileTypeChanged();
  void RenumberClicked();
  void BrowseClicked();
  void ViewClicked();

  TForm23& existingFile_;
};

// Command 9: loads section "sauvepoints" and shows the dialog.
void SavePoints(Session& session);

}  // namespace topaline
