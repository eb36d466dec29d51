// The tree-grid's window driven like a person would: cells clicked open
// the in-place editor after the edit delay, text typed or set into it,
// Enter / Escape / leaving ends it; scrolling and sorting end it cleanly;
// header drags move and resize columns, and the header state survives a
// save and restore through the real list view.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cwctype>
#include <string>
#include <vector>

#include "tests/wine/ui/driver.h"
#include "ui/ui.h"
#include "win32/ui/msw_form_runner.h"

using namespace topaline;
namespace u = topaline::ui;
using namespace wine_ui;

namespace {

// A numeric field as the dialogs make one: a decimal comma becomes a
// point, anything but digits, point and minus is dropped.
class NumField : public u::Edit {
public:
  NumField(u::Form& owner, u::Component* parent, std::wstring name) : Edit(owner, parent, std::move(name)) {}
  void KeyPress(wchar_t& ch) override {
    if (ch == L',') ch = L'.';
    if (ch >= 32 && !std::iswdigit(ch) && ch != L'.' && ch != L'-') ch = 0;
    Edit::KeyPress(ch);
  }
};

struct EditForm : u::Form {
  explicit EditForm(bool numeric) : Form(L"frmEdit") {
    SetClientSize(420, 300);
    for (int i = 0; i < 60; ++i) x.push_back(std::to_wstring(1000 + i) + L".5");
    grid = &Add<u::TreeGrid>(nullptr, L"TVPoints", {8, 8, 400, 200});
    grid->AddColumn(L"Numéro", 80);
    grid->AddColumn(L"X", 100, u::Alignment::Right);
    grid->AddColumn(L"Description", 150);
    grid->SetEditDelay(30);
    grid->OnGetText = [this](int, std::int32_t id, int col) {
      return col == 0 ? std::to_wstring(id) : col == 1 ? x[static_cast<size_t>(id)] : L"point " + std::to_wstring(id);
    };
    grid->OnCompare = [](std::int32_t a, std::int32_t b, int) { return a < b ? -1 : a > b ? 1 : 0; };
    grid->OnEditing = [](int, int col) { return col == 1; };
    grid->OnNewText = [this](int row, int, const std::wstring& t) { x[static_cast<size_t>(grid->RowId(row))] = t; };
    grid->OnEdited = [this](int, int, bool committed) { ++(committed ? commits : cancels); };
    if (numeric) {
      num = &Add<NumField>(grid, L"numEditor");
      num->SetVisible(false);
      num->SetBorder(false);
      num->SetAlignment(u::Alignment::Right);
      grid->OnCreateEditor = [this](int, int) { return num; };
    }
    std::vector<std::int32_t> ids;
    for (int i = 0; i < 60; ++i) ids.push_back(i);
    grid->SetRows(ids);
    other = &Add<u::Edit>(nullptr, L"other", {8, 220, 100, 21});
    auto& close = Add<u::Button>(nullptr, L"btFermer", {330, 265, 75, 25});
    close.SetModalResult(u::mrCancel);
  }
  std::wstring EditorName() const { return num ? L"numEditor" : L"TVPointsEditor"; }
  std::vector<std::wstring> x;
  u::TreeGrid* grid;
  NumField* num = nullptr;
  u::Edit* other;
  int commits = 0, cancels = 0;
};

RECT cellRect(HWND lv, int row, int col) {
  RECT r{};
  r.top = col;
  r.left = LVIR_LABEL;
  SendMessageW(lv, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
  return r;
}

// Clicks the cell and waits for the editor window to show over it.
HWND openEditor(HWND form, HWND lv, int row, int col, const std::wstring& editorName) {
  RECT r = cellRect(lv, row, col);
  ClickAt(lv, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  HWND editor = nullptr;
  WaitFor([&] { return (editor = FindControl(form, editorName)) != nullptr && IsWindowVisible(editor); }, 3000);
  return editor;
}

bool hidden(HWND editor) {
  return WaitFor([&] { return !IsWindowVisible(editor); }, 3000);
}

}  // namespace

TEST(Win32Grid, PlainEditorOpensOverTheClickedCellAndEnterCommits) {
  msw::MSWFormRunner runner;
  EditForm form(false);
  RECT cell{}, editorRect{};
  std::wstring shownAfter;
  bool focusBackToGrid = false;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmEdit");
        HWND lv = FindControl(f, L"TVPoints");
        HWND ed = openEditor(f, lv, 2, 1, form.EditorName());
        ASSERT_NE(ed, nullptr);
        cell = cellRect(lv, 2, 1);
        GetWindowRect(ed, &editorRect);
        MapWindowPoints(nullptr, lv, reinterpret_cast<POINT*>(&editorRect), 2);
        EXPECT_EQ(WindowText(ed), L"1002.5");
        SetText(ed, L"77");
        TypeChars(ed, L".25");
        Key(ed, VK_RETURN);
        ASSERT_TRUE(hidden(ed));
        Sync(f);
        focusBackToGrid = FocusOf(lv) == lv;
        wchar_t buffer[32] = {};
        LVITEMW item{};
        item.iSubItem = 1;
        item.pszText = buffer;
        item.cchTextMax = 32;
        SendMessageW(lv, LVM_GETITEMTEXTW, 2, reinterpret_cast<LPARAM>(&item));
        shownAfter = buffer;
        Click(FindControl(f, L"btFermer"));
      },
      [&] { runner.ShowModal(form); });
  EXPECT_EQ(form.x[2], L"77.25");
  EXPECT_EQ(shownAfter, L"77.25");
  EXPECT_EQ(form.commits, 1);
  EXPECT_EQ(form.cancels, 0);
  EXPECT_TRUE(focusBackToGrid);
  EXPECT_EQ(editorRect.left, cell.left);
  EXPECT_EQ(editorRect.top, cell.top);
  EXPECT_EQ(editorRect.right, cell.right);
  EXPECT_EQ(editorRect.bottom, cell.bottom);
}

TEST(Win32Grid, NumericEditorFiltersTypedCharactersAndEscapeCancels) {
  msw::MSWFormRunner runner;
  EditForm form(true);
  std::wstring typed;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmEdit");
        HWND lv = FindControl(f, L"TVPoints");
        HWND ed = openEditor(f, lv, 1, 1, form.EditorName());
        ASSERT_NE(ed, nullptr);
        EXPECT_EQ(WindowText(ed), L"1001.5");
        // The whole text is selected: typing replaces it, through the filter.
        TypeChars(ed, L"12,5x");
        typed = WindowText(ed);
        Key(ed, VK_ESCAPE);
        ASSERT_TRUE(hidden(ed));
        // A second edit, committed with Enter.
        ed = openEditor(f, lv, 3, 1, form.EditorName());
        ASSERT_NE(ed, nullptr);
        TypeChars(ed, L"-4,75");
        Key(ed, VK_RETURN);
        ASSERT_TRUE(hidden(ed));
        Click(FindControl(f, L"btFermer"));
      },
      [&] { runner.ShowModal(form); });
  EXPECT_EQ(typed, L"12.5");
  EXPECT_EQ(form.x[1], L"1001.5");  // cancelled
  EXPECT_EQ(form.x[3], L"-4.75");
  EXPECT_EQ(form.cancels, 1);
  EXPECT_EQ(form.commits, 1);
}

TEST(Win32Grid, LeavingTheEditorCommitsWhereverTheFocusGoes) {
  msw::MSWFormRunner runner;
  EditForm form(false);
  bool otherFocused = false, stayedOutside = false;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmEdit");
        HWND lv = FindControl(f, L"TVPoints");
        // To another control of the form.
        HWND ed = openEditor(f, lv, 4, 1, form.EditorName());
        ASSERT_NE(ed, nullptr);
        SetText(ed, L"1.25");
        Focus(FindControl(f, L"other"));
        ASSERT_TRUE(hidden(ed));
        otherFocused = FocusOf(f) == FindControl(f, L"other");
        // To a window of another thread (another program, say).
        ed = openEditor(f, lv, 5, 1, form.EditorName());
        ASSERT_NE(ed, nullptr);
        SetText(ed, L"2.5");
        HWND outside = CreateWindowExW(0, L"STATIC", L"outside", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                       nullptr, nullptr, nullptr);
        Focus(outside);
        ASSERT_TRUE(hidden(ed));
        Sync(f);
        stayedOutside = FocusOf(f) != lv;
        DestroyWindow(outside);
        Click(FindControl(f, L"btFermer"));
      },
      [&] { runner.ShowModal(form); });
  EXPECT_EQ(form.x[4], L"1.25");
  EXPECT_EQ(form.x[5], L"2.5");
  EXPECT_EQ(form.commits, 2);
  EXPECT_TRUE(otherFocused);
  EXPECT_TRUE(stayedOutside);
}

TEST(Win32Grid, ScrollingOrSortingWhileEditingEndsTheEdit) {
  msw::MSWFormRunner runner;
  EditForm form(false);
  int topAfterScroll = -1, modelTopAfterScroll = -1;
  std::wstring firstAfterSort;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmEdit");
        HWND lv = FindControl(f, L"TVPoints");
        HWND ed = openEditor(f, lv, 0, 1, form.EditorName());
        ASSERT_NE(ed, nullptr);
        SetText(ed, L"5");
        SendMessageW(lv, WM_VSCROLL, SB_LINEDOWN, 0);
        ASSERT_TRUE(hidden(ed));
        Sync(f);
        topAfterScroll = static_cast<int>(SendMessageW(lv, LVM_GETTOPINDEX, 0, 0));
        modelTopAfterScroll = form.grid->TopRow();
        // Sorting by a header click.
        ed = openEditor(f, lv, 3, 1, form.EditorName());
        ASSERT_NE(ed, nullptr);
        SetText(ed, L"6");
        HWND header = reinterpret_cast<HWND>(SendMessageW(lv, LVM_GETHEADER, 0, 0));
        RECT r{};
        SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
        ClickAtAndWait(header, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ASSERT_TRUE(hidden(ed));
        wchar_t buffer[32] = {};
        LVITEMW item{};
        item.pszText = buffer;
        item.cchTextMax = 32;
        SendMessageW(lv, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
        firstAfterSort = buffer;
        Click(FindControl(f, L"btFermer"));
      },
      [&] { runner.ShowModal(form); });
  EXPECT_EQ(form.x[0], L"5");
  EXPECT_EQ(form.x[3], L"6");
  EXPECT_EQ(form.commits, 2);
  EXPECT_EQ(topAfterScroll, 1);
  EXPECT_EQ(modelTopAfterScroll, 1);
  EXPECT_FALSE(form.grid->IsEditing());
  EXPECT_EQ(firstAfterSort, L"59");  // a first click sorts descending
}

// A right click on an editable cell focuses its row and opens no editor;
// on the header, every button but the right one sorts.
TEST(Win32Grid, OnlyTheLeftButtonEditsAndAnyButtonButTheRightSorts) {
  msw::MSWFormRunner runner;
  EditForm form(false);
  std::vector<std::pair<int, u::MouseButton>> headerClicks;
  form.grid->OnHeaderClick = [&](int column, u::MouseButton button) { headerClicks.emplace_back(column, button); };
  int focusedAfterRightClick = -1;
  bool editAfterRightClick = true;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmEdit");
        HWND lv = FindControl(f, L"TVPoints");
        ASSERT_NE(lv, nullptr);
        Sync(f);
        // A right click, through the form's loop as a real one comes, with
        // the pointer over the cell (see the header click of forms_test).
        RECT cell = cellRect(lv, 2, 1);
        POINT at{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
        POINT screen = at;
        ClientToScreen(lv, &screen);
        SetCursorPos(screen.x, screen.y);
        PostMessageW(lv, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
        PostMessageW(lv, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        WaitFor([&] { return form.grid->FocusedRow() == 2; }, 10000);
        Sync(f);  // the click's handling is over
        focusedAfterRightClick = form.grid->FocusedRow();
        editAfterRightClick = form.grid->EditPending() || form.grid->IsEditing();

        HWND header = reinterpret_cast<HWND>(SendMessageW(lv, LVM_GETHEADER, 0, 0));
        auto centreOf = [&](int item) {
          RECT r{};
          SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
          return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        };
        SendMessageW(header, WM_MBUTTONDOWN, MK_MBUTTON, centreOf(1));
        SendMessageW(header, WM_MBUTTONUP, 0, centreOf(1));
        SendMessageW(header, WM_RBUTTONDOWN, MK_RBUTTON, centreOf(0));
        SendMessageW(header, WM_RBUTTONUP, 0, centreOf(0));
        Sync(f);
        Click(FindControl(f, L"btFermer"));
      },
      [&] { runner.ShowModal(form); });
  EXPECT_EQ(focusedAfterRightClick, 2);
  EXPECT_FALSE(editAfterRightClick) << "a right click started an edit";
  EXPECT_EQ(form.commits + form.cancels, 0);
  EXPECT_EQ(form.grid->SortColumn(), 1) << "the middle click sorts, the right one does not";
  EXPECT_EQ(form.grid->GetSortDirection(), u::SortDirection::Descending);
  ASSERT_EQ(headerClicks.size(), 2u);
  EXPECT_EQ(headerClicks[0], std::make_pair(1, u::MouseButton::Middle));
  EXPECT_EQ(headerClicks[1], std::make_pair(0, u::MouseButton::Right));
}

// A header click shows the wait cursor while the rows are sorted, and the
// cursor it replaced once they are.
TEST(Win32Grid, TheWaitCursorShowsWhileAHeaderClickSorts) {
  msw::MSWFormRunner runner;
  EditForm form(false);
  const HCURSOR wait = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT));
  HCURSOR during = nullptr, after = wait;
  bool sorted = false;
  form.grid->OnBeforeSort = [&](int) { during = GetCursor(); };
  form.grid->OnAfterSort = [&](int) { sorted = true; };
  // The sorted rows are painted once the click has been handled.
  auto text = form.grid->OnGetText;
  form.grid->OnGetText = [&, text](int row, std::int32_t id, int column) {
    if (sorted) after = GetCursor();
    return text(row, id, column);
  };
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmEdit");
        HWND lv = FindControl(f, L"TVPoints");
        ASSERT_NE(lv, nullptr);
        Sync(f);
        HWND header = reinterpret_cast<HWND>(SendMessageW(lv, LVM_GETHEADER, 0, 0));
        RECT r{};
        SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
        ClickAtAndWait(header, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        RedrawWindow(lv, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Sync(f);
        Click(FindControl(f, L"btFermer"));
      },
      [&] { runner.ShowModal(form); });
  EXPECT_EQ(form.grid->SortColumn(), 0);
  EXPECT_EQ(during, wait);
  EXPECT_NE(after, wait) << "the wait cursor stayed after the sort";
}

namespace {

struct HeaderForm : u::Form {
  explicit HeaderForm(const std::vector<std::uint8_t>* restore) : Form(L"frmHeader") {
    SetClientSize(420, 260);
    grid = &Add<u::TreeGrid>(nullptr, L"TVGroupes", {8, 8, 400, 200});
    grid->AddColumn(L"Nom", 100);
    grid->AddColumn(L"Description", 120);
    grid->AddColumn(L"Nb points", 80, u::Alignment::Right);
    grid->OnGetText = [](int, std::int32_t id, int col) { return std::to_wstring(id * 10 + col); };
    grid->SetRows({1, 2, 3});
    if (restore) restored = grid->RestoreHeaderState(*restore);
    OnClose = [this] { saved = grid->SaveHeaderState(); };
    auto& close = Add<u::Button>(nullptr, L"btFermer", {330, 225, 75, 25});
    close.SetModalResult(u::mrCancel);
  }
  u::TreeGrid* grid;
  std::vector<std::uint8_t> saved;
  bool restored = false;
};

std::vector<int> columnOrder(HWND lv) {
  std::vector<int> order(3, -1);
  SendMessageW(lv, LVM_GETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order.data()));
  return order;
}

}  // namespace

TEST(Win32Grid, HeaderDragsMoveAndResizeColumnsAndTheStateSurvivesARestore) {
  msw::MSWFormRunner runner;
  HeaderForm first(nullptr);
  std::vector<int> orderAfterDrag;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmHeader");
        HWND lv = FindControl(f, L"TVGroupes");
        HWND header = reinterpret_cast<HWND>(SendMessageW(lv, LVM_GETHEADER, 0, 0));
        RECT nb{}, nom{};
        SendMessageW(header, HDM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&nb));
        SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&nom));
        // "Nb points" dragged onto the left half of "Nom": it becomes first.
        int y = (nb.top + nb.bottom) / 2;
        DragAndWait(header, (nb.left + nb.right) / 2, y, nom.left + 10, y);
        orderAfterDrag = columnOrder(lv);
        // The divider right of "Nom" (now second) dragged 40 pixels right.
        SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&nom));
        DragAndWait(header, nom.right - 1, y, nom.right + 39, y);
        Click(FindControl(f, L"btFermer"));
      },
      [&] { runner.ShowModal(first); });
  EXPECT_EQ(orderAfterDrag, (std::vector<int>{2, 0, 1}));
  EXPECT_EQ(first.grid->ColumnOrder(), (std::vector<int>{2, 0, 1}));
  EXPECT_EQ(first.grid->Column(0).width, 140);
  ASSERT_FALSE(first.saved.empty());

  HeaderForm second(&first.saved);
  EXPECT_TRUE(second.restored);
  std::vector<int> shownOrder;
  int shownWidth = 0;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmHeader");
        HWND lv = FindControl(f, L"TVGroupes");
        shownOrder = columnOrder(lv);
        shownWidth = static_cast<int>(SendMessageW(lv, LVM_GETCOLUMNWIDTH, 0, 0));
        Click(FindControl(f, L"btFermer"));
      },
      [&] { runner.ShowModal(second); });
  EXPECT_EQ(shownOrder, (std::vector<int>{2, 0, 1}));
  EXPECT_EQ(shownWidth, 140);
}
