#include "server/dialogs/points/liste_points.h"

#include <algorithm>
#include <cmath>
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

double Coordinate(const TUnPoint& p, int column) {
  switch (column) {
    case TfrmListePoints::colX: return p.x;
    case TfrmListePoints::colY: return p.y;
    default: return p.z;
  }
}

double& CoordinateRef(TUnPoint& p, int column) {
  switch (column) {
    case TfrmListePoints::colX: return p.x;
    case TfrmListePoints::colY: return p.y;
    default: return p.z;
  }
}

bool IsCoordinateColumn(int column) {
  return column == TfrmListePoints::colX || column == TfrmListePoints::colY || column == TfrmListePoints::colZ;
}

// The numeric value of a displayed coordinate. The shown text holds at
// most 14 significant digits, so equal texts give equal keys and distinct
// texts distinct ones. "NaN" sorts before every number.
double KeyOfDisplayed(const std::wstring& text, double value) {
  double key = 0;
  if (ParseNumber(text, key)) return key;
  if (std::isnan(value)) return std::numeric_limits<double>::quiet_NaN();
  return value;  // the infinities, shown as "INF" and "-INF"
}

int CompareKeys(double a, double b) {
  const bool na = std::isnan(a), nb = std::isnan(b);
  if (na || nb) return na == nb ? 0 : (na ? -1 : 1);
  return a < b ? -1 : (b < a ? 1 : 0);
}

// Texts compared without regard to case (Latin-1 letters folded).
int CompareNoCase(const std::wstring& a, const std::wstring& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const wchar_t ca = FoldLatin1(a[i]), cb = FoldLatin1(b[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
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
    if (Points.Items[static_cast<std::size_t>(id)].Modifie) style.textColor = ui::clRed;
  };
  TVPoints->OnEditing = [this](int, int column) { return editing_ && IsCoordinateColumn(column); };
  TVPoints->OnCreateEditor = [this](int row, int column) -> ui::Component* {
    editStartText_ = CoordText(Coordinate(PointOfRow(row), column));
    EditLink->SetNumDec(decimals_);
    return EditLink;
  };
  TVPoints->OnNewText = [this](int row, int column, const std::wstring& text) { CommitCell(row, column, text); };
  TVPoints->OnBeforeSort = [this](int column) { PrepareSortKeys(column); };
  TVPoints->OnAfterSort = [this](int) { std::vector<double>().swap(sortKeys_); };
  TVPoints->OnCompare = [this](std::int32_t a, std::int32_t b, int column) { return CompareRows(a, b, column); };

  btReinit->OnClick = [this] { ResetFocused(); };
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
  Points.Init(session_.exchange.get(Slot::AXPoints));
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

TUnPoint& TfrmListePoints::PointOfRow(int row) {
  return Points.Items.at(static_cast<std::size_t>(TVPoints->RowId(row)));
}

std::wstring TfrmListePoints::CellText(std::int32_t id, int column) const {
  const TUnPoint& p = Points.Items[static_cast<std::size_t>(id)];
  switch (column) {
    case colNumero: return IntToText(p.Numero);
    case colX: return CoordText(p.x);
    case colY: return CoordText(p.y);
    case colZ: return CoordText(p.z);
    default: return p.Desc;
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
  TUnPoint& p = PointOfRow(row);
  std::wstring typed = text;
  std::replace(typed.begin(), typed.end(), L',', L'.');
  double v = 0;
  if (!ParseNumber(typed, v)) {
    // The coordinate keeps its value; the editor is closed already.
    if (ActiveControl() == btAppliquer) applyBlocked_ = true;
    throw Error(L"\"" + text + L"\" is not a number: the coordinate keeps its value " + CoordText(Coordinate(p, column)) +
                L".");
  }
  CoordinateRef(p, column) = v;
  if (text != editStartText_) p.Modifie = p.x != p.xOrg || p.y != p.yOrg || p.z != p.zOrg;
  TVPoints->Repaint();
}

// ---------------------------------------------------------------- resets

void TfrmListePoints::ResetPoint(TUnPoint& p) {
  p.x = p.xOrg;
  p.y = p.yOrg;
  p.z = p.zOrg;
  p.Desc = p.DescOrg;
  p.Modifie = false;
}

void TfrmListePoints::ResetFocused() {
  if (!editing_) return;
  const int row = TVPoints->FocusedRow();
  if (row < 0) return;
  TVPoints->CancelEdit();
  ResetPoint(PointOfRow(row));
  TVPoints->Repaint();
}

void TfrmListePoints::ResetAll() {
  if (!editing_) return;
  TVPoints->CancelEdit();
  for (TUnPoint& p : Points.Items)
    if (p.Modifie || p.x != p.xOrg || p.y != p.yOrg || p.z != p.zOrg) ResetPoint(p);
  TVPoints->Repaint();
}

// ---------------------------------------------------------------- sorting

void TfrmListePoints::PrepareSortKeys(int column) {
  std::vector<double>().swap(sortKeys_);
  if (column == colDesc) return;
  sortKeys_.resize(Points.Count());
  for (std::size_t i = 0; i < Points.Count(); ++i) {
    const TUnPoint& p = Points.Items[i];
    if (column == colNumero) {
      sortKeys_[i] = p.Numero;
    } else {
      const double v = Coordinate(p, column);
      sortKeys_[i] = KeyOfDisplayed(CoordText(v), v);
    }
  }
}

int TfrmListePoints::CompareRows(std::int32_t a, std::int32_t b, int column) const {
  if (column == colDesc)
    return CompareNoCase(Points.Items[static_cast<std::size_t>(a)].Desc, Points.Items[static_cast<std::size_t>(b)].Desc);
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
  session_.exchange.putElements(Slot::AXPoints, 6 * Points.ModifiedCount(),
                                [this](ElementSink& out) { Points.WriteModified(out); });
  session_.exchange.resultat = 1;
  SetModalResult(ui::mrOk);
}

// ---------------------------------------------------------------- commands

void ListPoints(Session& session) { TfrmListePoints(session).Execute(false); }

void EditPoints(Session& session) { TfrmListePoints(session).Execute(true); }

}  // namespace topaline
