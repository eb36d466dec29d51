#include "server/dialogs/points/filtre_ent.h"

#include "server/dialogs/common/message_labels.h"
#include "server/dialogs/common/message_box.h"

namespace topaline {

TfrmFiltreEnt::TfrmFiltreEnt(Session& session) : TDialog(session, L"frmFiltreEnt", L"tlfil", L"filtre") {
  using namespace design;
  using ui::CheckBox;
  SetCaption(L" Topaline - Filtrer les entités");
  SetHelpContext(650);
  SetClientSize(273, 196);

  GroupBox1 = Make<ui::GroupBox>(this, L"GroupBox1", {8, 8, 257, 145}, L" Filtrer les entités ", 651);
  Label1 = Make<ui::Label>(GroupBox1, L"Label1", {12, 20, 233, kTextHeight}, L"Choisissez les entités à sélectionner", 652);
  // "Point" and "Description" are the same word in every language: no label.
  point = Make<CheckBox>(GroupBox1, L"point", {24, 42, 209, kCheckHeight}, L"Point");
  num = Make<CheckBox>(GroupBox1, L"num", {24, 64, 209, kCheckHeight}, L"Numéro", 756);
  alt = Make<CheckBox>(GroupBox1, L"alt", {24, 86, 209, kCheckHeight}, L"Altitude", 759);
  des = Make<CheckBox>(GroupBox1, L"des", {24, 108, 209, kCheckHeight}, L"Description");
  AddButtonRow(163);

  FinishCreation();
}

void TfrmFiltreEnt::Apply() {
  if (!point->Checked() && !num->Checked() && !alt->Checked() && !des->Checked()) {
    ShowLabelMsg(session_, labels::kNothingChosen);
    return;
  }
  Accept();
}

void FilterEntities(Session& session) { TfrmFiltreEnt(session).Run(); }

}  // namespace topaline
