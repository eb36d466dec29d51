#include "server/dialogs/points/change_alt.h"

#include "server/core/number_format.h"
#include "server/dialogs/common/settings.h"

namespace topaline {

namespace {
const wchar_t kSection[] = L"changealt";
}

TfrmChangeAlt::TfrmChangeAlt(Session& session) : TDialog(session, L"frmChangeAlt", L"tlchalt") {
  using namespace design;
  SetCaption(L" Topaline - Changement d'altitude ");
  SetHelpContext(635);
  SetClientSize(329, 273);

  GroupBox5 = &Add<ui::GroupBox>(this, L"GroupBox5", {8, 8, 313, 120});
  GroupBox5->SetCaption(L" Type de déplacement ");
  GroupBox5->SetHelpContext(636);
  relatif = &Add<ui::RadioButton>(GroupBox5, L"relatif", {12, 20, 289, kCheckHeight});
  relatif->SetCaption(L"Relatif");
  relatif->SetHelpContext(637);
  relatif->SetChecked(true);
  Label1 = &Add<ui::Label>(GroupBox5, L"Label1", {28, 45, 165, kTextHeight});
  Label1->SetCaption(L"Valeur à ajouter :");
  Label1->SetHelpContext(639);
  valadd = &Add<TVexaEdit>(GroupBox5, L"valadd", {200, 41, 101, kEditHeight});
  absolu = &Add<ui::RadioButton>(GroupBox5, L"absolu", {12, 70, 289, kCheckHeight});
  absolu->SetCaption(L"Absolu");
  absolu->SetHelpContext(638);
  Label3 = &Add<ui::Label>(GroupBox5, L"Label3", {28, 95, 165, kTextHeight});
  Label3->SetCaption(L"Déplacer tous les points au Z :");
  Label3->SetHelpContext(640);
  moveto = &Add<TVexaEdit>(GroupBox5, L"moveto", {200, 91, 101, kEditHeight});
  for (TVexaEdit* e : {valadd, moveto}) {
    e->SetNumDec(4);
    e->SetHasMinValue(false);
    e->SetHasMaxValue(false);
  }

  Label2 = &Add<ui::Label>(this, L"Label2", {20, 144, 170, kTextHeight});
  Label2->SetCaption(L"Nouveau nombre de décimales :");
  Label2->SetHelpContext(641);
  numdec = &Add<ui::ComboBox>(this, L"numdec", {208, 140, 101, kEditHeight});
  numdec->SetStyle(ui::ComboBox::Style::DropDownList);
  std::vector<std::wstring> decimals;
  for (int i = 0; i <= 10; ++i) decimals.push_back(IntToText(i));
  numdec->SetItems(decimals);
  numdec->SetDropDownCount(11);
  numdec->SetItemIndex(3);

  GroupBox1 = &Add<ui::GroupBox>(this, L"GroupBox1", {8, 172, 313, 62});
  GroupBox1->SetCaption(L" Options ");
  set2d = &Add<ui::RadioButton>(GroupBox1, L"set2d", {12, 18, 289, kCheckHeight});
  set2d->SetCaption(L"Mettre / laisser les points en 2D");
  set2d->SetHelpContext(642);
  set3d = &Add<ui::RadioButton>(GroupBox1, L"set3d", {12, 38, 289, kCheckHeight});
  set3d->SetCaption(L"Mettre / laisser les points en 3D");
  set3d->SetHelpContext(643);

  AddButtonRow(240);

  relatif->OnClick = [this] { UpdateEnabling(); };
  absolu->OnClick = [this] { UpdateEnabling(); };
  OnShow = [this] { Showing(); };

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

void TfrmChangeAlt::Apply() { Accept(kSection); }

void ChangeAltitude(Session& session) {
  TfrmChangeAlt dialog(session);
  LoadSettings(session, kSection, dialog);
  dialog.ShowModal();
}

}  // namespace topaline
