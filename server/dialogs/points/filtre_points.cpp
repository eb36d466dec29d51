#include "server/dialogs/points/filtre_points.h"

#include "server/dialogs/common/message_labels.h"
#include "platform/error.h"
#include "server/dialogs/common/message_box.h"
#include "server/core/number_format.h"
#include "server/dialogs/common/settings.h"

namespace topaline {

namespace {

constexpr int kPanelTop = 20;
constexpr int kPanelHeight = 34;
constexpr int kPanelGap = 4;
constexpr int kPanelWidth = 361;
}  // namespace

TfrmFiltrePoints::TfrmFiltrePoints(Session& session) : TDialog(session, L"frmFiltrePoints", L"tlfiltrepoint", L"filtrerpoints") {
  using namespace design;
  SetCaption(L" Topaline - Filtrer les points par critères");
  SetHelpContext(200);
  SetClientSize(393, 270);

  GroupBox1 = Make<ui::GroupBox>(this, L"GroupBox1", {8, 8, 377, kPanelTop + 5 * (kPanelHeight + kPanelGap) + 4},
                                 L" Filtrer les points sur ", 201);

  AddRange(0, L"cn", L"Numéro", 756, L"nmin", L"nmax", TTypeValeur::tvInteger, cn, nmin, nmax);
  AddRange(1, L"cx", L"Coord. X", 757, L"xmin", L"xmax", TTypeValeur::tvFloat, cx, xmin, xmax);
  AddRange(2, L"cy", L"Coord. Y", 758, L"ymin", L"ymax", TTypeValeur::tvFloat, cy, ymin, ymax);
  AddRange(3, L"cz", L"Altitude", 759, L"zmin", L"zmax", TTypeValeur::tvFloat, cz, zmin, zmax);

  ui::Panel& text = AddPanel(4, L"cdes", L"Description", 760, cdes);
  Make<ui::Label>(&text, L"Label9", {110, 11, 70, kTextHeight}, L"Texte :", 204);
  desc = Make<ui::Edit>(&text, L"desc", {186, 7, 167, kEditHeight});
  desc->SetText(L"desc");

  AddButtonRow(GroupBox1->Top() + GroupBox1->Height() + 12);
  SetClientSize(ClientWidth(), btAppliquer->Top() + kButtonHeight + kMargin);

  FinishCreation();
}

ui::Panel& TfrmFiltrePoints::AddPanel(int index, const wchar_t* box, const wchar_t* caption, int label,
                                      ui::CheckBox*& check) {
  using namespace design;
  auto& panel = *Make<ui::Panel>(GroupBox1, L"Panel" + IntToText(index + 1),
                                 {8, kPanelTop + index * (kPanelHeight + kPanelGap), kPanelWidth, kPanelHeight});
  panel.SetBevelOuter(ui::Panel::Bevel::None);
  panels_[index] = &panel;
  check = Make<ui::CheckBox>(&panel, box, {4, 9, 96, kCheckHeight}, caption, label);
  check->OnClick = [this] { UpdateEnabling(); };
  return panel;
}

void TfrmFiltrePoints::AddRange(int index, const wchar_t* box, const wchar_t* caption, int label, const wchar_t* min,
                                const wchar_t* max, TTypeValeur kind, ui::CheckBox*& check, TVexaEdit*& minField,
                                TVexaEdit*& maxField) {
  using namespace design;
  ui::Panel& panel = AddPanel(index, box, caption, label, check);
  Make<ui::Label>(&panel, L"Label" + IntToText(2 * index + 1), {110, 11, 74, kTextHeight}, L"Compris entre", 202);
  minField = Make<TVexaEdit>(&panel, min, {186, 7, 72, kEditHeight});
  Make<ui::Label>(&panel, L"Label" + IntToText(2 * index + 2), {264, 11, 14, kTextHeight}, L"et", 203);
  maxField = Make<TVexaEdit>(&panel, max, {281, 7, 72, kEditHeight});
  for (TVexaEdit* field : {minField, maxField}) {
    field->SetTypeValeur(kind);
    field->SetNumDec(4);
    field->SetHasMinValue(false);
    field->SetHasMaxValue(false);
    field->SetText(L"0.000");
  }
}

void TfrmFiltrePoints::UpdateEnabling() {
  ui::CheckBox* boxes[5] = {cn, cx, cy, cz, cdes};
  for (int i = 0; i < 5; ++i) EnableChildren(*panels_[i], *boxes[i]);
}

namespace {

double FieldValue(TVexaEdit& field) {
  double value = 0;
  if (!ParseNumber(field.Text(), value)) {
    field.SelectAll();
    if (field.CanFocus()) field.SetFocus();
    throw Error(L"\"" + field.Text() + L"\" is not a number: type a number with a point as the decimal separator.");
  }
  return value;
}

}  // namespace

void TfrmFiltrePoints::Apply() {
  struct Range {
    ui::CheckBox* box;
    TVexaEdit* min;
    TVexaEdit* max;
  };
  const Range ranges[] = {{cn, nmin, nmax}, {cx, xmin, xmax}, {cy, ymin, ymax}, {cz, zmin, zmax}};
  for (const Range& r : ranges) {
    if (!r.box->Checked()) continue;
    const double low = FieldValue(*r.min);
    const double high = FieldValue(*r.max);
    if (low > high) {
      ShowLabelMsg(session_, labels::kMinAboveMax);
      r.min->SelectAll();
      if (r.min->CanFocus()) r.min->SetFocus();
      return;
    }
  }
  if (!cn->Checked() && !cx->Checked() && !cy->Checked() && !cz->Checked() && !cdes->Checked()) {
    ShowLabelMsg(session_, labels::kNoCriterion);
    return;
  }
  Accept();
}

}  // namespace topaline
