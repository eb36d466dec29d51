#include "server/dialogs/points/gerer.h"

#include <gtest/gtest.h>

#include "server/dialogs/points/filtre_points.h"
#include "server/dialogs/tests/groups_fixture.h"

namespace topaline {
namespace {

using testing::G;
using Strings = std::vector<std::wstring>;

class GererTest : public testing::GroupsTest {
protected:
  using Script = std::function<void(TfrmGerer&)>;
  void Run(Script script) {
    user.On(L"frmGerer", [script](ui::Form& f) { script(static_cast<TfrmGerer&>(f)); });
    ManageGroups(session);
  }
  static Strings Names(TfrmGerer& f) {
    Strings out;
    for (int r = 0; r < f.TVGroupes->RowCount(); ++r) out.push_back(f.TVGroupes->CellText(r, 0));
    return out;
  }
  static std::wstring FocusedName(TfrmGerer& f) {
    const int row = f.TVGroupes->FocusedRow();
    return row < 0 ? L"<none>" : f.TVGroupes->CellText(row, 0);
  }
  static int RowOf(TfrmGerer& f, const std::wstring& name) {
    for (int r = 0; r < f.TVGroupes->RowCount(); ++r)
      if (f.TVGroupes->CellText(r, 0) == name) return r;
    ADD_FAILURE() << "no row " << testing::Narrow(name);
    return -1;
  }
  static Strings Enabled(TfrmGerer& f) {
    Strings out;
    for (ui::ToolButton* b : {f.btNew, f.btDel, f.btCourant, f.btListe, f.btDelElts, f.btAddSel, f.btRemoveSel,
                              f.btAddCrit, f.btRemoveCrit})
      if (b->Enabled()) out.push_back(b->Name());
    return out;
  }
  std::vector<G> three_ = {{12, L"Zeta", L"z", 3, 100, 102}, {4, L"alpha", L"a", 0}, {7, L"Mid", L"m", 10, 1, 10}};
};

TEST_F(GererTest, FewerThanSevenElementsGiveAnEmptyManagerThatWritesBackOnlyTheCurrentId) {
  exchange.value(Slot::AXGroupes) = Variant::array({Variant::string(L"5"), Variant::string(L"x")});
  Run([](TfrmGerer& f) {
    EXPECT_EQ(f.TVGroupes->RowCount(), 0);
    EXPECT_EQ(f.TVGroupes->FocusedRow(), -1);
    EXPECT_EQ(Enabled(f), Strings{L"btNew"});
    EXPECT_EQ(f.StatusBar1->StatusText(), L"");
    f.btClose->UserClick();
  });
  EXPECT_EQ(exchange.resultat, 1);
  EXPECT_EQ(Elements(Slot::AXGroupes), Strings{L"S:0"});
  EXPECT_EQ(Elements(Slot::alldata), Strings{});  // Apply leaves alldata alone
}

TEST_F(GererTest, FirstNewGroupOfAnEmptyModelGetsIdZeroAndBecomesCurrent) {
  exchange.value(Slot::AXGroupes) = Variant::array({Variant::string(L"0")});
  Run([](TfrmGerer& f) {
    f.btNew->UserClick();
    ASSERT_EQ(f.TVGroupes->RowCount(), 1);
    EXPECT_TRUE(f.TVGroupes->IsEditing());  // the name is edited at once
    EXPECT_EQ(f.TVGroupes->EditColumn(), 0);
    EXPECT_TRUE(f.TVGroupes->CellPaint(0, 0).bold);
    EXPECT_EQ(f.TVGroupes->CellPaint(0, 0).imageIndex, 2);
    EXPECT_EQ(f.StatusBar1->StatusText(), L" 1 group: Nouveau groupe (1)");
    f.btClose->UserClick();
  });
  EXPECT_EQ(Elements(Slot::AXGroupes),
            (Strings{L"S:0", L"S:0", L"S:Nouveau groupe (1)", L"S:Description", L"I4:0", L"I4:0", L"I4:0"}));
}

TEST_F(GererTest, NewGroupTakesTheNextIdAndTheFirstFreeNameAndIsRenamedByTyping) {
  PutGroups(3, {{3, L"Nouveau groupe (1)"}, {7, L"NOUVEAU GROUPE (2)"}});
  Run([](TfrmGerer& f) {
    f.btNew->UserClick();
    const int row = f.TVGroupes->FocusedRow();
    EXPECT_EQ(row, 2);  // added at the end of the tree, sorted or not
    EXPECT_EQ(f.TVGroupes->RowId(row), 8);
    EXPECT_EQ(f.TVGroupes->CellText(row, 0), L"Nouveau groupe (3)");
    EXPECT_FALSE(f.TVGroupes->CellPaint(row, 0).bold);  // a non-empty model keeps its current group
    f.TVGroupes->Editor()->UserType(L"Talus");
    f.TVGroupes->UserCommitEdit();
    EXPECT_EQ(f.TVGroupes->CellText(row, 0), L"Talus");
    // A deleted Id is never reused within the dialog.
    f.btDel->UserClick();
    f.btNew->UserClick();
    EXPECT_EQ(f.TVGroupes->RowId(f.TVGroupes->FocusedRow()), 9);
    f.TVGroupes->UserCancelEdit();
    f.btClose->UserClick();
  });
  EXPECT_EQ(Elements(Slot::AXGroupes),
            (Strings{L"S:3", L"S:3", L"S:Nouveau groupe (1)", L"S:d", L"I4:0", L"I4:0", L"I4:0", L"S:7",
                     L"S:NOUVEAU GROUPE (2)", L"S:d", L"I4:0", L"I4:0", L"I4:0", L"S:9", L"S:Nouveau groupe (3)",
                     L"S:Description", L"I4:0", L"I4:0", L"I4:0"}));
}

TEST_F(GererTest, ColumnsCurrentRowAndStatusLine) {
  PutGroups(7, three_);
  Run([](TfrmGerer& f) {
    const wchar_t* captions[] = {L"L-Name", L"L-Desc", L"L-Count", L"L-First", L"L-Last"};
    for (int c = 0; c < 5; ++c) {
      EXPECT_EQ(f.TVGroupes->Column(c).caption, captions[c]);  // from the labels, even in French
      EXPECT_EQ(f.TVGroupes->Column(c).alignment, c < 2 ? ui::Alignment::Left : ui::Alignment::Right);
    }
    EXPECT_EQ(Names(f), (Strings{L"alpha", L"Mid", L"Zeta"}));  // column 0 ascending by default
    const int mid = RowOf(f, L"Mid");
    EXPECT_EQ(f.TVGroupes->CellText(mid, 2), L"10");
    EXPECT_EQ(f.TVGroupes->CellText(mid, 4), L"10");
    for (int r = 0; r < 3; ++r) {
      EXPECT_EQ(f.TVGroupes->CellPaint(r, 1).bold, r == mid);
      EXPECT_EQ(f.TVGroupes->CellPaint(r, 0).imageIndex, r == mid ? 2 : -1);
    }
    EXPECT_EQ(f.StatusBar1->StatusText(), L" 3 groups: Mid");
    f.ToolButton3->UserClick();
  });
}

// An alldata that is not an array names no group: the error is shown and
// no group is pre-selected, so no action is offered for a group the host
// did not name.
TEST_F(GererTest, OpeningFocusesTheGroupNamedInAlldataElseTheFirstRow) {
  struct Case {
    Variant alldata;
    std::wstring focused;
    bool errorBox;
  };
  const Case cases[] = {
      {Variant::array({Variant::string(L"12")}), L"Zeta", false},  // last in the sorted order
      {Variant::array({Variant::i4(7), Variant::string(L"x")}), L"Mid", false},
      {Variant::array({Variant::string(L"99")}), L"alpha", false},  // no such group
      {Variant::array({Variant::string(L"douze")}), L"alpha", false},
      {Variant::array({}), L"alpha", false},
      {Variant::string(L"12"), L"<none>", true},  // not an array: reported, the dialog goes on
  };
  for (const Case& c : cases) {
    PutGroups(4, three_);
    exchange.value(Slot::alldata) = c.alldata;
    std::wstring message;
    if (c.errorBox) AnswerMessage(1, &message);
    Run([&](TfrmGerer& f) {
      EXPECT_EQ(FocusedName(f), c.focused);
      EXPECT_EQ(f.TVGroupes->SelectedRow(), f.TVGroupes->FocusedRow());
      if (c.focused == L"<none>") {
        EXPECT_EQ(Enabled(f), Strings{L"btNew"});
      }
      f.UserClose();
    });
    EXPECT_EQ(c.errorBox, !message.empty());
    EXPECT_EQ(exchange.resultat, 0);
  }
}

TEST_F(GererTest, ButtonsFollowTheFocusedGroupsPointCount) {
  PutGroups(4, three_);
  Run([](TfrmGerer& f) {
    f.TVGroupes->UserClickRow(RowOf(f, L"alpha"), 2);  // no points
    EXPECT_EQ(Enabled(f), (Strings{L"btNew", L"btDel", L"btCourant", L"btAddSel", L"btAddCrit"}));
    f.TVGroupes->UserClickRow(RowOf(f, L"Zeta"), 2);
    EXPECT_EQ(Enabled(f), (Strings{L"btNew", L"btDel", L"btCourant", L"btListe", L"btDelElts", L"btAddSel",
                                   L"btRemoveSel", L"btAddCrit", L"btRemoveCrit"}));
    f.ToolButton3->UserClick();
  });
}

TEST_F(GererTest, RenamingRefusesAnyNameAlreadyTakenWithoutRegardToCase) {
  PutGroups(4, {{4, L"Abc"}, {5, L"Other"}});
  std::wstring message;
  AnswerMessage(1, &message);
  AnswerMessage(1);
  Run([](TfrmGerer& f) {
    const int abc = RowOf(f, L"Abc");
    ASSERT_TRUE(f.TVGroupes->UserEditCell(abc, 0, L"ABC"));  // the group itself counts
    f.TVGroupes->UserCommitEdit();
    EXPECT_EQ(f.TVGroupes->CellText(abc, 0), L"Abc");
    ASSERT_TRUE(f.TVGroupes->UserEditCell(abc, 0, L"other"));
    f.TVGroupes->UserCommitEdit();
    EXPECT_EQ(f.TVGroupes->CellText(abc, 0), L"Abc");
    // Leaving a name as it was is no rename: no message.
    ASSERT_TRUE(f.TVGroupes->UserEditCell(abc, 0, L"Abc"));
    f.TVGroupes->UserCommitEdit();
    // An empty name is accepted; descriptions are taken as typed.
    ASSERT_TRUE(f.TVGroupes->UserEditCell(abc, 0, L"x"));
    f.TVGroupes->Editor()->UserKey(ui::Key::Back);
    f.TVGroupes->UserCommitEdit();
    ASSERT_TRUE(f.TVGroupes->UserEditCell(abc, 1, L"Talus nord"));
    f.TVGroupes->UserCommitEdit();
    EXPECT_EQ(f.StatusBar1->StatusText(), L" 2 groups: ");
    // Counts cannot be edited; a click on a name waits for the delay.
    EXPECT_FALSE(f.TVGroupes->UserEditCell(abc, 2, L"5"));
    f.TVGroupes->UserClickRow(abc, 0);
    EXPECT_TRUE(f.TVGroupes->EditPending());
    f.TVGroupes->UserEditDelayElapsed();
    EXPECT_TRUE(f.TVGroupes->IsEditing());
    f.TVGroupes->UserCancelEdit();
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);  // Escape in the editor does not close
    f.btClose->UserClick();
  });
  EXPECT_EQ(message, L"Duplicate name");
  EXPECT_EQ(Elements(Slot::AXGroupes), (Strings{L"S:4", L"S:4", L"S:", L"S:Talus nord", L"I4:0", L"I4:0", L"I4:0",
                                                 L"S:5", L"S:Other", L"S:d", L"I4:0", L"I4:0", L"I4:0"}));
  EXPECT_EQ(user.ShownCount(L"frmErrMsg"), 2);
}

TEST_F(GererTest, AnEditStillOpenIsCommittedByApplyAndDroppedByCancel) {
  for (bool apply : {true, false}) {
    PutGroups(4, {{4, L"Abc"}});
    Run([&](TfrmGerer& f) {
      ASSERT_TRUE(f.TVGroupes->UserEditCell(0, 1, L"typed, not confirmed"));
      if (apply) f.btClose->UserClick();
      else f.UserClose();
    });
    EXPECT_EQ(Elements(Slot::AXGroupes)[3], apply ? L"S:typed, not confirmed" : L"S:d");
  }
}

TEST_F(GererTest, DeletingRefusesTheCurrentGroupAndFocusesTheNextElseThePreviousRow) {
  PutGroups(7, three_);
  std::wstring message;
  AnswerMessage(1, &message);
  Run([](TfrmGerer& f) {
    f.TVGroupes->UserClickRow(RowOf(f, L"Mid"), 2);
    f.btDel->UserClick();
    EXPECT_EQ(Names(f), (Strings{L"alpha", L"Mid", L"Zeta"}));
    f.TVGroupes->UserClickRow(RowOf(f, L"alpha"), 2);
    f.btDel->UserClick();
    EXPECT_EQ(FocusedName(f), L"Mid");  // the next row
    f.TVGroupes->UserClickRow(RowOf(f, L"Zeta"), 2);
    f.btDel->UserClick();
    EXPECT_EQ(FocusedName(f), L"Mid");  // the last row: the previous one
    EXPECT_EQ(f.StatusBar1->StatusText(), L" 1 group: Mid");
    f.btClose->UserClick();
  });
  EXPECT_EQ(message, L"Current cannot go");
  EXPECT_EQ(Elements(Slot::AXGroupes), (Strings{L"S:7", L"S:7", L"S:Mid", L"S:m", L"I4:10", L"I4:1", L"I4:10"}));
}

TEST_F(GererTest, MakeCurrentMovesTheMarksAndEndsAnEditInProgress) {
  PutGroups(7, three_);
  Run([](TfrmGerer& f) {
    const int zeta = RowOf(f, L"Zeta");
    ASSERT_TRUE(f.TVGroupes->UserEditCell(zeta, 0, L"Zed"));
    f.btCourant->UserClick();
    EXPECT_FALSE(f.TVGroupes->IsEditing());
    EXPECT_TRUE(f.TVGroupes->CellPaint(zeta, 0).bold);
    EXPECT_EQ(f.TVGroupes->CellPaint(zeta, 0).imageIndex, 2);
    EXPECT_FALSE(f.TVGroupes->CellPaint(RowOf(f, L"Mid"), 0).bold);
    EXPECT_EQ(f.StatusBar1->StatusText(), L" 3 groups: Zed");
    f.btClose->UserClick();
  });
  EXPECT_EQ(Elements(Slot::AXGroupes)[0], L"S:12");
  EXPECT_EQ(Elements(Slot::AXGroupes)[2], L"S:Zed");
}

TEST_F(GererTest, HeaderClicksSortAndApplyKeepsTheModelOrder) {
  PutGroups(4, {{4, L"b", L"x", 9}, {5, L"A", L"y", 10}, {6, L"c", L"X", 100}});
  Run([](TfrmGerer& f) {
    auto& grid = *f.TVGroupes;
    EXPECT_EQ(grid.Column(0).color, grid.SortColumnColor());
    grid.UserClickHeader(0);
    EXPECT_EQ(Names(f), (Strings{L"c", L"b", L"A"}));  // descending, case folded
    grid.UserClickHeader(0);
    EXPECT_EQ(Names(f), (Strings{L"A", L"b", L"c"}));
    grid.UserClickHeader(2);  // after an ascending sort, a new column sorts descending
    EXPECT_EQ(Names(f), (Strings{L"c", L"A", L"b"}));  // 100, 10, 9: numbers, not texts
    EXPECT_EQ(grid.Column(0).color, ui::clSysWindow);
    EXPECT_EQ(grid.Column(2).color, grid.SortColumnColor());
    grid.UserClickHeader(1, ui::MouseButton::Right);  // ignored
    grid.UserClickHeader(-1);                         // beside the columns: ignored
    EXPECT_EQ(grid.SortColumn(), 2);
    grid.UserClickHeader(1);
    EXPECT_EQ(Names(f), (Strings{L"c", L"b", L"A"}));  // "X" = "x" keep their order, then "y"
    f.btClose->UserClick();
  });
  const Strings written = Elements(Slot::AXGroupes);
  EXPECT_EQ(written[2], L"S:b");
  EXPECT_EQ(written[8], L"S:A");
  EXPECT_EQ(written[14], L"S:c");
}

TEST_F(GererTest, GeometryAndHeaderStateSurviveToTheNextOpening) {
  PutGroups(4, {{4, L"b", L"x", 9}, {5, L"A", L"y", 10}});
  Run([](TfrmGerer& f) {
    f.UserMoved({40, 50, 640, 480});
    f.TVGroupes->UserClickHeader(2);
    f.TVGroupes->UserClickHeader(2);  // ascending by count
    f.UserClose();
  });
  EXPECT_EQ(host.registry.value(SectionPath(L"frmGerer"), L"w")->dword, 640u);
  Run([](TfrmGerer& f) {
    EXPECT_EQ(f.Width(), 640);
    EXPECT_EQ(f.Left(), 40);
    EXPECT_EQ(f.TVGroupes->SortColumn(), 2);
    EXPECT_EQ(f.TVGroupes->Column(2).color, f.TVGroupes->SortColumnColor());
    EXPECT_EQ(Names(f), (Strings{L"b", L"A"}));  // sorted on opening
    // Captions come from the labels, not from the stored header.
    EXPECT_EQ(f.TVGroupes->Column(2).caption, L"L-Count");
    f.UserClose();
  });
}

TEST_F(GererTest, ActionsWriteTheFocusedGroupTheGroupsAndTheirCode) {
  struct Case {
    std::function<ui::ToolButton*(TfrmGerer&)> button;
    std::int32_t code;
  };
  const Case cases[] = {
      {[](TfrmGerer& f) { return f.btListe; }, 2},
      {[](TfrmGerer& f) { return f.btAddSel; }, 4},
      {[](TfrmGerer& f) { return f.btRemoveSel; }, 5},
  };
  for (const Case& c : cases) {
    PutGroups(4, three_);
    PutAlldata({});
    exchange.resultat = 0;
    Run([&](TfrmGerer& f) {
      f.TVGroupes->UserClickRow(RowOf(f, L"Zeta"), 2);
      c.button(f)->UserClick();
    });
    EXPECT_EQ(exchange.resultat, c.code);
    EXPECT_EQ(Elements(Slot::alldata), Strings{L"S:12"});
    const Strings groups = Elements(Slot::AXGroupes);
    ASSERT_EQ(groups.size(), 19u);
    EXPECT_EQ(groups[0], L"S:4");
    EXPECT_EQ(groups[1], L"S:12");
    EXPECT_EQ(groups[4], L"I4:3");
  }
}

TEST_F(GererTest, ErasingTheObjectsAsksFirstAndOnlyYesProceeds) {
  PutGroups(12, three_);
  PutAlldata({Variant::string(L"12")});
  std::wstring question;
  user.On(L"frmErrMsg", [&](ui::Form& f) {
    question = f.Get<ui::Label>(L"LabMsg").Caption();
    EXPECT_EQ(f.Get<ui::Button>(L"Button1").Caption(), L"Yes");
    EXPECT_EQ(f.Get<ui::Button>(L"Button2").Caption(), L"No");
    f.Get<ui::Button>(L"Button2").UserClick();
  });
  user.On(L"frmErrMsg", [](ui::Form& f) { f.UserKey(ui::Key::Escape); });
  AnswerMessage(1);
  Run([](TfrmGerer& f) {
    f.btDelElts->UserClick();
    f.btDelElts->UserClick();
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);
    f.btDelElts->UserClick();
  });
  EXPECT_EQ(question, L"Erase the objects?");
  EXPECT_EQ(exchange.resultat, 3);
  EXPECT_EQ(Elements(Slot::alldata), Strings{L"S:12"});
}

TEST_F(GererTest, ActionsByCriteriaGoThroughThePointFilter) {
  for (const wchar_t* name : {L"cn", L"nmin", L"nmax", L"cdes", L"desc"}) Store(L"filtrerpoints", name, L"0");
  Store(L"filtrerpoints", L"desc", L"borne");
  PutGroups(12, three_);
  PutAlldata({Variant::string(L"7")});
  user.On(L"frmFiltrePoints", [](ui::Form& f) { f.UserKey(ui::Key::Escape); });
  user.On(L"frmFiltrePoints", [](ui::Form& form) {
    auto& filter = static_cast<TfrmFiltrePoints&>(form);
    EXPECT_EQ(filter.desc->Text(), L"borne");
    filter.cdes->UserClick();
    filter.btAppliquer->UserClick();
  });
  Run([](TfrmGerer& f) {
    f.btRemoveCrit->UserClick();
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);  // the filter was cancelled
    f.btRemoveCrit->UserClick();
  });
  EXPECT_EQ(exchange.resultat, 7);
  EXPECT_EQ(Stored(L"filtrerpoints", L"cdes"), L"1");
  EXPECT_EQ(Elements(Slot::alldata), Strings{L"S:7"});
}

TEST_F(GererTest, CancelAndTheCloseBoxDropEveryChange) {
  for (bool closeBox : {false, true}) {
    PutGroups(4, three_);
    const Strings before = Elements(Slot::AXGroupes);
    Run([&](TfrmGerer& f) {
      f.btNew->UserClick();
      f.TVGroupes->UserCommitEdit();
      f.TVGroupes->UserClickRow(RowOf(f, L"Zeta"), 2);
      f.btCourant->UserClick();
      f.UserKey(ui::Key::Escape);  // the manager itself has no Escape
      EXPECT_EQ(f.GetModalResult(), ui::mrNone);
      if (closeBox) f.UserClose();
      else f.ToolButton3->UserClick();
    });
    EXPECT_EQ(exchange.resultat, 0);
    EXPECT_EQ(Elements(Slot::AXGroupes), before);
    EXPECT_EQ(Elements(Slot::alldata), Strings{});
  }
}

TEST_F(GererTest, TheHostLoopReopensOnTheSameGroup) {
  std::vector<G> groups;
  for (int i = 0; i < 30; ++i) groups.push_back({i, L"G" + std::to_wstring(100 + i), L"", i % 3});
  PutGroups(0, groups);
  Run([](TfrmGerer& f) {
    f.TVGroupes->UserClickHeader(0);  // descending: G129 first
    f.TVGroupes->UserClickRow(RowOf(f, L"G112"), 2);
    f.btAddSel->UserClick();
  });
  ASSERT_EQ(exchange.resultat, 4);
  // The host adds the points and sends the groups back as it rebuilt them.
  exchange.resultat = 0;
  groups[12].nb = 5;
  PutGroups(0, groups);
  Run([](TfrmGerer& f) {
    EXPECT_EQ(FocusedName(f), L"G112");
    EXPECT_NE(f.TVGroupes->FocusedRow(), 0);
    EXPECT_TRUE(f.btListe->Enabled());
    f.UserClose();
  });
}

TEST_F(GererTest, ACurrentIdThatNamesNoGroupMarksNothing) {
  PutGroups(99, three_);
  Run([](TfrmGerer& f) {
    for (int r = 0; r < 3; ++r) EXPECT_FALSE(f.TVGroupes->CellPaint(r, 0).bold);
    EXPECT_EQ(f.StatusBar1->StatusText(), L" 3 groups: ");
    f.TVGroupes->UserClickRow(RowOf(f, L"Zeta"), 2);
    f.btDel->UserClick();  // no current group to protect
    EXPECT_EQ(f.TVGroupes->RowCount(), 2);
    f.btClose->UserClick();
  });
  EXPECT_EQ(Elements(Slot::AXGroupes)[0], L"S:99");
}

TEST_F(GererTest, HelpOpensTheGroupsTopic) {
  PutGroups(4, three_);
  Run([](TfrmGerer& f) {
    f.ToolButton1->UserClick();
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);
    f.ToolButton3->UserClick();
  });
  ASSERT_EQ(host.shell.launches.size(), 1u);
  EXPECT_EQ(host.shell.launches[0].parameters, L"C:\\Prog\\topaline3\\topaline3.chm::/tlgroups.htm");
}

TEST_F(GererTest, AGroupesValueThatIsNoArrayFailsTheCommand) {
  exchange.value(Slot::AXGroupes) = Variant::string(L"0");
  EXPECT_THROW(ManageGroups(session), Error);
}

}  // namespace
}  // namespace topaline

// ---- The installed language files with the group dialogs.

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "server/commands.h"
#include "server/core/lance.h"
#include "server/dialogs/points/grp_select.h"

namespace topaline {
namespace {

class GroupsLanguageTest : public testing::GroupsTest {
protected:
  void Install(const char* language) {
    const std::filesystem::path file = std::filesystem::path(TOPALINE_SOURCE_DIR) / "lang" / language / "language.lng";
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    host.files.addFile(L"C:\\Prog\\topaline3\\language.lng", bytes.str());
    session.Labels.Init(L"C:\\Prog\\topaline3\\language.lng", host.platform);
  }
};

TEST_F(GroupsLanguageTest, EveryLabelOfTheGroupDialogsIsInEachLanguage) {
  PutGroups(1, {{1, L"a"}});
  std::set<int> used = {611, 612, 613, 614, 615, 617, 618, 622, 623, 706, 707, 713, 736, 738, 994, 995};
  for (const char* language : {"fr", "en", "es"}) {
    Install(language);
    TfrmFiltrePoints filter(session);
    TfrmGerer manager(session, filter);
    TfrmGrpSelect select(session);
    for (ui::Form* form : std::initializer_list<ui::Form*>{&filter, &manager, &select}) {
      used.insert(form->HelpContext());
      for (const auto& c : form->Components())
        if (c->HelpContext() > 0) used.insert(c->HelpContext());
    }
    for (int n : used) {
      const TUnLabel* label = session.Labels.Find(n);
      EXPECT_TRUE(label && !label->Texte.empty()) << language << ": label " << n;
    }
  }
}

TEST_F(GroupsLanguageTest, InEnglishTheManagerAndTheSelectionSpeakEnglish) {
  host.registry.setString(kProductKey, L"installpath", L"C:\\Prog\\topaline3");
  host.registry.setString(kProductKey, L"appname", L"topaline3");
  host.registry.setString(kProductKey, L"langue", L"en");
  Install("en");
  PutGroups(2, {{1, L"Talus"}, {2, L"Bornes", L"", 3}});
  user.On(L"frmGerer", [](ui::Form& form) {
    auto& f = static_cast<TfrmGerer&>(form);
    EXPECT_EQ(f.Caption(), L" Topaline - Point group manager");
    EXPECT_EQ(f.btNew->Caption(), L" New group ");
    EXPECT_EQ(f.btListe->Hint(), L"Show the list of points");
    EXPECT_EQ(f.btClose->Caption(), L"Apply");
    EXPECT_EQ(f.TVGroupes->Column(0).caption, L"Name");
    EXPECT_EQ(f.StatusBar1->StatusText(), L" 2 groups - current group: Bornes");
    f.btAddCrit->UserClick();
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);  // the filter was cancelled
    f.ToolButton3->UserClick();
  });
  user.On(L"frmFiltrePoints", [](ui::Form& form) {
    auto& f = static_cast<TfrmFiltrePoints&>(form);
    EXPECT_EQ(f.cx->Caption(), L"X coord.");
    EXPECT_EQ(f.btAppliquer->Caption(), L"Apply");
    f.UserKey(ui::Key::Escape);
  });
  user.On(L"frmGrpSelect", [](ui::Form& form) {
    auto& f = static_cast<TfrmGrpSelect&>(form);
    EXPECT_EQ(f.Caption(), L" Topaline - Select groups");
    EXPECT_EQ(f.btAppliquer->Caption(), L" Select ");
    EXPECT_EQ(f.outcocher1->Caption(), L"Check all");
    EXPECT_EQ(f.Label2->Caption(), L"Bornes");
    EXPECT_EQ(f.StatusBar1->StatusText(), L" 2 groups | 0 selected.");
    f.btAnnule->UserClick();
  });
  Lance(session, L"0", StandardCommands());
  EXPECT_EQ(user.ShownCount(L"frmGerer"), 1);
  EXPECT_EQ(exchange.resultat, 0);
  Lance(session, L"14", StandardCommands());
  EXPECT_EQ(exchange.resultat, 0);
}

}  // namespace
}  // namespace topaline
