#include "server/dialogs/layout/repos.h"

#include "server/dialogs/common/message_box.h"
#include "server/dialogs/common/message_labels.h"

namespace topaline {

TfrmRepos::TfrmRepos(Session& session) : TDialog(session, L"frmRepos", L"tlrepos", L"reposition") {
  using namespace design;
  using ui::CheckBox, ui::RadioButton;
  SetCaption(L" Topaline - Repositionnement d'objets");
  SetHelpContext(110);
  SetClientSize(329, 261);

  GroupBox1 = Make<ui::GroupBox>(this, L"GroupBox1", {8, 8, 313, 92}, L" Objets à repositionner ", 111);
  polyligne = Make<CheckBox>(GroupBox1, L"polyligne", {16, 22, 130, kCheckHeight}, L"Polylignes", 112);
  ligne = Make<CheckBox>(GroupBox1, L"ligne", {16, 44, 130, kCheckHeight}, L"Lignes", 113);
  spline = Make<CheckBox>(GroupBox1, L"spline", {16, 66, 130, kCheckHeight}, L"Splines", 114);
  cercle = Make<CheckBox>(GroupBox1, L"cercle", {168, 22, 130, kCheckHeight}, L"Cercles", 115);
  arc = Make<CheckBox>(GroupBox1, L"arc", {168, 44, 130, kCheckHeight}, L"Arcs", 116);
  bloc = Make<CheckBox>(GroupBox1, L"bloc", {168, 66, 130, kCheckHeight}, L"Blocs", 117);
  GroupBox2 = Make<ui::GroupBox>(this, L"GroupBox2", {8, 108, 313, 112}, L" Paramètres ", 118);
  Label1 = Make<ui::Label>(GroupBox2, L"Label1", {12, 26, 184, kTextHeight}, L"Rayon de recherche des points : ", 119);
  rayrech = Make<TVexaEdit>(GroupBox2, L"rayrech", {200, 22, 101, kEditHeight});
  keepz = Make<CheckBox>(GroupBox2, L"keepz", {12, 50, 289, kCheckHeight}, L"Conserver le Z original", 122);
  c2d = Make<RadioButton>(GroupBox2, L"c2d", {12, 70, 289, kCheckHeight}, L"Positionner les objets en 2D", 120);
  c3d = Make<RadioButton>(GroupBox2, L"c3d", {12, 90, 289, kCheckHeight}, L"Positionner les objets en 3D", 121);
  AddButtonRow(228);

  rayrech->SetNumDec(5);
  rayrech->SetMinValue(0.0001);
  rayrech->SetHasMaxValue(false);
  c2d->OnClick = [this] { UpdateKeepZ(); };
  c3d->OnClick = [this] { UpdateKeepZ(); };

  FinishCreation();
}

// 3D unless the section chose 2D.
void TfrmRepos::Showing() {
  c3d->SetChecked(!c2d->Checked());
  UpdateKeepZ();
}

void TfrmRepos::UpdateKeepZ() { keepz->SetEnabled(c3d->Checked()); }

void TfrmRepos::Apply() {
  bool any = false;
  for (const ui::CheckBox* kind : {polyligne, ligne, spline, cercle, arc, bloc}) any = any || kind->Checked();
  if (!any) {
    ShowLabelMsg(session_, labels::kNothingChosen);
    return;
  }
  Accept();
}

void RepositionObjects(Session& session) { TfrmRepos(session).Run(); }

}  // namespace topaline
