#include "server/core/points_view.h"

#include <gtest/gtest.h>

#include <limits>

namespace topaline {
namespace {

Variant S(const wchar_t* s) { return Variant::string(s); }
Variant I(std::int32_t v) { return Variant::i4(v); }
Variant R(double v) { return Variant::r8(v); }

std::vector<Variant> Point(const wchar_t* hd, std::int32_t numero, double x, double y, double z, const wchar_t* desc) {
  return {S(hd), I(numero), R(x), R(y), R(z), S(desc)};
}

Variant Points(std::initializer_list<std::vector<Variant>> points, std::vector<Variant> extra = {}) {
  std::vector<Variant> e;
  for (const auto& p : points) e.insert(e.end(), p.begin(), p.end());
  e.insert(e.end(), extra.begin(), extra.end());
  return Variant::array(std::move(e));
}

// Opening checks every element as TDesPoints::Init reads it: the same
// error for the same array, whatever element kind fails where, and an
// empty view after a failure.
TEST(TPointsView, OpeningFailsExactlyWhereReadingTheSetFails) {
  const Variant good = Points({Point(L"1A", 1, 1, 2, 3, L"d")});
  const std::vector<Variant> cases = {
      Variant(),
      Variant::i4(3),
      Variant::array({S(L"a"), I(1), R(1), R(2), R(3), S(L"d")}, 1),  // index 0 missing
      Points({Point(L"1A", 1, 1, 2, 3, L"d")}, {S(L"2A"), S(L"12.5"), R(1), R(2), R(3), S(L"d")}),
      Points({Point(L"1A", 1, 1, 2, 3, L"d")}, {S(L"2A"), I(2), S(L"abc"), R(2), R(3), S(L"d")}),
      Points({Point(L"1A", 1, 1, 2, 3, L"d")}, {S(L"2A"), I(2), R(1), R(2), Variant::null(), S(L"d")}),
      Points({Point(L"1A", 1, 1, 2, 3, L"d")}, {S(L"2A"), I(2), R(1), R(2), R(3), Variant::other()}),
      Points({Point(L"1A", 1, 1, 2, 3, L"d")}, {Variant::array({S(L"x")}), I(2), R(1), R(2), R(3), S(L"d")}),
      Points({Point(L"1A", 1, 1, 2, 3, L"d")}, {S(L"2A"), S(L"99999999999"), R(1), R(2), R(3), S(L"d")}),
      Points({Point(L"1A", 1, 1, 2, 3, L"d")}, {S(L"2A"), R(1e12), R(1), R(2), R(3), S(L"d")}),
      Points({Point(L"1A", 1, 1, 2, 3, L"d")}, {S(L"2A"), I(2), S(L"1e999"), R(2), R(3), S(L"d")}),
  };
  for (std::size_t c = 0; c < cases.size(); ++c) {
    std::wstring expected = L"(no error)", got = L"(no error)";
    try {
      TDesPoints set;
      set.Init(VariantExchangeArray(cases[c], L"AXPoints"));
    } catch (const Error& e) {
      expected = e.message();
    }
    VariantExchangeArray a(cases[c], L"AXPoints");
    TPointsView view;
    view.Open(VariantExchangeArray(good, L"AXPoints"));
    try {
      view.Open(a);
    } catch (const Error& e) {
      got = e.message();
    }
    EXPECT_NE(expected, L"(no error)") << c;
    EXPECT_EQ(got, expected) << c;
    EXPECT_EQ(view.Count(), 0u) << c;
  }
}

// Elements of every kind the host may use read as the set reads them;
// elements past the last whole point are ignored.
TEST(TPointsView, ReadsPointsAsTheSetDoes) {
  const Variant v = Points({Point(L"1A", 10, 1.5, 2.5, 3.5, L"borne"),
                            {S(L"1B"), S(L" 11 "), S(L"4"), I(5), Variant::r4(6.5f), I(42)}},
                           {S(L"ignored")});
  VariantExchangeArray a(v, L"AXPoints");
  TDesPoints set;
  set.Init(a);
  TPointsView view;
  view.Open(a);
  ASSERT_EQ(view.Count(), set.Count());
  for (std::size_t i = 0; i < set.Count(); ++i) {
    const TUnPoint p = view.Point(i), q = set.Items[i];
    EXPECT_EQ(p.HD, q.HD);
    EXPECT_EQ(p.Numero, q.Numero);
    EXPECT_EQ(p.Desc, q.Desc);
    EXPECT_EQ(p.DescOrg, q.DescOrg);
    EXPECT_EQ(p.x, q.x);
    EXPECT_EQ(p.y, q.y);
    EXPECT_EQ(p.z, q.z);
    EXPECT_EQ(p.xOrg, q.xOrg);
    EXPECT_EQ(p.zOrg, q.zOrg);
    EXPECT_FALSE(p.Modifie);
  }
  EXPECT_THROW(view.Numero(2), Error);
  const Variant empty = Variant::array(std::vector<Variant>{});
  view.Open(VariantExchangeArray(empty));
  EXPECT_EQ(view.Count(), 0u);
}

// The overlay: a commit whose text was not changed stores the value but
// keeps Modifie; a change back to the value at load clears it; resets and
// Restore put points back exactly; the count follows.
TEST(TPointsView, OverlayKeepsChangesAndTheirMark) {
  const Variant v = Points({Point(L"A", 1, 10.123, 20, 30, L"a"), Point(L"B", 2, 11, 21, 31, L"b"),
                            Point(L"C", 3, 12, 22, 32, L"c")});
  VariantExchangeArray a(v, L"AXPoints");
  TPointsView view;
  view.Open(a);

  view.SetCoordinate(0, TPointsView::X, 10.12, false);  // the shown text, committed unchanged
  EXPECT_EQ(view.Coordinate(0, TPointsView::X), 10.12);
  EXPECT_EQ(view.Original(0, TPointsView::X), 10.123);
  EXPECT_FALSE(view.Modifie(0));
  EXPECT_EQ(view.ModifiedCount(), 0u);
  view.SetCoordinate(0, TPointsView::Y, 25, true);
  EXPECT_TRUE(view.Modifie(0));
  view.SetCoordinate(0, TPointsView::Y, 20, true);  // Y back, but X still differs
  EXPECT_TRUE(view.Modifie(0));

  const TPointsView::PointState before = view.State(2);
  view.SetCoordinate(2, TPointsView::Z, 40, true);
  EXPECT_EQ(view.ModifiedCount(), 2u);
  EXPECT_EQ(view.EditedPoints(), (std::vector<std::size_t>{0, 2}));
  const TPointsView::PointState after = view.State(2);
  view.Restore(2, before);
  EXPECT_EQ(view.Coordinate(2, TPointsView::Z), 32);
  EXPECT_FALSE(view.Modifie(2));
  EXPECT_EQ(view.EditedPoints(), (std::vector<std::size_t>{0}));
  view.Restore(2, after);
  EXPECT_TRUE(view.Modifie(2));
  EXPECT_EQ(view.Coordinate(2, TPointsView::Z), 40);

  view.Reset(0);
  EXPECT_EQ(view.Coordinate(0, TPointsView::X), 10.123);
  EXPECT_FALSE(view.Modifie(0));
  EXPECT_EQ(view.ModifiedCount(), 1u);
  view.SetCoordinate(1, TPointsView::X, 0, true);
  view.ResetAll();
  EXPECT_EQ(view.ModifiedCount(), 0u);
  EXPECT_TRUE(view.EditedPoints().empty());
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(view.Coordinate(i, TPointsView::Z), 30.0 + double(i)) << i;
}

// Write-back: the modified points only, in model order whatever the order
// of the changes, with their identity from the array; then the view lets
// go of the array it replaced.
TEST(TPointsView, WritesBackTheModifiedPointsInModelOrder) {
  VariantExchange x;
  x.value(Slot::AXPoints) =
      Points({Point(L"A", 1, 1, 2, 3, L"a"), Point(L"B", 2, 4, 5, 6, L"b"), Point(L"C", 3, 7, 8, 9, L"c")});
  TPointsView view;
  view.Open(x.get(Slot::AXPoints));
  view.SetCoordinate(2, TPointsView::Y, 80.5, true);
  view.SetCoordinate(1, TPointsView::X, 4, false);  // unchanged text: not sent
  view.SetCoordinate(0, TPointsView::Z, 30, true);
  view.WriteBack(x, Slot::AXPoints);
  EXPECT_EQ(view.Count(), 0u);
  const auto& out = x.value(Slot::AXPoints).arrayValue().elements;
  ASSERT_EQ(out.size(), 12u);
  const std::vector<std::wstring> texts = {L"A", L"1", L"1", L"2", L"30", L"a", L"C", L"3", L"7", L"80.5", L"9", L"c"};
  const VarKind kinds[6] = {VarKind::String, VarKind::I4, VarKind::R8, VarKind::R8, VarKind::R8, VarKind::String};
  for (std::size_t i = 0; i < out.size(); ++i) {
    EXPECT_EQ(out[i].kind(), kinds[i % 6]) << i;
    EXPECT_EQ(VariantToText(out[i]), texts[i]) << i;
  }

  view.Open(x.get(Slot::AXPoints));
  view.WriteBack(x, Slot::AXPoints);  // nothing modified: an empty array
  EXPECT_TRUE(x.value(Slot::AXPoints).arrayValue().elements.empty());
}

}  // namespace
}  // namespace topaline
