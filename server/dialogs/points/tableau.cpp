#include "server/dialogs/points/tableau.h"

#include "server/core/number_format.h"
#include "server/dialogs/common/calques.h"
#include "server/dialogs/common/message_labels.h"
#include "server/dialogs/common/settings.h"
#include "ui/res/images.h"

namespace topaline {

namespace {
constexpr int kPanelHeight = 54;
}

TfrmTableau::TfrmTableau(Session& session, TfrmCalques* layers)
    : TDialog(session, L"frmTableau", L"tltab", L"tableau"), layers_(layers) {
  using namespace design;
  using ui::Label, ui::Edit;
  SetCaption(L" Topaline - Tableau des Coordonnées");
  SetHelpContext(680);
  SetClientSize(604, 349);

  ImageList1 = &Add<ui::ImageList>(this, L"ImageList1");
  GroupBox1 = Make<ui::GroupBox>(this, L"GroupBox1", {8, 8, 340, 300}, L" Colonnes du tableau ", 681);
  AddColumnPanel(0, crept, L"crept", L"Numéro du Point ", 682, nullptr, nullptr, colnum, L"colnum", L"Numéro");
  AddColumnPanel(1, crex, L"crex", L"Coordonnée X :", 683, &decx, L"decx", colx, L"colx", L"Coordonnée X");
  AddColumnPanel(2, crey, L"crey", L"Coordonnée Y", 684, &decy, L"decy", coly, L"coly", L"Coordonnée Y");
  AddColumnPanel(3, crez, L"crez", L"Coordonnée Z", 685, &decz, L"decz", colz, L"colz", L"Altitude");
  AddColumnPanel(4, credes, L"credes", L"Description", 686, nullptr, nullptr, coldes, L"coldes", L"Description");

  GroupBox12 = Make<ui::GroupBox>(this, L"GroupBox12", {356, 8, 240, 300}, L" Paramètres du tableau ", 689);
  Make<Label>(GroupBox12, L"Label11", {12, 24, 200, kTextHeight}, L"Calque :", 690);
  calque = Make<Edit>(GroupBox12, L"calque", {12, 40, 184, kEditHeight});
  BitBtn1 = Make<ui::Button>(GroupBox12, L"BitBtn1", {202, 39, 25, 23}, L"");
  Make<Label>(GroupBox12, L"Label12", {12, 74, 200, kTextHeight}, L"Taille du texte :", 691);
  httxt = Make<TVexaEdit>(GroupBox12, L"httxt", {12, 90, 100, kEditHeight});
  Make<Label>(GroupBox12, L"Label13", {12, 124, 200, kTextHeight}, L"Titre du tableau :", 692);
  titre = Make<Edit>(GroupBox12, L"titre", {12, 140, 215, kEditHeight});
  Make<Label>(GroupBox12, L"Label14", {12, 174, 200, kTextHeight}, L"Nombre de lignes :", 693);
  nblig = Make<TVexaEdit>(GroupBox12, L"nblig", {12, 190, 100, kEditHeight});
  crelig = Make<ui::CheckBox>(GroupBox12, L"crelig", {12, 228, 215, kCheckHeight}, L"Dessiner les lignes du tableau",
                              694);
  AddButtonRow(316);

  calque->SetText(L"non chevauchement");
  ImageList1->SetStrip(ui::images::kButtonImages, 16, 16, ui::images::kButtonImageCount);
  BitBtn1->SetImages(ImageList1);
  BitBtn1->SetImageIndex(ui::images::kButtonLayers);
  LabelHint(*BitBtn1, labels::kLayerPickerHint);
  httxt->SetTypeValeur(TTypeValeur::tvFloat);
  httxt->SetNumDec(4);
  httxt->SetMinValue(0.00001);
  httxt->SetHasMaxValue(false);
  nblig->SetTypeValeur(TTypeValeur::tvInteger);
  nblig->SetMinValue(-1000);
  nblig->SetHasMaxValue(false);
  for (TVexaEdit* e : {httxt, nblig}) e->SetText(L"0.000");
  titre->SetText(L"Tableau des Coordonnées");
  crelig->SetChecked(true);

  BitBtn1->OnClick = [this] { PickLayerInto(layers_, *calque); };
  FinishCreation();
}

ui::Panel* TfrmTableau::AddColumnPanel(int index, ui::CheckBox*& box, const wchar_t* name, const wchar_t* caption,
                                       int label, ui::ComboBox** decimals, const wchar_t* decimalsName,
                                       ui::Edit*& title, const wchar_t* titleName, const wchar_t* titleText) {
  using namespace design;
  auto* panel = Make<ui::Panel>(GroupBox1, L"Panel" + IntToText(index + 1),
                                {8, 18 + index * (kPanelHeight + 2), 324, kPanelHeight});
  panel->SetBevelOuter(ui::Panel::Bevel::None);
  box = Make<ui::CheckBox>(panel, name, {4, 4, 300, kCheckHeight}, caption, label);
  if (decimals) {
    Make<ui::Label>(panel, L"LabelDec" + IntToText(index), {20, 30, 58, kTextHeight}, L"Décimales :", 687);
    auto* list = Make<ui::ComboBox>(panel, decimalsName, {80, 26, 40, kEditHeight});
    list->SetStyle(ui::ComboBox::Style::DropDownList);
    std::vector<std::wstring> items;
    for (int i = 0; i <= 9; ++i) items.push_back(IntToText(i));
    list->SetItems(items);
    list->SetDropDownCount(10);
    list->SetItemIndex(2);
    *decimals = list;
  }
  Make<ui::Label>(panel, L"LabelCol" + IntToText(index), {128, 30, 90, kTextHeight}, L"Intitulé colonne :", 688);
  title = Make<ui::Edit>(panel, titleName, {220, 26, 100, kEditHeight});
  title->SetText(titleText);
  box->SetChecked(true);
  ui::CheckBox* check = box;
  box->OnClick = [panel, check] { EnableChildren(*panel, *check); };
  return panel;
}

void TfrmTableau::Apply() {
  if (CheckEmptyField(session_, *calque)) return;
  if (!CheckLayerWarning(session_, *calque)) return;
  Accept();
}

void CoordinatesTable(Session& session, TfrmCalques* layers) { TfrmTableau(session, layers).Run(); }

}  // namespace topaline
