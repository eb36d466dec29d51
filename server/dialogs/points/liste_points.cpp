#include "server/dialogs/points/liste_points.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <numeric>

#include "platform/error.h"
#include "server/core/labels.h"
#include "server/dialogs/common/message_box.h"
#include "server/core/number_format.h"
#include "server/core/session.h"
#include "server/dialogs/common/settings.h"
#include "server/core/text_compare.h"

namespace topaline {

namespace {

constexpr int kMaxDecimals = 8;
constexpr int kDefaultDecimals = 3;

TPointsView::Axis AxisOf(int column) {
  switch (column) {
    case TfrmListePoints::colX: return TPointsView::X;
    case TfrmListePoints::colY: return TPointsView::Y;
    default: return TPointsView::Z;
  }
}

bool IsCoordinateColumn(int column) {
  return column == TfrmListePoints::colX || column == TfrmListePoints::colY || column == TfrmListePoints::colZ;
}

// "NaN" sorts before every number.
int CompareKeys(double a, double b) {
  const bool na = std::isnan(a), nb = std::isnan(b);
  if (na || nb) return na == nb ? 0 : (na ? -1 : 1);
  return a < b ? -1 : (b < a ? 1 : 0);
}

// The order of CompareKeys as unsigned numbers: NaN first (all alike),
// then the values in order, -0 with +0.
std::uint64_t OrderedKey(double v) {
  if (std::isnan(v)) return 0;
  if (v == 0) v = 0;
  std::uint64_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  return (bits & 0x8000000000000000ull) ? ~bits : (bits | 0x8000000000000000ull);
}

bool SameState(const TPointsView::PointState& a, const TPointsView::PointState& b) {
  // Bit for bit: undoing must give back a NaN or a -0 as it was.
  auto same = [](double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; };
  return same(a.x, b.x) && same(a.y, b.y) && same(a.z, b.z) && a.Modifie == b.Modifie;
}

}  // namespace

// ---------------------------------------------------------------- editor

TPropsEditLink::TPropsEditLink(ui::Form& owner, ui::Component* parent, std::wstring name)
    : TVexaEdit(owner, parent, std::move(name)) {}

void TPropsEditLink::DoExit() {
  if (GetEditHost()) {
    ui::Edit::DoExit();  // the grid commits the text as typed
    return;
  }
  TVexaEdit::DoExit();
}

// ---------------------------------------------------------------- form

TfrmListePoints::TfrmListePoints(Session& session) : TDialog(session, L"frmListePoints", L"tledit", L"liste") {
  using namespace design;
  using ui::Label, ui::ToolButton, ui::Button;
  SetCaption(L" Topaline - Liste des points");
  SetHelpContext(550);
  SetBorderStyle(ui::BorderStyle::Sizeable);
  SetClientSize(600, 450);
  SetMinSize({420, 300});

  Panel1 = Make<ui::Panel>(this, L"Panel1", {0, 0, 600, 62});
  Label1 = Make<Label>(Panel1, L"Label1", {8, 12, 110, kTextHeight}, L"Nombre de points :", 551);
  Label2 = Make<Label>(Panel1, L"Label2", {122, 12, 120, kTextHeight}, L"0");
  Label3 = Make<Label>(Panel1, L"Label3", {420, 12, 88, kTextHeight}, L"Décimales :", 556);
  numdec = Make<ui::ComboBox>(Panel1, L"numdec", {516, 8, 76, kEditHeight});
  ToolBar2 = Make<ui::ToolBar>(Panel1, L"ToolBar2", {8, 34, 436, 25});
  btReinit = Make<ToolButton>(ToolBar2, L"btReinit", {0, 0, 216, 24}, L"Réinitialiser le point séléctionné", 552);
  btReinitAll = Make<ToolButton>(ToolBar2, L"btReinitAll", {218, 0, 216, 24}, L"Réinitialiser tous les points", 553);
  StatusBar1 = Make<ui::StatusBar>(this, L"StatusBar1", {0, 431, 600, 19});
  Panel2 = Make<ui::Panel>(this, L"Panel2", {0, 390, 600, 41});
  btAppliquer = Make<Button>(Panel2, L"btAppliquer", {8, 8, 180, kButtonHeight}, L"Appliquer les modifications", 560);
  btAnnule = Make<Button>(Panel2, L"btAnnule", {434, 8, kButtonWidth, kButtonHeight}, L"Fermer", 561);
  btAide = Make<Button>(Panel2, L"btAide", {517, 8, kButtonWidth, kButtonHeight}, L"Aide", 992);
  TVPoints = Make<ui::TreeGrid>(this, L"TVPoints", {0, 62, 600, 328});
  EditLink = Make<TPropsEditLink>(TVPoints, L"EditLink", {});

  Panel1->SetAlign(ui::Align::Top);
  Panel1->SetBevelOuter(ui::Panel::Bevel::None);
  Label3->SetAlignment(ui::Alignment::Right);
  Label3->SetAnchors({false, true, true, false});
  numdec->SetStyle(ui::ComboBox::Style::DropDownList);
  numdec->SetAnchors({false, true, true, false});
  std::vector<std::wstring> items;
  for (int i = 0; i <= kMaxDecimals; ++i) items.push_back(IntToText(i));
  numdec->SetItems(items);
  numdec->SetDropDownCount(kMaxDecimals + 1);
  numdec->SetItemIndex(kDefaultDecimals);
  btReinit->SetHint(btReinit->Caption());
  btReinitAll->SetHint(btReinitAll->Caption());
  StatusBar1->SetAlign(ui::Align::Bottom);
  StatusBar1->SetSimplePanel(true);
  Panel2->SetAlign(ui::Align::Bottom);
  Panel2->SetBevelOuter(ui::Panel::Bevel::None);
  btAnnule->SetAnchors({false, true, true, false});
  btAide->SetAnchors({false, true, true, false});

  TVPoints->SetAlign(ui::Align::Client);
  TVPoints->SetGridLines(true);
  TVPoints->AddColumn(L"Numéro", 70, ui::Alignment::Right);
  TVPoints->AddColumn(L"X", 110, ui::Alignment::Right);
  TVPoints->AddColumn(L"Y", 110, ui::Alignment::Right);
  TVPoints->AddColumn(L"Z", 90, ui::Alignment::Right);
  TVPoints->AddColumn(L"Description", 196, ui::Alignment::Left);
  TVPoints->SetEditDelay(300);

  EditLink->SetVisible(false);
  EditLink->SetTabStop(false);
  EditLink->SetBorder(false);
  EditLink->SetAlignment(ui::Alignment::Right);
  EditLink->SetTypeValeur(TTypeValeur::tvFloat);
  EditLink->SetHasMinValue(false);
  EditLink->SetHasMaxValue(false);

  // ---- reactions ----
  TVPoints->OnGetText = [this](int, std::int32_t id, int column) { return CellText(id, column); };
  TVPoints->OnPaintCell = [this](int, std::int32_t id, int, ui::CellStyle& style) {
    if (static_cast<std::size_t>(id) < Points.Count() && Points.Modifie(static_cast<std::size_t>(id)))
      style.textColor = ui::clRed;
  };
  TVPoints->OnEditing = [this](int, int column) { return editing_ && IsCoordinateColumn(column); };
  TVPoints->OnCreateEditor = [this](int row, int column) -> ui::Component* {
    editStartText_ = CoordText(Points.Coordinate(PointOfRow(row), AxisOf(column)));
    EditLink->SetNumDec(decimals_);
    return EditLink;
  };
  TVPoints->OnNewText = [this](int row, int column, const std::wstring& text) { CommitCell(row, column, text); };
  TVPoints->OnBeforeSort = [this](int column) { PrepareSortKeys(column); };
  TVPoints->OnAfterSort = [this](int) { ClearSortKeys(); };
  TVPoints->OnCompare = [this](std::int32_t a, std::int32_t b, int column) { return CompareRows(a, b, column); };
  // The number and coordinate columns sort by their keys made numbers
  // once, in one pass; the description compares.
  TVPoints->OnSortKeys = [this](int column, const std::vector<std::int32_t>& ids, std::vector<std::uint64_t>& keys) {
    if (column == colDesc || sortKeys_.empty()) return false;
    keys.resize(ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i) keys[i] = OrderedKey(sortKeys_[static_cast<std::size_t>(ids[i])]);
    return true;
  };

  TVPoints->SetMultiSelect(true);
  TVPoints->SetTypeAheadColumn(colNumero);
  TVPoints->SetClock(&session_.platform.clock);
  TVPoints->OnTypeAheadMatch = [this](std::int32_t id, int, const std::wstring& prefix) {
    return NumberStartsWith(id, prefix);
  };
  TVPoints->OnKeyDown = [this](int& key, ui::ShiftState shift) { ListKeyDown(key, shift); };

  btReinit->OnClick = [this] { ResetSelected(); };
  btReinitAll->OnClick = [this] { ResetAll(); };
  numdec->OnChange = [this] { DecimalsChanged(); };
  SetButtons(btAppliquer, btAnnule, btAide);
  btAppliquer->OnExit = [this] { applyBlocked_ = false; };

  KeepPlace();
  KeepHeader(*TVPoints);
  LabelColumn(*TVPoints, colNumero, 554);
  LabelColumn(*TVPoints, colDesc, 555);
  LabelName(*TVPoints, 1152, L"Liste des points");
  FinishCreation();
}

// Escape closes the list in viewing mode only; in editing mode it is left
// to the cell editor, where it cancels the edit.
bool TfrmListePoints::EscapeCloses() const { return !editing_; }

int TfrmListePoints::Execute(bool editing) {
  editing_ = editing;
  Points.Open(session_.exchange.get(Slot::AXPoints));
  const std::size_t count = Points.Count();
  std::vector<std::int32_t> ids(count);
  std::iota(ids.begin(), ids.end(), 0);
  TVPoints->BeginUpdate();
  TVPoints->SetRows(std::move(ids));
  TVPoints->EndUpdate();
  Label2->SetCaption(IntToText(static_cast<std::int64_t>(count)));
  ToolBar2->SetVisible(editing_);
  btAppliquer->SetVisible(editing_);
  return Run();
}

std::wstring TfrmListePoints::CoordText(double v) const { return FormatFixed(v, decimals_); }

std::size_t TfrmListePoints::PointOfRow(int row) const { return static_cast<std::size_t>(TVPoints->RowId(row)); }

std::wstring TfrmListePoints::CellText(std::int32_t id, int column) const {
  const auto i = static_cast<std::size_t>(id);
  if (i >= Points.Count()) return {};  // written back: the view is closed
  switch (column) {
    case colNumero: return IntToText(Points.Numero(i));
    case colDesc: return Points.Desc(i);
    default: return CoordText(Points.Coordinate(i, AxisOf(column)));
  }
}

void TfrmListePoints::Showing() {
  DecimalsChanged();
  if (TVPoints->RowCount() > 0 && TVPoints->FocusedRow() < 0) TVPoints->SetFocusedRow(0);
  if (TVPoints->FocusedRow() >= 0) TVPoints->SetSelectedRow(TVPoints->FocusedRow());
  SetActiveControl(TVPoints);
}

// An edit still open goes with the rest of an unapplied session (Apply has
// committed it already): it must not be committed, nor complain about its
// text, as the window goes.
void TfrmListePoints::Closing() { TVPoints->CancelEdit(); }

void TfrmListePoints::DecimalsChanged() {
  const int i = numdec->ItemIndex();
  const int d = i < 0 ? 0 : std::min(i, kMaxDecimals);
  if (d == decimals_) return;
  decimals_ = d;
  TVPoints->Repaint();
}

// ---------------------------------------------------------------- editing

void TfrmListePoints::CommitCell(int row, int column, const std::wstring& text) {
  if (!IsCoordinateColumn(column)) return;
  const std::size_t i = PointOfRow(row);
  const TPointsView::Axis axis = AxisOf(column);
  std::wstring typed = text;
  std::replace(typed.begin(), typed.end(), L',', L'.');
  double v = 0;
  if (!ParseNumber(typed, v)) {
    // The coordinate keeps its value; the editor is closed already.
    if (ActiveControl() == btAppliquer) applyBlocked_ = true;
    throw Error(L"\"" + text + L"\" is not a number: the coordinate keeps its value " +
                CoordText(Points.Coordinate(i, axis)) + L".");
  }
  const TPointsView::PointState before = Points.State(i);
  Points.SetCoordinate(i, axis, v, text != editStartText_);
  Record({{i, before, Points.State(i)}});
  TVPoints->Repaint();
}

// ---------------------------------------------------------------- resets

void TfrmListePoints::ResetInto(std::size_t i, Step& step) {
  const TPointsView::PointState before = Points.State(i);
  Points.Reset(i);
  step.push_back({i, before, Points.State(i)});
}

// Every selected point (the focused one when the list is used with one
// selected row, as before).
void TfrmListePoints::ResetSelected() {
  if (!editing_) return;
  TVPoints->CancelEdit();
  Step step;
  for (int row : TVPoints->SelectedRows()) ResetInto(PointOfRow(row), step);
  Record(std::move(step));
  TVPoints->Repaint();
}

void TfrmListePoints::ResetAll() {
  if (!editing_) return;
  TVPoints->CancelEdit();
  Step step;
  for (std::size_t i : Points.EditedPoints()) {
    const TPointsView::PointState before = Points.State(i);
    step.push_back({i, before, before});
  }
  Points.ResetAll();
  for (PointChange& c : step) c.after = Points.State(c.index);
  Record(std::move(step));
  TVPoints->Repaint();
}

// ---------------------------------------------------------------- undo

// Only what changed is kept: a reset of an unchanged point, or Enter in
// an editor that stores the value it had, leaves nothing to undo.
void TfrmListePoints::Record(Step step) {
  step.erase(std::remove_if(step.begin(), step.end(),
                            [](const PointChange& c) { return SameState(c.before, c.after); }),
             step.end());
  if (!step.empty()) history_.Record(std::move(step));
}

// The points of the step take their state before (undo) or after (redo)
// it; the list goes to the first of them, so that the user sees what came
// back.
void TfrmListePoints::Replay(const Step& step, bool forward) {
  for (const PointChange& c : step) Points.Restore(c.index, forward ? c.after : c.before);
  const int row = TVPoints->FindRow(static_cast<std::int32_t>(step.front().index));
  if (row >= 0) TVPoints->SetFocusedRow(row);
  TVPoints->Repaint();
}

void TfrmListePoints::Undo() {
  if (!editing_) return;
  TVPoints->CancelEdit();
  if (const Step* step = history_.Undo()) Replay(*step, false);
}

void TfrmListePoints::Redo() {
  if (!editing_) return;
  TVPoints->CancelEdit();
  if (const Step* step = history_.Redo()) Replay(*step, true);
}

// ---------------------------------------------------------------- keys

void TfrmListePoints::ListKeyDown(int& key, ui::ShiftState shift) {
  if (!shift.ctrl || shift.alt) return;
  switch (key) {
    case 'C': CopySelection(); break;
    case 'Z': shift.shift ? Redo() : Undo(); break;
    case 'Y': Redo(); break;
    default: return;
  }
  key = 0;
}

void TfrmListePoints::CopySelection() {
  const std::vector<int> rows = TVPoints->SelectedRows();
  if (rows.empty()) return;
  session_.platform.clipboard.setText(session_.platform.system.Owner(), TVPoints->RowsText(rows));
}

// Whether the point's number, in decimal, starts with prefix; nothing is
// formatted into a string, so a search over a million points stays quick.
bool TfrmListePoints::NumberStartsWith(std::int32_t id, const std::wstring& prefix) const {
  const auto i = static_cast<std::size_t>(id);
  if (i >= Points.Count()) return false;
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, Points.Numero(i)).ptr;
  if (prefix.size() > static_cast<std::size_t>(end - digits)) return false;
  for (std::size_t k = 0; k < prefix.size(); ++k)
    if (prefix[k] != static_cast<wchar_t>(digits[k])) return false;
  return true;
}

// ---------------------------------------------------------------- sorting

// One key per point, made once: the displayed text of the column as a
// number, or the description folded; the sort then compares keys only.
void TfrmListePoints::PrepareSortKeys(int column) {
  ClearSortKeys();
  const std::size_t n = Points.Count();
  if (column == colDesc) {
    descStart_.reserve(n + 1);
    descStart_.push_back(0);
    for (std::size_t i = 0; i < n; ++i) {
      for (wchar_t c : Points.Desc(i)) descKeys_.push_back(FoldLatin1(c));
      descStart_.push_back(descKeys_.size());
    }
    return;
  }
  sortKeys_.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    if (column == colNumero) {
      sortKeys_[i] = Points.Numero(i);
    } else {
      // The displayed text as a number, made without the text.
      sortKeys_[i] = FixedKey(Points.Coordinate(i, AxisOf(column)), decimals_);
    }
  }
}

void TfrmListePoints::ClearSortKeys() {
  std::vector<double>().swap(sortKeys_);
  std::vector<wchar_t>().swap(descKeys_);
  std::vector<std::size_t>().swap(descStart_);
}

std::wstring_view TfrmListePoints::DescKey(std::int32_t id) const {
  const auto i = static_cast<std::size_t>(id);
  return {descKeys_.data() + descStart_[i], descStart_[i + 1] - descStart_[i]};
}

int TfrmListePoints::CompareRows(std::int32_t a, std::int32_t b, int column) const {
  if (column == colDesc) {
    return CompareCodes(DescKey(a), DescKey(b));
  }
  return CompareKeys(sortKeys_[static_cast<std::size_t>(a)], sortKeys_[static_cast<std::size_t>(b)]);
}

// ---------------------------------------------------------------- apply

void TfrmListePoints::Apply() {
  if (!editing_) return;
  if (applyBlocked_) {
    // The edit committed on the way to this button was refused: the user
    // has seen why and decides again.
    applyBlocked_ = false;
    return;
  }
  TVPoints->EndEdit();  // an edit still open counts; a refused one stops here
  // The rows stay until the window goes, over a view that has let go of
  // the array it replaced: they show nothing more.
  Points.WriteBack(session_.exchange, Slot::AXPoints);
  session_.exchange.resultat = 1;
  SetModalResult(ui::mrOk);
}

// ---------------------------------------------------------------- commands

void ListPoints(Session& session) { TfrmListePoints(session).Execute(false); }

void EditPoints(Session& session) { TfrmListePoints(session).Execute(true); }

}  // namespace topaline
