#include "server/dialogs/models/import_fic.h"

#include "platform/files.h"
#include "server/core/exchange_model.h"
#include "server/core/labels.h"
#include "server/core/session.h"
#include "server/dialogs/common/message_box.h"
#include "server/dialogs/common/message_labels.h"
#include "server/dialogs/common/settings.h"
#include "ui/res/images.h"

namespace topaline {

TfrmImportFic::TfrmImportFic(Session& session, PointModelForms& forms)
    : TPointDialog(session, forms, L"frmImportFic", L"tlimportfic", L"importe") {
  using namespace design;
  using namespace ui::images;
  using ui::Label, ui::ComboBox, ui::Panel;
  SetCaption(L" Topaline - Charger un fichier de points");
  SetHelpContext(30);
  SetClientSize(425, 457);

  MakeCurrentGroup(10);
  GroupBox1 = Make<ui::GroupBox>(this, L"GroupBox1", {8, 30, 409, 268}, L" Format du fichier ", 31);
  Make<Label>(GroupBox1, L"LabFile", {12, 24, 60, kTextHeight}, L"Fichier :", 32);
  nomfic = Make<ui::Edit>(GroupBox1, L"nomfic", {76, 20, 261, kEditHeight});
  BitBtn7 = Make<ui::Button>(GroupBox1, L"BitBtn7", {341, 18, 25, 25});
  BitBtn1 = Make<ui::Button>(GroupBox1, L"BitBtn1", {370, 18, 25, 25});
  Make<Label>(GroupBox1, L"LabType", {12, 56, 104, kTextHeight}, L" Type de fichier :", 33);
  typfic = Make<ComboBox>(GroupBox1, L"typfic", {120, 52, 217, kEditHeight});

  PanColumns = Make<Panel>(GroupBox1, L"PanColumns", {12, 80, 385, 88});
  Make<Label>(PanColumns, L"LabNumber", {0, 6, 60, kTextHeight}, L"Numéro :", 34);
  cn = Make<ComboBox>(PanColumns, L"cn", {64, 2, 61, kEditHeight});
  Make<Label>(PanColumns, L"LabX", {140, 6, 24, kTextHeight}, L"X :");
  cx = Make<ComboBox>(PanColumns, L"cx", {168, 2, 61, kEditHeight});
  Make<Label>(PanColumns, L"LabY", {244, 6, 24, kTextHeight}, L"Y :");
  cy = Make<ComboBox>(PanColumns, L"cy", {272, 2, 61, kEditHeight});
  Make<Label>(PanColumns, L"LabZ", {0, 36, 60, kTextHeight}, L"Z :");
  cz = Make<ComboBox>(PanColumns, L"cz", {64, 32, 61, kEditHeight});
  Make<Label>(PanColumns, L"LabDes", {140, 36, 80, kTextHeight}, L"Description :");
  cdes = Make<ComboBox>(PanColumns, L"cdes", {224, 32, 61, kEditHeight});
  Make<Label>(PanColumns, L"LabSepar", {0, 66, 60, kTextHeight}, L"Séparateur :", 35);
  separ = Make<ComboBox>(PanColumns, L"separ", {64, 62, 121, kEditHeight});

  PanRenum = Make<Panel>(GroupBox1, L"PanRenum", {12, 174, 385, 54});
  renum = Make<ui::CheckBox>(PanRenum, L"renum", {0, 2, 200, kCheckHeight}, L"Renuméroter", 36);
  Make<Label>(PanRenum, L"LabStart", {0, 32, 84, kTextHeight}, L"Commencer à :", 37);
  MakeStartAt(PanRenum, {88, 28, 81, kEditHeight}, {173, 26, 25, 25}, -1000);
  Make<Label>(PanRenum, L"LabIncrement", {212, 32, 70, kTextHeight}, L"Incrément :", 38);
  increment = Make<TVexaEdit>(PanRenum, L"increment", {284, 28, 61, kEditHeight});
  Make<Label>(GroupBox1, L"LabDup", {12, 240, 110, kTextHeight}, L"Points dupliqués : ", 40);
  cbPointsDup = Make<ComboBox>(GroupBox1, L"cbPointsDup", {124, 236, 271, kEditHeight});

  MakeParameters({8, 306, 409, 108}, L"Edition du modèle ...", L"Rétablir la valeur par défaut");
  AddButtonRow(424);

  for (ui::Panel* p : {PanColumns, PanRenum}) {
    p->SetBevelOuter(Panel::Bevel::None);
    p->SetCaption(L"");
  }
  BitBtn7->SetImages(ButtonImages);
  BitBtn7->SetImageIndex(kButtonViewFile);
  BitBtn1->SetImages(ButtonImages);
  BitBtn1->SetImageIndex(kButtonBrowse);
  nomfic->SetText(L"C:\\points.txt");
  for (ComboBox* list : {typfic, cn, cx, cy, cz, cdes, separ, cbPointsDup}) list->SetStyle(ComboBox::Style::DropDownList);
  const std::vector<std::wstring> columns = {L"1", L"2", L"3", L"4", L"5"};
  std::vector<std::wstring> optional = columns;
  optional.insert(optional.begin(), L"Ignore");
  for (ComboBox* list : {cn, cz, cdes}) list->SetItems(optional);
  for (ComboBox* list : {cx, cy}) {
    list->SetItems(columns);
    list->SetItemIndex(0);
  }
  increment->SetTypeValeur(TTypeValeur::tvInteger);
  increment->SetNumDec(0);
  increment->SetMinValue(1);
  increment->SetHasMaxValue(false);
  increment->SetText(L"1");
  prefixe->SetText(L"prefixe");

  typfic->SetItems({LabelText(session_, labels::kTextFileType), LabelText(session_, labels::kGsiFileType)});
  separ->SetItems({LabelText(session_, labels::kSeparatorSpace), LabelText(session_, labels::kSeparatorComma),
                   LabelText(session_, labels::kSeparatorSemicolon)});
  cbPointsDup->SetItems(DuplicateChoices(session_.config.langue));

  typfic->OnChange = [this] { FileTypeRule(); };
  renum->OnClick = [this] { RenumberingRule(); };
  BitBtn1->OnClick = [this] { Browse(); };
  BitBtn7->OnClick = [this] { ViewFile(session_.platform, nomfic->Text()); };

  LabelName(*BitBtn7, 1150, L"Voir le fichier"), LabelName(*BitBtn1, 1151, L"Parcourir");
  FinishCreation();
}

void TfrmImportFic::Showing() {
  FileTypeRule();
  RenumberingRule();
}

void TfrmImportFic::FileTypeRule() {
  const bool text = typfic->ItemIndex() == 0;
  for (ui::Component* c : PanColumns->Children()) c->SetEnabled(text);
}

void TfrmImportFic::RenumberingRule() { EnableChildren(*PanRenum, *renum); }

void TfrmImportFic::Browse() {
  FileDialogRequest request;
  request.title = LabelText(session_, labels::kOpenPointsFile);
  request.filters = ParseFileFilter(
      LabelText(session_, typfic->ItemIndex() == 0 ? labels::kTextFileFilter : labels::kGsiFileFilter));
  request.filterIndex = 1;
  request.initialFolder = FolderOf(nomfic->Text());
  const FileDialogResult result = session_.platform.system.openFileDialog(request);
  if (result.chosen) nomfic->SetText(result.path);
}

void TfrmImportFic::Apply() {
  if (!session_.platform.files.fileExists(nomfic->Text())) {
    ShowLabelMsg(session_, labels::kNoSuchFile);
    nomfic->SetFocus();
    return;
  }
  if (!ModelChosen()) return;
  Accept();
}

void ImportPointsFile(Session& session) { RunPointCommand<TfrmImportFic>(session); }

}  // namespace topaline
