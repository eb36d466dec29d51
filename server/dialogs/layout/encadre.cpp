#include "server/dialogs/layout/encadre.h"

#include "server/core/exchange_model.h"
#include "server/core/session.h"
#include "server/dialogs/common/calques.h"
#include "server/dialogs/common/colour_picker.h"
#include "server/dialogs/common/message_labels.h"
#include "server/dialogs/common/settings.h"
#include "ui/res/images.h"

namespace topaline {

TfrmEncadre::TfrmEncadre(Session& session, TfrmCalques* layers, TFormGetACCol* colours)
    : TDialog(session, L"frmEncadre", L"tlenc", L"encadre"), layers_(layers) {
  using namespace design;
  using ui::Label;
  SetCaption(L" Topaline - Encadrement des attributs");
  SetHelpContext(19);
  SetClientSize(416, 275);

  ImageList1 = &Add<ui::ImageList>(this, L"ImageList1");
  GroupBox1 = Make<ui::GroupBox>(this, L"GroupBox1", {8, 8, 400, 52}, L" Attribut à encadrer ", 20);
  Label5 = Make<Label>(GroupBox1, L"Label5", {12, 24, 80, kTextHeight}, L"Attribut :", 510);
  attname = Make<ui::ComboBox>(GroupBox1, L"attname", {96, 20, 180, kEditHeight});
  GroupBox2 = Make<ui::GroupBox>(this, L"GroupBox2", {8, 66, 400, 168}, L" Création des cadres ", 21);
  Label1 = Make<Label>(GroupBox2, L"Label1", {12, 24, 80, kTextHeight}, L"Calque :", 507);
  calque = Make<ui::Edit>(GroupBox2, L"calque", {96, 20, 100, kEditHeight});
  BitBtn1 = Make<ui::Button>(GroupBox2, L"BitBtn1", {200, 19, 25, 23}, L"");
  mmcalq = Make<ui::CheckBox>(GroupBox2, L"mmcalq", {232, 22, 164, kCheckHeight}, L"Même calque que l'attribut", 22);
  Label2 = Make<Label>(GroupBox2, L"Label2", {12, 58, 150, kTextHeight}, L"Décalage autour du texte :", 23);
  dectext = Make<ui::Edit>(GroupBox2, L"dectext", {166, 54, 90, kEditHeight});
  Label3 = Make<Label>(GroupBox2, L"Label3", {12, 80, 380, kTextHeight},
                       L"(Entrez une valeur absolue ou un pourcentage)", 24);
  grouper = Make<ui::CheckBox>(GroupBox2, L"grouper", {12, 104, 300, kCheckHeight}, L"Grouper l'attribut et le cadre",
                               25);
  Label4 = Make<Label>(GroupBox2, L"Label4", {12, 136, 150, kTextHeight}, L"Couleur du cadre : ", 26);
  cadcolor = Make<ui::ColorSwatch>(GroupBox2, L"cadcolor", {166, 132, 40, kEditHeight});
  AddButtonRow(242);

  attname->SetStyle(ui::ComboBox::Style::DropDownList);
  attname->SetItems(AttributeNames(session_.config.langue));
  attname->SetItemIndex(0);
  calque->SetText(L"non chevauchement");
  dectext->SetText(L"dectext");
  cadcolor->SetColorNumber(1);
  ImageList1->SetStrip(ui::images::kButtonImages, 16, 16, ui::images::kButtonImageCount);
  BitBtn1->SetImages(ImageList1);
  BitBtn1->SetImageIndex(ui::images::kButtonLayers);
  LabelHint(*BitBtn1, labels::kLayerPickerHint);

  BitBtn1->OnClick = [this] { PickLayerInto(layers_, *calque); };
  mmcalq->OnClick = [this] { UpdateSameLayer(); };
  AttachColourSwatch(colours, *cadcolor);
  CheckNumberOnExitAndEnter(session_, *dectext);
  LabelName(*cadcolor, 1154, L"Couleur du cadre");
  FinishCreation();
}

void TfrmEncadre::Showing() {
  PaintSwatch(*cadcolor);
  UpdateSameLayer();
}

void TfrmEncadre::UpdateSameLayer() {
  const bool own = !mmcalq->Checked();
  for (ui::Component* c : {static_cast<ui::Component*>(Label1), static_cast<ui::Component*>(calque),
                           static_cast<ui::Component*>(BitBtn1)})
    c->SetEnabled(own);
}

// The gap is checked again here, as leaving the field does: a stored or
// typed text that is no number must not reach the host.
void TfrmEncadre::Apply() {
  if (CheckEmptyField(session_, *calque)) return;
  if (!CheckNumberToSave(session_, Section(), *dectext)) return;
  if (!mmcalq->Checked() && !CheckLayerWarning(session_, *calque)) return;
  Accept();
}

void AttributeFrames(Session& session, TfrmCalques* layers, TFormGetACCol* colours) {
  TfrmEncadre(session, layers, colours).Run();
}

}  // namespace topaline
