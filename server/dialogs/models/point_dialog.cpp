#include "server/dialogs/models/point_dialog.h"

#include "server/core/number_format.h"
#include "server/core/session.h"
#include "server/dialogs/common/settings.h"
#include "ui/res/images.h"

namespace topaline {

PointModelForms::PointModelForms(Session& session)
    : Form13(session, models.store),
      Form14(session, models.store),
      pickers(session, Pickers::With::LayersAndColours),
      frmEditModel(session, models, Form13, Form14, CommandPickers(pickers)) {}

PointModelForms::PointModelForms(Session& session, ModelPickers editorPickers)
    : Form13(session, models.store),
      Form14(session, models.store),
      pickers(session, Pickers::With::LayersAndColours),
      frmEditModel(session, models, Form13, Form14, std::move(editorPickers)) {}

TPointDialog::TPointDialog(Session& session, PointModelForms& forms, std::wstring name, std::wstring helpTopic,
                           std::wstring section)
    : TDialog(session, std::move(name), std::move(helpTopic), std::move(section)), forms_(forms) {
  ButtonImages = &Add<ui::ImageList>(this, L"ImageList1");
  ButtonImages->SetStrip(ui::images::kButtonImages, 16, 16, ui::images::kButtonImageCount);
}

void TPointDialog::MakeCurrentGroup(int top) {
  using namespace design;
  LabGroupe = Make<ui::Label>(this, L"LabGroupe", {kMargin + 4, top, 110, kTextHeight}, L" Groupe courant : ", 752);
  labNomGrp = Make<ui::Label>(this, L"labNomGrp", {kMargin + 118, top, 220, kTextHeight});
  ui::Font bold = labNomGrp->GetFont();
  bold.bold = true;
  labNomGrp->SetFont(bold);
}

TVexaEdit* TPointDialog::MakeNumbering(ui::GroupBox*& box) {
  using namespace design;
  box = Make<ui::GroupBox>(this, L"GroupBox1", {8, 30, 361, 56}, L" Numéros des Points ", 520);
  Make<ui::Label>(box, L"LabStart", {12, 24, 80, kTextHeight}, L"Commencer à :", 521);
  MakeStartAt(box, {96, 20, 81, kEditHeight}, {181, 18, 25, 25}, 1);
  Make<ui::Label>(box, L"LabIncrement", {216, 24, 68, kTextHeight}, L"Incrément :", 522);
  return Make<TVexaEdit>(box, L"increment", {288, 20, 61, kEditHeight});
}

void TPointDialog::MakeStartAt(ui::Component* parent, const ui::Rect& field, const ui::Rect& button, double minimum) {
  using namespace ui::images;
  startat = Make<TVexaEdit>(parent, L"startat", field);
  startat->SetTypeValeur(TTypeValeur::tvInteger);
  startat->SetNumDec(0);
  startat->SetMinValue(minimum);
  startat->SetHasMaxValue(false);
  BitBtn8 = Make<ui::Button>(parent, L"BitBtn8", button);
  BitBtn8->SetImages(ButtonImages);
  BitBtn8->SetImageIndex(kButtonNextNumber);
  BitBtn8->SetHint(L"Afficher le dernier numéro du groupe + 1");
  LabelHint(*BitBtn8, 523);
  BitBtn8->OnClick = [this] { ShowNextNumber(); };
}

void TPointDialog::MakeParameters(const ui::Rect& group, const wchar_t* editHint, const wchar_t* prefixHint) {
  using namespace design;
  using ui::Label, ui::ComboBox;
  GroupBoxParams = Make<ui::GroupBox>(this, L"GroupBoxParams", group, L" Paramètres ", 511);
  Make<Label>(GroupBoxParams, L"LabModel", {12, 24, 70, kTextHeight}, L"Modèle :", 512);
  models = Make<ComboBox>(GroupBoxParams, L"models", {88, 20, 185, kEditHeight});
  SpeedButton14 = Make<ui::Button>(GroupBoxParams, L"SpeedButton14", {277, 18, 25, 25}, L"...");
  SpeedButton14->SetHint(editHint);
  LabelHint(*SpeedButton14, 515);
  Make<Label>(GroupBoxParams, L"LabScale", {12, 52, 70, kTextHeight}, L"Echelle :", 513);
  echelle = Make<ComboBox>(GroupBoxParams, L"echelle", {88, 48, 97, kEditHeight});
  Make<Label>(GroupBoxParams, L"LabPrefix", {12, 80, 70, kTextHeight}, L"Prefixe :", 514);
  prefixe = Make<ui::Edit>(GroupBoxParams, L"prefixe", {88, 76, 185, kEditHeight});
  SpeedButton1 = Make<ui::Button>(GroupBoxParams, L"SpeedButton1", {277, 74, 25, 25}, L"<");
  SpeedButton1->SetHint(prefixHint);
  LabelHint(*SpeedButton1, 516);

  models->SetStyle(ComboBox::Style::DropDownList);
  echelle->SetStyle(ComboBox::Style::DropDownList);
  echelle->SetItems({L"0.10", L"0.25", L"0.50", L"1.00", L"2.00", L"2.50", L"5.00", L"10.0", L"20.0", L"25.0", L"50.0",
                     L"100", L"200", L"250", L"500", L"1000", L"1250", L"2000", L"2500", L"5000", L"10000"});
  echelle->SetDropDownCount(12);
  SpeedButton14->OnClick = [this] { EditModel(); };
  SpeedButton1->OnClick = [this] { prefixe->SetText(L"{GROUP}_"); };
}

void TPointDialog::BeforeLoading() {
  TDesModeles& store = forms_.models.store;
  store.Load(session_.platform.registry);
  models->SetItems(store.Names);
}

void TPointDialog::AfterLoading() {
  const ExchangeArray& data = session_.exchange.get(Slot::alldata);
  labNomGrp->SetCaption(data.textAt(0));
  lastNumber_ = data.intAt(1);
  ShowNextNumber();
}

// Computed in 64 bits (the last number may be the largest 32-bit one) and
// brought within the field's bounds as a typed number would be.
void TPointDialog::ShowNextNumber() {
  startat->SetText(VexaNormalize(IntToText(lastNumber_ + 1), startat->Format()));
}

void TPointDialog::EditModel() {
  PointModels& m = forms_.models;
  const int index = models->ItemIndex();
  m.current = index >= 0 ? models->Items()[static_cast<std::size_t>(index)] : std::wstring();
  if (forms_.frmEditModel.Open() != ui::mrOk) return;
  models->SetItems(m.store.Names);
  models->SetItemIndex(m.store.IndexOf(m.current));
}

bool TPointDialog::ModelChosen() {
  if (!HasSetting(session_, Section(), models->Name())) return true;
  return !CheckEmptyField(session_, *models);
}

}  // namespace topaline
