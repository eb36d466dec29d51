#include "server/dialogs/points/filtre_ent.h"

#include <gtest/gtest.h>

#include "server/dialogs/common/tests/forms_fixture.h"

namespace topaline {
namespace {

class FiltreEntTest : public testing::FormsTest {
protected:
  FiltreEntTest() {
    for (const wchar_t* name : {L"point", L"num", L"alt", L"des"}) Store(L"filtre", name, L"1");
  }
};

TEST_F(FiltreEntTest, OnScreenOrderIsPointNumberAltitudeDescription) {
  TfrmFiltreEnt f(session);
  EXPECT_LT(f.point->Top(), f.num->Top());
  EXPECT_LT(f.num->Top(), f.alt->Top());
  EXPECT_LT(f.alt->Top(), f.des->Top());
  for (ui::CheckBox* c : {f.point, f.num, f.alt, f.des}) EXPECT_FALSE(c->Checked());
}

TEST_F(FiltreEntTest, OnlyDescriptionIsAccepted) {
  user.On(L"frmFiltreEnt", [](ui::Form& form) {
    auto& f = static_cast<TfrmFiltreEnt&>(form);
    for (ui::CheckBox* c : {f.point, f.num, f.alt}) c->UserClick();  // all loaded checked
    f.btAppliquer->UserClick();
  });
  FilterEntities(session);
  EXPECT_EQ(exchange.resultat, 1);
  EXPECT_EQ(Stored(L"filtre", L"point"), L"0");
  EXPECT_EQ(Stored(L"filtre", L"num"), L"0");
  EXPECT_EQ(Stored(L"filtre", L"alt"), L"0");
  EXPECT_EQ(Stored(L"filtre", L"des"), L"1");
}

TEST_F(FiltreEntTest, NothingCheckedShowsLabel708AndStaysOpen) {
  std::wstring message;
  user.On(L"frmFiltreEnt", [&](ui::Form& form) {
    auto& f = static_cast<TfrmFiltreEnt&>(form);
    for (ui::CheckBox* c : {f.point, f.num, f.alt, f.des}) c->UserClick();
    AnswerMessage(1, &message);
    f.btAppliquer->UserClick();
    EXPECT_EQ(f.GetModalResult(), ui::mrNone) << "the dialog stays open";
    f.btAnnule->UserClick();
  });
  FilterEntities(session);
  EXPECT_EQ(message, L"Nothing chosen");
  EXPECT_EQ(exchange.resultat, 0);
  EXPECT_EQ(Stored(L"filtre", L"des"), L"1") << "nothing stored";
}

TEST_F(FiltreEntTest, EscapeAndCancelSaveNothing) {
  for (bool escape : {true, false}) {
    user.On(L"frmFiltreEnt", [&](ui::Form& form) {
      auto& f = static_cast<TfrmFiltreEnt&>(form);
      f.num->UserClick();
      if (escape)
        f.num->UserKey(ui::Key::Escape);
      else
        f.btAnnule->UserClick();
    });
    FilterEntities(session);
    EXPECT_EQ(exchange.resultat, 0);
    EXPECT_EQ(Stored(L"filtre", L"num"), L"1");
  }
}

TEST_F(FiltreEntTest, HelpOpensItsTopic) {
  user.On(L"frmFiltreEnt", [](ui::Form& form) {
    auto& f = static_cast<TfrmFiltreEnt&>(form);
    f.btAide->UserClick();
    f.btAnnule->UserClick();
  });
  FilterEntities(session);
  ASSERT_EQ(host.shell.launches.size(), 1u);
  EXPECT_EQ(host.shell.launches[0].program, L"C:\\windows\\hh.exe");
  EXPECT_EQ(host.shell.launches[0].parameters, L"C:\\Prog\\topaline3\\topaline3.chm::/tlfil.htm");
}

}  // namespace
}  // namespace topaline
