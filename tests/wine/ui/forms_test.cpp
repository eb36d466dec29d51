// Forms of the component model shown as real windows and driven from a
// second thread through window messages only; the assertions read the
// model's values.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>

#include "platform/error.h"
#include "tests/wine/ui/driver.h"
#include "ui/ui.h"
#include "win32/ui/msw_form_runner.h"

using namespace topaline;
namespace u = topaline::ui;
using namespace wine_ui;

namespace {

struct TestForm : u::Form {
  explicit TestForm(msw::MSWFormRunner& runner) : Form(L"frmTest") {
    SetCaption(L"Essai");
    SetClientSize(300, 200);
    SetKeyPreview(true);
    OnKeyDown = [this](int& key, u::ShiftState) {
      if (key == u::Key::Escape) {
        key = 0;
        ++escapes;
        Close();
      }
    };
    box = &Add<u::CheckBox>(nullptr, L"mmcalq", {8, 8, 120, 17});
    box->SetCaption(L"Même calque");
    box->OnClick = [this] { ++boxClicks; };
    field = &Add<u::Edit>(nullptr, L"calque", {8, 30, 120, 21});
    field->SetHint(L"Nom du calque");
    apply = &Add<u::Button>(nullptr, L"btAppliquer", {8, 160, 75, 25});
    apply->SetCaption(L"&Appliquer");
    apply->OnClick = [this] { SetModalResult(u::mrOk); };
    fail = &Add<u::Button>(nullptr, L"btEchec", {90, 160, 75, 25});
    fail->SetCaption(L"Échec");
    fail->OnClick = [] { throw Error(L"Calque introuvable."); };
    OnError = [&runner, this](const std::wstring& message) {
      // The error message box: a top-most form of its own.
      u::Form box(L"frmErrMsg");
      box.SetStayOnTop(true);
      box.SetBorderStyle(u::BorderStyle::ToolWindow);
      box.SetClientSize(557, 131);
      auto& text = box.Add<u::Label>(nullptr, L"LabMsg", {61, 16, 476, 65});
      text.SetCaption(message);
      auto& ok = box.Add<u::Button>(nullptr, L"Button1", {240, 100, 75, 25});
      ok.SetCaption(L"Ok");
      ok.SetModalResult(u::mrOk);
      errors.push_back(message);
      runner.ShowModal(box);
    };
  }
  u::CheckBox* box;
  u::Edit* field;
  u::Button* apply;
  u::Button* fail;
  int boxClicks = 0, escapes = 0;
  std::vector<std::wstring> errors;
};

}  // namespace

TEST(Win32Forms, ButtonsAndCheckBoxesAnswerBmClickAndTheModelDecides) {
  msw::MSWFormRunner runner;
  TestForm form(runner);
  std::atomic<bool> windowChecked{false};
  int result = 0;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmTest");
        ASSERT_NE(f, nullptr);
        HWND box = FindControl(f, L"mmcalq");
        ASSERT_NE(box, nullptr);
        ClickAndWait(box);
        windowChecked = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
        Click(FindControl(f, L"btAppliquer"));
      },
      [&] { result = runner.ShowModal(form); });
  EXPECT_EQ(result, u::mrOk);
  EXPECT_TRUE(form.box->Checked());
  EXPECT_TRUE(windowChecked);
  EXPECT_EQ(form.boxClicks, 1);
}

TEST(Win32Forms, TextSentToAnEditReachesTheModel) {
  msw::MSWFormRunner runner;
  TestForm form(runner);
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmTest");
        HWND edit = FindControl(f, L"calque");
        ASSERT_NE(edit, nullptr);
        SetText(edit, L"Points");
        TypeChars(edit, L"2");
        Click(FindControl(f, L"btAppliquer"));
      },
      [&] { runner.ShowModal(form); });
  EXPECT_EQ(form.field->Text(), L"Points2");
}

TEST(Win32Forms, EscapeGoesToTheFormFirstAndClosesIt) {
  msw::MSWFormRunner runner;
  TestForm form(runner);
  int result = 0;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmTest");
        HWND edit = FindControl(f, L"calque");
        Focus(edit);
        Key(edit, VK_ESCAPE);
        WaitFor([&] { return !IsWindow(f); }, 3000);
      },
      [&] { result = runner.ShowModal(form); });
  EXPECT_EQ(result, u::mrCancel);
  EXPECT_EQ(form.escapes, 1);
}

TEST(Win32Forms, ExceptionFromAReactionShowsTheErrorBoxAndTheFormGoesOn) {
  msw::MSWFormRunner runner;
  TestForm form(runner);
  HWND owner = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                               nullptr, nullptr, nullptr);
  runner.SetOwner(reinterpret_cast<WindowHandle>(owner));
  std::atomic<bool> topMost{false}, hasNoOwner{false}, formDisabled{false}, ownerDisabled{false};
  std::wstring shownText;
  int result = 0;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmTest");
        ownerDisabled = !IsWindowEnabled(owner);
        Click(FindControl(f, L"btEchec"));
        HWND box = WaitForForm(L"frmErrMsg");
        ASSERT_NE(box, nullptr);
        topMost = (GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        hasNoOwner = GetWindow(box, GW_OWNER) == nullptr;
        formDisabled = !IsWindowEnabled(f);
        shownText = WindowText(FindControl(box, L"LabMsg"));
        Click(FindControl(box, L"Button1"));
        WaitFor([&] { return !IsWindow(box); }, 3000);
        // The form is still there and answers.
        ASSERT_TRUE(IsWindow(f));
        Click(FindControl(f, L"btAppliquer"));
      },
      [&] { result = runner.ShowModal(form); });
  EXPECT_EQ(result, u::mrOk);
  ASSERT_EQ(form.errors.size(), 1u);
  EXPECT_EQ(shownText, L"Calque introuvable.");
  EXPECT_TRUE(topMost);
  EXPECT_TRUE(hasNoOwner);
  EXPECT_TRUE(formDisabled);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

namespace {

struct GridForm : u::Form {
  explicit GridForm(int rows) : Form(L"frmGrid") {
    SetClientSize(400, 300);
    grid = &Add<u::TreeGrid>(nullptr, L"TVPoints", {0, 0, 400, 260});
    grid->AddColumn(L"Numéro", 100);
    grid->AddColumn(L"Z", 100, u::Alignment::Right);
    grid->OnGetText = [](int, std::int32_t id, int col) {
      return col == 0 ? std::to_wstring(id) : std::to_wstring(id % 7);
    };
    grid->OnCompare = [](std::int32_t a, std::int32_t b, int col) {
      if (col == 1) return (a % 7) - (b % 7);
      return a < b ? -1 : a > b ? 1 : 0;
    };
    grid->SetCheckBoxes(true);
    std::vector<std::int32_t> ids(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i) ids[static_cast<size_t>(i)] = i;
    grid->SetRows(std::move(ids));
    auto& close = Add<u::Button>(nullptr, L"btFermer", {300, 270, 75, 25});
    close.SetModalResult(u::mrCancel);
  }
  u::TreeGrid* grid;
};

std::wstring itemText(HWND lv, int row, int col) {
  wchar_t buffer[64] = {};
  LVITEMW item{};
  item.iSubItem = col;
  item.pszText = buffer;
  item.cchTextMax = 64;
  SendMessageW(lv, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return buffer;
}

}  // namespace

TEST(Win32Forms, TreeGridIsAVirtualListAndHeaderClicksSort) {
  msw::MSWFormRunner runner;
  GridForm form(1000000);
  LRESULT count = 0;
  std::wstring firstBefore, firstAfter;
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmGrid");
        HWND lv = FindControl(f, L"TVPoints");
        ASSERT_NE(lv, nullptr);
        count = SendMessageW(lv, LVM_GETITEMCOUNT, 0, 0);
        firstBefore = itemText(lv, 0, 0);
        // A real click on the first header item, with the pointer over it:
        // a mouse move the window system sends while the button is down
        // (the pointer elsewhere) would make the click a column drag.
        HWND header = reinterpret_cast<HWND>(SendMessageW(lv, LVM_GETHEADER, 0, 0));
        RECT r{};
        SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
        POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        LPARAM at = MAKELPARAM(centre.x, centre.y);
        ClientToScreen(header, &centre);
        SetCursorPos(centre.x, centre.y);
        Sync(f);
        SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(header, WM_LBUTTONUP, 0, at);
        // The sort is done when the header shows its arrow and the list its
        // new first row; on a loaded machine that takes a while.
        WaitFor(
            [&] {
              HDITEMW hd{};
              hd.mask = HDI_FORMAT;
              SendMessageW(header, HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(&hd));
              return (hd.fmt & HDF_SORTDOWN) && itemText(lv, 0, 0) == L"999999";
            },
            60000);
        firstAfter = itemText(lv, 0, 0);
        Click(FindControl(f, L"btFermer"));
      },
      [&] { runner.ShowModal(form); });
  EXPECT_EQ(count, 1000000);
  EXPECT_EQ(firstBefore, L"0");
  EXPECT_EQ(form.grid->SortColumn(), 0);
  EXPECT_EQ(form.grid->GetSortDirection(), u::SortDirection::Descending);
  EXPECT_EQ(firstAfter, L"999999");
}

// The geometry a form had when it closed, given to a new form of the same
// design before it opens (as the stored place is), opens it at that very
// place and size: reopening a dialog many times never moves or grows it.
TEST(Win32Forms, AClosedFormsGeometryReopensItUnchanged) {
  for (u::BorderStyle style : {u::BorderStyle::Sizeable, u::BorderStyle::Dialog}) {
    struct Form : u::Form {
      explicit Form(u::BorderStyle s) : u::Form(L"frmGeom") {
        SetBorderStyle(s);
        SetClientSize(320, 240);
        SetPosition(u::FormPosition::ScreenCenter);
      }
    };
    msw::MSWFormRunner runner;
    u::Rect closed{};
    {
      Form first(style);
      RunScripted([] { PostMessageW(WaitForForm(L"frmGeom"), WM_CLOSE, 0, 0); }, [&] { runner.ShowModal(first); });
      closed = first.Bounds();
    }
    for (int round = 0; round < 2; ++round) {
      Form again(style);
      again.SetPosition(u::FormPosition::Designed);
      again.SetBounds(closed);
      RECT shown{};
      RunScripted(
          [&] {
            HWND f = WaitForForm(L"frmGeom");
            GetWindowRect(f, &shown);
            PostMessageW(f, WM_CLOSE, 0, 0);
          },
          [&] { runner.ShowModal(again); });
      EXPECT_EQ(again.Bounds(), closed) << "round " << round;
      EXPECT_EQ(shown.left, closed.left);
      EXPECT_EQ(shown.top, closed.top);
      EXPECT_EQ(shown.right - shown.left, closed.width) << "round " << round;
      EXPECT_EQ(shown.bottom - shown.top, closed.height) << "round " << round;
      EXPECT_EQ(again.ClientWidth(), 320);
      EXPECT_EQ(again.ClientHeight(), 240);
    }
  }
}
