#include "server/dialogs/layout/rotation.h"

namespace topaline {

TfrmRotation::TfrmRotation(Session& session)
    : TAttributeDialog(session, L"frmRotation", L"tlratt", L"rotationattrib") {
  using namespace design;
  SetCaption(L" Topaline - Rotation des attributs");
  SetHelpContext(670);
  SetClientSize(kWidth, 233);

  GroupBox2 = Make<ui::GroupBox>(this, L"GroupBox2", {8, 116, kWidth - 16, 76}, L" Angle de rotation ", 671);
  Label2 = Make<ui::Label>(GroupBox2, L"Label2", {12, 26, 170, kTextHeight}, L"Nouvel angle de rotation :", 673);
  angle = Make<TVexaEdit>(GroupBox2, L"angle", {190, 22, 95, kEditHeight});
  onscreen = Make<ui::CheckBox>(GroupBox2, L"onscreen", {12, 50, 273, kCheckHeight}, L"Spécifier à l'écran", 672);
  AddButtonRow(200);

  angle->SetNumDec(4);
  angle->SetHasMinValue(false);
  angle->SetHasMaxValue(false);
  onscreen->OnClick = [this] { OnScreenChanged(); };

  FinishCreation();
}

void TfrmRotation::OnScreenChanged() {
  const bool typed = !onscreen->Checked();
  Label2->SetEnabled(typed);
  angle->SetEnabled(typed);
}

void AttributeRotation(Session& session) { TfrmRotation(session).Run(); }

}  // namespace topaline
