// A form laid out like the group manager (tool bars with pictures, a
// grid with the current row's picture, tabs, picture buttons), shown for
// a few seconds so that a screenshot can be taken under a real display
// (a third of the way in, a cell's in-place editor opens):
//   win32_ui_showcase.exe [milliseconds]
#include <windows.h>

#include <cstdlib>
#include <string>

#include "ui/res/images.h"
#include "ui/ui.h"
#include "win32/ui/msw_form_runner.h"

using namespace topaline;
namespace u = topaline::ui;
namespace img = topaline::ui::images;

namespace {

struct Showcase : u::Form {
  explicit Showcase(int ms) : Form(L"frmShowcase") {
    SetCaption(L" Topaline -  Gestionnaire des groupes de points");
    SetBorderStyle(u::BorderStyle::Sizeable);
    SetClientSize(544, 500);
    SetPosition(u::FormPosition::ScreenCenter);
    auto* tools = &Add<u::ImageList>(this, L"ImageList1");
    tools->SetStrip(img::kToolImages, 16, 16, img::kToolImageCount);
    auto* tabs = &Add<u::ImageList>(this, L"ImageList2");
    tabs->SetStrip(img::kTabImages, 16, 16, img::kTabImageCount);
    auto* buttons = &Add<u::ImageList>(this, L"ImageList3");
    buttons->SetStrip(img::kButtonImages, 16, 16, img::kButtonImageCount);
    auto* layers = &Add<u::ImageList>(this, L"ImageList4");
    layers->SetStrip(img::kLayerImages, 16, 16, img::kLayerImageCount);

    auto& status = Add<u::StatusBar>(this, L"StatusBar1", {0, 481, 544, 19});
    status.SetAlign(u::Align::Bottom);
    status.AddPanel(544, L" 4 groupes, courant : Levé nord");

    auto& bottom = Add<u::ToolBar>(nullptr, L"ToolBar1", {0, 445, 544, 36});
    bottom.SetAlign(u::Align::Bottom);
    bottom.SetImages(tools);
    int left = 254;
    for (auto [name, caption, image] : {std::tuple{L"btClose", L" Appliquer ", img::kToolApply},
                                        std::tuple{L"ToolButton3", L" Annuler ", img::kToolCancel},
                                        std::tuple{L"ToolButton1", L" Aide ", img::kToolHelp}}) {
      auto& b = Add<u::ToolButton>(&bottom, name, {left, 4, 90, 28});
      b.SetCaption(caption);
      b.SetImageIndex(image);
      left += 96;
    }

    auto& box = Add<u::GroupBox>(nullptr, L"GroupBox1", {8, 8, 528, 305});
    box.SetCaption(L" Groupes de points ");
    grid = &Add<u::TreeGrid>(&box, L"TVGroupes", {8, 18, 468, 245});
    grid->SetImages(tools);
    grid->AddColumn(L"Nom", 130);
    grid->AddColumn(L"Description", 140);
    grid->AddColumn(L"Nb points", 62, u::Alignment::Right);
    grid->AddColumn(L"Premier", 62, u::Alignment::Right);
    grid->AddColumn(L"Dernier", 62, u::Alignment::Right);
    grid->SetSortColumn(0);
    grid->SetColumnColor(0, grid->SortColumnColor());
    static const wchar_t* names[] = {L"Implantation", L"Levé nord", L"Nouveau groupe (1)", L"Voirie"};
    static const wchar_t* descs[] = {L"Piquets du lot 4", L"Terrain naturel", L"Description", L"Bordures"};
    grid->OnGetText = [](int, std::int32_t id, int col) -> std::wstring {
      switch (col) {
        case 0: return names[id];
        case 1: return descs[id];
        case 2: return std::to_wstring(id * 37);
        case 3: return std::to_wstring(id ? 1000 * id : 0);
        default: return std::to_wstring(id ? 1000 * id + id * 37 - 1 : 0);
      }
    };
    grid->OnPaintCell = [](int, std::int32_t id, int col, u::CellStyle& s) {
      if (id != 1) return;
      s.bold = true;
      if (col == 0) s.imageIndex = img::kToolCurrent;
    };
    grid->SetRows({0, 1, 2, 3});
    grid->SetFocusedRow(1);

    auto& actions = Add<u::ToolBar>(&box, L"tbActions", {484, 18, 36, 180});
    actions.SetVertical(true);
    actions.SetShowCaptions(false);
    actions.SetImages(tools);
    int i = 0;
    for (auto [name, hint, image] :
         {std::tuple{L"btListe", L"Voir la liste des points", img::kToolListPoints},
          std::tuple{L"btDelElts", L"Effacer les objets du groupe", img::kToolEraseObjects},
          std::tuple{L"btAddSel", L"Ajouter des points par sélection", img::kToolAddSelection},
          std::tuple{L"btRemoveSel", L"Retirer des points par sélection", img::kToolRemoveSelection},
          std::tuple{L"btAddCrit", L"Ajouter des points par critères", img::kToolAddCriteria},
          std::tuple{L"btRemoveCrit", L"Retirer des points par critères", img::kToolRemoveCriteria}}) {
      auto& b = Add<u::ToolButton>(&actions, name, {2, 2 + i++ * 30, 30, 28});
      b.SetHint(hint);
      b.SetImageIndex(image);
      if (i == 4) b.SetEnabled(false);
    }
    auto& bar2 = Add<u::ToolBar>(&box, L"ToolBar2", {8, 267, 468, 30});
    bar2.SetImages(tools);
    left = 0;
    for (auto [name, caption, image, width] :
         {std::tuple{L"btNew", L" Nouveau groupe ", img::kToolNewGroup, 130},
          std::tuple{L"btDel", L" Supprimer ", img::kToolDeleteGroup, 100},
          std::tuple{L"btCourant", L" Courant ", img::kToolCurrent, 90}}) {
      auto& b = Add<u::ToolButton>(&bar2, name, {left, 2, width, 26});
      b.SetCaption(caption);
      b.SetImageIndex(image);
      left += width;
    }

    auto& pages = Add<u::PageControl>(nullptr, L"PageControl1", {8, 318, 300, 120});
    pages.SetImages(tabs);
    auto& s1 = Add<u::TabSheet>(&pages, L"TabSheet1");
    s1.SetCaption(L"Point");
    s1.SetImageIndex(img::kTabOn);
    auto& s2 = Add<u::TabSheet>(&pages, L"TabSheet2");
    s2.SetCaption(L"Altitude");
    s2.SetImageIndex(img::kTabOff);
    pages.SetActivePageIndex(0);
    auto& layer = Add<u::Edit>(&s1, L"c3", {8, 12, 150, 21});
    layer.SetText(L"TOPO_POINTS");
    auto& pick = Add<u::Button>(&s1, L"BitBtn2", {162, 10, 26, 25});
    pick.SetImages(layers);
    pick.SetImageIndex(img::kLayerOn);
    auto& browse = Add<u::Button>(&s1, L"BitBtn1", {8, 44, 110, 25});
    browse.SetCaption(L"Parcourir...");
    browse.SetImages(buttons);
    browse.SetImageIndex(img::kButtonBrowse);

    auto& layerList = Add<u::TreeGrid>(nullptr, L"TVCalques", {320, 372, 216, 66});
    layerList.SetImages(layers);
    layerList.SetGridLines(true);
    layerList.AddColumn(L"Calque", 110);
    layerList.AddColumn(L"Etat", 44);
    layerList.AddColumn(L"Gelé", 44);
    static const wchar_t* layerNames[] = {L"0", L"TOPO_POINTS", L"TOPO_ALTI"};
    layerList.OnGetText = [](int, std::int32_t id, int col) { return col ? std::wstring() : layerNames[id]; };
    layerList.OnPaintCell = [](int, std::int32_t id, int col, u::CellStyle& s) {
      if (col == 1) s.imageIndex = id == 2 ? img::kLayerOff : img::kLayerOn;
      if (col == 2) s.imageIndex = id == 1 ? img::kLayerFrozen : img::kLayerThawed;
    };
    layerList.SetRows({0, 1, 2});

    auto& picture = Add<u::Image>(nullptr, L"Image1", {330, 330, 34, 34});
    picture.SetResource(img::kFileExistsPicture);
    auto& warn = Add<u::Image>(nullptr, L"Image2", {380, 330, 34, 34});
    warn.SetStockIcon(u::IconWarning);

    // Editing the second group's description shows the in-place editor.
    grid->OnEditing = [](int, int col) { return col < 2; };
    auto& edit = Add<u::Timer>(this, L"Timer2");
    edit.SetInterval(ms / 3);
    edit.OnTimer = [this, &edit] {
      edit.SetEnabled(false);
      grid->EditCell(2, 1);
    };

    auto& timer = Add<u::Timer>(this, L"Timer1");
    timer.SetInterval(ms);
    timer.OnTimer = [this] { SetModalResult(u::mrCancel); };
  }
  u::TreeGrid* grid;
};

}  // namespace

int main(int argc, char** argv) {
  int ms = argc > 1 ? std::atoi(argv[1]) : 5000;
  msw::MSWFormRunner runner;
  Showcase form(ms);
  runner.ShowModal(form);
  return 0;
}
