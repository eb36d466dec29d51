#include "server/dialogs/models/cree_points.h"

#include "server/core/session.h"

namespace topaline {

TfrmCreePoints::TfrmCreePoints(Session& session, PointModelForms& forms)
    : TPointDialog(session, forms, L"frmCreePoints", L"tlcrepoint", L"immat") {
  using namespace design;
  using ui::Label, ui::CheckBox;
  SetCaption(L" Topaline - Créer des points sur des entités");
  SetHelpContext(100);
  SetClientSize(377, 353);

  MakeCurrentGroup(10);
  increment = MakeNumbering(GroupBox1);
  GroupBox2 = Make<ui::GroupBox>(this, L"GroupBox2", {8, 94, 361, 100}, L" Options ", 101);
  pointcentre = Make<CheckBox>(GroupBox2, L"pointcentre", {12, 20, 337, kCheckHeight},
                               L"Créer un point au centre des cercles et des arcs", 102);
  pointmilieu = Make<CheckBox>(GroupBox2, L"pointmilieu", {12, 42, 337, kCheckHeight},
                               L"Créer un point au milieu des arcs", 103);
  Make<Label>(GroupBox2, L"LabDefDes", {12, 72, 190, kTextHeight}, L"Texte de la description par défaut : ", 104);
  defdes = Make<ui::Edit>(GroupBox2, L"defdes", {204, 68, 145, kEditHeight});
  MakeParameters({8, 202, 361, 108}, L"Format Editor...", L"Format Editor...");
  AddButtonRow(320);

  increment->SetTypeValeur(TTypeValeur::tvInteger);
  increment->SetNumDec(0);
  increment->SetMinValue(1);
  increment->SetHasMaxValue(false);
  defdes->SetText(L"defdes");

  FinishCreation();
}

void TfrmCreePoints::Apply() {
  if (!ModelChosen()) return;
  Accept();
}

void CreatePointsOnEntities(Session& session) { RunPointCommand<TfrmCreePoints>(session); }

}  // namespace topaline
