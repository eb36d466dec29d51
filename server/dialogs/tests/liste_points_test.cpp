#include "server/dialogs/points/liste_points.h"

#include <gtest/gtest.h>

#include <limits>

#include <functional>

#include "server/dialogs/common/tests/forms_fixture.h"
#include "ui/headless/dialog_test.h"

namespace topaline {
namespace {

using Form = TfrmListePoints;

struct P {
  const wchar_t* hd;
  std::int32_t numero;
  double x, y, z;
  const wchar_t* desc;
};

class ListePointsTest : public testing::FormsTest {
protected:
  ListePointsTest() {
    session.Labels.InitFromText(std::wstring(testing::kTestLabels) + L"554,\"No.\"\n555,\"Descr\"\n", L"test labels");
    Assign({{L"1A", 1, 1200, 5000, 100, L"borne"},
            {L"1B", 2, 1300, 5100, 101, L"Arbre"},
            {L"1C", 3, 1400, 5200, 102, L"angle"}});
  }

  void Assign(const std::vector<P>& points, int extra = 0) {
    std::vector<Variant> e;
    for (const P& p : points) {
      e.push_back(Variant::string(p.hd));
      e.push_back(Variant::i4(p.numero));
      e.push_back(Variant::r8(p.x));
      e.push_back(Variant::r8(p.y));
      e.push_back(Variant::r8(p.z));
      e.push_back(Variant::string(p.desc));
    }
    for (int i = 0; i < extra; ++i) e.push_back(Variant::string(L"extra"));
    exchange.value(Slot::AXPoints) = Variant::array(std::move(e));
  }

  // AXPoints as the host reads it back.
  const std::vector<Variant>& Written() { return exchange.value(Slot::AXPoints).arrayValue().elements; }

  // Runs command 1 or 2 with the script.
  void Run(bool editing, std::function<void(Form&)> script) {
    user.On(L"frmListePoints", [script](ui::Form& f) { script(static_cast<Form&>(f)); });
    if (editing) EditPoints(session);
    else ListPoints(session);
  }

  // Edits a cell as a person does: click, wait, type, Enter.
  static void Edit(Form& f, int row, int column, const std::wstring& text) {
    ASSERT_TRUE(f.TVPoints->UserEditCell(row, column, text));
    f.TVPoints->UserCommitEdit();
    EXPECT_FALSE(f.TVPoints->IsEditing());
  }
  static bool Red(Form& f, int row) { return f.TVPoints->CellPaint(row, Form::colX).textColor == ui::clRed; }
};

TEST_F(ListePointsTest, RowsFollowTheArrayInModelOrder) {
  struct Case { int points; int extra; int rows; };
  for (const Case& c : {Case{3, 0, 3}, Case{2, 1, 2}, Case{2, 5, 2}, Case{0, 0, 0}, Case{0, 5, 0}}) {
    std::vector<P> pts;
    for (int i = 0; i < c.points; ++i) pts.push_back({L"H", 10 - i, 1.5 * i, 2.0, -3.25, L"d"});
    Assign(pts, c.extra);
    Run(false, [&](Form& f) {
      ASSERT_EQ(f.TVPoints->RowCount(), c.rows);
      EXPECT_EQ(f.Label2->Caption(), std::to_wstring(c.rows));
      EXPECT_EQ(f.TVPoints->FocusedRow(), c.rows ? 0 : -1);
      EXPECT_EQ(f.TVPoints->SelectedRow(), c.rows ? 0 : -1);
      for (int r = 0; r < c.rows; ++r) EXPECT_EQ(f.TVPoints->RowId(r), r);
      if (c.rows > 1) {
        EXPECT_EQ(f.TVPoints->CellText(1, Form::colNumero), L"9");
        EXPECT_EQ(f.TVPoints->CellText(1, Form::colX), L"1.500");
        EXPECT_EQ(f.TVPoints->CellText(1, Form::colZ), L"-3.250");
        EXPECT_EQ(f.TVPoints->CellText(1, Form::colDesc), L"d");
      }
      f.UserKey(ui::Key::Escape);
    });
  }
}

TEST_F(ListePointsTest, ColumnsAndCaptions) {
  Run(false, [](Form& f) {
    ASSERT_EQ(f.TVPoints->ColumnCount(), 5);
    const wchar_t* captions[] = {L"No.", L"X", L"Y", L"Z", L"Descr"};
    for (int c = 0; c < 5; ++c) {
      EXPECT_EQ(f.TVPoints->Column(c).caption, captions[c]);
      EXPECT_EQ(f.TVPoints->Column(c).alignment, c == 4 ? ui::Alignment::Left : ui::Alignment::Right);
    }
    EXPECT_EQ(f.Caption(), L" Topaline - Liste des points");
    f.btAnnule->UserClick();
  });
}

TEST_F(ListePointsTest, ViewingModeShowsAndClosesOnly) {
  Run(false, [](Form& f) {
    EXPECT_FALSE(f.btAppliquer->EffectivelyVisible());
    EXPECT_FALSE(f.btReinit->EffectivelyVisible());
    EXPECT_FALSE(f.btReinitAll->EffectivelyVisible());
    EXPECT_TRUE(f.numdec->EffectivelyVisible());
    for (int col = 0; col < 5; ++col) EXPECT_FALSE(f.TVPoints->UserEditCell(0, col, L"7"));
    f.TVPoints->UserKey(ui::Key::F2);
    EXPECT_FALSE(f.TVPoints->IsEditing());
    f.TVPoints->UserKey(ui::Key::Escape);
    EXPECT_EQ(f.GetModalResult(), ui::mrCancel);
  });
  EXPECT_EQ(exchange.resultat, 0);
  EXPECT_EQ(Written().size(), 18u);  // untouched
}

TEST_F(ListePointsTest, EditingMarksTheRowRedAndEditingBackClearsIt) {
  Run(true, [](Form& f) {
    EXPECT_TRUE(f.btAppliquer->EffectivelyVisible());
    EXPECT_TRUE(f.btReinit->EffectivelyVisible());
    EXPECT_FALSE(f.TVPoints->UserEditCell(0, Form::colNumero, L"7"));
    EXPECT_FALSE(f.TVPoints->UserEditCell(0, Form::colDesc, L"7"));

    ASSERT_TRUE(f.TVPoints->UserEditCell(0, Form::colX, L"1250,5"));
    EXPECT_EQ(f.EditLink->Text(), L"1250.5");  // the comma typed as a point
    f.TVPoints->UserCommitEdit();
    EXPECT_DOUBLE_EQ(f.Points.Point(0).x, 1250.5);
    EXPECT_TRUE(f.Points.Point(0).Modifie);
    EXPECT_TRUE(Red(f, 0));
    EXPECT_EQ(f.TVPoints->CellText(0, Form::colX), L"1250.500");
    EXPECT_FALSE(Red(f, 1));

    Edit(f, 0, Form::colX, L"1200");
    EXPECT_FALSE(f.Points.Point(0).Modifie);
    EXPECT_FALSE(Red(f, 0));

    // Escape in the editor cancels only that edit; the dialog stays.
    ASSERT_TRUE(f.TVPoints->UserEditCell(1, Form::colZ, L"9"));
    f.TVPoints->UserCancelEdit();
    EXPECT_FALSE(f.TVPoints->IsEditing());
    EXPECT_EQ(f.Points.Point(1).z, 101);
    EXPECT_TRUE(f.TVPoints->Focused());
    f.TVPoints->UserKey(ui::Key::Escape);
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);

    // Leaving the editor (a click on another row) commits, as typed.
    ASSERT_TRUE(f.TVPoints->UserEditCell(1, Form::colY, L"5100.123456"));
    f.TVPoints->UserClickRow(2, Form::colNumero);
    EXPECT_FALSE(f.TVPoints->IsEditing());
    EXPECT_DOUBLE_EQ(f.Points.Point(1).y, 5100.123456);
    EXPECT_TRUE(Red(f, 1));
    f.btAnnule->UserClick();
  });
  EXPECT_EQ(exchange.resultat, 0);
  EXPECT_EQ(Written().size(), 18u);
}

TEST_F(ListePointsTest, DisplayedRoundingIsStoredButMarksOnlyRealChanges) {
  Store(L"liste", L"numdec", L"2");
  Assign({{L"A", 1, 10.123, 20, 30, L"a"}, {L"B", 2, 1, 2, 3, L"b"}});
  Run(true, [](Form& f) {
    EXPECT_EQ(f.Decimals(), 2);
    EXPECT_EQ(f.TVPoints->CellText(0, Form::colX), L"10.12");
    Edit(f, 0, Form::colX, L"");  // Enter without typing
    EXPECT_DOUBLE_EQ(f.Points.Point(0).x, 10.12);
    EXPECT_FALSE(f.Points.Point(0).Modifie);
    f.btAppliquer->UserClick();
  });
  EXPECT_EQ(exchange.resultat, 1);
  EXPECT_TRUE(Written().empty());

  exchange.resultat = 0;
  Assign({{L"A", 1, 10.123, 20, 30, L"a"}});
  Run(true, [](Form& f) {
    Edit(f, 0, Form::colX, L"");
    Edit(f, 0, Form::colY, L"21");
    EXPECT_TRUE(f.Points.Point(0).Modifie);
    f.btAppliquer->UserClick();
  });
  ASSERT_EQ(Written().size(), 6u);
  EXPECT_DOUBLE_EQ(Written()[2].realValue(), 10.12);
  EXPECT_DOUBLE_EQ(Written()[3].realValue(), 21);
}

TEST_F(ListePointsTest, DecimalsRepaintWithoutChangingValues) {
  Store(L"liste", L"numdec", L"12");  // not an item: the first one
  Assign({{L"A", 1, 1234.56789, 0.5, -0.0004, L"a"}});
  Run(false, [](Form& f) {
    EXPECT_EQ(f.numdec->Text(), L"0");
    EXPECT_EQ(f.TVPoints->CellText(0, Form::colX), L"1235");
    EXPECT_EQ(f.TVPoints->CellText(0, Form::colZ), L"0");
    f.numdec->UserPick(8);
    EXPECT_EQ(f.TVPoints->CellText(0, Form::colX), L"1234.56789000");
    EXPECT_EQ(f.TVPoints->CellText(0, Form::colZ), L"-0.00040000");
    EXPECT_EQ(f.Points.Point(0).x, 1234.56789);
    f.UserClose();
  });
  EXPECT_EQ(Stored(L"liste", L"numdec"), L"12");  // never written
}

TEST_F(ListePointsTest, ApplyWritesOnlyModifiedPointsInModelOrder) {
  struct Case { std::vector<int> edited; };
  for (const Case& c : {Case{{}}, Case{{1}}, Case{{2, 0, 1}}}) {
    Assign({{L"1A", 1, 1200, 5000, 100, L"borne"},
            {L"1B", 2, 1300, 5100, 101, L"Arbre"},
            {L"1C", 3, 1400, 5200, 102, L"angle"}});
    exchange.resultat = 0;
    Run(true, [&](Form& f) {
      for (int row : c.edited) Edit(f, row, Form::colZ, L"7.5");
      f.btAppliquer->UserClick();
    });
    EXPECT_EQ(exchange.resultat, 1);
    const auto& w = Written();
    ASSERT_EQ(w.size(), 6 * c.edited.size());
    const wchar_t* hds[] = {L"1A", L"1B", L"1C"};
    const wchar_t* descs[] = {L"borne", L"Arbre", L"angle"};
    std::vector<int> order = c.edited;
    std::sort(order.begin(), order.end());
    for (std::size_t k = 0; k < order.size(); ++k) {
      const int i = order[k];
      EXPECT_EQ(w[6 * k].kind(), VarKind::String);
      EXPECT_EQ(w[6 * k].stringValue(), hds[i]);
      EXPECT_EQ(w[6 * k + 1].kind(), VarKind::I4);
      EXPECT_EQ(w[6 * k + 1].intValue(), i + 1);
      EXPECT_EQ(w[6 * k + 2].kind(), VarKind::R8);
      EXPECT_EQ(w[6 * k + 2].realValue(), 1200 + 100 * i);
      EXPECT_EQ(w[6 * k + 3].realValue(), 5000 + 100 * i);
      EXPECT_EQ(w[6 * k + 4].realValue(), 7.5);
      EXPECT_EQ(w[6 * k + 5].stringValue(), descs[i]);
    }
  }
}

TEST_F(ListePointsTest, ResetsClearTheMarks) {
  Run(true, [](Form& f) {
    Edit(f, 0, Form::colX, L"1");
    Edit(f, 1, Form::colY, L"2");
    Edit(f, 2, Form::colZ, L"3");
    f.TVPoints->UserClickRow(1, Form::colNumero);
    f.btReinit->UserClick();
    EXPECT_FALSE(Red(f, 1));
    EXPECT_EQ(f.Points.Point(1).y, 5100);
    EXPECT_TRUE(Red(f, 0));
    EXPECT_TRUE(Red(f, 2));
    f.btReinitAll->UserClick();
    for (int r = 0; r < 3; ++r) EXPECT_FALSE(Red(f, r));
    EXPECT_EQ(f.Points.Point(0).x, 1200);
    EXPECT_EQ(f.Points.Point(2).z, 102);
    f.btAppliquer->UserClick();
  });
  EXPECT_EQ(exchange.resultat, 1);
  EXPECT_TRUE(Written().empty());
}

TEST_F(ListePointsTest, HeaderSortsByDisplayedValues) {
  Assign({{L"a", 100, 1.0004, 0, 0, L"b"},
          {L"b", 2, 1.0001, 0, 0, L"A"},
          {L"c", 10, 0.9, 0, 0, L"c"},
          {L"d", -5, 1.0003, 0, 0, L"B"}});
  Run(false, [](Form& f) {
    auto ids = [&] { return f.TVPoints->RowIds(); };
    using V = std::vector<std::int32_t>;
    f.TVPoints->UserClickHeader(Form::colNumero);  // first click: descending
    EXPECT_EQ(ids(), (V{0, 2, 1, 3}));
    f.TVPoints->UserClickHeader(Form::colNumero);
    EXPECT_EQ(ids(), (V{3, 1, 2, 0}));
    EXPECT_EQ(f.TVPoints->Column(Form::colNumero).color, ui::clSysMenu);
    // X at 3 decimals: 1.000 for three points, equal, so they keep their order.
    f.TVPoints->UserClickHeader(Form::colX);
    EXPECT_EQ(f.TVPoints->GetSortDirection(), ui::SortDirection::Descending);
    EXPECT_EQ(ids(), (V{3, 1, 0, 2}));
    EXPECT_EQ(f.TVPoints->Column(Form::colNumero).color, ui::clSysWindow);
    f.TVPoints->UserClickHeader(Form::colX);
    EXPECT_EQ(ids(), (V{2, 3, 1, 0}));
    f.TVPoints->UserClickHeader(Form::colDesc);  // case ignored: A b B c (stable)
    f.TVPoints->UserClickHeader(Form::colDesc);
    EXPECT_EQ(ids(), (V{1, 3, 0, 2}));
    f.UserKey(ui::Key::Escape);
  });
}

// The number and coordinate columns sort by keys made once; they must
// order as the comparison of the displayed values does: NaN first, -0
// with 0, values that show alike keeping their order, both directions.
TEST_F(ListePointsTest, KeyedSortOrdersAsTheComparison) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  Assign({{L"a", 7, -2.5, nan, 0, L""},
          {L"b", -3, -0.0, 1e300, 0, L""},
          {L"c", 7, 0.0004, -inf, 0, L""},
          {L"d", 2147483647, 3, 0, 0, L""},
          {L"e", -2147483647 - 1, nan, -0.0001, 0, L""},
          {L"f", 0, 0.0, inf, 0, L""},
          {L"g", 5, -1e-300, nan, 0, L""}});
  Run(false, [](Form& f) {
    const std::vector<std::int32_t> start = f.TVPoints->RowIds();
    for (int column : {Form::colNumero, Form::colX, Form::colY}) {
      for (auto dir : {ui::SortDirection::Ascending, ui::SortDirection::Descending}) {
        const bool up = dir == ui::SortDirection::Ascending;
        SCOPED_TRACE(::testing::Message() << "column " << column << (up ? " up" : " down"));
        f.TVPoints->SetSortColumn(column);
        f.TVPoints->SetSortDirection(dir);
        f.TVPoints->SetRows(start);
        f.TVPoints->Sort();
        const std::vector<std::int32_t> keyed = f.TVPoints->RowIds();
        auto keys = std::move(f.TVPoints->OnSortKeys);
        f.TVPoints->OnSortKeys = nullptr;
        f.TVPoints->SetRows(start);
        f.TVPoints->Sort();
        EXPECT_EQ(keyed, f.TVPoints->RowIds());
        f.TVPoints->OnSortKeys = std::move(keys);
      }
    }
    f.UserKey(ui::Key::Escape);
  });
}

TEST_F(ListePointsTest, ApplyCommitsAnOpenEdit) {
  Run(true, [](Form& f) {
    ASSERT_TRUE(f.TVPoints->UserEditCell(2, Form::colX, L"-1.25"));
    f.btAppliquer->Click();  // no focus move: the edit is still open
  });
  EXPECT_EQ(exchange.resultat, 1);
  ASSERT_EQ(Written().size(), 6u);
  EXPECT_EQ(Written()[0].stringValue(), L"1C");
  EXPECT_EQ(Written()[2].realValue(), -1.25);
}

TEST_F(ListePointsTest, ATextThatIsNoNumberIsReportedAndTheListGoesOn) {
  std::wstring message;
  AnswerMessage(1, &message);  // Enter on "-"
  AnswerMessage(1);            // a click on Apply while "" is open
  Run(true, [&](Form& f) {
    ASSERT_TRUE(f.TVPoints->UserEditCell(0, Form::colX, L"-"));
    f.TVPoints->UserCommitEdit();
    EXPECT_NE(message.find(L"-"), std::wstring::npos);
    EXPECT_FALSE(f.TVPoints->IsEditing());
    EXPECT_EQ(f.Points.Point(0).x, 1200);
    EXPECT_FALSE(f.Points.Point(0).Modifie);
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);

    ASSERT_TRUE(f.TVPoints->UserEditCell(1, Form::colX, L"1"));
    f.EditLink->UserSetText(L"");
    f.btAppliquer->UserClick();  // the refused commit keeps the dialog open
    EXPECT_FALSE(f.TVPoints->IsEditing());
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);
    EXPECT_EQ(f.Points.Point(1).x, 1300);

    Edit(f, 1, Form::colX, L"1301");
    f.btAppliquer->UserClick();
  });
  EXPECT_EQ(exchange.resultat, 1);
  ASSERT_EQ(Written().size(), 6u);
  EXPECT_EQ(Written()[2].realValue(), 1301);
}

TEST_F(ListePointsTest, TheCloseBoxDropsAnOpenEditWithoutComplaint) {
  for (const wchar_t* typed : {L"-", L"1250"}) {
    Run(true, [&](Form& f) {
      ASSERT_TRUE(f.TVPoints->UserEditCell(0, Form::colX, typed));
      f.UserClose();
    });
    EXPECT_EQ(user.ShownCount(L"frmErrMsg"), 0) << testing::Narrow(typed);
    EXPECT_EQ(exchange.resultat, 0);
    EXPECT_EQ(Written().size(), 18u);
  }
}

TEST_F(ListePointsTest, ClosingKeepsPlaceAndHeaderAndHelpOpensItsTopic) {
  Run(true, [](Form& f) {
    f.btAide->UserClick();
    f.TVPoints->UserClickHeader(Form::colY);
    f.TVPoints->UserResizeColumn(Form::colDesc, 321);
    f.UserMoved({40, 50, 700, 500});
    f.UserClose();
  });
  ASSERT_EQ(host.shell.launches.size(), 1u);
  EXPECT_NE(host.shell.launches[0].parameters.find(L"::/tledit.htm"), std::wstring::npos);
  const auto* w = host.registry.value(SectionPath(L"frmListePoints"), L"w");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->dword, 700u);
  ASSERT_NE(host.registry.value(SectionPath(L"frmListePoints"), L"TVPoints"), nullptr);

  Run(false, [](Form& f) {
    EXPECT_EQ(f.Width(), 700);
    EXPECT_EQ(f.TVPoints->Column(Form::colDesc).width, 321);
    EXPECT_EQ(f.TVPoints->SortColumn(), Form::colY);
    EXPECT_EQ(f.TVPoints->RowIds(), (std::vector<std::int32_t>{0, 1, 2}));  // model order until a click
    f.UserKey(ui::Key::Escape);
  });
}

TEST_F(ListePointsTest, CommandsOneAndTwoOpenTheListInTheirModes) {
  for (bool editing : {false, true}) {
    user.On(L"frmListePoints", [&](ui::Form& form) {
      auto& f = static_cast<Form&>(form);
      EXPECT_EQ(f.Editing(), editing);
      f.btAnnule->UserClick();
    });
    if (editing) EditPoints(session);
    else ListPoints(session);
  }
  exchange.value(Slot::AXPoints) = Variant::string(L"not an array");
  EXPECT_THROW(EditPoints(session), Error);
}


// ---------------------------------------------------------------- keyboard: type-ahead, selection, copy, undo

constexpr ui::ShiftState kCtrl{false, true, false};
constexpr ui::ShiftState kShift{true, false, false};
constexpr ui::ShiftState kCtrlShift{true, true, false};

TEST_F(ListePointsTest, TypedDigitsJumpToTheFirstNumberStartingWithThem) {
  struct Step {
    std::uint64_t pauseBefore;
    const wchar_t* typed;
    std::int32_t numero;  // of the focused row after the step
  };
  struct Case {
    const char* name;
    bool sortDescending;
    std::vector<Step> steps;
  };
  const std::vector<Case> cases = {
      {"digits accumulate", false, {{0, L"1", 12}, {50, L"2", 12}, {50, L"0", 120}, {50, L"0", 1200}}},
      {"another branch", false, {{0, L"12", 12}, {50, L"1", 121}}},
      {"no number starts with it: the focus stays", false, {{0, L"3", 3}, {50, L"9", 3}}},
      {"a pause starts over", false, {{0, L"12", 12}, {ui::TreeGrid::TypeAheadPause, L"5", 5}}},
      {"a shorter wait goes on", false, {{0, L"1", 12}, {ui::TreeGrid::TypeAheadPause - 1, L"21", 121}}},
      {"a negative number", false, {{0, L"-4", -40}}},
      {"display order after a sort", true, {{0, L"12", 1200}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Assign({{L"a", 5, 0, 0, 0, L""},
            {L"b", 12, 0, 0, 0, L""},
            {L"c", 120, 0, 0, 0, L""},
            {L"d", 3, 0, 0, 0, L""},
            {L"e", 1200, 0, 0, 0, L""},
            {L"f", 121, 0, 0, 0, L""},
            {L"g", -40, 0, 0, 0, L""}});
    for (bool editing : {false, true}) {
      Run(editing, [&](Form& f) {
        if (c.sortDescending) {
          // The header state kept from the last closing decides the first
          // click's direction.
          f.TVPoints->UserClickHeader(Form::colNumero);
          if (f.TVPoints->GetSortDirection() != ui::SortDirection::Descending)
            f.TVPoints->UserClickHeader(Form::colNumero);
          ASSERT_EQ(f.TVPoints->GetSortDirection(), ui::SortDirection::Descending);
        }
        for (const Step& st : c.steps) {
          host.clock.advance(st.pauseBefore);
          f.TVPoints->UserType(st.typed);
          EXPECT_EQ(f.TVPoints->CellText(f.TVPoints->FocusedRow(), Form::colNumero), std::to_wstring(st.numero))
              << ui::ToUtf8(st.typed);
          EXPECT_EQ(f.TVPoints->SelectedRows(), std::vector<int>{f.TVPoints->FocusedRow()});
        }
        EXPECT_FALSE(f.TVPoints->IsEditing());
        f.btAnnule->UserClick();
      });
      host.clock.advance(ui::TreeGrid::TypeAheadPause);
    }
  }
}

TEST_F(ListePointsTest, CtrlCCopiesTheSelectedRowsAsShown) {
  const std::wstring header = L"No.\tX\tY\tZ\tDescr\r\n";
  const std::wstring p1 = L"1\t1200.0\t5000.0\t100.0\tborne\r\n";
  const std::wstring p2 = L"2\t1300.0\t5100.0\t101.0\tArbre\r\n";
  const std::wstring p3 = L"3\t1400.0\t5200.0\t102.0\tangle\r\n";
  struct Case {
    const char* name;
    std::function<void(Form&)> select;
    std::wstring copied;
  };
  const std::vector<Case> cases = {
      {"the focused row at opening", [](Form&) {}, header + p1},
      {"Ctrl+A", [](Form& f) { f.TVPoints->UserKey('A', kCtrl); }, header + p1 + p2 + p3},
      {"Shift+Down twice from the second row",
       [](Form& f) {
         f.TVPoints->UserClickRow(1, Form::colNumero);
         f.TVPoints->UserKey(ui::Key::Down, kShift);
         f.TVPoints->UserKey(ui::Key::Down, kShift);
       },
       header + p2 + p3},
      {"Shift click then Ctrl click",
       [](Form& f) {
         f.TVPoints->UserClickRow(2, Form::colDesc, ui::MouseButton::Left, kShift);
         f.TVPoints->UserClickRow(1, Form::colDesc, ui::MouseButton::Left, kCtrl);
       },
       header + p1 + p3},
      {"display order after a sort",
       [](Form& f) {
         f.TVPoints->UserClickHeader(Form::colX);
         if (f.TVPoints->GetSortDirection() != ui::SortDirection::Descending)
           f.TVPoints->UserClickHeader(Form::colX);
         f.TVPoints->UserKey('A', kCtrl);
       },
       header + p3 + p2 + p1},
      {"nothing selected copies nothing",
       [](Form& f) { f.TVPoints->UserClickRow(0, Form::colNumero, ui::MouseButton::Left, kCtrl); }, L"before"},
  };
  Store(L"liste", L"numdec", L"1");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host.clipboard.content = L"before";
    Run(false, [&](Form& f) {
      c.select(f);
      f.TVPoints->UserKey('C', kCtrl);
      f.btAnnule->UserClick();
    });
    EXPECT_EQ(host.clipboard.content, c.copied);
  }
  EXPECT_EQ(exchange.resultat, 0);
  EXPECT_EQ(Written().size(), 18u);  // copying changes nothing the host reads
}

TEST_F(ListePointsTest, ABusyClipboardIsReportedAndTheListGoesOn) {
  host.clipboard.writes.FailAfter(0);
  std::wstring message;
  Run(false, [&](Form& f) {
    AnswerMessage(1, &message);
    f.TVPoints->UserKey('C', kCtrl);
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);  // still open
    f.btAnnule->UserClick();
  });
  EXPECT_NE(message.find(L"clipboard"), std::wstring::npos) << ui::ToUtf8(message);
}

TEST_F(ListePointsTest, ResetSelectedResetsEverySelectedPointAndOnlyThem) {
  Run(true, [](Form& f) {
    Edit(f, 0, Form::colX, L"1");
    Edit(f, 1, Form::colY, L"2");
    Edit(f, 2, Form::colZ, L"3");
    f.TVPoints->UserClickRow(0, Form::colNumero);
    f.TVPoints->UserClickRow(2, Form::colNumero, ui::MouseButton::Left, kCtrl);
    f.btReinit->UserClick();
    EXPECT_FALSE(Red(f, 0));
    EXPECT_TRUE(Red(f, 1));
    EXPECT_FALSE(Red(f, 2));
    f.btAppliquer->UserClick();
  });
  ASSERT_EQ(Written().size(), 6u);
  EXPECT_EQ(Written()[0].stringValue(), L"1B");
  EXPECT_EQ(Written()[3].realValue(), 2);
}

TEST_F(ListePointsTest, CtrlZAndCtrlYTakeBackAndRedoEditsAndResets) {
  // After the steps: each point's X and mark, and the HDs Apply sends.
  struct Expect {
    double x[3];
    bool red[3];
  };
  struct Case {
    const char* name;
    std::function<void(Form&)> act;
    Expect expect;
  };
  auto undo = [](Form& f) { f.TVPoints->UserKey('Z', kCtrl); };
  auto redo = [](Form& f) { f.TVPoints->UserKey('Y', kCtrl); };
  const std::vector<Case> cases = {
      {"undo an edit", [&](Form& f) { Edit(f, 1, Form::colX, L"1250,5"); undo(f); }, {{1200, 1300, 1400}, {0, 0, 0}}},
      {"redo it",
       [&](Form& f) {
         Edit(f, 1, Form::colX, L"1250,5");
         undo(f);
         redo(f);
       },
       {{1200, 1250.5, 1400}, {0, 1, 0}}},
      {"Ctrl+Shift+Z redoes too",
       [&](Form& f) {
         Edit(f, 1, Form::colX, L"1250,5");
         undo(f);
         f.TVPoints->UserKey('Z', kCtrlShift);
       },
       {{1200, 1250.5, 1400}, {0, 1, 0}}},
      {"undoing an edit back to the original brings the mark back",
       [&](Form& f) {
         Edit(f, 0, Form::colX, L"7");
         Edit(f, 0, Form::colX, L"1200");
         undo(f);
       },
       {{7, 1300, 1400}, {1, 0, 0}}},
      {"every step back to the opening, and no further",
       [&](Form& f) {
         Edit(f, 0, Form::colX, L"1");
         Edit(f, 1, Form::colX, L"2");
         Edit(f, 2, Form::colX, L"3");
         for (int k = 0; k < 4; ++k) undo(f);
       },
       {{1200, 1300, 1400}, {0, 0, 0}}},
      {"a new edit forgets what was undone",
       [&](Form& f) {
         Edit(f, 0, Form::colX, L"1");
         undo(f);
         Edit(f, 2, Form::colX, L"3");
         redo(f);
       },
       {{1200, 1300, 3}, {0, 0, 1}}},
      {"undo a reset of the selected points, in one step",
       [&](Form& f) {
         Edit(f, 0, Form::colX, L"1");
         Edit(f, 2, Form::colX, L"3");
         f.TVPoints->UserKey('A', kCtrl);
         f.btReinit->UserClick();
         undo(f);
       },
       {{1, 1300, 3}, {1, 0, 1}}},
      {"undo and redo a reset of all",
       [&](Form& f) {
         Edit(f, 0, Form::colX, L"1");
         Edit(f, 1, Form::colX, L"2");
         f.btReinitAll->UserClick();
         undo(f);
         redo(f);
         undo(f);
       },
       {{1, 2, 1400}, {1, 1, 0}}},
      {"a reset that changes nothing is no step",
       [&](Form& f) {
         Edit(f, 0, Form::colX, L"1");
         f.TVPoints->UserClickRow(2, Form::colNumero);
         f.btReinit->UserClick();
         undo(f);
       },
       {{1200, 1300, 1400}, {0, 0, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Assign({{L"1A", 1, 1200, 5000, 100, L"borne"},
            {L"1B", 2, 1300, 5100, 101, L"Arbre"},
            {L"1C", 3, 1400, 5200, 102, L"angle"}});
    Run(true, [&](Form& f) {
      c.act(f);
      for (int r = 0; r < 3; ++r) {
        const std::size_t i = static_cast<std::size_t>(f.TVPoints->RowId(r));
        EXPECT_EQ(f.Points.Point(i).x, c.expect.x[i]) << r;
        EXPECT_EQ(Red(f, r), c.expect.red[i]) << r;
      }
      f.btAppliquer->UserClick();
    });
    std::size_t red = 0;
    for (bool b : c.expect.red) red += b ? 1 : 0;
    EXPECT_EQ(Written().size(), 6 * red);
  }
}

TEST_F(ListePointsTest, UndoGivesBackTheUnroundedValueAndTheMarkAsTheListHadThem) {
  Store(L"liste", L"numdec", L"2");
  Assign({{L"A", 1, 10.123, 20, 30, L"a"}});
  Run(true, [](Form& f) {
    Edit(f, 0, Form::colY, L"21");
    Edit(f, 0, Form::colX, L"");  // stores 10.12, the mark stays
    EXPECT_TRUE(f.Points.Point(0).Modifie);
    f.TVPoints->UserKey('Z', kCtrl);
    EXPECT_EQ(f.Points.Point(0).x, 10.123);
    EXPECT_TRUE(f.Points.Point(0).Modifie);
    f.TVPoints->UserKey('Z', kCtrl);
    EXPECT_EQ(f.Points.Point(0).y, 20);
    EXPECT_FALSE(f.Points.Point(0).Modifie);
    f.TVPoints->UserKey('Y', kCtrl);
    f.TVPoints->UserKey('Y', kCtrl);
    EXPECT_EQ(f.Points.Point(0).x, 10.12);
    f.btAppliquer->UserClick();
  });
  ASSERT_EQ(Written().size(), 6u);
  EXPECT_EQ(Written()[2].realValue(), 10.12);
  EXPECT_EQ(Written()[3].realValue(), 21);
}

TEST_F(ListePointsTest, ViewingModeHasNothingToUndo) {
  Run(false, [](Form& f) {
    f.TVPoints->UserKey('Z', kCtrl);
    f.TVPoints->UserKey('Y', kCtrl);
    f.TVPoints->UserKey(ui::Key::Escape);
  });
  EXPECT_EQ(exchange.resultat, 0);
  EXPECT_EQ(Written().size(), 18u);
}

}  // namespace
}  // namespace topaline
