#include "server/dialogs/points/change_alt.h"

#include <gtest/gtest.h>

#include "server/dialogs/common/tests/forms_fixture.h"

namespace topaline {
namespace {

class ChangeAltTest : public testing::FormsTest {
protected:
  ChangeAltTest() {
    for (const wchar_t* name : {L"relatif", L"valadd", L"absolu", L"moveto", L"numdec", L"set2d", L"set3d"})
      Store(L"changealt", name, L"0");
  }
};

TEST_F(ChangeAltTest, EachPairShowsExactlyOneButtonOnWithTheEnablingRule) {
  struct Case { const wchar_t* relatif; const wchar_t* absolu; const wchar_t* set2d; const wchar_t* set3d;
                bool relative; bool twoD; };
  const Case cases[] = {
      {L"0", L"0", L"0", L"0", false, false},
      {L"1", L"0", L"1", L"0", true, true},
      {L"0", L"1", L"0", L"1", false, false},
      {L"1", L"1", L"1", L"1", false, false},  // the later value of each pair wins the load
  };
  for (const Case& c : cases) {
    Store(L"changealt", L"relatif", c.relatif);
    Store(L"changealt", L"absolu", c.absolu);
    Store(L"changealt", L"set2d", c.set2d);
    Store(L"changealt", L"set3d", c.set3d);
    user.On(L"frmChangeAlt", [&](ui::Form& form) {
      auto& f = static_cast<TfrmChangeAlt&>(form);
      EXPECT_EQ(f.relatif->Checked(), c.relative);
      EXPECT_EQ(f.absolu->Checked(), !c.relative);
      EXPECT_EQ(f.set2d->Checked(), c.twoD);
      EXPECT_EQ(f.set3d->Checked(), !c.twoD);
      EXPECT_EQ(f.valadd->Enabled(), c.relative);
      EXPECT_EQ(f.Label1->Enabled(), c.relative);
      EXPECT_EQ(f.moveto->Enabled(), !c.relative);
      EXPECT_EQ(f.Label3->Enabled(), !c.relative);
      f.btAnnule->UserClick();
    });
    ChangeAltitude(session);
  }
}

TEST_F(ChangeAltTest, ClickingThePairSwitchesTheFields) {
  user.On(L"frmChangeAlt", [](ui::Form& form) {
    auto& f = static_cast<TfrmChangeAlt&>(form);
    f.relatif->UserClick();
    EXPECT_TRUE(f.valadd->Enabled());
    EXPECT_FALSE(f.moveto->Enabled());
    f.absolu->UserClick();
    EXPECT_FALSE(f.relatif->Checked());
    EXPECT_FALSE(f.valadd->Enabled());
    EXPECT_TRUE(f.moveto->Enabled());
    f.UserKey(ui::Key::Escape);
  });
  ChangeAltitude(session);
}

TEST_F(ChangeAltTest, EscapeOrEnterInTheOpenDecimalsListClosesOnlyTheList) {
  for (int key : {ui::Key::Escape, ui::Key::Enter}) {
    user.On(L"frmChangeAlt", [key](ui::Form& form) {
      auto& f = static_cast<TfrmChangeAlt&>(form);
      f.numdec->UserFocus();
      f.numdec->UserDropDown(true);
      f.numdec->UserKey(ui::Key::Down);
      f.numdec->UserKey(key);
      EXPECT_FALSE(f.numdec->DroppedDown());
      EXPECT_EQ(f.GetModalResult(), ui::mrNone) << "the dialog stays open";
      EXPECT_EQ(f.numdec->Text(), L"1");
      f.numdec->UserKey(ui::Key::Escape);  // the list is closed: this one is the dialog's
      EXPECT_EQ(f.GetModalResult(), ui::mrCancel);
    });
    ChangeAltitude(session);
    EXPECT_EQ(exchange.resultat, 0);
  }
}

TEST_F(ChangeAltTest, ApplyStoresTheSectionAndSetsResultat) {
  Store(L"changealt", L"relatif", L"1");
  Store(L"changealt", L"valadd", L"-1.2500");
  Store(L"changealt", L"set2d", L"1");
  Store(L"changealt", L"numdec", L"3");
  user.On(L"frmChangeAlt", [](ui::Form& form) {
    auto& f = static_cast<TfrmChangeAlt&>(form);
    EXPECT_EQ(f.numdec->Text(), L"3");
    f.numdec->UserPick(5);
    f.btAppliquer->UserClick();
  });
  ChangeAltitude(session);
  EXPECT_EQ(exchange.resultat, 1);
  EXPECT_EQ(Stored(L"changealt", L"valadd"), L"-1.2500");
  EXPECT_EQ(Stored(L"changealt", L"relatif"), L"1");
  EXPECT_EQ(Stored(L"changealt", L"absolu"), L"0");
  EXPECT_EQ(Stored(L"changealt", L"set2d"), L"1");
  EXPECT_EQ(Stored(L"changealt", L"set3d"), L"0");
  EXPECT_EQ(Stored(L"changealt", L"numdec"), L"5");
}

TEST_F(ChangeAltTest, TypedValueIsNormalisedToFourDecimalsWithoutLimits) {
  user.On(L"frmChangeAlt", [](ui::Form& form) {
    auto& f = static_cast<TfrmChangeAlt&>(form);
    f.absolu->UserClick();
    f.moveto->UserFocus();
    f.moveto->UserSetText(L"");
    f.moveto->UserType(L"12345,6");
    f.btAppliquer->UserClick();  // leaving the field normalises it first
  });
  ChangeAltitude(session);
  EXPECT_EQ(Stored(L"changealt", L"moveto"), L"12345.6000");
  EXPECT_EQ(Stored(L"changealt", L"absolu"), L"1");
}

TEST_F(ChangeAltTest, OnlyExistingValuesAreWritten) {
  HeadlessRegistry fresh;
  host.registry = fresh;
  Store(L"changealt", L"set3d", L"0");
  user.On(L"frmChangeAlt", [](ui::Form& form) { static_cast<TfrmChangeAlt&>(form).btAppliquer->UserClick(); });
  ChangeAltitude(session);
  EXPECT_EQ(Stored(L"changealt", L"set3d"), L"1");
  EXPECT_EQ(Stored(L"changealt", L"relatif"), L"<missing>");
  EXPECT_EQ(Stored(L"changealt", L"valadd"), L"<missing>");
}

TEST_F(ChangeAltTest, CancelEscapeAndCloseBoxSaveNothing) {
  using Act = std::function<void(TfrmChangeAlt&)>;
  const Act closes[] = {
      [](TfrmChangeAlt& f) { f.btAnnule->UserClick(); },
      [](TfrmChangeAlt& f) { f.valadd->UserKey(ui::Key::Escape); },
      [](TfrmChangeAlt& f) { f.UserClose(); },
  };
  for (const Act& close : closes) {
    user.On(L"frmChangeAlt", [&](ui::Form& form) {
      auto& f = static_cast<TfrmChangeAlt&>(form);
      f.set2d->UserClick();
      f.relatif->UserClick();
      close(f);
    });
    ChangeAltitude(session);
    EXPECT_EQ(exchange.resultat, 0);
    EXPECT_EQ(Stored(L"changealt", L"set2d"), L"0");
    EXPECT_EQ(Stored(L"changealt", L"relatif"), L"0");
  }
}

TEST_F(ChangeAltTest, HelpOpensItsTopicAndTheDialogStays) {
  user.On(L"frmChangeAlt", [](ui::Form& form) {
    auto& f = static_cast<TfrmChangeAlt&>(form);
    f.btAide->UserClick();
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);
    f.btAnnule->UserClick();
  });
  ChangeAltitude(session);
  ASSERT_EQ(host.shell.launches.size(), 1u);
  EXPECT_EQ(host.shell.launches[0].program, L"C:\\windows\\hh.exe");
  EXPECT_EQ(host.shell.launches[0].parameters, L"C:\\Prog\\topaline3\\topaline3.chm::/tlchalt.htm");
}

}  // namespace
}  // namespace topaline
