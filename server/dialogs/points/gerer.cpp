#include "server/dialogs/points/gerer.h"

#include <algorithm>

#include "server/dialogs/common/message_labels.h"
#include "platform/error.h"
#include "server/core/labels.h"
#include "server/dialogs/common/message_box.h"
#include "server/core/number_format.h"
#include "server/core/session.h"
#include "server/dialogs/common/settings.h"
#include "server/core/text_compare.h"
#include "server/dialogs/points/filtre_points.h"
#include "ui/res/images.h"

namespace topaline {

namespace {
constexpr int kLabelOneGroup = 617;
constexpr int kLabelGroups = 618;

// Images of the tool strip.
using namespace ui::images;
constexpr int kImageCurrent = kToolCurrent;  // also marks the current group's row

}  // namespace

TfrmGerer::TfrmGerer(Session& session, TfrmFiltrePoints& filter)
    : TDialog(session, L"frmGerer", L"tlgroups"), filter_(filter) {
  using ui::ToolButton;
  SetCaption(L" Topaline -  Gestionnaire des groupes de points");
  SetHelpContext(600);
  SetBorderStyle(ui::BorderStyle::Sizeable);
  SetClientSize(544, 372);
  SetMinSize({500, 385});
  // No key handling of its own: Escape belongs to the name editor, where
  // it abandons the edit, and must never drop the whole session's changes.
  SetEscapeRule(EscapeRule::None);

  ImageList1 = &Add<ui::ImageList>(this, L"ImageList1");
  StatusBar1 = Make<ui::StatusBar>(this, L"StatusBar1", {0, 353, 544, 19});
  ToolBar1 = Make<ui::ToolBar>(this, L"ToolBar1", {0, 317, 544, 36});
  btClose = Make<ToolButton>(ToolBar1, L"btClose", {254, 4, 90, 28}, L" Appliquer ", 990);
  ToolButton3 = Make<ToolButton>(ToolBar1, L"ToolButton3", {350, 4, 90, 28}, L" Annuler ", 991);
  ToolButton1 = Make<ToolButton>(ToolBar1, L"ToolButton1", {446, 4, 90, 28}, L" Aide ", 992);
  GroupBox1 = Make<ui::GroupBox>(this, L"GroupBox1", {8, 8, 528, 305}, L" Groupes de points ", 601);
  TVGroupes = Make<ui::TreeGrid>(GroupBox1, L"TVGroupes", {8, 18, 468, 245});
  tbActions = Make<ui::ToolBar>(GroupBox1, L"tbActions", {484, 18, 36, 6 * 30});
  btListe = AddAction(L"btListe", L"Voir la liste des points", 605, kToolListPoints, GererAction::Liste);
  btDelElts = AddAction(L"btDelElts", L"Effacer les objets du groupe", 606, kToolEraseObjects, GererAction::DelElts);
  btAddSel = AddAction(L"btAddSel", L"Ajouter des points par sélection", 607, kToolAddSelection, GererAction::AddSel);
  btRemoveSel =
      AddAction(L"btRemoveSel", L"Retirer des points par sélection", 609, kToolRemoveSelection, GererAction::RemoveSel);
  btAddCrit = AddAction(L"btAddCrit", L"Ajouter des points par critères", 608, kToolAddCriteria, GererAction::AddCrit);
  btRemoveCrit =
      AddAction(L"btRemoveCrit", L"Retirer des points par critères", 610, kToolRemoveCriteria, GererAction::RemoveCrit);
  ToolBar2 = Make<ui::ToolBar>(GroupBox1, L"ToolBar2", {8, 267, 468, 30});
  btNew = Make<ToolButton>(ToolBar2, L"btNew", {0, 2, 130, 26}, L" Nouveau groupe ", 602);
  btDel = Make<ToolButton>(ToolBar2, L"btDel", {130, 2, 100, 26}, L" Supprimer ", 603);
  btCourant = Make<ToolButton>(ToolBar2, L"btCourant", {230, 2, 90, 26}, L" Courant ", 604);

  ImageList1->SetStrip(kToolImages, 16, 16, kToolImageCount);
  StatusBar1->SetAlign(ui::Align::Bottom);
  StatusBar1->AddPanel(544);
  for (ui::ToolBar* bar : {ToolBar1, tbActions, ToolBar2}) bar->SetImages(ImageList1);
  ToolBar1->SetAlign(ui::Align::Bottom);
  const std::pair<ToolButton*, int> images[] = {{btClose, kToolApply},         {ToolButton3, kToolCancel},
                                                {ToolButton1, kToolHelp},      {btNew, kToolNewGroup},
                                                {btDel, kToolDeleteGroup},     {btCourant, kImageCurrent}};
  for (const auto& [button, image] : images) button->SetImageIndex(image);
  for (ToolButton* b : {btClose, ToolButton3, ToolButton1}) b->SetAnchors({false, true, true, false});
  GroupBox1->SetAnchors({true, true, true, true});
  TVGroupes->SetAnchors({true, true, true, true});
  TVGroupes->SetImages(ImageList1);
  TVGroupes->SetFullRowSelect(true);
  TVGroupes->SetEditOnClick(true);
  TVGroupes->SetEditDelay(500);
  AddGroupColumns(*TVGroupes);
  tbActions->SetVertical(true);
  tbActions->SetShowCaptions(false);
  tbActions->SetAnchors({false, true, true, false});
  ToolBar2->SetAnchors({true, false, true, true});

  // Every cell is read from the model through the row's Id.
  TVGroupes->OnGetText = [this](int, std::int32_t id, int column) {
    const TUnGroupe* g = GroupOfRow(id);
    return g ? GroupCellText(*g, column) : std::wstring();
  };
  TVGroupes->OnPaintCell = [this](int, std::int32_t id, int column, ui::CellStyle& style) {
    if (!ready_ || id != groupes_.IdCourant || !groupes_.Get(id)) return;
    style.bold = true;
    if (column == 0) style.imageIndex = kImageCurrent;
  };
  SortGroupsBy(*TVGroupes, groupes_, ranks_);
  TVGroupes->OnEditing = [](int, int column) { return column == 0 || column == 1; };
  TVGroupes->OnNewText = [this](int row, int column, const std::wstring& text) { CellEdited(row, column, text); };
  TVGroupes->OnFocusChanged = [this] { UpdateButtons(); };

  btNew->OnClick = [this] { NewGroup(); };
  btDel->OnClick = [this] { DeleteGroup(); };
  btCourant->OnClick = [this] { MakeCurrent(); };
  SetButtons(btClose, ToolButton3, ToolButton1);

  // Before any stored state: column 0 ascending.
  TVGroupes->SetSortColumn(0);
  TVGroupes->SetSortDirection(ui::SortDirection::Ascending);
  TVGroupes->SetColumnColor(0, TVGroupes->SortColumnColor());
  KeepPlace();
  KeepHeader(*TVGroupes);
  for (int c = 0; c < kGroupColumnCount; ++c) LabelColumn(*TVGroupes, c, kFirstGroupColumnLabel + c);
  LabelName(*TVGroupes, 1153, L"Liste des groupes");
  FinishCreation();
  // The manager always shows its groups sorted.
  if (TVGroupes->SortColumn() < 0) {
    TVGroupes->SetSortColumn(0);
    TVGroupes->SetColumnColor(0, TVGroupes->SortColumnColor());
  }
}

// The model and the sort keys go before the tree: the tree must not call
// back into them while the form destroys it.
TfrmGerer::~TfrmGerer() {
  ready_ = false;
  TVGroupes->DetachEvents();
}

ui::ToolButton* TfrmGerer::AddAction(const wchar_t* name, const wchar_t* hint, int label, int image,
                                     GererAction action) {
  const int index = static_cast<int>(tbActions->Children().size());
  ui::ToolButton* b = Make<ui::ToolButton>(tbActions, name, {2, 2 + index * 30, 30, 28}, nullptr, label);
  b->SetHint(hint);
  b->SetImageIndex(image);
  b->SetEnabled(false);
  b->OnClick = [this, action] { RunAction(action); };
  return b;
}

const TUnGroupe* TfrmGerer::GroupOfRow(std::int32_t id) const { return groupes_.Get(id); }

bool TfrmGerer::FocusedId(std::int32_t& id) const {
  const int row = TVGroupes->FocusedRow();
  if (row < 0) return false;
  id = TVGroupes->RowId(row);
  return true;
}

void TfrmGerer::Execute() {
  LoadGroupRows(session_, groupes_, *TVGroupes);
  TVGroupes->BeginUpdate();
  ready_ = true;
  TVGroupes->Sort();
  TVGroupes->EndUpdate();
  UpdateButtons();
  Run();
}

// The group whose Id stands in alldata is focused; else the first row.
// An alldata that cannot be read is reported and pre-selects nothing.
void TfrmGerer::Showing() {
  int row = -1;
  try {
    const ExchangeArray& data = session_.exchange.get(Slot::alldata);
    if (data.upperBound() >= 0) {
      std::int32_t id = 0;
      // Anything but a decimal integer selects nothing in particular.
      if (ParseInt32(data.textAt(0), id) == ParseResult::Ok) row = TVGroupes->FindRow(id);
    }
    if (row < 0 && TVGroupes->RowCount() > 0) row = 0;
  } catch (...) {
    ShowErrorBox(session_, CurrentExceptionMessage());
  }
  if (row >= 0) TVGroupes->SetFocusedRow(row);
  UpdateButtons();
  if (TVGroupes->CanFocus()) TVGroupes->SetFocus();
}

void TfrmGerer::Closing() { TVGroupes->CancelEdit(); }

void TfrmGerer::UpdateButtons() {
  if (!ready_) return;
  for (ui::ToolButton* b : {btListe, btDelElts, btAddSel, btRemoveSel, btAddCrit, btRemoveCrit, btDel, btCourant})
    b->SetEnabled(false);
  std::int32_t id = 0;
  if (!FocusedId(id)) return;
  const TUnGroupe* focused = groupes_.Get(id);
  const bool hasPoints = focused && focused->Nbpoints > 0;
  for (ui::ToolButton* b : {btDel, btCourant, btAddSel, btAddCrit}) b->SetEnabled(true);
  for (ui::ToolButton* b : {btListe, btDelElts, btRemoveSel, btRemoveCrit}) b->SetEnabled(hasPoints);

  // A current Id that names no group shows no name.
  const TUnGroupe* current = groupes_.Get(groupes_.IdCourant);
  const std::wstring name = current ? current->Nom : std::wstring();
  const std::size_t n = groupes_.Count();
  std::wstring status;
  if (n == 1) status = LabelText(session_, kLabelOneGroup) + name;
  else status = L" " + IntToText(static_cast<std::int64_t>(n)) + LabelText(session_, kLabelGroups) + name;
  StatusBar1->SetPanelText(0, status);
}

void TfrmGerer::NewGroup() {
  TVGroupes->EndEdit();
  const TUnGroupe& g = groupes_.Add();
  const std::int32_t id = g.Id;
  const int row = TVGroupes->AddRow(id);
  TVGroupes->SetFocusedRow(row);
  UpdateButtons();
  TVGroupes->Repaint();
  if (TVGroupes->CanFocus()) TVGroupes->SetFocus();
  TVGroupes->EditCell(row, 0);
}

void TfrmGerer::DeleteGroup() {
  TVGroupes->EndEdit();
  std::int32_t id = 0;
  if (!FocusedId(id)) return;
  if (id == groupes_.IdCourant) {
    ShowErrMsg(session_, LabelText(session_, labels::kCurrentNotDeleted), {L"Ok"}, ui::IconError);
    return;
  }
  const int row = TVGroupes->FocusedRow();
  // The next row, else the previous one; it takes this row's place once
  // this one is gone.
  const int next = row + 1 < TVGroupes->RowCount() ? row : row - 1;
  ready_ = false;  // no button update on a half-deleted group
  TVGroupes->DeleteRow(row);
  groupes_.Delete(id);
  ready_ = true;
  if (next >= 0) TVGroupes->SetFocusedRow(next);
  UpdateButtons();
}

void TfrmGerer::MakeCurrent() {
  TVGroupes->EndEdit();
  std::int32_t id = 0;
  if (!FocusedId(id)) return;
  groupes_.IdCourant = id;
  TVGroupes->Repaint();
  UpdateButtons();
}

void TfrmGerer::CellEdited(int row, int column, const std::wstring& text) {
  const std::int32_t id = TVGroupes->RowId(row);
  const TUnGroupe* g = groupes_.Get(id);
  if (!g) return;
  if (column == 0) {
    // Committing the name as it stands changes nothing and is no duplicate.
    if (text == g->Nom) return;
    if (groupes_.Exist(text)) {
      ShowLabelMsg(session_, labels::kDuplicateName);
      return;
    }
    groupes_.Rename(id, text);
    UpdateButtons();  // the current group's name is on the status line
  } else if (column == 1) {
    groupes_.SetDesc(id, text);
  }
}

void TfrmGerer::Apply() {
  TVGroupes->EndEdit();
  session_.exchange.put(Slot::AXGroupes, groupes_.WriteGroups());
  session_.exchange.resultat = static_cast<std::int32_t>(GererAction::Apply);
  SetModalResult(ui::mrOk);
}

void TfrmGerer::RunAction(GererAction action) {
  TVGroupes->EndEdit();
  std::int32_t id = 0;
  if (!FocusedId(id)) return;
  switch (action) {
    case GererAction::DelElts: {
      const int answer = ShowErrMsg(session_, LabelText(session_, labels::kEraseObjects),
                                    {LabelText(session_, labels::kYes), LabelText(session_, labels::kNo)}, ui::IconQuestion);
      if (answer != 1) return;
      break;
    }
    case GererAction::AddCrit:
    case GererAction::RemoveCrit:
      if (filter_.Run() != ui::mrOk) return;
      break;
    default:
      break;
  }
  session_.exchange.put(Slot::alldata, {Variant::string(IntToText(id))});
  session_.exchange.put(Slot::AXGroupes, groupes_.WriteGroups());
  session_.exchange.resultat = static_cast<std::int32_t>(action);
  SetModalResult(ui::mrOk);
}

void ManageGroups(Session& session) {
  TfrmFiltrePoints filter(session);
  TfrmGerer manager(session, filter);
  manager.Execute();
}

}  // namespace topaline
