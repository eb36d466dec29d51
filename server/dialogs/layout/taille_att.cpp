#include "server/dialogs/layout/taille_att.h"

#include "server/dialogs/common/settings.h"

namespace topaline {

TfrmTailleAtt::TfrmTailleAtt(Session& session)
    : TAttributeDialog(session, L"frmTailleAtt", L"tltatt", L"tailleattrib") {
  using namespace design;
  SetCaption(L" Topaline - Taille des attributs");
  SetHelpContext(660);
  SetClientSize(kWidth, 233);

  GroupBox2 = Make<ui::GroupBox>(this, L"GroupBox2", {8, 116, kWidth - 16, 76}, L" Taille des attributs ", 661);
  Label2 = Make<ui::Label>(GroupBox2, L"Label2", {12, 26, 170, kTextHeight}, L"Nouvelle hauteur du texte :", 662);
  httxt = Make<ui::Edit>(GroupBox2, L"httxt", {190, 22, 95, kEditHeight}, nullptr);
  Label3 = Make<ui::Label>(GroupBox2, L"Label3", {12, 52, 273, kTextHeight},
                           L"(Entrez une valeur absolue ou un pourcentage)", 24);
  AddButtonRow(200);

  httxt->SetText(L"httxt");
  CheckNumberOnExitAndEnter(session_, *httxt);

  FinishCreation();
}

bool TfrmTailleAtt::CheckFields() { return CheckNumberToSave(session_, Section(), *httxt); }

void AttributeSize(Session& session) { TfrmTailleAtt(session).Run(); }

}  // namespace topaline
