#include "server/dialogs/points/filtre_points.h"

#include <gtest/gtest.h>

#include "server/dialogs/tests/groups_fixture.h"

namespace topaline {
namespace {

class FiltrePointsTest : public testing::GroupsTest {
protected:
  FiltrePointsTest() {
    // The host asks for every criterion.
    for (const wchar_t* name : {L"cn", L"cx", L"cy", L"cz", L"cdes"}) Store(L"filtrerpoints", name, L"0");
    for (const wchar_t* name : {L"nmin", L"nmax", L"xmin", L"xmax", L"ymin", L"ymax", L"zmin", L"zmax"})
      Store(L"filtrerpoints", name, L"0.000");
    Store(L"filtrerpoints", L"desc", L"desc");
  }
  int Show(std::function<void(TfrmFiltrePoints&)> script) {
    user.On(L"frmFiltrePoints", [script](ui::Form& f) { script(static_cast<TfrmFiltrePoints&>(f)); });
    TfrmFiltrePoints dialog(session);
    return dialog.Run();
  }
};

TEST_F(FiltrePointsTest, EachCheckBoxEnablesItsPanelOnShowingAndOnClick) {
  Store(L"filtrerpoints", L"cy", L"1");
  Show([](TfrmFiltrePoints& f) {
    EXPECT_TRUE(f.ymin->Enabled());
    EXPECT_TRUE(f.ymax->Enabled());
    EXPECT_TRUE(f.FindComponent(L"Label5")->Enabled());
    for (ui::Component* c : {static_cast<ui::Component*>(f.nmin), static_cast<ui::Component*>(f.xmax),
                             static_cast<ui::Component*>(f.zmin), static_cast<ui::Component*>(f.desc)})
      EXPECT_FALSE(c->Enabled()) << testing::Narrow(c->Name());
    EXPECT_TRUE(f.cn->Enabled());
    f.cdes->UserClick();
    EXPECT_TRUE(f.desc->Enabled());
    f.cy->UserClick();
    EXPECT_FALSE(f.ymin->Enabled());
    f.btAnnule->UserClick();
  });
}

TEST_F(FiltrePointsTest, MinAboveMaxOnACheckedCriterionIsRefusedAndFocusesItsMin) {
  Store(L"filtrerpoints", L"cn", L"1");
  Store(L"filtrerpoints", L"nmin", L"1");
  Store(L"filtrerpoints", L"nmax", L"20");
  Store(L"filtrerpoints", L"cx", L"1");
  Store(L"filtrerpoints", L"xmin", L"10.0000");
  Store(L"filtrerpoints", L"xmax", L"2.0000");
  std::wstring message;
  AnswerMessage(1, &message);
  const int result = Show([](TfrmFiltrePoints& f) {
    f.cdes->UserClick();
    f.btAppliquer->UserClick();
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);
    EXPECT_EQ(f.ActiveControl(), f.xmin);
    EXPECT_EQ(f.xmin->SelText(), L"10.0000");
    f.btAnnule->UserClick();
  });
  EXPECT_EQ(result, ui::mrCancel);
  EXPECT_EQ(message, L"Min above max");
  EXPECT_EQ(Stored(L"filtrerpoints", L"cdes"), L"0");
  EXPECT_EQ(exchange.resultat, 0);
}

TEST_F(FiltrePointsTest, AcceptedCriteriaAreStoredAsTheFieldsHoldThem) {
  struct Case {
    std::vector<std::pair<const wchar_t*, const wchar_t*>> section;
    std::vector<std::pair<const wchar_t*, const wchar_t*>> stored;
  };
  const Case cases[] = {
      // Equal bounds.
      {{{L"cn", L"1"}, {L"nmin", L"5"}, {L"nmax", L"5"}}, {{L"cn", L"1"}, {L"nmin", L"5"}, {L"nmax", L"5"}}},
      // The bounds of an unchecked criterion are not compared.
      {{{L"nmin", L"9"}, {L"nmax", L"1"}, {L"cdes", L"1"}}, {{L"cn", L"0"}, {L"nmin", L"9"}, {L"cdes", L"1"}}},
      // The description is never checked: empty is stored empty.
      {{{L"cdes", L"1"}, {L"desc", L""}}, {{L"cdes", L"1"}, {L"desc", L""}, {L"xmin", L"0.000"}}},
      {{{L"cz", L"1"}, {L"zmin", L"-3.5000"}, {L"zmax", L"1520.2500"}},
       {{L"cz", L"1"}, {L"zmin", L"-3.5000"}, {L"zmax", L"1520.2500"}}},
  };
  for (const Case& c : cases) {
    FiltrePointsTest::SetUp();
    for (auto [name, value] : c.section) Store(L"filtrerpoints", name, value);
    exchange.resultat = 0;
    EXPECT_EQ(Show([](TfrmFiltrePoints& f) { f.btAppliquer->UserClick(); }), ui::mrOk);
    EXPECT_EQ(exchange.resultat, 1);
    for (auto [name, value] : c.stored) EXPECT_EQ(Stored(L"filtrerpoints", name), value) << testing::Narrow(name);
    for (const wchar_t* name : {L"cn", L"cx", L"cy", L"cz", L"cdes"}) Store(L"filtrerpoints", name, L"0");
  }
}

TEST_F(FiltrePointsTest, TypedBoundsAreNormalisedByTheirFieldKind) {
  Show([](TfrmFiltrePoints& f) {
    f.cn->UserClick();
    f.nmin->UserFocus();
    f.nmin->UserSetText(L"");
    f.nmin->UserType(L"12");
    f.nmax->UserFocus();
    f.nmax->UserSetText(L"");
    f.nmax->UserType(L"40");
    f.cx->UserClick();
    f.xmax->UserFocus();
    f.xmax->UserSetText(L"");
    f.xmax->UserType(L"7,5");
    f.btAppliquer->UserClick();
  });
  EXPECT_EQ(Stored(L"filtrerpoints", L"nmin"), L"12");
  EXPECT_EQ(Stored(L"filtrerpoints", L"nmax"), L"40");
  EXPECT_EQ(Stored(L"filtrerpoints", L"xmax"), L"7.5000");
}

TEST_F(FiltrePointsTest, NoCriterionAndABoundThatIsNoNumberStoreNothing) {
  Store(L"filtrerpoints", L"nmin", L"9");
  std::wstring first, second;
  AnswerMessage(1, &first);
  AnswerMessage(1, &second);
  Show([](TfrmFiltrePoints& f) {
    f.btAppliquer->UserClick();  // nothing checked
    f.cx->SetChecked(true);
    f.xmin->SetText(L"-");  // as the section could hold it
    f.btAppliquer->UserClick();
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);
    EXPECT_EQ(f.ActiveControl(), f.xmin);
    f.UserKey(ui::Key::Escape);
  });
  EXPECT_EQ(first, L"No criterion");
  EXPECT_NE(second.find(L"not a number"), std::wstring::npos) << testing::Narrow(second);
  EXPECT_EQ(Stored(L"filtrerpoints", L"nmin"), L"9");
  EXPECT_EQ(Stored(L"filtrerpoints", L"cx"), L"0");
  EXPECT_EQ(exchange.resultat, 0);
}

TEST_F(FiltrePointsTest, EscapeDropsTheChangesAndTheNextShowingReloadsTheSection) {
  Store(L"filtrerpoints", L"xmin", L"3.0000");
  user.On(L"frmFiltrePoints", [](ui::Form& form) {
    auto& f = static_cast<TfrmFiltrePoints&>(form);
    f.cx->UserClick();
    f.xmin->UserSetText(L"8");
    f.UserKey(ui::Key::Escape);
  });
  user.On(L"frmFiltrePoints", [](ui::Form& form) {
    auto& f = static_cast<TfrmFiltrePoints&>(form);
    EXPECT_FALSE(f.cx->Checked());
    EXPECT_EQ(f.xmin->Text(), L"3.0000");
    EXPECT_FALSE(f.xmin->Enabled());
    f.btAnnule->UserClick();
  });
  TfrmFiltrePoints dialog(session);
  EXPECT_EQ(dialog.Run(), ui::mrCancel);
  EXPECT_EQ(dialog.Run(), ui::mrCancel);
  EXPECT_EQ(Stored(L"filtrerpoints", L"xmin"), L"3.0000");
}

TEST_F(FiltrePointsTest, HelpOpensTheFilterTopic) {
  Show([](TfrmFiltrePoints& f) {
    f.btAide->UserClick();
    f.btAnnule->UserClick();
  });
  ASSERT_EQ(host.shell.launches.size(), 1u);
  EXPECT_EQ(host.shell.launches[0].parameters, L"C:\\Prog\\topaline3\\topaline3.chm::/tlfiltrepoint.htm");
}

}  // namespace
}  // namespace topaline
