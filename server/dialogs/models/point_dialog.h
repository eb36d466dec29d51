// What the three point-creating dialogs (load a points file, draw points,
// create points on entities) share: the forms their command creates
// before them, the current group with the number the new points start
// at, and the parameters (point model with its chooser, scale, prefix).
#pragma once

#include <string>

#include "server/dialogs/common/dialog.h"
#include "server/dialogs/common/pickers.h"
#include "server/dialogs/common/vexa_edit.h"
#include "server/dialogs/models/model_editor.h"
#include "server/dialogs/models/name_prompt.h"

namespace topaline {

// The forms a point-creating command creates before its own dialog, in
// this order, with the model store they share.
class PointModelForms {
public:
  explicit PointModelForms(Session& session);
  // The editor opens the given pickers instead of the command's (tests).
  PointModelForms(Session& session, ModelPickers editorPickers);

  PointModels models;
  TForm13 Form13;
  TForm14 Form14;
  // The layer list and the colour picker, before the editor that uses them.
  Pickers pickers;
  TfrmEditModel frmEditModel;
};

// Run loads the model store into models before the section, whose
// models value then selects among them, and after the section shows the
// current group and its last number + 1 (in place of the loaded one).
class TPointDialog : public TDialog {
public:
  ui::Label* LabGroupe = nullptr;
  ui::Label* labNomGrp = nullptr;
  TVexaEdit* startat = nullptr;
  ui::Button* BitBtn8 = nullptr;
  ui::GroupBox* GroupBoxParams = nullptr;
  ui::ComboBox* models = nullptr;
  ui::Button* SpeedButton14 = nullptr;
  ui::ComboBox* echelle = nullptr;
  ui::Edit* prefixe = nullptr;
  ui::Button* SpeedButton1 = nullptr;

protected:
  TPointDialog(Session& session, PointModelForms& forms, std::wstring name, std::wstring helpTopic,
               std::wstring section);

  // " Groupe courant : " and the group's name in bold, at top.
  void MakeCurrentGroup(int top);
  // startat (whole number from minimum) and BitBtn8 at their places.
  void MakeStartAt(ui::Component* parent, const ui::Rect& field, const ui::Rect& button, double minimum);
  // The group " Numéros des Points " below the current group, for the
  // commands that number the points they create: the start number and the
  // increment (returned). The group goes to box.
  TVexaEdit* MakeNumbering(ui::GroupBox*& box);
  // The group " Paramètres " at its place: model, scale, prefix.
  void MakeParameters(const ui::Rect& group, const wchar_t* editHint, const wchar_t* prefixHint);
  // Refuses an Apply with no model (label 710 on models) where the section
  // would receive the model's name: an empty name never reaches the host.
  // A section without a models value receives none, and nothing is tested.
  bool ModelChosen();

  PointModelForms& forms_;
  ui::ImageList* ButtonImages;  // the picture buttons' strip

private:
  void BeforeLoading() override;
  void AfterLoading() override;
  void ShowNextNumber();
  void EditModel();
  std::int64_t lastNumber_ = 0;
};

// A point-creating command: its forms in their order, then its dialog.
template <class Dialog>
void RunPointCommand(Session& session) {
  PointModelForms forms(session);
  Dialog(session, forms).Run();
}

}  // namespace topaline
