// Control kinds driven through their windows: pictures of tool buttons,
// grid cells, tabs and picture buttons; a combo box pick, a tab click, a
// track bar move, Tab between fields and an Alt mnemonic.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/wine/driver/window_driver.h"
#include "tests/wine/ui/driver.h"
#include "ui/res/images.h"
#include "ui/ui.h"
#include "win32/ui/msw_form_runner.h"

using namespace topaline;
namespace u = topaline::ui;
namespace img = topaline::ui::images;
using namespace wine_ui;

namespace {

struct PictureForm : u::Form {
  PictureForm() : Form(L"frmPictures") {
    SetClientSize(460, 320);
    tools = &Add<u::ImageList>(this, L"ImageList1");
    tools->SetStrip(img::kToolImages, 16, 16, img::kToolImageCount);
    tabImages = &Add<u::ImageList>(this, L"ImageList2");
    tabImages->SetStrip(img::kTabImages, 16, 16, img::kTabImageCount);
    buttonImages = &Add<u::ImageList>(this, L"ImageList3");
    buttonImages->SetStrip(img::kButtonImages, 16, 16, img::kButtonImageCount);

    auto& bar = Add<u::ToolBar>(nullptr, L"ToolBar2", {8, 8, 300, 30});
    bar.SetImages(tools);
    current = &Add<u::ToolButton>(&bar, L"btCourant", {0, 2, 90, 26});
    current->SetCaption(L" Courant ");
    current->SetImageIndex(img::kToolCurrent);
    current->OnClick = [this] { ++currentClicks; };
    auto& actions = Add<u::ToolBar>(nullptr, L"tbActions", {320, 8, 36, 62});
    actions.SetVertical(true);
    actions.SetShowCaptions(false);
    actions.SetImages(tools);
    list = &Add<u::ToolButton>(&actions, L"btListe", {2, 2, 30, 28});
    list->SetHint(L"Voir la liste des points");
    list->SetImageIndex(img::kToolListPoints);
    list->OnClick = [this] { ++listClicks; };
    dimmed = &Add<u::ToolButton>(&actions, L"btCourant2", {2, 32, 30, 28});
    dimmed->SetImageIndex(img::kToolCurrent);
    dimmed->SetEnabled(false);
    toggle = &Add<u::ToolButton>(&bar, L"btBascule", {92, 2, 30, 26});
    toggle->SetStyle(u::ToolButton::Style::Check);
    toggle->SetImageIndex(img::kToolCurrent);

    grid = &Add<u::TreeGrid>(nullptr, L"TVGroupes", {8, 80, 300, 120});
    grid->SetImages(tools);
    grid->AddColumn(L"Nom", 120);
    grid->AddColumn(L"Description", 150);
    grid->OnGetText = [](int, std::int32_t id, int col) { return (col ? L"Desc " : L"Groupe ") + std::to_wstring(id); };
    grid->OnPaintCell = [](int, std::int32_t id, int col, u::CellStyle& s) {
      if (id == 7) {
        s.bold = true;
        if (col == 0) s.imageIndex = img::kToolCurrent;
      }
    };
    grid->SetRows({3, 7, 9});

    // The layer list's way: pictures alone in the later columns.
    layerImages = &Add<u::ImageList>(this, L"ImageList4");
    layerImages->SetStrip(img::kLayerImages, 16, 16, img::kLayerImageCount);
    layers = &Add<u::TreeGrid>(nullptr, L"TVCalques", {320, 130, 130, 70});
    layers->SetImages(layerImages);
    layers->AddColumn(L"Nom", 60);
    layers->AddColumn(L"Etat", 30);
    layers->AddColumn(L"Gelé", 30);
    layers->OnGetText = [](int, std::int32_t id, int col) { return col ? std::wstring() : L"C" + std::to_wstring(id); };
    layers->OnPaintCell = [](int, std::int32_t id, int col, u::CellStyle& s) {
      if (col == 1) s.imageIndex = id ? img::kLayerOn : img::kLayerOff;
      if (col == 2) s.imageIndex = id ? img::kLayerThawed : img::kLayerFrozen;
    };
    layers->SetRows({0, 1});

    pages = &Add<u::PageControl>(nullptr, L"PageControl1", {8, 210, 300, 100});
    pages->SetImages(tabImages);
    auto& s1 = Add<u::TabSheet>(pages, L"TabSheet1");
    s1.SetCaption(L"Calque");
    s1.SetImageIndex(img::kTabOn);
    auto& s2 = Add<u::TabSheet>(pages, L"TabSheet2");
    s2.SetCaption(L"Texte");
    s2.SetImageIndex(img::kTabOff);
    pages->SetActivePageIndex(0);

    browse = &Add<u::Button>(nullptr, L"BitBtn1", {320, 80, 28, 25});
    browse->SetImages(buttonImages);
    browse->SetImageIndex(img::kButtonBrowse);
    browse->SetHint(L"Parcourir");
    picture = &Add<u::Image>(nullptr, L"Image1", {370, 80, 34, 34});
    picture->SetResource(img::kFileExistsPicture);

    auto& close = Add<u::Button>(nullptr, L"btFermer", {370, 285, 75, 25});
    close.SetModalResult(u::mrCancel);
  }
  u::ImageList *tools, *tabImages, *buttonImages;
  u::ToolButton *current, *list, *dimmed, *toggle;
  u::TreeGrid* grid;
  u::ImageList* layerImages;
  u::TreeGrid* layers;
  u::PageControl* pages;
  u::Button* browse;
  u::Image* picture;
  int currentClicks = 0, listClicks = 0;
};

bool yellowish(unsigned px) {
  unsigned r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
  return r > 200 && g > 150 && b < 110;
}

bool saturated(unsigned px) {
  int r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
  int hi = std::max({r, g, b}), lo = std::min({r, g, b});
  return hi - lo > 60;
}

int count(const std::vector<unsigned>& pixels, bool (*pred)(unsigned)) {
  int n = 0;
  for (unsigned p : pixels) n += pred(p) ? 1 : 0;
  return n;
}

// The form's tooltip window, found among the thread's windows.
HWND formTooltip(HWND form) {
  struct Find {
    HWND form, tip = nullptr;
  } find{form};
  EnumThreadWindows(
      GetWindowThreadProcessId(form, nullptr),
      [](HWND h, LPARAM lp) -> BOOL {
        auto* f = reinterpret_cast<Find*>(lp);
        wchar_t cls[64] = {};
        GetClassNameW(h, cls, 64);
        if (lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0 && GetWindow(h, GW_OWNER) == f->form) {
          f->tip = h;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&find));
  return find.tip;
}

std::wstring toolText(HWND form, HWND control) {
  HWND tip = formTooltip(form);
  if (!tip) return L"<no tooltip window>";
  wchar_t text[256] = {};
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = form;
  ti.uId = reinterpret_cast<UINT_PTR>(control);
  ti.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&ti));
  return text;
}

}  // namespace

// The modal loop hands the pointer's moves to the form's tooltip: resting
// on a control that has a hint shows it.
TEST(Win32Controls, AHintShowsWhenThePointerRestsOnItsControl) {
  msw::MSWFormRunner runner;
  PictureForm form;
  bool hidden = false, shown = false;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmPictures");
        HWND lst = FindControl(f, L"btListe");
        HWND tip = formTooltip(f);
        ASSERT_TRUE(lst && tip);
        hidden = !IsWindowVisible(tip);
        RECT r{};
        GetWindowRect(lst, &r);
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PostMessageW(lst, WM_MOUSEMOVE, 0, MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2));
        for (int i = 0; i < 150 && !IsWindowVisible(tip); ++i) Sleep(20);
        shown = IsWindowVisible(tip) != FALSE;
        Click(FindControl(f, L"btFermer"));
      },
      [&] { runner.ShowModal(form); });
  EXPECT_TRUE(hidden);
  EXPECT_TRUE(shown);
}

TEST(Win32Controls, ToolButtonsShowTheirPicturesAndHintsAndAnswerBmClick) {
  msw::MSWFormRunner runner;
  PictureForm form;
  LONG_PTR style = 0;
  int starPixels = -1, listYellow = -1, dimmedColour = -1, dimmedGrey = 0;
  std::wstring hint, caption;
  LRESULT toggleShown = -1;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmPictures");
        HWND cur = FindControl(f, L"btCourant");
        HWND lst = FindControl(f, L"btListe");
        HWND dim = FindControl(f, L"btCourant2");
        ASSERT_TRUE(cur && lst && dim);
        style = GetWindowLongPtrW(lst, GWL_STYLE) & BS_TYPEMASK;
        caption = WindowText(cur);
        starPixels = count(Snapshot(cur), yellowish);
        listYellow = count(Snapshot(lst), yellowish);
        auto dimmedPixels = Snapshot(dim);
        dimmedColour = count(dimmedPixels, saturated);
        // Drawn pixels: those that differ from the face (the corner).
        for (unsigned p : dimmedPixels) {
          int d = static_cast<int>(p & 0xFF) - static_cast<int>(dimmedPixels[0] & 0xFF);
          dimmedGrey += d < -30 || d > 30 ? 1 : 0;
        }
        hint = toolText(f, lst);
        ClickAndWait(lst);
        // A quick second click arrives as a double click: one more click.
        RECT r{};
        GetClientRect(cur, &r);
        LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
        SendMessageW(cur, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(cur, WM_LBUTTONUP, 0, at);
        SendMessageW(cur, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageW(cur, WM_LBUTTONUP, 0, at);
        ClickAndWait(dim);  // disabled: nothing
        // A check-style button stays down, and says so to tools.
        HWND tog = FindControl(f, L"btBascule");
        ClickAndWait(tog);
        toggleShown = SendMessageW(tog, BM_GETCHECK, 0, 0);
        Click(FindControl(f, L"btFermer"));
      },
      [&] { runner.ShowModal(form); });
  EXPECT_EQ(style, BS_OWNERDRAW);
  EXPECT_EQ(caption, L" Courant ");
  EXPECT_GT(starPixels, 40);  // the star
  EXPECT_EQ(listYellow, 0);   // the list sheet has none
  EXPECT_EQ(dimmedColour, 0); // a disabled button's picture is grey...
  EXPECT_GT(dimmedGrey, 20);  // ...but there
  EXPECT_EQ(hint, L"Voir la liste des points");
  EXPECT_EQ(form.listClicks, 1);
  EXPECT_EQ(form.currentClicks, 2);
  EXPECT_TRUE(form.toggle->Down());
  EXPECT_EQ(toggleShown, BST_CHECKED);
}

TEST(Win32Controls, GridCellsTabsAndPictureButtonsGetTheirImages) {
  msw::MSWFormRunner runner;
  PictureForm form;
  int listCount = -1, currentImage = 0, otherImage = 0, descImage = 0;
  int tab0 = -1, tab1 = -1, buttonImages = -1;
  std::wstring browseName;
  bool browseTextDrawn = true, browseImageDrawn = false;
  bool picture = false;
  int boldRowYellow = -1, frozen = -1, thawed = -1, layerNameImage = 0;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmPictures");
        HWND lv = FindControl(f, L"TVGroupes");
        auto himl = reinterpret_cast<HIMAGELIST>(SendMessageW(lv, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
        listCount = himl ? ImageList_GetImageCount(himl) : -1;
        auto imageOf = [&](int row, int col) {
          LVITEMW item{};
          item.mask = LVIF_IMAGE;
          item.iItem = row;
          item.iSubItem = col;
          SendMessageW(lv, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
          return item.iImage;
        };
        currentImage = imageOf(1, 0);
        otherImage = imageOf(0, 0);
        descImage = imageOf(1, 1);
        // The star is drawn in the current group's row.
        RECT row{};
        row.left = LVIR_BOUNDS;
        SendMessageW(lv, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
        int w = 0;
        auto pixels = Snapshot(lv, &w);
        boldRowYellow = 0;
        for (int y = row.top; y < row.bottom; ++y)
          for (int x = 0; x < w; ++x) boldRowYellow += yellowish(pixels[static_cast<size_t>(y) * w + x]) ? 1 : 0;

        // Later columns get their pictures once a cell asked for one.
        HWND lv2 = FindControl(f, L"TVCalques");
        Snapshot(lv2);
        Sync(f);
        auto layerImage = [&](int row, int col) {
          LVITEMW item{};
          item.mask = LVIF_IMAGE;
          item.iItem = row;
          item.iSubItem = col;
          SendMessageW(lv2, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
          return item.iImage;
        };
        frozen = layerImage(0, 2);
        thawed = layerImage(1, 2);
        layerNameImage = layerImage(0, 0);

        HWND tabs = GetDlgItem(FindControl(f, L"PageControl1"), 1);
        TCITEMW item{};
        item.mask = TCIF_IMAGE;
        SendMessageW(tabs, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        tab0 = item.iImage;
        SendMessageW(tabs, TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
        tab1 = item.iImage;

        BUTTON_IMAGELIST bil{};
        SendMessageW(FindControl(f, L"BitBtn1"), BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil));
        buttonImages = bil.himl ? ImageList_GetImageCount(bil.himl) : -1;
        // The picture button carries its hint as window text, for screen
        // readers; the text is never drawn over the picture.
        HWND bb = FindControl(f, L"BitBtn1");
        browseName = WindowText(bb);
        const auto named = Snapshot(bb);
        SendMessageW(bb, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        browseTextDrawn = Snapshot(bb) != named;
        SendMessageW(bb, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(browseName.c_str()));
        browseImageDrawn = count(named, saturated) > 0;
        picture = SendMessageW(FindControl(f, L"Image1"), STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
        Click(FindControl(f, L"btFermer"));
      },
      [&] { runner.ShowModal(form); });
  EXPECT_EQ(listCount, img::kToolImageCount);
  EXPECT_EQ(currentImage, img::kToolCurrent);
  EXPECT_EQ(otherImage, I_IMAGENONE);
  EXPECT_EQ(descImage, I_IMAGENONE);
  EXPECT_GT(boldRowYellow, 40);
  EXPECT_EQ(frozen, img::kLayerFrozen);
  EXPECT_EQ(thawed, img::kLayerThawed);
  EXPECT_EQ(layerNameImage, I_IMAGENONE);
  EXPECT_EQ(tab0, img::kTabOn);
  EXPECT_EQ(tab1, img::kTabOff);
  EXPECT_EQ(buttonImages, 1);
  EXPECT_EQ(browseName, L"Parcourir");
  EXPECT_FALSE(browseTextDrawn);
  EXPECT_TRUE(browseImageDrawn);
  EXPECT_TRUE(picture);
}

namespace {

struct InputForm : u::Form {
  InputForm() : Form(L"frmInput") {
    SetClientSize(400, 300);
    e1 = &Add<u::Edit>(nullptr, L"c1", {8, 8, 100, 21});
    e2 = &Add<u::Edit>(nullptr, L"c2", {8, 34, 100, 21});
    e3 = &Add<u::Edit>(nullptr, L"c3", {8, 60, 100, 21});
    combo = &Add<u::ComboBox>(nullptr, L"numdec", {150, 8, 80, 21});
    combo->SetStyle(u::ComboBox::Style::DropDownList);
    combo->SetItems({L"0", L"1", L"2", L"3"});
    combo->SetItemIndex(3);
    combo->OnChange = [this] { ++comboChanges; };
    pages = &Add<u::PageControl>(nullptr, L"PageControl1", {150, 40, 240, 120});
    sheet1 = &Add<u::TabSheet>(pages, L"TabSheet1");
    sheet1->SetCaption(L"Calque");
    sheet2 = &Add<u::TabSheet>(pages, L"TabSheet2");
    sheet2->SetCaption(L"Texte");
    pages->SetActivePageIndex(0);
    pages->OnChange = [this] { ++pageChanges; };
    track = &Add<u::TrackBar>(nullptr, L"taille", {8, 170, 200, 30});
    track->SetRange(0, 10);
    track->SetPosition(2);
    track->OnChange = [this] { ++trackChanges; };
    apply = &Add<u::Button>(nullptr, L"btAppliquer", {8, 265, 90, 25});
    apply->SetCaption(L"&Appliquer");
    apply->OnClick = [this] {
      ++applyClicks;
      SetModalResult(u::mrOk);
    };
  }
  u::Edit *e1, *e2, *e3;
  u::ComboBox* combo;
  u::PageControl* pages;
  u::TabSheet *sheet1, *sheet2;
  u::TrackBar* track;
  u::Button* apply;
  int comboChanges = 0, pageChanges = 0, trackChanges = 0, applyClicks = 0;
};

}  // namespace

TEST(Win32Controls, ComboPickTabClickAndTrackBarMovesReachTheModel) {
  msw::MSWFormRunner runner;
  InputForm form;
  int comboIndexSeen = -1, trackAfterKey = -1, trackShown = -1;
  bool sheet2Shown = false, sheet1Hidden = false;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmInput");
        // A pick in the list, as a tool makes it: select, then notify.
        HWND combo = FindControl(f, L"numdec");
        SendMessageW(combo, CB_SETCURSEL, 1, 0);
        SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
        comboIndexSeen = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
        // A click on the second tab.
        HWND tabs = GetDlgItem(FindControl(f, L"PageControl1"), 1);
        RECT r{};
        SendMessageW(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
        ClickAtAndWait(tabs, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        sheet2Shown = IsWindowVisible(FindControl(f, L"TabSheet2")) != FALSE;
        sheet1Hidden = !IsWindowVisible(FindControl(f, L"TabSheet1"));
        // The track bar: an arrow key, then the thumb dropped at 7.
        HWND track = FindControl(f, L"taille");
        Focus(track);
        Key(track, VK_RIGHT);
        WaitFor([&] { return SendMessageW(track, TBM_GETPOS, 0, 0) != 2; }, 2000);
        trackAfterKey = static_cast<int>(SendMessageW(track, TBM_GETPOS, 0, 0));
        SendMessageW(track, TBM_SETPOS, TRUE, 7);
        SendMessageW(GetParent(track), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 7), reinterpret_cast<LPARAM>(track));
        trackShown = static_cast<int>(SendMessageW(track, TBM_GETPOS, 0, 0));
        Click(FindControl(f, L"btAppliquer"));
      },
      [&] { runner.ShowModal(form); });
  EXPECT_EQ(form.combo->ItemIndex(), 1);
  EXPECT_EQ(form.combo->Text(), L"1");
  EXPECT_EQ(form.comboChanges, 1);
  EXPECT_EQ(comboIndexSeen, 1);
  EXPECT_EQ(form.pages->ActivePageIndex(), 1);
  EXPECT_EQ(form.pageChanges, 1);
  EXPECT_TRUE(sheet2Shown);
  EXPECT_TRUE(sheet1Hidden);
  EXPECT_EQ(trackAfterKey, 3);
  EXPECT_EQ(form.track->Position(), 7);
  EXPECT_EQ(trackShown, 7);
  EXPECT_EQ(form.trackChanges, 2);
}

TEST(Win32Controls, TabMovesBetweenFieldsAndAnAltMnemonicPressesTheButton) {
  msw::MSWFormRunner runner;
  InputForm form;
  HWND afterTab1 = nullptr, afterTab2 = nullptr, c2 = nullptr, c3 = nullptr;
  std::wstring activeAfterTabs;
  int result = 0;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmInput");
        HWND c1 = FindControl(f, L"c1");
        c2 = FindControl(f, L"c2");
        c3 = FindControl(f, L"c3");
        Focus(c1);
        Key(c1, VK_TAB);
        WaitFor([&] { return FocusOf(f) == c2; }, 2000);
        afterTab1 = FocusOf(f);
        Key(c2, VK_TAB);
        WaitFor([&] { return FocusOf(f) == c3; }, 2000);
        afterTab2 = FocusOf(f);
        activeAfterTabs = form.ActiveControl() ? form.ActiveControl()->Name() : L"";
        // Alt+A: the character comes as WM_SYSCHAR to the focused field.
        PostMessageW(c3, WM_SYSCHAR, L'a', 1 | (1 << 29));
        WaitFor([&] { return !IsWindow(f); }, 3000);
      },
      [&] { result = runner.ShowModal(form); });
  EXPECT_EQ(afterTab1, c2);
  EXPECT_EQ(afterTab2, c3);
  EXPECT_EQ(activeAfterTabs, L"c3");
  EXPECT_EQ(form.applyClicks, 1);
  EXPECT_EQ(result, u::mrOk);
}

// Screen readers name a field after the window just before it: a label
// created apart from its field stands just before it in the window order,
// while Tab keeps the creation order; a grid without a label carries the
// name it was given.
TEST(Win32Controls, LabelsStandJustBeforeTheirFieldsAndTabKeepsTheCreationOrder) {
  struct Form : u::Form {
    Form() : u::Form(L"frmLabels") {
      SetClientSize(300, 140);
      auto& lbFirst = Add<u::Label>(nullptr, L"lbFirst", {8, 8, 60, 13});
      lbFirst.SetCaption(L"First:");
      auto& lbSecond = Add<u::Label>(nullptr, L"lbSecond", {8, 38, 60, 13});
      lbSecond.SetCaption(L"Second:");
      first = &Add<u::Edit>(nullptr, L"first", {80, 4, 100, 21});
      second = &Add<u::Edit>(nullptr, L"second", {80, 34, 100, 21});
      lbFirst.SetFocusControl(first);
      lbSecond.SetFocusControl(second);
      grid = &Add<u::TreeGrid>(nullptr, L"grid", {8, 64, 200, 40});
      grid->SetSpokenName(L"Rows");
      auto& ok = Add<u::Button>(nullptr, L"btOk", {220, 110, 75, 25});
      ok.SetCaption(L"Ok");
      ok.SetModalResult(u::mrOk);
    }
    u::Edit *first, *second;
    u::TreeGrid* grid;
  } form;
  msw::MSWFormRunner runner;
  std::wstring beforeFirst, beforeSecond, gridName, faults, tabs;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmLabels");
        HWND first = FindControl(f, L"first");
        beforeFirst = ComponentName(GetWindow(first, GW_HWNDPREV));
        beforeSecond = ComponentName(GetWindow(FindControl(f, L"second"), GW_HWNDPREV));
        gridName = WindowText(FindControl(f, L"grid"));
        for (const std::wstring& fault : topaline::winedriver::ScreenReaderFaults(f)) faults += fault + L"; ";
        Focus(first);
        for (int i = 0; i < 3; ++i) {
          HWND from = FocusOf(f);
          Key(from, VK_TAB);
          WaitFor([&] { return FocusOf(f) != from; }, 2000);
          tabs += ComponentName(FocusOf(f)) + L",";
        }
        Click(FindControl(f, L"btOk"));
      },
      [&] { runner.ShowModal(form); });
  EXPECT_EQ(beforeFirst, L"lbFirst");
  EXPECT_EQ(beforeSecond, L"lbSecond");
  EXPECT_EQ(gridName, L"Rows");
  EXPECT_EQ(faults, L"");
  EXPECT_EQ(tabs, L"second,grid,btOk,");
}

TEST(Win32Controls, EscapeInAnOpenListClosesTheListNotTheForm) {
  struct Form : u::Form {
    Form() : u::Form(L"frmList") {
      SetClientSize(300, 200);
      SetKeyPreview(true);  // the form sees keys first, Escape closes it
      OnKeyDown = [this](int& key, u::ShiftState) {
        if (key == u::Key::Escape) {
          key = 0;
          SetModalResult(u::mrCancel);
        }
      };
      combo = &Add<u::ComboBox>(nullptr, L"numdec", {8, 8, 80, 21});
      combo->SetStyle(u::ComboBox::Style::DropDownList);
      combo->SetItems({L"0", L"1", L"2", L"3"});
      combo->SetItemIndex(2);
    }
    u::ComboBox* combo;
  } form;
  msw::MSWFormRunner runner;
  bool dropped = false, closedUp = false, formAlive = false, modelClosed = false;
  int result = 0;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmList");
        HWND combo = FindControl(f, L"numdec");
        Focus(combo);
        SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        dropped = WaitFor([&] { return form.combo->DroppedDown(); }, 2000);
        Key(combo, VK_ESCAPE);
        closedUp = WaitFor([&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) == 0; }, 2000);
        Sync(f);
        formAlive = IsWindow(f) && IsWindowVisible(f);
        modelClosed = !form.combo->DroppedDown();
        Key(combo, VK_ESCAPE);
        WaitFor([&] { return !IsWindow(f) || !IsWindowVisible(f); }, 3000);
      },
      [&] { result = runner.ShowModal(form); });
  EXPECT_TRUE(dropped);
  EXPECT_TRUE(closedUp);
  EXPECT_TRUE(formAlive) << "Escape in the open list closed the form";
  EXPECT_TRUE(modelClosed);
  EXPECT_EQ(form.combo->Text(), L"2");
  EXPECT_EQ(result, u::mrCancel);
}
