#include "server/dialogs/points/grp_select.h"

#include <gtest/gtest.h>

#include "server/dialogs/tests/groups_fixture.h"

namespace topaline {
namespace {

using testing::G;
using Strings = std::vector<std::wstring>;

class GrpSelectTest : public testing::GroupsTest {
protected:
  void Run(std::function<void(TfrmGrpSelect&)> script) {
    user.On(L"frmGrpSelect", [script](ui::Form& f) { script(static_cast<TfrmGrpSelect&>(f)); });
    SelectGroups(session);
  }
};

TEST_F(GrpSelectTest, StatusLineInEachLanguage) {
  struct Case {
    const wchar_t* langue;
    std::size_t rows, checked;
    const wchar_t* text;
  };
  const Case cases[] = {
      {L"fr", 5, 2, L" 5 groupes | 2 sélectionnés."}, {L"fr", 1, 1, L" 1 groupe | 1 sélectionné."},
      {L"fr", 0, 0, L" 0 groupe | 0 sélectionné."},   {L"en", 1, 0, L" 1 group | 0 selected."},
      {L"en", 2, 2, L" 2 groups | 2 selected."},      {L"es", 3, 2, L" 3 groupos | 2 selected."},
      {L"de", 3, 2, L" 3  | 2 ."},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GrpSelectStatus(c.langue, c.rows, c.checked), c.text) << testing::Narrow(c.langue);
}

TEST_F(GrpSelectTest, ASingleGroupArrivesCheckedAndCanBeSelectedAtOnce) {
  PutGroups(3, {{3, L"Seul"}});
  Run([](TfrmGrpSelect& f) {
    EXPECT_TRUE(f.TVGroupes->Checked(0));
    EXPECT_TRUE(f.btAppliquer->Enabled());
    EXPECT_EQ(f.StatusBar1->StatusText(), L" 1 groupe | 1 sélectionné.");
    EXPECT_EQ(f.Label2->Caption(), L"Seul");
    EXPECT_EQ(f.TVGroupes->FocusedRow(), 0);
    f.btAppliquer->UserClick();
  });
  EXPECT_EQ(exchange.resultat, 1);
  EXPECT_EQ(Elements(Slot::AXGroupes), Strings{L"I4:3"});
}

TEST_F(GrpSelectTest, NoGroupGivesAnEmptyListAndNoSelect) {
  exchange.value(Slot::AXGroupes) = Variant::array({Variant::string(L"0")});
  Run([](TfrmGrpSelect& f) {
    EXPECT_EQ(f.TVGroupes->RowCount(), 0);
    EXPECT_FALSE(f.btAppliquer->Enabled());
    EXPECT_EQ(f.StatusBar1->StatusText(), L" 0 groupe | 0 sélectionné.");
    EXPECT_EQ(f.Label2->Caption(), L"");
    f.btAppliquer->UserClick();  // disabled: nothing happens
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);
    f.btAnnule->UserClick();
  });
  EXPECT_EQ(exchange.resultat, 0);
}

TEST_F(GrpSelectTest, SelectWritesTheCheckedIdsInDisplayOrder) {
  PutGroups(2, {{4, L"C"}, {9, L"A"}, {2, L"B"}});
  Run([](TfrmGrpSelect& f) {
    EXPECT_EQ(f.TVGroupes->RowIds(), (std::vector<std::int32_t>{4, 9, 2}));  // model order until a click
    EXPECT_FALSE(f.btAppliquer->Enabled());
    EXPECT_TRUE(f.TVGroupes->CellPaint(2, 0).bold);  // the current group
    EXPECT_FALSE(f.TVGroupes->CellPaint(0, 0).bold);
    EXPECT_EQ(f.Label2->Caption(), L"B");
    f.PopupMenu1->UserPopup();
    f.outcocher1->UserClick();
    EXPECT_TRUE(f.btAppliquer->Enabled());
    EXPECT_EQ(f.StatusBar1->StatusText(), L" 3 groupes | 3 sélectionnés.");
    f.TVGroupes->UserClickHeader(0);  // descending
    f.TVGroupes->UserClickHeader(0);  // ascending
    f.btAppliquer->UserClick();
  });
  EXPECT_EQ(Elements(Slot::AXGroupes), (Strings{L"I4:9", L"I4:2", L"I4:4"}));
}

TEST_F(GrpSelectTest, CheckingByRowAndByMenuDrivesSelectAndTheStatusLine) {
  session.config.langue = L"es";
  PutGroups(1, {{1, L"a", L"", 3}, {2, L"b", L"", 20}, {3, L"c", L"", 100}});
  Run([](TfrmGrpSelect& f) {
    EXPECT_EQ(f.outcocher1->Caption(), L"L-Check all");  // always from the labels
    EXPECT_EQ(f.outdecocher1->Caption(), L"L-Uncheck all");
    EXPECT_EQ(f.TVGroupes->Column(2).caption, L"L-Count");
    EXPECT_EQ(f.TVGroupes->Column(2).alignment, ui::Alignment::Right);
    f.TVGroupes->UserToggleCheck(2);
    f.TVGroupes->UserToggleCheck(0);
    EXPECT_EQ(f.StatusBar1->StatusText(), L" 3 groupos | 2 selected.");
    f.outdecocher1->UserClick();
    EXPECT_FALSE(f.btAppliquer->Enabled());
    f.TVGroupes->UserToggleCheck(0);
    f.TVGroupes->UserToggleCheck(2);
    f.TVGroupes->UserClickHeader(2);  // descending by count, numerically
    f.btAppliquer->UserClick();
  });
  EXPECT_EQ(Elements(Slot::AXGroupes), (Strings{L"I4:3", L"I4:1"}));
}

TEST_F(GrpSelectTest, CancelEscapeAndTheCloseBoxWriteNothing) {
  using Act = std::function<void(TfrmGrpSelect&)>;
  const Act closes[] = {
      [](TfrmGrpSelect& f) { f.btAnnule->UserClick(); },
      [](TfrmGrpSelect& f) { f.TVGroupes->UserKey(ui::Key::Escape); },
      [](TfrmGrpSelect& f) { f.UserClose(); },
  };
  for (const Act& close : closes) {
    PutGroups(1, {{1, L"a"}, {2, L"b"}});
    const Strings before = Elements(Slot::AXGroupes);
    Run([&](TfrmGrpSelect& f) {
      f.outcocher1->UserClick();
      close(f);
    });
    EXPECT_EQ(exchange.resultat, 0);
    EXPECT_EQ(Elements(Slot::AXGroupes), before);
  }
}

TEST_F(GrpSelectTest, ACurrentIdThatNamesNoGroupShowsNoName) {
  PutGroups(50, {{1, L"a"}, {2, L"b"}});
  Run([](TfrmGrpSelect& f) {
    EXPECT_EQ(f.Label2->Caption(), L"");
    EXPECT_FALSE(f.TVGroupes->CellPaint(0, 0).bold);
    EXPECT_FALSE(f.TVGroupes->CellPaint(1, 0).bold);
    f.btAnnule->UserClick();
  });
}

TEST_F(GrpSelectTest, GeometryAndHeaderAreKeptAndHelpOpensItsTopic) {
  PutGroups(1, {{1, L"b"}, {2, L"a"}});
  Run([](TfrmGrpSelect& f) {
    f.UserMoved({10, 20, 600, 420});
    f.TVGroupes->UserClickHeader(1);
    f.btAide->UserClick();
    f.UserClose();
  });
  Run([](TfrmGrpSelect& f) {
    EXPECT_EQ(f.Width(), 600);
    EXPECT_EQ(f.TVGroupes->SortColumn(), 1);
    EXPECT_EQ(f.TVGroupes->RowIds(), (std::vector<std::int32_t>{1, 2}));  // not sorted until a click
    f.UserClose();
  });
  ASSERT_EQ(host.shell.launches.size(), 1u);
  EXPECT_EQ(host.shell.launches[0].parameters, L"C:\\Prog\\topaline3\\topaline3.chm::/tlselgroup.htm");
}

}  // namespace
}  // namespace topaline
