#include "server/dialogs/layout/options.h"

namespace topaline {

TfrmOptions::TfrmOptions(Session& session) : TDialog(session, L"frmOptions", L"tloptions", L"options") {
  using namespace design;
  SetCaption(L" Topaline - Options du programme");
  SetHelpContext(130);
  SetClientSize(425, 145);

  GroupBox1 = Make<ui::GroupBox>(this, L"GroupBox1", {8, 8, 409, 96}, L" Options ", 131);
  showbox = Make<ui::CheckBox>(GroupBox1, L"showbox", {12, 22, 385, kCheckHeight},
                               L"Afficher la boite de saisie des numéros de points au démarrage", 132);
  // Two lines high: the caption wraps.
  avertcalq = Make<ui::CheckBox>(
      GroupBox1, L"avertcalq", {12, 48, 385, 30},
      L"Afficher un message d'avertissement si le calque choisi pour créer des entités est gelé.", 133);
  AddButtonRow(112);

  FinishCreation();
}

void TfrmOptions::Apply() { Accept(); }

void ProgramOptions(Session& session) { TfrmOptions(session).Run(); }

}  // namespace topaline
