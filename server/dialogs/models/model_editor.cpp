#include "server/dialogs/models/model_editor.h"

#include "server/core/labels.h"
#include "server/core/number_format.h"
#include "server/core/session.h"
#include "server/core/text_compare.h"
#include "server/dialogs/common/message_box.h"
#include "server/dialogs/common/message_labels.h"
#include "server/dialogs/common/settings.h"
#include "ui/res/images.h"

namespace topaline {
namespace {

// Five blanks on each side of a question, as the editor's boxes show it.
std::wstring Padded(const std::wstring& text) { return L"     " + text + L"     "; }

}  // namespace

TfrmEditModel::TfrmEditModel(Session& session, PointModels& models, TForm13& newName, TForm14& rename,
                             ModelPickers pickers)
    : TDialog(session, L"frmEditModel", L"tleditmodel"),
      models_(models),
      newName_(newName),
      rename_(rename),
      pickers_(std::move(pickers)) {
  using namespace design;
  using namespace ui::images;
  using ui::GroupBox, ui::Label, ui::Edit, ui::Button, ui::RadioButton, ui::CheckBox, ui::ColorSwatch,
      ui::ComboBox;
  SetCaption(L" Topaline - Edition/modification de modèles");
  SetHelpContext(300);
  SetClientSize(385, 449);

  ImageList1 = &Add<ui::ImageList>(this, L"ImageList1");
  ImageList1->SetStrip(kTabImages, 16, 16, kTabImageCount);
  auto* tools = &Add<ui::ImageList>(this, L"ImageList2");
  tools->SetStrip(kToolImages, 16, 16, kToolImageCount);
  auto* pictures = &Add<ui::ImageList>(this, L"ImageList3");
  pictures->SetStrip(kButtonImages, 16, 16, kButtonImageCount);

  // A picture button with its hint from a label.
  auto picture = [&](ui::Component* parent, const wchar_t* name, ui::Rect r, ui::ImageList* images, int image,
                     const wchar_t* hint, int label) {
    Button* b = Make<Button>(parent, name, r);
    b->SetImages(images);
    b->SetImageIndex(image);
    b->SetHint(hint);
    LabelHint(*b, label);
    return b;
  };
  auto swatch = [&](ui::Component* parent, const wchar_t* name, ui::Rect r, const wchar_t* hint, int label) {
    ColorSwatch* s = Make<ColorSwatch>(parent, name, r);
    s->SetHint(hint);
    LabelHint(*s, label);
    return s;
  };
  auto layerButton = [&](ui::Component* parent, const wchar_t* name, ui::Rect r) {
    return picture(parent, name, r, pictures, kButtonBrowse, L"Choisir un calque dans la liste", 331);
  };
  auto numberField = [&](ui::Component* parent, const wchar_t* name, ui::Rect r, bool positive) {
    TVexaEdit* e = Make<TVexaEdit>(parent, name, r);
    e->SetNumDec(3);
    e->SetHasMinValue(positive);
    e->SetMinValue(0.001);
    e->SetHasMaxValue(false);
    return e;
  };

  GroupBox1 = Make<GroupBox>(this, L"GroupBox1", {8, 8, 369, 72}, L" Modèle en cours ", 301);
  Label2 = Make<Label>(GroupBox1, L"Label2", {12, 20, 200, kTextHeight}, L"Nom du Modèle :", 302);
  c1 = Make<ComboBox>(GroupBox1, L"c1", {12, 38, 221, kEditHeight});
  SpeedButton1 = picture(GroupBox1, L"SpeedButton1", {241, 36, 25, 25}, tools, kToolNewGroup, L"Nouveau modèle", 303);
  SpeedButton3 = picture(GroupBox1, L"SpeedButton3", {270, 36, 25, 25}, tools, kToolApply, L"Enregistrer le modèle", 304);
  SpeedButton2 = picture(GroupBox1, L"SpeedButton2", {299, 36, 25, 25}, tools, kToolDeleteGroup, L"Effacer le modèle", 305);
  SpeedButton4 = picture(GroupBox1, L"SpeedButton4", {328, 36, 25, 25}, tools, kToolListPoints, L"Renommer le modèle", 306);

  GroupBox3 = Make<GroupBox>(this, L"GroupBox3", {8, 88, 369, 80}, L" Création des points ", 307);
  c2 = Make<RadioButton>(GroupBox3, L"c2", {12, 20, 170, kCheckHeight}, L"Créer les points en 2D", 308);
  RadioButton2 = Make<RadioButton>(GroupBox3, L"RadioButton2", {188, 20, 170, kCheckHeight}, L"Créer les points en 3D", 309);
  Label3 = Make<Label>(GroupBox3, L"Label3", {12, 50, 96, kTextHeight}, L"Dans le calque : ", 330);
  c3 = Make<Edit>(GroupBox3, L"c3", {112, 46, 161, kEditHeight});
  BitBtn4 = layerButton(GroupBox3, L"BitBtn4", {277, 44, 25, 25});
  c15 = swatch(GroupBox3, L"c15", {310, 46, 45, kEditHeight}, L"Couleur des points ...", 310);

  GroupBox2 = Make<GroupBox>(this, L"GroupBox2", {8, 176, 369, 196}, L" Création des attributs ", 311);
  PageControl1 = Make<ui::PageControl>(GroupBox2, L"PageControl1", {10, 18, 349, 168});
  PageControl1->SetImages(ImageList1);

  // One tab: the box that creates the attribute, its layer with the layer
  // button, its text height and its colour.
  struct Tab {
    ui::TabSheet* sheet;
    CheckBox* box;
    Edit* layer;
    Button* button;
    TVexaEdit* height;
    ColorSwatch* colour;
  };
  auto tab = [&](const wchar_t* sheet, const wchar_t* title, int titleLabel, const wchar_t* box, const wchar_t* boxText,
                 int boxLabel, const wchar_t* layer, const wchar_t* button, const wchar_t* height, const wchar_t* colour,
                 const wchar_t* colourHint, int colourLabel, int n) {
    Tab t;
    t.sheet = Make<ui::TabSheet>(PageControl1, sheet, {}, title, titleLabel);
    t.box = Make<CheckBox>(t.sheet, box, {12, 12, 300, kCheckHeight}, boxText, boxLabel);
    Make<Label>(t.sheet, std::wstring(L"LabLayer") + std::to_wstring(n), {12, 44, 96, kTextHeight}, L"Dans le calque : ",
                330);
    t.layer = Make<Edit>(t.sheet, layer, {112, 40, 161, kEditHeight});
    t.button = layerButton(t.sheet, button, {277, 38, 25, 25});
    Make<Label>(t.sheet, std::wstring(L"LabHeight") + std::to_wstring(n), {12, 76, 96, kTextHeight},
                L"Hauteur du texte : ", 332);
    t.height = numberField(t.sheet, height, {112, 72, 81, kEditHeight}, true);
    t.colour = swatch(t.sheet, colour, {277, 72, 45, kEditHeight}, colourHint, colourLabel);
    return t;
  };
  const Tab number = tab(L"TabSheet1", L"Numéro", 320, L"c4", L"Créer le Numéro", 312, L"c5", L"BitBtn1", L"c6",
                         L"c16", L"Couleur des numéros ...", 313, 1);
  const Tab altitude = tab(L"TabSheet2", L"Altitude", 321, L"c7", L"Créer l'Altitude", 314, L"c8", L"BitBtn3", L"c9",
                           L"c17", L"Couleur des altitudes ...", 315, 2);
  Make<Label>(altitude.sheet, L"LabDecimals", {12, 108, 96, kTextHeight}, L"Décimales : ", 316);
  c10 = Make<ComboBox>(altitude.sheet, L"c10", {112, 104, 81, kEditHeight});
  const Tab description = tab(L"TabSheet3", L"Description", 0, L"c11", L"Créer la Description", 317, L"c12",
                              L"BitBtn6", L"c13", L"c18", L"Couleur des descriptions ...", 318, 3);
  TabSheet1 = number.sheet, c4 = number.box, c5 = number.layer, BitBtn1 = number.button, c6 = number.height,
  c16 = number.colour;
  TabSheet2 = altitude.sheet, c7 = altitude.box, c8 = altitude.layer, BitBtn3 = altitude.button, c9 = altitude.height,
  c17 = altitude.colour;
  TabSheet3 = description.sheet, c11 = description.box, c12 = description.layer, BitBtn6 = description.button,
  c13 = description.height, c18 = description.colour;

  Label14 = Make<Label>(this, L"Label14", {16, 386, 220, kTextHeight}, L"Décalage en X par rapport au point : ", 319);
  c14 = numberField(this, L"c14", {240, 382, 101, kEditHeight}, false);
  c14->SetHasMinValue(false);
  AddButtonRow(416);

  c1->SetStyle(ComboBox::Style::DropDownList);
  c10->SetStyle(ComboBox::Style::DropDownList);
  c10->SetItems({L"0", L"1", L"2", L"3", L"4", L"5"});
  PageControl1->SetActivePageIndex(0);
  fields_ = {c2, c3, c4, c5, c6, c7, c8, c9, c10, c11, c12, c13, c14, c15, c16, c17, c18};

  // A bar would shift every later field of the model text.
  for (Edit* layerField : {c3, c5, c8, c12}) {
    layerField->OnKeyPress = [](wchar_t& ch) {
      if (ch == L'|') ch = 0;
    };
    layerField->OnChange = [layerField] {
      if (layerField->Text().find(L'|') != std::wstring::npos) layerField->SetText(WithoutBars(layerField->Text()));
    };
  }
  for (CheckBox* box : {c4, c7, c11}) box->OnClick = [this] { RefreshTabs(); };
  c1->OnChange = [this] {
    OfferToSave();
    SelectModel(Selected());
  };
  SpeedButton1->OnClick = [this] { NewModel(); };
  SpeedButton3->OnClick = [this] { StoreModel(); };
  SpeedButton2->OnClick = [this] { DeleteModel(); };
  SpeedButton4->OnClick = [this] { RenameModel(); };
  const std::pair<Button*, Edit*> layers[] = {{BitBtn4, c3}, {BitBtn1, c5}, {BitBtn3, c8}, {BitBtn6, c12}};
  for (const auto& [button, field] : layers) button->OnClick = [this, field = field] { ChooseLayer(*field); };
  for (ColorSwatch* s : {c15, c16, c17, c18}) s->OnClick = [this, s] { ChooseColour(*s); };

  ApplyModelText(DefaultModelText());
  FinishCreation();
}

int TfrmEditModel::Open() {
  TDesModeles& store = models_.store;
  store.Load(session_.platform.registry);
  int index = store.IndexOf(models_.current);
  if (index < 0 && store.Count() > 0) index = 0;
  ListModels(index);
  SelectModel(index);
  return ShowModal();
}

std::wstring TfrmEditModel::ModelText() const {
  ModelFields fields;
  for (int i = 0; i < kModelFields; ++i) {
    ui::Component* c = fields_[static_cast<std::size_t>(i)];
    std::wstring& f = fields[static_cast<std::size_t>(i)];
    switch (FieldKind(i)) {
      case ModelFieldKind::Check: f = static_cast<ui::CheckableControl*>(c)->Checked() ? L"1" : L"0"; break;
      case ModelFieldKind::Text:
      case ModelFieldKind::Number: f = static_cast<ui::Edit*>(c)->Text(); break;
      case ModelFieldKind::List: {
        auto* list = static_cast<ui::ComboBox*>(c);
        f = list->ItemIndex() >= 0 ? list->Items()[static_cast<std::size_t>(list->ItemIndex())] : L"";
        break;
      }
      case ModelFieldKind::Colour: f = IntToText(static_cast<ui::ColorSwatch*>(c)->ColorNumber()); break;
    }
  }
  return JoinModelText(fields);
}

void TfrmEditModel::ApplyModelText(const std::wstring& text) {
  const ModelFields fields = SplitModelText(text);
  for (int i = 0; i < kModelFields; ++i) {
    ui::Component* c = fields_[static_cast<std::size_t>(i)];
    const std::wstring& f = fields[static_cast<std::size_t>(i)];
    switch (FieldKind(i)) {
      case ModelFieldKind::Check: static_cast<ui::CheckableControl*>(c)->SetChecked(FieldChecked(i, f)); break;
      case ModelFieldKind::Text:
      case ModelFieldKind::Number: static_cast<ui::Edit*>(c)->SetText(f); break;
      case ModelFieldKind::List: {
        auto* list = static_cast<ui::ComboBox*>(c);
        list->SetItemIndex(list->IndexOf(f));
        break;
      }
      case ModelFieldKind::Colour: {
        const int n = FieldColour(i, f);
        static_cast<ui::ColorSwatch*>(c)->SetSwatch(n, PaintColour(n));
        break;
      }
    }
  }
  RefreshTabs();
}

void TfrmEditModel::SelectModel(int index) {
  const TDesModeles& store = models_.store;
  const std::wstring text = index >= 0 && index < store.Count() ? store.Texts[static_cast<std::size_t>(index)]
                                                                : DefaultModelText();
  ApplyModelText(text);
  loadedText_ = text;
  RadioButton2->SetChecked(!c2->Checked());
  current_ = index;
  RefreshTabs();
}

void TfrmEditModel::RefreshTabs() {
  using namespace ui::images;
  const std::pair<ui::TabSheet*, ui::CheckBox*> tabs[] = {{TabSheet1, c4}, {TabSheet2, c7}, {TabSheet3, c11}};
  for (const auto& [sheet, box] : tabs) {
    EnableChildren(*sheet, *box);
    sheet->SetImageIndex(box->Checked() ? kTabOn : kTabOff);
  }
}

void TfrmEditModel::ListModels(int select) {
  c1->SetItems(models_.store.Names);
  c1->SetItemIndex(select >= 0 && select < models_.store.Count() ? select : -1);
}

bool TfrmEditModel::LayersGiven() {
  using namespace model_field;
  const ModelFields fields = SplitModelText(ModelText());
  const std::pair<int, ui::Edit*> layers[] = {
      {kPointLayer, c3}, {kNumberLayer, c5}, {kAltitudeLayer, c8}, {kDescriptionLayer, c12}};
  for (const auto& [field, edit] : layers) {
    if (!LayerRequired(fields, field) || !TrimBlanks(edit->Text()).empty()) continue;
    if (auto* sheet = dynamic_cast<ui::TabSheet*>(edit->Parent())) PageControl1->SetActivePage(sheet);
    CheckEmptyField(session_, *edit);
    return false;
  }
  return true;
}

void TfrmEditModel::OfferToSave() {
  if (current_ < 0 || current_ >= models_.store.Count()) return;  // the default model is nobody's
  if (!LayersGiven()) return;
  const std::wstring text = ModelText();
  if (EqualsIgnoreCaseLatin1(text, loadedText_)) return;
  const int answer = ShowErrMsg(session_, Padded(LabelText(session_, labels::kModelChanged)),
                                {LabelText(session_, labels::kYes), LabelText(session_, labels::kNo)}, ui::IconWarning);
  if (answer != 1) return;
  models_.store.Put(current_, text);
  loadedText_ = text;
}

void TfrmEditModel::NewModel() {
  OfferToSave();
  std::wstring name = LabelText(session_, labels::kNewModelName);
  if (!newName_.Ask(name)) return;
  TDesModeles& store = models_.store;
  const int from = Selected();
  store.Add(name, from >= 0 ? store.Texts[static_cast<std::size_t>(from)] : DefaultModelText());
  current_ = store.Count() - 1;
  ListModels(current_);
}

void TfrmEditModel::StoreModel() {
  if (!LayersGiven()) return;
  const int index = Selected();
  if (index < 0) return;
  const std::wstring text = ModelText();
  models_.store.Put(index, text);
  loadedText_ = text;
}

void TfrmEditModel::DeleteModel() {
  TDesModeles& store = models_.store;
  const int index = Selected();
  if (store.Count() <= 1 || index < 0) return;  // the last model stays
  const std::wstring question = L"     " + LabelText(session_, labels::kDeleteModel) +
                                store.Names[static_cast<std::size_t>(index)] + L"'     ";
  if (ShowErrMsg(session_, question, {LabelText(session_, labels::kYes), LabelText(session_, labels::kNo)},
                 ui::IconWarning) != 1)
    return;
  store.Delete(index);
  ListModels(0);
  SelectModel(0);
}

void TfrmEditModel::RenameModel() {
  const int index = Selected();
  if (index < 0) return;
  std::wstring name = models_.store.Names[static_cast<std::size_t>(index)];
  if (!rename_.Ask(name)) return;
  models_.store.Rename(index, name);
  ListModels(index);
}

void TfrmEditModel::ChooseLayer(ui::Edit& field) {
  if (!pickers_.chooseLayer) return;
  const std::wstring layer = WithoutBars(pickers_.chooseLayer());
  if (!layer.empty()) field.SetText(layer);
}

void TfrmEditModel::ChooseColour(ui::ColorSwatch& swatch) {
  if (!pickers_.chooseColour) return;
  const TResultatCouleur chosen = pickers_.chooseColour(swatch.ColorNumber());
  if (chosen[0] < 0) return;
  swatch.SetSwatch(chosen[0], ui::Rgb(static_cast<unsigned>(chosen[1]) & 0xFF, static_cast<unsigned>(chosen[2]) & 0xFF,
                                      static_cast<unsigned>(chosen[3]) & 0xFF));
}

void TfrmEditModel::Apply() {
  if (!LayersGiven()) return;
  OfferToSave();
  models_.store.Save(session_.platform.registry);
  const int index = Selected();
  models_.current = index >= 0 ? models_.store.Names[static_cast<std::size_t>(index)] : std::wstring();
  SetModalResult(ui::mrOk);
}

}  // namespace topaline
