#include "server/dialogs/layout/options.h"

#include <gtest/gtest.h>

#include "server/dialogs/common/settings.h"
#include "server/dialogs/common/tests/forms_fixture.h"

namespace topaline {
namespace {

using OptionsTest = testing::FormsTest;

TEST_F(OptionsTest, UncheckingTheWarningSilencesTheLayerCheckOfLaterCommands) {
  Store(L"options", L"avertcalq", L"1");
  Store(L"options", L"showbox", L"0");
  user.On(L"frmOptions", [](ui::Form& form) {
    auto& f = static_cast<TfrmOptions&>(form);
    EXPECT_TRUE(f.avertcalq->Checked());
    f.avertcalq->UserClick();
    f.btAppliquer->UserClick();
  });
  ProgramOptions(session);
  EXPECT_EQ(exchange.resultat, 1);
  EXPECT_EQ(Stored(L"options", L"avertcalq"), L"0");
  EXPECT_EQ(Stored(L"options", L"showbox"), L"0");

  session.Layers.Items = {{L"Gelé", 0, 1}};
  ui::Form form(L"frmT");
  auto& field = form.Add<ui::Edit>(nullptr, L"calque");
  field.SetText(L"Gelé");
  EXPECT_TRUE(CheckLayerWarning(session, field));
  EXPECT_EQ(user.ShownCount(L"frmErrMsg"), 0);
}

TEST_F(OptionsTest, WithoutTheValueTheBoxIsUncheckedTheWarningActiveAndNothingIsCreated) {
  user.On(L"frmOptions", [](ui::Form& form) {
    auto& f = static_cast<TfrmOptions&>(form);
    EXPECT_FALSE(f.avertcalq->Checked());
    EXPECT_FALSE(f.showbox->Checked());
    f.showbox->UserClick();
    f.btAppliquer->UserClick();
  });
  ProgramOptions(session);
  EXPECT_EQ(exchange.resultat, 1);
  EXPECT_EQ(Stored(L"options", L"avertcalq"), L"<missing>");
  EXPECT_EQ(Stored(L"options", L"showbox"), L"<missing>");
  EXPECT_NE(ReadSetting(session, L"options", L"avertcalq"), L"0");
}

TEST_F(OptionsTest, CancellingAfterChangingBothLeavesTheSection) {
  using Act = std::function<void(TfrmOptions&)>;
  const Act closes[] = {
      [](TfrmOptions& f) { f.btAnnule->UserClick(); },
      [](TfrmOptions& f) { f.showbox->UserKey(ui::Key::Escape); },
      [](TfrmOptions& f) { f.UserClose(); },
  };
  Store(L"options", L"avertcalq", L"1");
  Store(L"options", L"showbox", L"0");
  for (const Act& close : closes) {
    user.On(L"frmOptions", [&](ui::Form& form) {
      auto& f = static_cast<TfrmOptions&>(form);
      f.avertcalq->UserClick();
      f.showbox->UserClick();
      close(f);
    });
    ProgramOptions(session);
    EXPECT_EQ(exchange.resultat, 0);
    EXPECT_EQ(Stored(L"options", L"avertcalq"), L"1");
    EXPECT_EQ(Stored(L"options", L"showbox"), L"0");
  }
}

TEST_F(OptionsTest, HelpOpensItsTopic) {
  user.On(L"frmOptions", [](ui::Form& form) {
    auto& f = static_cast<TfrmOptions&>(form);
    f.btAide->UserClick();
    f.btAnnule->UserClick();
  });
  ProgramOptions(session);
  ASSERT_EQ(host.shell.launches.size(), 1u);
  EXPECT_EQ(host.shell.launches[0].program, L"C:\\windows\\hh.exe");
  EXPECT_EQ(host.shell.launches[0].parameters, L"C:\\Prog\\topaline3\\topaline3.chm::/tloptions.htm");
}

TEST_F(OptionsTest, AnUnreadableStoredValueFailsTheCommand) {
  Store(L"options", L"avertcalq", L"");
  EXPECT_THROW(ProgramOptions(session), Error);
  EXPECT_EQ(user.ShownCount(L"frmOptions"), 0);
}

}  // namespace
}  // namespace topaline
