#include "server/dialogs/layout/chevauche.h"

#include "server/core/exchange_model.h"
#include "server/core/labels.h"
#include "server/core/session.h"
#include "server/dialogs/common/message_labels.h"
#include "server/dialogs/common/settings.h"
#include "ui/res/images.h"

namespace topaline {

TfrmChevauche::TfrmChevauche(Session& session, std::function<std::wstring()> chooseLayer)
    : TDialog(session, L"frmChevauche", L"tlchev", L"chevauche"), chooseLayer_(std::move(chooseLayer)) {
  using namespace design;
  using ui::Label;
  SetCaption(L" Topaline - Non chevauchement des attributs");
  SetHelpContext(14);
  SetClientSize(361, 209);

  GroupBox1 = Make<ui::GroupBox>(this, L"GroupBox1", {8, 8, 345, 100},
                                 L" Attribut à traiter pour le non-chevauchement ", 15);
  Label1 = Make<Label>(GroupBox1, L"Label1", {12, 26, 150, kTextHeight}, L"Attribut :", 510);
  attname = Make<ui::ComboBox>(GroupBox1, L"attname", {200, 22, 133, kEditHeight});
  Label2 = Make<Label>(GroupBox1, L"Label2", {12, 52, 180, kTextHeight}, L"Marge autour du texte :", 23);
  dectext = Make<ui::Edit>(GroupBox1, L"dectext", {200, 48, 133, kEditHeight});
  Label3 = Make<Label>(GroupBox1, L"Label3", {12, 76, 321, kTextHeight},
                       L"(Entrez une valeur absolue ou un pourcentage)", 24);
  GroupBox2 = Make<ui::GroupBox>(this, L"GroupBox2", {8, 116, 345, 52},
                                 L" Transférer les attributs dans le calque  ", 16);
  Label4 = Make<Label>(GroupBox2, L"Label4", {12, 24, 60, kTextHeight}, L"Calque :", 507);
  calque = Make<ui::Edit>(GroupBox2, L"calque", {76, 20, 225, kEditHeight});
  BitBtn1 = Make<ui::Button>(GroupBox2, L"BitBtn1", {308, 19, 25, 23});
  AddButtonRow(176);

  auto* images = &Add<ui::ImageList>(this, L"ImageList1");
  images->SetStrip(ui::images::kButtonImages, 16, 16, ui::images::kButtonImageCount);
  BitBtn1->SetImages(images);
  BitBtn1->SetImageIndex(ui::images::kButtonLayers);
  LabelHint(*BitBtn1, labels::kLayerPickerHint);

  attname->SetStyle(ui::ComboBox::Style::DropDownList);
  attname->SetItems(AttributeNames(session_.config.langue));
  attname->SetItemIndex(0);
  dectext->SetText(L"dectext");
  calque->SetText(L"non chevauchement");
  CheckNumberOnExitAndEnter(session_, *dectext);
  BitBtn1->OnClick = [this] { ChooseLayerClicked(); };

  FinishCreation();
}

void TfrmChevauche::ChooseLayerClicked() {
  const std::wstring layer = chooseLayer_ ? chooseLayer_() : std::wstring();
  if (!layer.empty()) calque->SetText(layer);
}

// As the frames do: the margin first, so that the layer is asked about
// once, when everything else is right.
void TfrmChevauche::Apply() {
  if (CheckEmptyField(session_, *calque)) return;
  if (!CheckNumberToSave(session_, Section(), *dectext)) return;
  if (!CheckLayerWarning(session_, *calque)) return;
  Accept();
}

}  // namespace topaline
