#include "server/dialogs/layout/options.h"

#include "server/dialogs/common/settings.h"

namespace topaline {

namespace {
const wchar_t kSection[] = L"options";
}

TfrmOptions::TfrmOptions(Session& session) : TDialog(session, L"frmOptions", L"tloptions") {
  using namespace design;
  SetCaption(L" Topaline - Options du programme");
  SetHelpContext(130);
  SetClientSize(425, 145);

  GroupBox1 = &Add<ui::GroupBox>(this, L"GroupBox1", {8, 8, 409, 96});
  GroupBox1->SetCaption(L" Options ");
  GroupBox1->SetHelpContext(131);
  showbox = &Add<ui::CheckBox>(GroupBox1, L"showbox", {12, 22, 385, kCheckHeight});
  showbox->SetCaption(L"Afficher la boite de saisie des numéros de points au démarrage");
  showbox->SetHelpContext(132);
  // Two lines high: the caption wraps.
  avertcalq = &Add<ui::CheckBox>(GroupBox1, L"avertcalq", {12, 48, 385, 30});
  avertcalq->SetCaption(L"Afficher un message d'avertissement si le calque choisi pour créer des entités est gelé.");
  avertcalq->SetHelpContext(133);

  AddButtonRow(112);
  FinishCreation();
}

void TfrmOptions::Apply() { Accept(kSection); }

void ProgramOptions(Session& session) {
  TfrmOptions dialog(session);
  LoadSettings(session, kSection, dialog);
  dialog.ShowModal();
}

}  // namespace topaline
