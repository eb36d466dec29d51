#include "server/dialogs/points/sauve_pt.h"

#include "platform/files.h"
#include "server/core/labels.h"
#include "server/core/number_format.h"
#include "server/core/session.h"
#include "server/dialogs/common/message_box.h"
#include "server/dialogs/common/message_labels.h"
#include "server/dialogs/common/settings.h"
#include "ui/res/images.h"

namespace topaline {

// ---------------------------------------------------------------- TForm23

TForm23::TForm23(Session& session) : TDialog(session, L"Form23", L"") {
  using namespace design;
  SetBorderStyle(ui::BorderStyle::ToolWindow);
  SetCaption(L"Fichier existant");
  SetHelpContext(43);
  SetClientSize(441, 105);

  Image1 = Make<ui::Image>(this, L"Image1", {12, 12, 32, 32});
  Label1 = Make<ui::Label>(this, L"Label1", {60, 12, 369, 44},
                           L"Le fichier sélectionné existe déjà. Voulez-vous ajouter les points à la suite ou écraser "
                           L"son contenu ?",
                           44);
  Button1 = Make<ui::Button>(this, L"Button1", {12, 68, 170, kButtonHeight}, L"Ajouter les points à la suite", 45);
  Button2 = Make<ui::Button>(this, L"Button2", {190, 68, 150, kButtonHeight}, L"Ecraser le contenu", 46);
  Button3 = Make<ui::Button>(this, L"Button3", {348, 68, 81, kButtonHeight}, L"Annuler", 47);

  Image1->SetResource(ui::images::kFileExistsPicture);
  Label1->SetAutoSize(false);
  Label1->SetWordWrap(true);
  Button1->SetModalResult(ui::mrYes);
  Button2->SetModalResult(ui::mrNo);
  Button3->SetModalResult(ui::mrCancel);

  FinishCreation();
}

void TForm23::Showing() { SetActiveControl(Button1); }

// ---------------------------------------------------------------- TfrmSauvePt

namespace {

std::vector<std::wstring> Numbers(int from, int to) {
  std::vector<std::wstring> items;
  for (int i = from; i <= to; ++i) items.push_back(IntToText(i));
  return items;
}

void EnableAll(ui::Component& panel, bool on) {
  for (ui::Component* c : panel.Children()) c->SetEnabled(on);
}

}  // namespace

TfrmSauvePt::TfrmSauvePt(Session& session, TForm23& existingFile)
    : TDialog(session, L"frmSauvePt", L"tlsauvepoints", L"sauvepoints"), existingFile_(existingFile) {
  using namespace design;
  using ui::ComboBox, ui::Label, ui::Panel;
  SetCaption(L" Topaline - Enregistrer des points dans un fichier");
  SetHelpContext(41);
  SetClientSize(433, 331);

  ImageList1 = &Add<ui::ImageList>(this, L"ImageList1");
  GroupBox1 = Make<ui::GroupBox>(this, L"GroupBox1", {8, 8, 417, 82}, L" Format du fichier ", 31);
  Label1 = Make<Label>(GroupBox1, L"Label1", {12, 24, 80, kTextHeight}, L"Fichier :", 32);
  nomfic = Make<ui::Edit>(GroupBox1, L"nomfic", {96, 20, 255, kEditHeight});
  BitBtn7 = Make<ui::Button>(GroupBox1, L"BitBtn7", {355, 19, 25, 23});
  BitBtn1 = Make<ui::Button>(GroupBox1, L"BitBtn1", {384, 19, 25, 23});
  Label2 = Make<Label>(GroupBox1, L"Label2", {12, 54, 80, kTextHeight}, L" Type de fichier :", 33);
  typfic = Make<ComboBox>(GroupBox1, L"typfic", {96, 50, 200, kEditHeight});

  Panel1 = Make<Panel>(this, L"Panel1", {8, 96, 417, 110});
  Label3 = Make<Label>(Panel1, L"Label3", {8, 8, 80, kTextHeight}, L"Numéro :", 34);
  cn = Make<ComboBox>(Panel1, L"cn", {92, 4, 70, kEditHeight});
  // "X :", "Y :", "Z :" and "Description :" read the same in every language.
  Label4 = Make<Label>(Panel1, L"Label4", {8, 34, 80, kTextHeight}, L"X :");
  cx = Make<ComboBox>(Panel1, L"cx", {92, 30, 70, kEditHeight});
  Label5 = Make<Label>(Panel1, L"Label5", {8, 60, 80, kTextHeight}, L"Y :");
  cy = Make<ComboBox>(Panel1, L"cy", {92, 56, 70, kEditHeight});
  Label6 = Make<Label>(Panel1, L"Label6", {176, 8, 80, kTextHeight}, L"Z :");
  cz = Make<ComboBox>(Panel1, L"cz", {260, 4, 70, kEditHeight});
  Label7 = Make<Label>(Panel1, L"Label7", {176, 34, 80, kTextHeight}, L"Description :");
  cdes = Make<ComboBox>(Panel1, L"cdes", {260, 30, 70, kEditHeight});
  Label8 = Make<Label>(Panel1, L"Label8", {176, 60, 80, kTextHeight}, L"Séparateur :", 35);
  separ = Make<ComboBox>(Panel1, L"separ", {260, 56, 110, kEditHeight});
  Label9 = Make<Label>(Panel1, L"Label9", {8, 86, 80, kTextHeight}, L"Décimales :", 42);
  nbdec = Make<ComboBox>(Panel1, L"nbdec", {92, 82, 70, kEditHeight});

  Panel2 = Make<Panel>(this, L"Panel2", {8, 212, 417, 36});
  gsi8 = Make<ui::RadioButton>(Panel2, L"gsi8", {8, 10, 70, kCheckHeight}, L"GSI 8");
  gsi16 = Make<ui::RadioButton>(Panel2, L"gsi16", {84, 10, 70, kCheckHeight}, L"GSI 16");
  Label10 = Make<Label>(Panel2, L"Label10", {176, 12, 80, kTextHeight}, L"Décimales :", 42);
  gsidec = Make<ComboBox>(Panel2, L"gsidec", {260, 8, 70, kEditHeight});

  Panel3 = Make<Panel>(this, L"Panel3", {8, 254, 417, 36});
  renum = Make<ui::CheckBox>(Panel3, L"renum", {8, 10, 110, kCheckHeight}, L"Renuméroter :", 36);
  Label11 = Make<Label>(Panel3, L"Label11", {124, 12, 80, kTextHeight}, L"Commencer à :", 37);
  startat = Make<TVexaEdit>(Panel3, L"startat", {208, 8, 60, kEditHeight});
  Label12 = Make<Label>(Panel3, L"Label12", {280, 12, 68, kTextHeight}, L"Incrément :", 38);
  increment = Make<TVexaEdit>(Panel3, L"increment", {352, 8, 57, kEditHeight});
  ecrase = Make<ui::CheckBox>(this, L"ecrase", {8, 300, 97, kCheckHeight}, L"ecrase");
  AddButtonRow(298);

  ecrase->SetVisible(false);
  ImageList1->SetStrip(ui::images::kButtonImages, 16, 16, ui::images::kButtonImageCount);
  BitBtn7->SetImages(ImageList1);
  BitBtn7->SetImageIndex(ui::images::kButtonViewFile);
  BitBtn1->SetImages(ImageList1);
  BitBtn1->SetImageIndex(ui::images::kButtonBrowse);
  for (ComboBox* list : {typfic, cn, cx, cy, cz, cdes, separ, nbdec, gsidec})
    list->SetStyle(ComboBox::Style::DropDownList);
  typfic->SetItems({LabelText(session_, 719), LabelText(session_, 720)});
  std::vector<std::wstring> columns = Numbers(1, 5);
  columns.insert(columns.begin(), L"Ignore");
  for (ComboBox* list : {cn, cx, cy, cz, cdes}) list->SetItems(columns);
  separ->SetItems({LabelText(session_, 723), LabelText(session_, 724), LabelText(session_, 725)});
  nbdec->SetItems(Numbers(1, 5));
  gsidec->SetItems(Numbers(3, 5));
  for (TVexaEdit* field : {startat, increment}) {
    field->SetTypeValeur(TTypeValeur::tvInteger);
    field->SetHasMaxValue(false);
    field->SetText(L"1");
  }
  startat->SetMinValue(-1000);
  increment->SetMinValue(1);

  typfic->OnChange = [this] { FileTypeChanged(); };
  renum->OnClick = [this] { RenumberClicked(); };
  BitBtn1->OnClick = [this] { BrowseClicked(); };
  BitBtn7->OnClick = [this] { ViewClicked(); };

  LabelName(*BitBtn7, 1150, L"Voir le fichier"), LabelName(*BitBtn1, 1151, L"Parcourir");
  FinishCreation();
}

void TfrmSauvePt::Showing() {
  FileTypeChanged();
  RenumberClicked();
  gsi16->SetChecked(!gsi8->Checked());
}

void TfrmSauvePt::FileTypeChanged() {
  EnableAll(*Panel1, typfic->ItemIndex() == 0);
  EnableAll(*Panel2, typfic->ItemIndex() == 1);
}

void TfrmSauvePt::RenumberClicked() { EnableChildren(*Panel3, *renum); }

void TfrmSauvePt::BrowseClicked() {
  const bool text = typfic->ItemIndex() == 0;
  FileDialogRequest request;
  request.title = LabelText(session_, 700);
  request.filters = ParseFileFilter(LabelText(session_, text ? 721 : 722));
  request.filterIndex = 1;
  request.initialFolder = FolderOf(nomfic->Text());
  request.defaultExtension = text ? L"txt" : L"gsi";
  const FileDialogResult answer = session_.platform.system.saveFileDialog(request);
  if (answer.chosen) nomfic->SetText(answer.path);
}

void TfrmSauvePt::ViewClicked() { ViewFile(session_.platform, nomfic->Text()); }

void TfrmSauvePt::Apply() {
  const std::wstring& path = nomfic->Text();
  if (TrimBlanks(path).empty() || session_.platform.files.folderExists(path)) {
    ShowLabelMsg(session_, labels::kNoFileName);
    nomfic->SetFocus();
    return;
  }
  if (session_.platform.files.fileExists(path)) {
    const int answer = existingFile_.ShowModal();
    if (answer != ui::mrYes && answer != ui::mrNo) return;
    ecrase->SetChecked(answer == ui::mrNo);
  }
  Accept();
}

void SavePoints(Session& session) {
  TForm23 existingFile(session);
  TfrmSauvePt(session, existingFile).Run();
}

}  // namespace topaline
