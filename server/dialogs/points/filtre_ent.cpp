#include "server/dialogs/points/filtre_ent.h"

#include "server/dialogs/common/message_box.h"
#include "server/dialogs/common/settings.h"

namespace topaline {

namespace {
const wchar_t kSection[] = L"filtre";
constexpr int kLabelNothingChosen = 708;
}  // namespace

TfrmFiltreEnt::TfrmFiltreEnt(Session& session) : TDialog(session, L"frmFiltreEnt", L"tlfil") {
  using namespace design;
  SetCaption(L" Topaline - Filtrer les entités");
  SetHelpContext(650);
  SetClientSize(273, 196);

  GroupBox1 = &Add<ui::GroupBox>(this, L"GroupBox1", {8, 8, 257, 145});
  GroupBox1->SetCaption(L" Filtrer les entités ");
  GroupBox1->SetHelpContext(651);
  Label1 = &Add<ui::Label>(GroupBox1, L"Label1", {12, 20, 233, kTextHeight});
  Label1->SetCaption(L"Choisissez les entités à sélectionner");
  Label1->SetHelpContext(652);

  // The same word in every language: no label.
  point = &Add<ui::CheckBox>(GroupBox1, L"point", {24, 42, 209, kCheckHeight});
  point->SetCaption(L"Point");
  num = &Add<ui::CheckBox>(GroupBox1, L"num", {24, 64, 209, kCheckHeight});
  num->SetCaption(L"Numéro");
  num->SetHelpContext(756);
  alt = &Add<ui::CheckBox>(GroupBox1, L"alt", {24, 86, 209, kCheckHeight});
  alt->SetCaption(L"Altitude");
  alt->SetHelpContext(759);
  des = &Add<ui::CheckBox>(GroupBox1, L"des", {24, 108, 209, kCheckHeight});
  des->SetCaption(L"Description");

  AddButtonRow(163);
  FinishCreation();
}

void TfrmFiltreEnt::Apply() {
  if (!point->Checked() && !num->Checked() && !alt->Checked() && !des->Checked()) {
    ShowLabelMsg(session_, kLabelNothingChosen);
    return;
  }
  Accept(kSection);
}

void FilterEntities(Session& session) {
  TfrmFiltreEnt dialog(session);
  LoadSettings(session, kSection, dialog);
  dialog.ShowModal();
}

}  // namespace topaline
