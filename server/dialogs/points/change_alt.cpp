#include "server/dialogs/points/change_alt.h"

#include "server/core/number_format.h"

namespace topaline {

TfrmChangeAlt::TfrmChangeAlt(Session& session) : TDialog(session, L"frmChangeAlt", L"tlchalt", L"changealt") {
  using namespace design;
  using ui::GroupBox, ui::RadioButton, ui::Label, ui::ComboBox;
  SetCaption(L" Topaline - Changement d'altitude ");
  SetHelpContext(635);
  SetClientSize(329, 273);

  GroupBox5 = Make<GroupBox>(this, L"GroupBox5", {8, 8, 313, 120}, L" Type de déplacement ", 636);
  relatif = Make<RadioButton>(GroupBox5, L"relatif", {12, 20, 289, kCheckHeight}, L"Relatif", 637);
  Label1 = Make<Label>(GroupBox5, L"Label1", {28, 45, 165, kTextHeight}, L"Valeur à ajouter :", 639);
  valadd = Make<TVexaEdit>(GroupBox5, L"valadd", {200, 41, 101, kEditHeight});
  absolu = Make<RadioButton>(GroupBox5, L"absolu", {12, 70, 289, kCheckHeight}, L"Absolu", 638);
  Label3 = Make<Label>(GroupBox5, L"Label3", {28, 95, 165, kTextHeight}, L"Déplacer tous les points au Z :", 640);
  moveto = Make<TVexaEdit>(GroupBox5, L"moveto", {200, 91, 101, kEditHeight});
  Label2 = Make<Label>(this, L"Label2", {20, 144, 170, kTextHeight}, L"Nouveau nombre de décimales :", 641);
  numdec = Make<ComboBox>(this, L"numdec", {208, 140, 101, kEditHeight});
  GroupBox1 = Make<GroupBox>(this, L"GroupBox1", {8, 172, 313, 62}, L" Options ");
  set2d = Make<RadioButton>(GroupBox1, L"set2d", {12, 18, 289, kCheckHeight}, L"Mettre / laisser les points en 2D", 642);
  set3d = Make<RadioButton>(GroupBox1, L"set3d", {12, 38, 289, kCheckHeight}, L"Mettre / laisser les points en 3D", 643);
  AddButtonRow(240);

  relatif->SetChecked(true);
  for (TVexaEdit* e : {valadd, moveto}) {
    e->SetNumDec(4);
    e->SetHasMinValue(false);
    e->SetHasMaxValue(false);
  }
  numdec->SetStyle(ComboBox::Style::DropDownList);
  std::vector<std::wstring> decimals;
  for (int i = 0; i <= 10; ++i) decimals.push_back(IntToText(i));
  numdec->SetItems(decimals);
  numdec->SetDropDownCount(11);
  numdec->SetItemIndex(3);

  relatif->OnClick = [this] { UpdateEnabling(); };
  absolu->OnClick = [this] { UpdateEnabling(); };

  FinishCreation();
}

// Each pair shows exactly one button on, whatever the section held.
void TfrmChangeAlt::Showing() {
  set3d->SetChecked(!set2d->Checked());
  absolu->SetChecked(!relatif->Checked());
  UpdateEnabling();
}

void TfrmChangeAlt::UpdateEnabling() {
  const bool relative = relatif->Checked();
  Label1->SetEnabled(relative);
  valadd->SetEnabled(relative);
  Label3->SetEnabled(!relative);
  moveto->SetEnabled(!relative);
}

void TfrmChangeAlt::Apply() { Accept(); }

void ChangeAltitude(Session& session) { TfrmChangeAlt(session).Run(); }

}  // namespace topaline
