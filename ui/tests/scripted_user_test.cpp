#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/headless/dialog_test.h"
#include "ui/ui.h"

using namespace topaline;
using namespace topaline::ui;

namespace {

// A message-box-like form: the first visible button gets the focus.
struct AskForm : Form {
  AskForm() : Form(L"frmAsk") {
    SetBorderStyle(BorderStyle::ToolWindow);
    SetClientSize(300, 100);
    SetPosition(FormPosition::ScreenCenter);
    SetKeyPreview(true);
    OnKeyDown = [this](int& key, ShiftState) {
      if (key == Key::Escape) {
        key = 0;
        SetModalResult(2);
      }
    };
    Add<Label>(nullptr, L"LabMsg").SetCaption(L"Sure?");
    auto& b1 = Add<Button>(nullptr, L"Button1");
    b1.SetModalResult(1);
    b1.SetVisible(false);
    Add<Button>(nullptr, L"Button2").SetModalResult(2);
  }
};

struct MainForm : Form {
  FormRunner& runner;
  int answer = -1;
  MainForm(FormRunner& r) : Form(L"frmMain"), runner(r) {
    auto& apply = Add<Button>(nullptr, L"btAppliquer");
    apply.OnClick = [this] {
      AskForm ask;
      answer = runner.ShowModal(ask);
      if (answer == 2) SetModalResult(mrOk);
    };
  }
};

class ScriptedUserTest : public DialogTest {};

}  // namespace

TEST_F(ScriptedUserTest, NestedModalsGoToTheSameScriptInOrder) {
  user.On(L"frmMain", [](Form& f) {
    f.Get<Button>(L"btAppliquer").UserClick();  // first question: Escape, the dialog closes
  });
  user.On(L"frmAsk", [](Form& f) {
    EXPECT_EQ(f.ActiveControl(), &f.Get<Button>(L"Button2"));  // the first shown button
    f.UserKey(Key::Escape);
  });
  MainForm main(*platform().forms);
  EXPECT_EQ(platform().forms->ShowModal(main), mrOk);
  EXPECT_EQ(main.answer, 2);
  EXPECT_EQ(user.ShownNames(), (std::vector<std::wstring>{L"frmMain", L"frmAsk"}));
  ASSERT_EQ(user.History().size(), 2u);
  EXPECT_EQ(user.History()[1].depth, 1);
  EXPECT_EQ(user.History()[1].labels, (std::vector<std::wstring>{L"Sure?"}));
  EXPECT_EQ(user.History()[1].result, 2);
  EXPECT_TRUE(user.Failures().empty());
}

TEST_F(ScriptedUserTest, CentresOnTheWorkAreaAndMeasuresTextDeterministically) {
  user.On(L"frmAsk", [](Form& f) {
    EXPECT_EQ(f.Left(), (1920 - f.Width()) / 2);
    EXPECT_EQ(f.Top(), (1040 - f.Height()) / 2);
    f.UserClose();
  });
  AskForm ask;
  EXPECT_EQ(user.ShowModal(ask), mrCancel);
  EXPECT_EQ(user.TextWidth(L"Ok", Font{}), 12);
  EXPECT_EQ(user.TextWidth(L"Annuler", Font{}), 42);
}

TEST(ScriptedUser, ReportsUnexpectedFormsAndFormsLeftOpen) {
  ScriptedUser user;
  std::vector<std::wstring> seen;
  user.OnFailure = [&](const std::wstring& m) { seen.push_back(m); };
  AskForm ask;
  EXPECT_EQ(user.ShowModal(ask), mrCancel);
  user.On(L"frmAsk", [](Form&) {});  // does nothing
  EXPECT_EQ(user.ShowModal(ask), mrCancel);
  user.On(L"frmOther", [](Form&) {});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_NE(seen[0].find(L"Unexpected form \"frmAsk\""), std::wstring::npos);
  EXPECT_NE(seen[1].find(L"still open"), std::wstring::npos);
  EXPECT_EQ(user.Unconsumed(), (std::vector<std::wstring>{L"frmOther"}));
}

TEST(ScriptedUser, CloseQueryCanRefuseAndOnCloseRunsOnce) {
  ScriptedUser user;
  AskForm ask;
  int closes = 0, queries = 0;
  ask.OnCloseQuery = [&](bool& can) { can = ++queries > 1; };
  ask.OnClose = [&] { ++closes; };
  user.On(L"frmAsk", [](Form& f) { f.Get<Button>(L"Button2").UserClick(); });
  EXPECT_EQ(user.ShowModal(ask), mrCancel);  // refused: reported, result Cancel
  EXPECT_EQ(user.Failures().size(), 1u);
  user.On(L"frmAsk", [](Form& f) { f.Get<Button>(L"Button2").UserClick(); });
  EXPECT_EQ(user.ShowModal(ask), 2);
  EXPECT_EQ(closes, 1);
}
