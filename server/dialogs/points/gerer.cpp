#include "server/dialogs/points/gerer.h"

#include <algorithm>

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
constexpr int kLabelDuplicateName = 713;
constexpr int kLabelEraseObjects = 736;
constexpr int kLabelCurrentNotDeleted = 738;
constexpr int kLabelYes = 994;
constexpr int kLabelNo = 995;
constexpr int kLabelOneGroup = 617;
constexpr int kLabelGroups = 618;

// Images of the tool strip.
using namespace ui::images;
constexpr int kImageCurrent = kToolCurrent;  // also marks the current group's row

}  // namespace

TfrmGerer::TfrmGerer(Session& session, TfrmFiltrePoints& filter)
    : TDialog(session, L"frmGerer", L"tlgroups"), filter_(filter) {
  using namespace design;
  SetCaption(L" Topaline -  Gestionnaire des groupes de points");
  SetHelpContext(600);
  SetBorderStyle(ui::BorderStyle::Sizeable);
  SetClientSize(544, 372);
  SetMinSize({500, 385});
  // No key handling of its own: Escape belongs to the name editor, where
  // it abandons the edit, and must never drop the whole session's changes.
  SetKeyPreview(false);
  OnKeyDown = nullptr;

  ImageList1 = &Add<ui::ImageList>(this, L"ImageList1");
  ImageList1->SetStrip(kToolImages, 16, 16, kToolImageCount);

  StatusBar1 = &Add<ui::StatusBar>(this, L"StatusBar1", {0, 353, 544, 19});
  StatusBar1->SetAlign(ui::Align::Bottom);
  StatusBar1->AddPanel(544);

  ToolBar1 = &Add<ui::ToolBar>(this, L"ToolBar1", {0, 317, 544, 36});
  ToolBar1->SetAlign(ui::Align::Bottom);
  ToolBar1->SetImages(ImageList1);
  auto bottom = [&](const wchar_t* name, const wchar_t* caption, int label, int image, int left) {
    auto& b = Add<ui::ToolButton>(ToolBar1, name, {left, 4, 90, 28});
    b.SetCaption(caption);
    b.SetHelpContext(label);
    b.SetImageIndex(image);
    return &b;
  };
  btClose = bottom(L"btClose", L" Appliquer ", 990, kToolApply, 254);
  ToolButton3 = bottom(L"ToolButton3", L" Annuler ", 991, kToolCancel, 350);
  ToolButton1 = bottom(L"ToolButton1", L" Aide ", 992, kToolHelp, 446);
  btClose->SetAnchors({false, true, true, false});
  ToolButton3->SetAnchors({false, true, true, false});
  ToolButton1->SetAnchors({false, true, true, false});

  GroupBox1 = &Add<ui::GroupBox>(this, L"GroupBox1", {8, 8, 528, 305});
  GroupBox1->SetCaption(L" Groupes de points ");
  GroupBox1->SetHelpContext(601);
  GroupBox1->SetAnchors({true, true, true, true});

  TVGroupes = &Add<ui::TreeGrid>(GroupBox1, L"TVGroupes", {8, 18, 468, 245});
  TVGroupes->SetAnchors({true, true, true, true});
  TVGroupes->SetImages(ImageList1);
  TVGroupes->SetFullRowSelect(true);
  TVGroupes->SetEditOnClick(true);
  TVGroupes->SetEditDelay(500);
  AddGroupColumns(*TVGroupes);

  tbActions = &Add<ui::ToolBar>(GroupBox1, L"tbActions", {484, 18, 36, 6 * 30});
  tbActions->SetVertical(true);
  tbActions->SetShowCaptions(false);
  tbActions->SetImages(ImageList1);
  tbActions->SetAnchors({false, true, true, false});
  btListe = &AddAction(L"btListe", L"Voir la liste des points", 605, kToolListPoints, GererAction::Liste);
  btDelElts = &AddAction(L"btDelElts", L"Effacer les objets du groupe", 606, kToolEraseObjects, GererAction::DelElts);
  btAddSel = &AddAction(L"btAddSel", L"Ajouter des points par sélection", 607, kToolAddSelection, GererAction::AddSel);
  btRemoveSel =
      &AddAction(L"btRemoveSel", L"Retirer des points par sélection", 609, kToolRemoveSelection, GererAction::RemoveSel);
  btAddCrit = &AddAction(L"btAddCrit", L"Ajouter des points par critères", 608, kToolAddCriteria, GererAction::AddCrit);
  btRemoveCrit =
      &AddAction(L"btRemoveCrit", L"Retirer des points par critères", 610, kToolRemoveCriteria, GererAction::RemoveCrit);

  ToolBar2 = &Add<ui::ToolBar>(GroupBox1, L"ToolBar2", {8, 267, 468, 30});
  ToolBar2->SetImages(ImageList1);
  ToolBar2->SetAnchors({true, false, true, true});
  auto tool = [&](const wchar_t* name, const wchar_t* caption, int label, int image, int left, int width) {
    auto& b = Add<ui::ToolButton>(ToolBar2, name, {left, 2, width, 26});
    b.SetCaption(caption);
    b.SetHelpContext(label);
    b.SetImageIndex(image);
    return &b;
  };
  btNew = tool(L"btNew", L" Nouveau groupe ", 602, kToolNewGroup, 0, 130);
  btDel = tool(L"btDel", L" Supprimer ", 603, kToolDeleteGroup, 130, 100);
  btCourant = tool(L"btCourant", L" Courant ", 604, kImageCurrent, 230, 90);

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
  btClose->OnClick = [this] { Apply(); };
  ToolButton3->OnClick = [this] {
    TVGroupes->CancelEdit();
    SetModalResult(ui::mrCancel);
  };
  ToolButton1->OnClick = [this] { ShowHelp(session_, L"tlgroups"); };

  OnShow = [this] { Opening(); };
  OnClose = [this] { Closing(); };

  // Creation: labels, geometry, header state, then the column captions
  // (always from the labels) and alignments.
  FinishCreation();
  try {
    RestoreFormPos(session_, *this);
    // Before any stored state: column 0 ascending.
    TVGroupes->SetSortColumn(0);
    TVGroupes->SetSortDirection(ui::SortDirection::Ascending);
    TVGroupes->SetColumnColor(0, TVGroupes->SortColumnColor());
    RestoreHeaderState(session_, *this, *TVGroupes);
    if (TVGroupes->SortColumn() < 0) {
      TVGroupes->SetSortColumn(0);
      TVGroupes->SetColumnColor(0, TVGroupes->SortColumnColor());
    }
    LabelGroupColumns(session_, *TVGroupes);
  } catch (const Error& e) {
    ShowErrorBox(session_, e.message());
  }
}

// The model and the sort keys go before the tree: the tree must not call
// back into them while the form destroys it.
TfrmGerer::~TfrmGerer() {
  ready_ = false;
  TVGroupes->DetachEvents();
}

ui::ToolButton& TfrmGerer::AddAction(const wchar_t* name, const wchar_t* hint, int label, int image,
                                     GererAction action) {
  const int index = static_cast<int>(tbActions->Children().size());
  auto& b = Add<ui::ToolButton>(tbActions, name, {2, 2 + index * 30, 30, 28});
  b.SetHint(hint);
  b.SetHelpContext(label);
  b.SetImageIndex(image);
  b.SetEnabled(false);
  b.OnClick = [this, action] { RunAction(action); };
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
  ShowModal();
}

// The group whose Id stands in alldata is focused; else the first row.
void TfrmGerer::Opening() {
  int row = -1;
  try {
    const ExchangeArray& data = session_.exchange.get(Slot::alldata);
    if (data.upperBound() >= 0) {
      std::int32_t id = 0;
      // Anything but a decimal integer selects nothing in particular.
      if (ParseInt32(data.textAt(0), id) == ParseResult::Ok) row = TVGroupes->FindRow(id);
    }
  } catch (const Error& e) {
    ShowErrorBox(session_, e.message());
  }
  if (row < 0 && TVGroupes->RowCount() > 0) row = 0;
  if (row >= 0) TVGroupes->SetFocusedRow(row);
  UpdateButtons();
  if (TVGroupes->CanFocus()) TVGroupes->SetFocus();
}

void TfrmGerer::Closing() {
  TVGroupes->CancelEdit();
  SaveWindowState(session_, *this, *TVGroupes);
}

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
    ShowErrMsg(session_, LabelText(session_, kLabelCurrentNotDeleted), {L"Ok"}, ui::IconError);
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
      ShowLabelMsg(session_, kLabelDuplicateName);
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
      const int answer = ShowErrMsg(session_, LabelText(session_, kLabelEraseObjects),
                                    {LabelText(session_, kLabelYes), LabelText(session_, kLabelNo)}, ui::IconQuestion);
      if (answer != 1) return;
      break;
    }
    case GererAction::AddCrit:
    case GererAction::RemoveCrit:
      if (filter_.Execute() != ui::mrOk) return;
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
