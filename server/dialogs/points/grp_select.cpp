#include "server/dialogs/points/grp_select.h"

#include "platform/error.h"
#include "server/core/labels.h"
#include "server/dialogs/common/message_box.h"
#include "server/core/number_format.h"
#include "server/core/session.h"
#include "server/dialogs/common/settings.h"
#include "server/dialogs/points/group_list.h"

namespace topaline {

namespace {
constexpr int kLabelCheckAll = 622;
constexpr int kLabelUncheckAll = 623;

struct StatusWords {
  const wchar_t* noun;
  const wchar_t* nouns;
  const wchar_t* participle;
  const wchar_t* participles;
};

StatusWords WordsFor(const std::wstring& langue) {
  if (langue == L"fr") return {L"groupe", L"groupes", L"sélectionné", L"sélectionnés"};
  if (langue == L"en") return {L"group", L"groups", L"selected", L"selected"};
  if (langue == L"es") return {L"groupo", L"groupos", L"selected", L"selected"};
  return {L"", L"", L"", L""};
}
}  // namespace

std::wstring GrpSelectStatus(const std::wstring& langue, std::size_t rows, std::size_t checked) {
  const StatusWords w = WordsFor(langue);
  return L" " + IntToText(static_cast<std::int64_t>(rows)) + L" " + (rows > 1 ? w.nouns : w.noun) + L" | " +
         IntToText(static_cast<std::int64_t>(checked)) + L" " + (checked > 1 ? w.participles : w.participle) + L".";
}

TfrmGrpSelect::TfrmGrpSelect(Session& session) : TDialog(session, L"frmGrpSelect", L"tlselgroup") {
  using namespace design;
  SetCaption(L" Topaline - Sélectionner des Groupes");
  SetHelpContext(620);
  SetBorderStyle(ui::BorderStyle::Sizeable);
  SetClientSize(544, 360);
  SetMinSize({420, 300});

  Panel1 = Make<ui::Panel>(this, L"Panel1", {0, 0, 544, 33});
  Label1 = Make<ui::Label>(Panel1, L"Label1", {12, 11, 110, kTextHeight}, L"Groupe courant  : ", 621);
  Label2 = Make<ui::Label>(Panel1, L"Label2", {126, 11, 400, kTextHeight}, L"");
  StatusBar1 = Make<ui::StatusBar>(this, L"StatusBar1", {0, 341, 544, 19});
  TVGroupes = Make<ui::TreeGrid>(this, L"TVGroupes", {8, 33, 528, 263});
  PopupMenu1 = &Add<ui::PopupMenu>(this, L"PopupMenu1");
  outcocher1 = &Add<ui::MenuItem>(PopupMenu1, L"outcocher1");
  outdecocher1 = &Add<ui::MenuItem>(PopupMenu1, L"outdecocher1");
  AddButtonRow(304);

  Panel1->SetAlign(ui::Align::Top);
  Panel1->SetBevelOuter(ui::Panel::Bevel::None);
  ui::Font bold = Label2->GetFont();
  bold.bold = true;
  Label2->SetFont(bold);
  StatusBar1->SetAlign(ui::Align::Bottom);
  StatusBar1->AddPanel(544);
  TVGroupes->SetAnchors({true, true, true, true});
  TVGroupes->SetCheckBoxes(true);
  TVGroupes->SetFullRowSelect(true);
  TVGroupes->SetEditOnClick(false);
  AddGroupColumns(*TVGroupes);
  outcocher1->SetCaption(L"Tout cocher");
  outdecocher1->SetCaption(L"Tout décocher");
  TVGroupes->SetPopupMenu(PopupMenu1);
  btAppliquer->SetCaption(L"Sélectionner ");
  btAppliquer->SetHelpContext(993);
  btAppliquer->SetEnabled(false);
  for (ui::Button* b : {btAppliquer, btAnnule, btAide}) b->SetAnchors({false, false, true, true});

  TVGroupes->OnGetText = [this](int, std::int32_t id, int column) {
    const TUnGroupe* g = groupes_.Get(id);
    return g ? GroupCellText(*g, column) : std::wstring();
  };
  TVGroupes->OnPaintCell = [this](int, std::int32_t id, int, ui::CellStyle& style) {
    if (ready_ && id == groupes_.IdCourant) style.bold = true;
  };
  SortGroupsBy(*TVGroupes, groupes_, ranks_);
  TVGroupes->OnChecked = [this](int) { UpdateStatus(); };
  outcocher1->OnClick = [this] { TVGroupes->SetAllChecked(true); };
  outdecocher1->OnClick = [this] { TVGroupes->SetAllChecked(false); };

  KeepPlace();
  KeepHeader(*TVGroupes);
  for (int c = 0; c < kGroupColumnCount; ++c) LabelColumn(*TVGroupes, c, kFirstGroupColumnLabel + c);
  LabelCaption(*outcocher1, kLabelCheckAll);
  LabelCaption(*outdecocher1, kLabelUncheckAll);
  LabelName(*TVGroupes, 1153, L"Liste des groupes");
  FinishCreation();
}

void TfrmGrpSelect::Showing() {
  if (TVGroupes->FocusedRow() < 0 && TVGroupes->RowCount() > 0) TVGroupes->SetFocusedRow(0);
  UpdateStatus();
  if (TVGroupes->CanFocus()) TVGroupes->SetFocus();
}

// The model and the sort keys go before the tree: the tree must not call
// back into them while the form destroys it.
TfrmGrpSelect::~TfrmGrpSelect() {
  ready_ = false;
  TVGroupes->DetachEvents();
}

void TfrmGrpSelect::Execute() {
  LoadGroupRows(session_, groupes_, *TVGroupes);
  TVGroupes->BeginUpdate();
  // A single group is the obvious choice: it arrives checked.
  if (TVGroupes->RowCount() == 1) TVGroupes->SetChecked(0, true);
  ready_ = true;
  TVGroupes->EndUpdate();
  const TUnGroupe* current = groupes_.Get(groupes_.IdCourant);
  Label2->SetCaption(current ? current->Nom : std::wstring());
  UpdateStatus();
  Run();
}

void TfrmGrpSelect::UpdateStatus() {
  if (!ready_) return;
  const int checked = TVGroupes->CheckedCount();
  StatusBar1->SetPanelText(0, GrpSelectStatus(session_.config.langue, static_cast<std::size_t>(TVGroupes->RowCount()),
                                              static_cast<std::size_t>(checked)));
  btAppliquer->SetEnabled(checked > 0);
}

void TfrmGrpSelect::Apply() {
  std::vector<std::int32_t> ids;
  ids.reserve(static_cast<std::size_t>(TVGroupes->CheckedCount()));
  for (int row = 0; row < TVGroupes->RowCount(); ++row)
    if (TVGroupes->Checked(row)) ids.push_back(TVGroupes->RowId(row));
  if (ids.empty()) return;  // Select is disabled then
  session_.exchange.put(Slot::AXGroupes, TDesGroupes::WriteSelection(ids));
  session_.exchange.resultat = 1;
  SetModalResult(ui::mrOk);
}

void SelectGroups(Session& session) { TfrmGrpSelect(session).Execute(); }

}  // namespace topaline
