#include "server/dialogs/common/calques.h"

#include "server/core/session.h"
#include "server/dialogs/common/message_box.h"
#include "platform/error.h"
#include "ui/res/images.h"

namespace topaline {

namespace {
constexpr int kColumnNom = 0;
constexpr int kColumnEtat = 1;
constexpr int kColumnGele = 2;
constexpr int kFirstColumnLabel = 6;
constexpr int kStatusLabel = 9;
}  // namespace

TfrmCalques::TfrmCalques(Session& session) : TDialog(session, L"frmCalques", L"") {
  using namespace ui::images;
  using ui::ToolButton;
  SetCaption(L" Topaline - Liste des calques");
  SetHelpContext(4);
  SetBorderStyle(ui::BorderStyle::Sizeable);
  SetClientSize(392, 373);
  SetMinSize({400, 400});

  ImageList1 = &Add<ui::ImageList>(this, L"ImageList1");
  StatusBar1 = Make<ui::StatusBar>(this, L"StatusBar1", {0, 354, 392, 19});
  ToolBar1 = Make<ui::ToolBar>(this, L"ToolBar1", {0, 318, 392, 36});
  btAppliquer = Make<ToolButton>(ToolBar1, L"btAppliquer", {196, 4, 95, 28}, L" Sélectionner ", 993);
  btAnnule = Make<ToolButton>(ToolBar1, L"btAnnule", {297, 4, 90, 28}, L" Annuler ", 991);
  Label1 = Make<ui::Label>(this, L"Label1", {8, 8, 300, design::kTextHeight}, L"Sélectionnez un calque", 5);
  TVCalques = Make<ui::TreeGrid>(this, L"TVCalques", {8, 26, 376, 286});

  ImageList1->SetStrip(kLayerImages, 16, 16, kLayerImageCount);
  StatusBar1->SetAlign(ui::Align::Bottom);
  StatusBar1->AddPanel(392);
  ToolBar1->SetAlign(ui::Align::Bottom);
  ToolBar1->SetImages(ImageList1);
  for (ToolButton* b : {btAppliquer, btAnnule}) b->SetAnchors({false, true, true, false});
  TVCalques->SetAnchors({true, true, true, true});
  TVCalques->SetImages(ImageList1);
  TVCalques->SetFullRowSelect(true);
  TVCalques->SetSortable(false);
  TVCalques->AddColumn(L"Nom", 280);
  TVCalques->AddColumn(L"Etat", 40, ui::Alignment::Center);
  TVCalques->AddColumn(L"Gelé", 40, ui::Alignment::Center);

  // A row's Id is its layer's index in Layers.
  TVCalques->OnGetText = [this](int, std::int32_t id, int column) {
    const auto& items = session_.Layers.Items;
    if (column != kColumnNom || id < 0 || static_cast<std::size_t>(id) >= items.size()) return std::wstring();
    return items[static_cast<std::size_t>(id)].Nom;
  };
  TVCalques->OnPaintCell = [this](int, std::int32_t id, int column, ui::CellStyle& style) {
    const auto& items = session_.Layers.Items;
    if (id < 0 || static_cast<std::size_t>(id) >= items.size()) return;
    const TUnCalque& layer = items[static_cast<std::size_t>(id)];
    if (column == kColumnEtat) style.imageIndex = layer.Etat >= 0 ? kLayerOn : kLayerOff;
    if (column == kColumnGele) style.imageIndex = layer.Gele == 1 ? kLayerFrozen : kLayerThawed;
  };
  TVCalques->OnFocusChanged = [this] { UpdateStatus(); };
  TVCalques->OnDblClick = [this] { Apply(); };
  SetButtons(btAppliquer, btAnnule, nullptr);

  // The layers first: the layer warning needs them even when the rest of
  // the creation fails. A bad element stops the reading, is reported, and
  // the layers read before it stay in the set: the list shows
  // them and the layer warning knows them.
  try {
    session_.Layers = TDesCalques();
    session_.Layers.Init(session_.exchange.get(Slot::AXCalques));
  } catch (...) {
    ShowErrorBox(session_, CurrentExceptionMessage());
  }
  KeepPlace();
  KeepHeader(*TVCalques);
  for (int c = kColumnNom; c <= kColumnGele; ++c) LabelColumn(*TVCalques, c, kFirstColumnLabel + c);
  FinishCreation();
}

TfrmCalques::~TfrmCalques() { TVCalques->DetachEvents(); }

std::wstring TfrmCalques::ChooseLayer() {
  const std::size_t count = session_.Layers.Items.size();
  std::vector<std::int32_t> ids(count);
  for (std::size_t i = 0; i < count; ++i) ids[i] = static_cast<std::int32_t>(i);
  TVCalques->SetRows(std::move(ids));
  TVCalques->SetFocusedRow(count ? 0 : -1);
  UpdateStatus();
  if (TVCalques->CanFocus()) SetActiveControl(TVCalques);
  if (ShowModal() != ui::mrOk) return {};
  const int row = TVCalques->FocusedRow();
  if (row < 0) return {};
  return session_.Layers.Items[static_cast<std::size_t>(TVCalques->RowId(row))].Nom;
}

void TfrmCalques::UpdateStatus() {
  const int row = TVCalques->FocusedRow();
  std::wstring text = LabelText(session_, kStatusLabel);
  if (row >= 0) text += session_.Layers.Items[static_cast<std::size_t>(TVCalques->RowId(row))].Nom;
  StatusBar1->SetPanelText(0, text);
}

void TfrmCalques::Apply() { AcceptChoice(); }

void PickLayerInto(TfrmCalques* list, ui::Edit& field) {
  if (!list) return;
  const std::wstring name = list->ChooseLayer();
  if (!name.empty()) field.SetText(name);
}

}  // namespace topaline
