#include "server/dialogs/models/dess_point.h"

#include "server/core/session.h"

namespace topaline {

TfrmDessPoint::TfrmDessPoint(Session& session, PointModelForms& forms)
    : TPointDialog(session, forms, L"frmDessPoint", L"tldespoint", L"dessinpoint") {
  using namespace design;
  using ui::Label, ui::CheckBox, ui::RadioButton;
  SetCaption(L" Topaline - Dessiner des points");
  SetHelpContext(90);
  SetClientSize(377, 369);

  MakeCurrentGroup(10);
  increment = MakeNumbering(GroupBox1);
  GroupBox2 = Make<ui::GroupBox>(this, L"GroupBox2", {8, 94, 361, 116}, L" Options d'insertion ", 91);
  asknum = Make<CheckBox>(GroupBox2, L"asknum", {12, 20, 337, kCheckHeight}, L"Demander le numéro du point à l'insertion", 92);
  askdes = Make<CheckBox>(GroupBox2, L"askdes", {12, 42, 337, kCheckHeight},
                          L"Demander le texte de la description à l'insertion", 93);
  Make<Label>(GroupBox2, L"LabAltitude", {12, 68, 200, kTextHeight}, L"Valeur de l'altitude : ", 94);
  altauto = Make<RadioButton>(GroupBox2, L"altauto", {12, 88, 92, kCheckHeight}, L"Automatique", 95);
  altask = Make<RadioButton>(GroupBox2, L"altask", {108, 88, 80, kCheckHeight}, L"Demander", 96);
  altconst = Make<RadioButton>(GroupBox2, L"altconst", {192, 88, 88, kCheckHeight}, L"Constante =", 97);
  altval = Make<TVexaEdit>(GroupBox2, L"altval", {282, 86, 67, kEditHeight});
  MakeParameters({8, 218, 361, 108}, L"Format Editor...", L"Format Editor...");
  AddButtonRow(336);

  increment->SetTypeValeur(TTypeValeur::tvInteger);
  increment->SetNumDec(0);
  increment->SetMinValue(1);
  increment->SetHasMaxValue(false);
  altval->SetNumDec(4);
  altval->SetHasMinValue(false);
  altval->SetHasMaxValue(false);
  for (RadioButton* r : {altauto, altask, altconst}) r->OnClick = [this] { AltitudeRule(); };

  Get<ui::Label>(L"LabAltitude").SetFocusControl(altval);  // the constant altitude's value
  FinishCreation();
}

void TfrmDessPoint::AltitudeRule() { altval->SetEnabled(altconst->Checked()); }

void TfrmDessPoint::Apply() {
  if (!ModelChosen()) return;
  Accept();
}

void DrawPoints(Session& session) { RunPointCommand<TfrmDessPoint>(session); }

}  // namespace topaline
