#include "server/dialogs/layout/repos.h"

#include <gtest/gtest.h>

#include <functional>

#include "server/dialogs/common/tests/forms_fixture.h"

namespace topaline {
namespace {

const wchar_t* const kKinds[] = {L"polyligne", L"ligne", L"spline", L"cercle", L"arc", L"bloc"};

class ReposTest : public testing::FormsTest {
protected:
  ReposTest() {
    for (const wchar_t* name : kKinds) Store(L"reposition", name, L"0");
    for (const wchar_t* name : {L"keepz", L"c2d", L"c3d"}) Store(L"reposition", name, L"0");
    Store(L"reposition", L"rayrech", L"0.50000");
  }
  static TfrmRepos& Repos(ui::Form& form) { return static_cast<TfrmRepos&>(form); }
};

TEST_F(ReposTest, OpensInThreeDimensionsUnlessTwoWereStored) {
  struct Case { const wchar_t* c2d; const wchar_t* c3d; bool threeD; };
  const Case cases[] = {
      {nullptr, nullptr, true},  // neither stored
      {L"0", L"0", true},
      {L"1", L"0", false},
      {L"0", L"1", true},
      {L"1", L"1", true},  // the later value wins the load
  };
  for (const Case& c : cases) {
    HeadlessRegistry fresh;
    host.registry = fresh;
    for (const wchar_t* name : {L"bloc", L"keepz"}) Store(L"reposition", name, L"1");
    if (c.c2d) Store(L"reposition", L"c2d", c.c2d);
    if (c.c3d) Store(L"reposition", L"c3d", c.c3d);
    user.On(L"frmRepos", [&](ui::Form& form) {
      TfrmRepos& f = Repos(form);
      EXPECT_EQ(f.c3d->Checked(), c.threeD);
      EXPECT_EQ(f.c2d->Checked(), !c.threeD);
      EXPECT_EQ(f.keepz->Enabled(), c.threeD);
      f.btAppliquer->UserClick();
    });
    RepositionObjects(session);
    EXPECT_EQ(exchange.resultat, 1);
    EXPECT_EQ(Stored(L"reposition", L"keepz"), L"1") << "stored even while disabled";
    if (c.c2d) {
      EXPECT_EQ(Stored(L"reposition", L"c2d"), c.threeD ? L"0" : L"1");
      EXPECT_EQ(Stored(L"reposition", L"c3d"), c.threeD ? L"1" : L"0");
    } else {
      EXPECT_EQ(Stored(L"reposition", L"c2d"), L"<missing>");
    }
  }
}

TEST_F(ReposTest, SwitchingDimensionsSwitchesKeepZ) {
  Store(L"reposition", L"ligne", L"1");
  user.On(L"frmRepos", [](ui::Form& form) {
    TfrmRepos& f = Repos(form);
    EXPECT_TRUE(f.keepz->Enabled());
    f.keepz->UserClick();
    f.c2d->UserClick();
    EXPECT_FALSE(f.keepz->Enabled());
    EXPECT_FALSE(f.c3d->Checked());
    f.c3d->UserClick();
    EXPECT_TRUE(f.keepz->Enabled());
    f.c2d->UserClick();
    f.btAppliquer->UserClick();
  });
  RepositionObjects(session);
  EXPECT_EQ(Stored(L"reposition", L"c2d"), L"1");
  EXPECT_EQ(Stored(L"reposition", L"c3d"), L"0");
  EXPECT_EQ(Stored(L"reposition", L"keepz"), L"1");
}

TEST_F(ReposTest, ApplyNeedsAnObjectKind) {
  for (int chosen = -1; chosen < 6; ++chosen) {
    for (const wchar_t* name : kKinds) Store(L"reposition", name, L"0");
    std::wstring message;
    user.On(L"frmRepos", [&](ui::Form& form) {
      TfrmRepos& f = Repos(form);
      if (chosen >= 0) form.Get<ui::CheckBox>(kKinds[chosen]).UserClick();
      else AnswerMessage(1, &message);
      f.btAppliquer->UserClick();
      if (chosen < 0) {
        EXPECT_EQ(f.GetModalResult(), ui::mrNone);
        f.btAnnule->UserClick();
      }
    });
    exchange.resultat = 0;
    RepositionObjects(session);
    EXPECT_EQ(exchange.resultat, chosen >= 0 ? 1 : 0);
    EXPECT_EQ(message, chosen >= 0 ? L"" : L"Nothing chosen");
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Stored(L"reposition", kKinds[i]), i == chosen ? L"1" : L"0");
  }
}

// The radius has a minimum of 0.0001: a typed value below it is raised,
// but a value the host stored below it ("0.000", automatic) goes back as
// it was when the user leaves the field without editing it.
TEST_F(ReposTest, RadiusKeepsItsMinimumOnlyWhenEdited) {
  struct Case { const wchar_t* stored; const wchar_t* typed; const wchar_t* saved; };
  const Case cases[] = {
      {L"0.000", nullptr, L"0.000"},
      {L"0.000", L"0", L"0.00010"},
      {L"0.000", L"-3", L"0.00010"},
      {L"2", L"2,5", L"2.50000"},
      {L"2", nullptr, L"2"},
      {L"0.000", L"0.000", L"0.000"},  // typed as it was: nothing edited
  };
  for (const Case& c : cases) {
    Store(L"reposition", L"rayrech", c.stored);
    Store(L"reposition", L"arc", L"1");
    user.On(L"frmRepos", [&](ui::Form& form) {
      TfrmRepos& f = Repos(form);
      f.rayrech->UserFocus();
      if (c.typed) {
        f.rayrech->UserSetText(L"");
        f.rayrech->UserType(c.typed);
      }
      f.keepz->UserFocus();
      f.btAppliquer->UserClick();
    });
    RepositionObjects(session);
    EXPECT_EQ(Stored(L"reposition", L"rayrech"), c.saved) << testing::Narrow(c.stored);
  }
}

TEST_F(ReposTest, CancelEscapeAndCloseBoxSaveNothing) {
  const std::function<void(TfrmRepos&)> closes[] = {
      [](TfrmRepos& f) { f.btAnnule->UserClick(); },
      [](TfrmRepos& f) { f.bloc->UserKey(ui::Key::Escape); },
      [](TfrmRepos& f) { f.UserClose(); },
  };
  for (const auto& close : closes) {
    user.On(L"frmRepos", [&](ui::Form& form) {
      TfrmRepos& f = Repos(form);
      f.bloc->UserClick();
      f.c2d->UserClick();
      close(f);
    });
    RepositionObjects(session);
    EXPECT_EQ(exchange.resultat, 0);
    EXPECT_EQ(Stored(L"reposition", L"bloc"), L"0");
    EXPECT_EQ(Stored(L"reposition", L"c2d"), L"0");
  }
}

TEST_F(ReposTest, HelpOpensItsTopic) {
  user.On(L"frmRepos", [](ui::Form& form) {
    TfrmRepos& f = Repos(form);
    f.btAide->UserClick();
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);
    f.btAnnule->UserClick();
  });
  RepositionObjects(session);
  ASSERT_EQ(host.shell.launches.size(), 1u);
  EXPECT_EQ(host.shell.launches[0].parameters, L"C:\\Prog\\topaline3\\topaline3.chm::/tlrepos.htm");
}

}  // namespace
}  // namespace topaline
