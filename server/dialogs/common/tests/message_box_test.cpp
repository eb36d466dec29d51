#include "server/dialogs/common/message_box.h"

#include <gtest/gtest.h>

#include "forms_fixture.h"
#include "ui/controls.h"

namespace topaline {
namespace {

using MessageBoxTest = testing::FormsTest;

TEST_F(MessageBoxTest, WindowAsDesigned) {
  TfrmErrMsg box;
  EXPECT_EQ(box.Name(), L"frmErrMsg");
  EXPECT_EQ(box.Caption(), L"Message Norvel");
  EXPECT_EQ(box.ClientWidth(), 557);
  EXPECT_EQ(box.ClientHeight(), 131);
  EXPECT_EQ(box.GetBorderStyle(), ui::BorderStyle::ToolWindow);
  EXPECT_TRUE(box.StayOnTop());
  EXPECT_TRUE(box.KeyPreview());
  EXPECT_EQ(box.GetPosition(), ui::FormPosition::ScreenCenter);
  EXPECT_EQ(box.GetFont().name, L"Tahoma");
  EXPECT_EQ(box.GetFont().sizePt, 8);
  EXPECT_EQ(box.Image1->Bounds(), (ui::Rect{8, 8, 34, 34}));
  EXPECT_EQ(box.LabMsg->Bounds(), (ui::Rect{61, 16, 476, 65}));
  EXPECT_TRUE(box.LabMsg->WordWrap());
  EXPECT_EQ(box.Panbout->Bounds(), (ui::Rect{0, 96, 557, 35}));
  EXPECT_EQ(box.Panbout->GetColor(), ui::clWhite);
  EXPECT_EQ(box.Button1->Top(), 4);
  EXPECT_EQ(box.Button1->Height(), 25);
}

// Captions -> which buttons show, at which left edges and widths (6 px
// per character in the scripted user's metrics, + 40).
TEST_F(MessageBoxTest, ShownButtonsFormOneCentredRow) {
  struct Case {
    std::vector<std::wstring> captions;
    std::vector<int> shown;  // button numbers
  };
  const Case cases[] = {
      {{L"Ok"}, {1}},
      {{L"Ok", L"Annuler"}, {1, 2}},
      {{L"", L"Non"}, {2}},
      {{L"Oui", L"", L"Annuler"}, {1, 3}},
      {{L"Ajouter les points à la suite du fichier existant", L"Non"}, {1, 2}},
  };
  for (const Case& c : cases) {
    TfrmErrMsg box;
    box.Prepare(L"texte", c.captions, ui::IconWarning,
                [&](const std::wstring& t) { return user.TextWidth(t, box.GetFont()); });
    ui::Button* buttons[] = {box.Button1, box.Button2, box.Button3};
    int total = 0;
    for (int n : c.shown) total += 6 * static_cast<int>(c.captions[n - 1].size()) + 40 + 2;
    int left = (box.Width() - total) / 2;
    for (int i = 0; i < 3; ++i) {
      const bool shown = std::find(c.shown.begin(), c.shown.end(), i + 1) != c.shown.end();
      EXPECT_EQ(buttons[i]->Visible(), shown);
      if (!shown) continue;
      EXPECT_EQ(buttons[i]->Caption(), c.captions[i]);
      EXPECT_EQ(buttons[i]->Width(), 6 * static_cast<int>(c.captions[i].size()) + 40);
      EXPECT_EQ(buttons[i]->Left(), left);
      left += buttons[i]->Width() + 2;
    }
    EXPECT_EQ(box.ActiveControl(), buttons[c.shown.front() - 1]);
    EXPECT_EQ(box.Image1->StockIcon(), ui::IconWarning);
    EXPECT_EQ(box.LabMsg->Caption(), L"texte");
  }
}

TEST_F(MessageBoxTest, ResultIsThePressedButtonOrTwoWhenClosed) {
  using Act = std::function<void(ui::Form&)>;
  struct Case { Act act; int result; };
  const Case cases[] = {
      {[](ui::Form& f) { f.Get<ui::Button>(L"Button1").UserClick(); }, 1},
      {[](ui::Form& f) { f.Get<ui::Button>(L"Button2").UserClick(); }, 2},
      {[](ui::Form& f) { f.Get<ui::Button>(L"Button3").UserClick(); }, 3},
      {[](ui::Form& f) { f.ActiveControl()->UserKey(ui::Key::Enter); }, 1},
      {[](ui::Form& f) { f.ActiveControl()->UserKey(ui::Key::Escape); }, 2},
      {[](ui::Form& f) { f.UserClose(); }, 2},
  };
  for (const Case& c : cases) {
    user.On(L"frmErrMsg", c.act);
    EXPECT_EQ(ShowErrMsg(session, L"Question ?", {L"Oui", L"Non", L"Annuler"}, ui::IconQuestion), c.result);
  }
}

TEST_F(MessageBoxTest, OnlyTheSecondButtonShownIsFocusedAndGivesTwo) {
  user.On(L"frmErrMsg", [](ui::Form& f) { f.ActiveControl()->UserKey(ui::Key::Enter); });
  EXPECT_EQ(ShowErrMsg(session, L"t", {L"", L"Fermer"}, ui::IconError), 2);
}

TEST_F(MessageBoxTest, NoCaptionLeavesEscapeAndTheCloseBox) {
  user.On(L"frmErrMsg", [](ui::Form& f) {
    for (const wchar_t* name : {L"Button1", L"Button2", L"Button3"}) EXPECT_FALSE(f.Get<ui::Button>(name).Visible());
    f.UserKey(ui::Key::Escape);
  });
  EXPECT_EQ(ShowErrMsg(session, L"t", {L"", L""}, ui::IconError), 2);
}

TEST_F(MessageBoxTest, LabelMessageHasOkAndTheWarningIcon) {
  user.On(L"frmErrMsg", [](ui::Form& f) {
    auto& box = static_cast<TfrmErrMsg&>(f);
    EXPECT_EQ(box.LabMsg->Caption(), L"Empty field");
    EXPECT_EQ(box.Button1->Caption(), L"Ok");
    EXPECT_FALSE(box.Button2->Visible());
    EXPECT_EQ(box.Image1->StockIcon(), 32515);
    box.Button1->UserClick();
  });
  EXPECT_EQ(ShowLabelMsg(session, 710), 1);
}

TEST_F(MessageBoxTest, ReactionErrorsAreShownAndTheFormGoesOn) {
  ui::Form form(L"frmT");
  ReportErrorsInMessageBox(session, form);
  auto& bt = form.Add<ui::Button>(nullptr, L"bt");
  bt.OnClick = [] { throw Error(L"boom"); };
  std::wstring message;
  AnswerMessage(1, &message);
  bt.UserClick();
  EXPECT_EQ(message, L"boom");
  EXPECT_EQ(form.GetModalResult(), ui::mrNone);
}

}  // namespace
}  // namespace topaline
