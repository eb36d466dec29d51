#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <random>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/headless/headless_platform.h"
#include "ui/headless/dialog_test.h"
#include "ui/ui.h"

using namespace topaline;
using namespace topaline::ui;

namespace {

// Rows carry indices into a small model of names and counts.
struct GridForm : Form {
  std::vector<std::wstring> names{L"b", L"A", L"c", L"a", L"B"};
  std::vector<int> counts{2, 10, 2, 100, 2};
  TreeGrid& tree;
  std::vector<std::wstring> committed;
  GridForm() : Form(L"frmGrid"), tree(Add<TreeGrid>(nullptr, L"TVGrid", {8, 8, 400, 300})) {
    tree.AddColumn(L"Nom", 120);
    tree.AddColumn(L"Nb", 60, Alignment::Right);
    tree.OnGetText = [this](int, std::int32_t id, int col) {
      return col == 0 ? names[static_cast<std::size_t>(id)] : std::to_wstring(counts[static_cast<std::size_t>(id)]);
    };
    tree.OnCompare = [this](std::int32_t a, std::int32_t b, int col) {
      if (col == 1) return counts[static_cast<std::size_t>(a)] - counts[static_cast<std::size_t>(b)];
      std::wstring x = names[static_cast<std::size_t>(a)], y = names[static_cast<std::size_t>(b)];
      for (auto& ch : x) ch = static_cast<wchar_t>(towupper(ch));
      for (auto& ch : y) ch = static_cast<wchar_t>(towupper(ch));
      return x < y ? -1 : (x > y ? 1 : 0);
    };
    tree.OnEditing = [](int, int col) { return col == 0; };
    tree.OnNewText = [this](int row, int, const std::wstring& text) {
      names[static_cast<std::size_t>(tree.RowId(row))] = text;
      committed.push_back(text);
    };
    tree.BeginUpdate();
    for (int i = 0; i < 5; ++i) tree.AddRow(i);
    tree.EndUpdate();
  }
  std::vector<std::int32_t> Ids() const { return tree.RowIds(); }
};

}  // namespace

TEST(TreeGrid, SortIsStableInBothDirectionsAndFocusFollowsItsRow) {
  GridForm f;
  f.tree.SetFocusedRow(2);  // id 2
  f.tree.SetCheckBoxes(true);
  f.tree.SetChecked(4, true);  // id 4
  f.tree.SetSortColumn(1);
  f.tree.Sort();
  EXPECT_EQ(f.Ids(), (std::vector<std::int32_t>{0, 2, 4, 1, 3}));  // equal counts keep their order
  EXPECT_EQ(f.tree.RowId(f.tree.FocusedRow()), 2);
  EXPECT_TRUE(f.tree.Checked(2));
  f.tree.SetSortDirection(SortDirection::Descending);
  f.tree.Sort();
  EXPECT_EQ(f.Ids(), (std::vector<std::int32_t>{3, 1, 0, 2, 4}));
  EXPECT_EQ(f.tree.RowId(f.tree.FocusedRow()), 2);
  EXPECT_EQ(f.tree.RowId(f.tree.SelectedRow()), 2);
  EXPECT_EQ(f.tree.CheckedCount(), 1);
  EXPECT_TRUE(f.tree.Checked(4));
}

// Keys given once per sort order the rows as the comparison does, ties
// kept in order both ways; the largest key goes last going up; a column
// without keys is left to OnCompare.
TEST(TreeGrid, KeyedSortOrdersAsTheComparisonDoes) {
  for (bool down : {false, true}) {
    SCOPED_TRACE(down ? "descending" : "ascending");
    GridForm byCompare, byRank;
    byRank.tree.OnCompare = nullptr;
    int asked = 0;
    byRank.tree.OnSortKeys = [&](int col, const std::vector<std::int32_t>& ids, std::vector<std::uint64_t>& keys) {
      ++asked;
      for (std::int32_t id : ids) keys.push_back(col == 1 ? byRank.counts[static_cast<std::size_t>(id)] : 0u);
      return true;
    };
    for (GridForm* f : {&byCompare, &byRank}) {
      f->tree.SetFocusedRow(2);
      f->tree.SetSortColumn(1);
      if (down) f->tree.SetSortDirection(SortDirection::Descending);
      f->tree.Sort();
    }
    EXPECT_EQ(byRank.Ids(), byCompare.Ids());
    EXPECT_EQ(byRank.tree.RowId(byRank.tree.FocusedRow()), 2);
    EXPECT_EQ(asked, 1);  // once per sort
  }
  GridForm f;
  f.tree.OnSortKeys = [](int col, const std::vector<std::int32_t>& ids, std::vector<std::uint64_t>& keys) {
    if (col != 0) return false;
    for (std::int32_t id : ids) keys.push_back(id == 1 ? ~std::uint64_t{0} : static_cast<std::uint64_t>(10 - id));
    return true;
  };
  f.tree.SetSortColumn(0);
  f.tree.Sort();
  EXPECT_EQ(f.Ids(), (std::vector<std::int32_t>{4, 3, 2, 0, 1}));
  f.tree.SetSortColumn(1);  // no keys: the comparison of counts
  f.tree.Sort();
  EXPECT_EQ(f.Ids(), (std::vector<std::int32_t>{4, 2, 0, 1, 3}));
  // Keys close together (ranks) are counted into place: the same order.
  GridForm r;
  r.tree.OnSortKeys = [](int, const std::vector<std::int32_t>& ids, std::vector<std::uint64_t>& keys) {
    const std::uint64_t rank[] = {3, 1, 3, 0, 1};
    for (std::int32_t id : ids) keys.push_back(1000 + rank[id]);
    return true;
  };
  r.tree.SetSortColumn(0);
  r.tree.Sort();
  EXPECT_EQ(r.Ids(), (std::vector<std::int32_t>{3, 1, 4, 0, 2}));
  r.tree.SetRows({0, 1, 2, 3, 4});
  r.tree.SetSortDirection(SortDirection::Descending);
  r.tree.Sort();
  EXPECT_EQ(r.Ids(), (std::vector<std::int32_t>{0, 2, 1, 4, 3}));
}

TEST(TreeGrid, HeaderClickReversesDirectionAndMovesTheSortColumn) {
  GridForm f;
  f.tree.SetSortColumn(0);  // the default header: column 0 ascending
  std::vector<int> clicked;
  f.tree.OnHeaderClick = [&](int col, MouseButton) { clicked.push_back(col); };
  f.tree.UserClickHeader(0);
  EXPECT_EQ(f.tree.GetSortDirection(), SortDirection::Descending);
  EXPECT_EQ(f.Ids(), (std::vector<std::int32_t>{2, 0, 4, 1, 3}));  // c, b, B, A, a
  EXPECT_EQ(f.tree.Column(0).color, clSysMenu);
  f.tree.UserClickHeader(0);
  EXPECT_EQ(f.tree.GetSortDirection(), SortDirection::Ascending);
  EXPECT_EQ(f.Ids(), (std::vector<std::int32_t>{1, 3, 0, 4, 2}));
  // Another column after an ascending sort: descending, colours move.
  f.tree.UserClickHeader(1);
  EXPECT_EQ(f.tree.SortColumn(), 1);
  EXPECT_EQ(f.tree.GetSortDirection(), SortDirection::Descending);
  EXPECT_EQ(f.tree.Column(0).color, clSysWindow);
  EXPECT_EQ(f.tree.Column(1).color, clSysMenu);
  EXPECT_EQ(f.Ids(), (std::vector<std::int32_t>{3, 1, 0, 4, 2}));
  // The right button and clicks beside the columns do not sort.
  f.tree.UserClickHeader(0, MouseButton::Right);
  f.tree.UserClickHeader(7);
  EXPECT_EQ(f.tree.SortColumn(), 1);
  EXPECT_EQ(clicked, (std::vector<int>{0, 0, 1, 0}));
  // A list that keeps its order.
  f.tree.SetSortable(false);
  f.tree.UserClickHeader(0);
  EXPECT_EQ(f.tree.SortColumn(), 1);
}

TEST(TreeGrid, HeaderStateRoundTrips) {
  GridForm f;
  f.tree.SetColumnWidth(0, 321);
  f.tree.MoveColumn(1, 0);
  f.tree.SetColumnVisible(1, false);
  f.tree.UserClickHeader(1);
  std::vector<std::uint8_t> blob = f.tree.SaveHeaderState();

  GridForm g;
  ASSERT_TRUE(g.tree.RestoreHeaderState(blob));
  EXPECT_EQ(g.tree.Column(0).width, 321);
  EXPECT_EQ(g.tree.ColumnOrder(), (std::vector<int>{1, 0}));
  EXPECT_FALSE(g.tree.Column(1).visible);
  EXPECT_EQ(g.tree.SortColumn(), 1);
  EXPECT_EQ(g.tree.GetSortDirection(), SortDirection::Descending);
  EXPECT_EQ(g.tree.Column(1).color, clSysMenu);
  EXPECT_EQ(g.tree.SaveHeaderState(), blob);
}

TEST(TreeGrid, MalformedHeaderStateIsIgnored) {
  GridForm f;
  f.tree.SetColumnWidth(0, 99);
  const std::vector<std::uint8_t> before = f.tree.SaveHeaderState();
  std::vector<std::uint8_t> good = before;
  auto with = [&](std::size_t i, std::uint8_t v) {
    auto b = good;
    b[i] = v;
    return b;
  };
  std::vector<std::vector<std::uint8_t>> bad = {
      {},
      {1},
      std::vector<std::uint8_t>(good.begin(), good.end() - 1),  // cut short
      [&] { auto b = good; b.push_back(0); return b; }(),        // trailing byte
      with(0, 2),                                                // unknown version
      with(1, 3),                                                // other column count
      with(3, 0xFF),                                             // width too large
      with(4, 1),                                                // two columns at position 1
      with(5, 2),                                                // visibility not 0/1
      with(good.size() - 2, 2),                                  // sort column out of range
      with(good.size() - 1, 9),                                  // direction
  };
  for (std::size_t i = 0; i < bad.size(); ++i) {
    EXPECT_FALSE(f.tree.RestoreHeaderState(bad[i])) << "case " << i;
    EXPECT_EQ(f.tree.SaveHeaderState(), before) << "case " << i;
  }
  // Random garbage never crashes and never half-applies.
  std::mt19937 rng(7);
  for (int i = 0; i < 2000; ++i) {
    std::vector<std::uint8_t> b(rng() % 16);
    for (auto& x : b) x = static_cast<std::uint8_t>(rng());
    if (f.tree.RestoreHeaderState(b)) f.tree.RestoreHeaderState(before);
    EXPECT_EQ(f.tree.SaveHeaderState(), before);
  }
}

TEST(TreeGrid, EditLinkCommitsOnEnterAndExitAndCancelsOnEscape) {
  GridForm f;
  auto& other = f.Add<Edit>(nullptr, L"other");
  // Enter commits the typed text.
  ASSERT_TRUE(f.tree.UserEditCell(1, 0, L"new"));
  EXPECT_EQ(f.tree.Editor()->Name(), L"TVGridEditor");
  f.tree.UserCommitEdit();
  EXPECT_FALSE(f.tree.IsEditing());
  EXPECT_EQ(f.names[1], L"new");
  EXPECT_EQ(f.ActiveControl(), &f.tree);
  EXPECT_FALSE(f.tree.Editor());
  // Escape cancels.
  ASSERT_TRUE(f.tree.UserEditCell(1, 0, L"dropped"));
  f.tree.UserCancelEdit();
  EXPECT_EQ(f.names[1], L"new");
  EXPECT_EQ(f.ActiveControl(), &f.tree);
  // Leaving the editor commits.
  ASSERT_TRUE(f.tree.UserEditCell(2, 0, L"left"));
  other.UserFocus();
  EXPECT_FALSE(f.tree.IsEditing());
  EXPECT_EQ(f.names[2], L"left");
  EXPECT_EQ(f.ActiveControl(), &other);
  // A click on another row commits too.
  ASSERT_TRUE(f.tree.UserEditCell(3, 0, L"clicked"));
  f.tree.UserClickRow(4, 1);
  EXPECT_EQ(f.names[3], L"clicked");
  EXPECT_EQ(f.committed, (std::vector<std::wstring>{L"new", L"left", L"clicked"}));
  // Columns that OnEditing refuses open nothing.
  EXPECT_FALSE(f.tree.UserEditCell(0, 1, L"5"));
}

TEST(TreeGrid, HeaderClickWhoseEditCommitFailsLeavesTheSortAsItWas) {
  GridForm f;
  f.tree.OnNewText = [](int, int, const std::wstring& text) {
    if (text == L"bad") throw topaline::Error(L"refused");
  };
  const std::vector<std::int32_t> before = f.Ids();
  const int column = f.tree.SortColumn();
  const auto direction = f.tree.GetSortDirection();
  ASSERT_TRUE(f.tree.UserEditCell(1, 0, L"bad"));
  f.tree.UserClickHeader(1, MouseButton::Left);
  EXPECT_EQ(f.UnreportedErrors().size(), 1u);
  EXPECT_EQ(f.tree.SortColumn(), column);
  EXPECT_EQ(f.tree.GetSortDirection(), direction);
  EXPECT_EQ(f.Ids(), before);
}

TEST(TreeGrid, ADoubleClickBesideTheRowsKeepsTheFocusedRowAndReacts) {
  GridForm f;
  int doubles = 0;
  f.tree.OnDblClick = [&] { ++doubles; };
  f.tree.UserClickRow(3, 0);
  EXPECT_TRUE(f.tree.EditPending());
  f.tree.UserDoubleClickRow(-1);  // below the last row
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(f.tree.FocusedRow(), 3);
  EXPECT_TRUE(f.tree.Focused());
  EXPECT_FALSE(f.tree.EditPending()) << "the double-click cancels the pending edit";
  f.tree.UserDoubleClickRow(1);
  EXPECT_EQ(doubles, 2);
  EXPECT_EQ(f.tree.FocusedRow(), 1);
  f.tree.SetRows({});
  f.tree.UserDoubleClickRow(-1);  // an empty grid
  EXPECT_EQ(doubles, 3);
  EXPECT_EQ(f.tree.FocusedRow(), -1);
}

TEST(TreeGrid, EditStartsOnlyAfterTheDelayAndADoubleClickCancelsIt) {
  GridForm f;
  int doubles = 0;
  f.tree.OnDblClick = [&] { ++doubles; };
  f.tree.UserClickRow(2, 0);
  EXPECT_TRUE(f.tree.EditPending());
  EXPECT_FALSE(f.tree.IsEditing());
  f.tree.UserDoubleClickRow(2);
  f.tree.UserEditDelayElapsed();
  EXPECT_FALSE(f.tree.IsEditing());
  EXPECT_EQ(doubles, 1);
  f.tree.UserClickRow(2, 0);
  f.tree.UserEditDelayElapsed();
  EXPECT_TRUE(f.tree.IsEditing());
  f.tree.UserCancelEdit();
  // Only the left button edits: the others focus the row.
  for (MouseButton b : {MouseButton::Right, MouseButton::Middle}) {
    f.tree.UserClickRow(1, 0, b);
    EXPECT_EQ(f.tree.FocusedRow(), 1);
    EXPECT_FALSE(f.tree.EditPending());
    f.tree.UserEditDelayElapsed();
    EXPECT_FALSE(f.tree.IsEditing());
    f.tree.UserClickRow(2, 0);
  }
}

TEST(TreeGrid, DialogEditorTakesTheCellTextAndFiltersKeys) {
  GridForm f;
  auto& num = f.Add<Edit>(&f.tree, L"numEditor");
  num.SetVisible(false);
  num.OnKeyPress = [](wchar_t& ch) {
    if (ch >= 32 && (ch < L'0' || ch > L'9')) ch = 0;
  };
  f.tree.OnEditing = [](int, int col) { return col == 1; };
  f.tree.OnCreateEditor = [&](int, int) -> Component* { return &num; };
  f.tree.UserClickRow(0, 1);
  f.tree.UserEditDelayElapsed();
  ASSERT_TRUE(f.tree.IsEditing());
  EXPECT_EQ(num.Text(), L"2");
  EXPECT_EQ(num.SelLength(), 1);
  EXPECT_EQ(num.Bounds(), f.tree.CellRect(0, 1));
  num.UserType(L"4x2");
  f.tree.UserCommitEdit();
  EXPECT_EQ(f.committed, (std::vector<std::wstring>{L"42"}));
  EXPECT_FALSE(num.Visible());
}

TEST(TreeGrid, ChecksFocusAndRowDeletion) {
  GridForm f;
  f.tree.SetCheckBoxes(true);
  std::vector<int> checkedEvents;
  int focusEvents = 0;
  f.tree.OnChecked = [&](int row) { checkedEvents.push_back(row); };
  f.tree.OnFocusChanged = [&] { ++focusEvents; };
  f.tree.UserToggleCheck(1);
  f.tree.UserKey(Key::Down);
  f.tree.UserKey(Key::Space);
  EXPECT_EQ(f.tree.CheckedCount(), 2);
  f.tree.SetAllChecked(false);
  EXPECT_EQ(checkedEvents, (std::vector<int>{1, 2, -1}));
  EXPECT_EQ(focusEvents, 2);
  f.tree.BeginUpdate();
  f.tree.SetChecked(0, true);
  f.tree.SetChecked(3, true);
  f.tree.SetFocusedRow(4);
  EXPECT_EQ(checkedEvents.size(), 3u);
  f.tree.EndUpdate();
  EXPECT_EQ(checkedEvents.back(), -1);  // several rows changed
  EXPECT_EQ(focusEvents, 3);
  f.tree.DeleteRow(3);
  EXPECT_EQ(f.tree.FocusedRow(), 3);  // the row after moved up
  EXPECT_EQ(f.tree.RowId(3), 4);
  EXPECT_EQ(f.tree.CheckedCount(), 1);
  f.tree.DeleteRow(3);
  EXPECT_EQ(f.tree.FocusedRow(), -1);
  EXPECT_EQ(f.tree.FindRow(4), -1);
  EXPECT_THROW(f.tree.RowId(9), Error);
}

// ---------------------------------------------------------------- several selected rows

namespace {

constexpr ShiftState kShift{true, false, false};
constexpr ShiftState kCtrl{false, true, false};
constexpr ShiftState kCtrlShift{true, true, false};

struct SelectionCase {
  const char* name;
  std::function<void(TreeGrid&)> act;
  std::vector<int> selected;  // display rows
  int focused;
};

}  // namespace

TEST(TreeGrid, ClicksAndKeysSelectSeveralRows) {
  const std::vector<SelectionCase> cases = {
      {"plain click selects one row", [](TreeGrid& t) { t.UserClickRow(2, 1); }, {2}, 2},
      {"shift click spans from the anchor",
       [](TreeGrid& t) {
         t.UserClickRow(1);
         t.UserClickRow(3, 0, MouseButton::Left, kShift);
       },
       {1, 2, 3}, 3},
      {"a second shift click replaces the span, same anchor",
       [](TreeGrid& t) {
         t.UserClickRow(2);
         t.UserClickRow(4, 0, MouseButton::Left, kShift);
         t.UserClickRow(0, 0, MouseButton::Left, kShift);
       },
       {0, 1, 2}, 0},
      {"ctrl clicks toggle",
       [](TreeGrid& t) {
         t.UserClickRow(1);
         t.UserClickRow(3, 0, MouseButton::Left, kCtrl);
         t.UserClickRow(4, 0, MouseButton::Left, kCtrl);
         t.UserClickRow(1, 0, MouseButton::Left, kCtrl);
       },
       {3, 4}, 1},
      {"ctrl+shift click adds a span from the last ctrl click",
       [](TreeGrid& t) {
         t.UserClickRow(0);
         t.UserClickRow(2, 0, MouseButton::Left, kCtrl);
         t.UserClickRow(4, 0, MouseButton::Left, kCtrlShift);
       },
       {0, 2, 3, 4}, 4},
      {"shift+arrows grow and shrink the span",
       [](TreeGrid& t) {
         t.UserClickRow(3);
         t.UserKey(Key::Up, kShift);
         t.UserKey(Key::Up, kShift);
         t.UserKey(Key::Down, kShift);
       },
       {2, 3}, 2},
      {"shift+end and shift+home",
       [](TreeGrid& t) {
         t.UserClickRow(2);
         t.UserKey(Key::End, kShift);
       },
       {2, 3, 4}, 4},
      {"ctrl+arrows move the focus alone, ctrl+space toggles",
       [](TreeGrid& t) {
         t.UserClickRow(1);
         t.UserKey(Key::Down, kCtrl);
         t.UserKey(Key::Down, kCtrl);
         t.UserKey(Key::Space, kCtrl);
       },
       {1, 3}, 3},
      {"ctrl+a selects every row", [](TreeGrid& t) { t.UserKey('A', kCtrl); }, {0, 1, 2, 3, 4}, 0},
      {"a plain move after ctrl+a selects one row",
       [](TreeGrid& t) {
         t.UserKey('A', kCtrl);
         t.UserKey(Key::Down);
       },
       {1}, 1},
      {"a right click on a selected row keeps the selection",
       [](TreeGrid& t) {
         t.UserClickRow(1);
         t.UserClickRow(2, 0, MouseButton::Left, kShift);
         t.UserClickRow(1, 0, MouseButton::Right);
       },
       {1, 2}, 1},
      {"a right click elsewhere selects that row",
       [](TreeGrid& t) {
         t.UserKey('A', kCtrl);
         t.UserClickRow(1);
         t.UserClickRow(3, 0, MouseButton::Right);
       },
       {3}, 3},
  };
  for (const SelectionCase& c : cases) {
    SCOPED_TRACE(c.name);
    GridForm f;
    f.tree.SetMultiSelect(true);
    f.tree.SetFocusedRow(0);
    c.act(f.tree);
    EXPECT_EQ(f.tree.SelectedRows(), c.selected);
    EXPECT_EQ(f.tree.SelectedCount(), static_cast<int>(c.selected.size()));
    EXPECT_EQ(f.tree.FocusedRow(), c.focused);
    EXPECT_FALSE(f.tree.EditPending());  // only a plain click on an editable cell edits
    for (int r = 0; r < f.tree.RowCount(); ++r)
      EXPECT_EQ(f.tree.RowSelected(r), std::find(c.selected.begin(), c.selected.end(), r) != c.selected.end());
  }
}

TEST(TreeGrid, WithoutMultiSelectModifiedClicksAndCtrlASelectOneRow) {
  GridForm f;
  f.tree.SetFocusedRow(0);
  f.tree.UserClickRow(2, 1, MouseButton::Left, kCtrl);
  f.tree.UserClickRow(4, 1, MouseButton::Left, kShift);
  f.tree.UserKey('A', kCtrl);
  f.tree.UserKey(Key::Up, kShift);
  EXPECT_EQ(f.tree.SelectedRows(), (std::vector<int>{3}));
  EXPECT_EQ(f.tree.SelectedRow(), 3);
  EXPECT_EQ(f.tree.FocusedRow(), 3);
}

TEST(TreeGrid, SelectionFollowsItsRowsThroughSortAndDeletionAndReportsWhatChanged) {
  GridForm f;
  f.tree.SetMultiSelect(true);
  f.tree.SetFocusedRow(1);                                 // id 1 ("A", 10)
  f.tree.UserClickRow(3, 0, MouseButton::Left, kCtrl);     // id 3 ("a", 100)
  f.tree.TakeSelectionChanges();
  f.tree.UserClickRow(4, 0, MouseButton::Left, kCtrl);
  TreeGrid::RowSpan one = f.tree.TakeSelectionChanges();   // a toggle touches its row only
  EXPECT_EQ(one.first, 4);
  EXPECT_EQ(one.last, 4);
  EXPECT_TRUE(f.tree.TakeSelectionChanges().Empty());
  f.tree.UserClickRow(4, 0, MouseButton::Left, kCtrl);
  f.tree.SetSortColumn(1);
  f.tree.SetSortDirection(SortDirection::Descending);
  f.tree.Sort();  // ids 3, 1, 0, 2, 4
  std::vector<std::int32_t> ids;
  for (int r : f.tree.SelectedRows()) ids.push_back(f.tree.RowId(r));
  EXPECT_EQ(ids, (std::vector<std::int32_t>{3, 1}));
  f.tree.DeleteRow(0);
  EXPECT_EQ(f.tree.SelectedRows(), (std::vector<int>{0}));
  EXPECT_EQ(f.tree.RowId(0), 1);
  // Shift+click spans from the anchor (the last Ctrl click, id 4), which
  // followed its row.
  f.tree.UserClickRow(0, 0, MouseButton::Left, kShift);
  EXPECT_EQ(f.tree.SelectedRows(), (std::vector<int>{0, 1, 2, 3}));
  // Deleting a row before the selection moves it up whole.
  f.tree.UserClickRow(2, 1);
  f.tree.UserClickRow(3, 1, MouseButton::Left, kShift);
  f.tree.DeleteRow(0);
  EXPECT_EQ(f.tree.SelectedRows(), (std::vector<int>{1, 2}));
}

// ---------------------------------------------------------------- type-ahead

TEST(TreeGrid, TypeAheadJumpsToTheFirstRowStartingWithWhatWasTypedUntilAPause) {
  struct Step {
    std::uint64_t pauseBefore;
    const wchar_t* typed;
    int focused;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
  };
  // Column 1 shows 2, 10, 2, 100, 2; column 0 b, A, c, a, B.
  const std::vector<Case> cases = {
      {"digits accumulate", {{0, L"1", 1}, {100, L"0", 1}, {100, L"0", 3}}},
      {"the first row in display order wins", {{0, L"2", 0}}},
      {"no row starts with it: the focus stays", {{0, L"10", 1}, {100, L"5", 1}}},
      {"a pause starts over", {{0, L"10", 1}, {TreeGrid::TypeAheadPause, L"2", 0}}},
      {"a shorter wait goes on", {{0, L"1", 1}, {TreeGrid::TypeAheadPause - 1, L"00", 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridForm f;
    HeadlessClock clock;
    f.tree.SetClock(&clock);
    f.tree.SetTypeAheadColumn(1);
    f.tree.SetFocusedRow(4);
    for (const Step& s : c.steps) {
      clock.advance(s.pauseBefore);
      f.tree.UserType(s.typed);
      EXPECT_EQ(f.tree.FocusedRow(), s.focused) << ToUtf8(s.typed);
      EXPECT_EQ(f.tree.SelectedRow(), s.focused);
    }
  }
}

TEST(TreeGrid, TypeAheadIgnoresCaseAndRestartsAfterAMoveAndFollowsTheSort) {
  GridForm f;
  HeadlessClock clock;
  f.tree.SetClock(&clock);
  f.tree.SetTypeAheadColumn(0);
  f.tree.SetMultiSelect(true);
  f.tree.SetFocusedRow(0);
  f.tree.UserKey('A', kCtrl);
  f.tree.UserType(L"a");
  EXPECT_EQ(f.tree.FocusedRow(), 1);  // "A"
  EXPECT_EQ(f.tree.SelectedRows(), (std::vector<int>{1}));
  f.tree.UserKey(Key::Down);
  f.tree.UserType(L"c");  // a new search, at once
  EXPECT_EQ(f.tree.FocusedRow(), 2);
  f.tree.UserClickHeader(0);  // descending: c, b, B, A, a
  clock.advance(TreeGrid::TypeAheadPause);
  f.tree.UserType(L"B");
  EXPECT_EQ(f.tree.RowId(f.tree.FocusedRow()), 0);  // "b", first in display order
  // Without a type-ahead column, characters do nothing.
  f.tree.SetTypeAheadColumn(-1);
  f.tree.UserType(L"a");
  EXPECT_EQ(f.tree.RowId(f.tree.FocusedRow()), 0);
}

TEST(TreeGrid, RowsTextIsTabSeparatedWithTheCaptionsFirstAndOneLinePerRow) {
  GridForm f;
  f.names[1] = L"two\twords\r\nand a line";
  f.tree.SetSortColumn(1);
  f.tree.SetSortDirection(SortDirection::Descending);
  f.tree.Sort();  // ids 3, 1, 0, 2, 4
  EXPECT_EQ(f.tree.RowsText({1, 0}), L"Nom\tNb\r\ntwo words  and a line\t10\r\na\t100\r\n");
  EXPECT_EQ(f.tree.RowsText({}), L"Nom\tNb\r\n");
}
