#include "server/core/exchange_model.h"

#include <gtest/gtest.h>

#include <iterator>
#include <limits>

namespace topaline {
namespace {

Variant S(const wchar_t* s) { return Variant::string(s); }
Variant I(std::int32_t v) { return Variant::i4(v); }
Variant R(double v) { return Variant::r8(v); }

template <typename F>
std::wstring InitError(F init, const Variant& v) {
  try {
    VariantExchangeArray a(v);
    init(a);
  } catch (const Error& e) {
    return e.message();
  }
  return L"(no error)";
}

// ------------------------------------------------------------------ points

TEST(TDesPoints, ReadsWholeRecordsAndIgnoresTheRest) {
  std::vector<Variant> e = {S(L"1A"), I(10), R(1.5), R(2.5), R(3.5), S(L"borne"),
                            S(L"1B"), S(L"11"), S(L"4"), I(5), Variant::r4(6.5f), I(42),  // numbers as text and ints
                            S(L"ignored")};
  Variant v = Variant::array(e);
  TDesPoints pts;
  pts.Init(VariantExchangeArray(v));
  ASSERT_EQ(pts.Count(), 2u);
  const TUnPoint& p = pts.Items[0];
  EXPECT_EQ(p.HD, L"1A");
  EXPECT_EQ(p.Numero, 10);
  EXPECT_EQ(p.x, 1.5);
  EXPECT_EQ(p.z, 3.5);
  EXPECT_EQ(p.Desc, L"borne");
  EXPECT_EQ(p.DescOrg, L"borne");
  EXPECT_EQ(p.xOrg, 1.5);
  EXPECT_EQ(p.zOrg, 3.5);
  EXPECT_FALSE(p.Modifie);
  EXPECT_EQ(pts.Items[1].Numero, 11);
  EXPECT_EQ(pts.Items[1].x, 4);
  EXPECT_EQ(pts.Items[1].Desc, L"42");

  Variant none = Variant::array(std::vector<Variant>{});
  pts.Init(VariantExchangeArray(none));  // replaces
  EXPECT_EQ(pts.Count(), 0u);
  Variant five = Variant::array({S(L"a"), I(1), R(1), R(2), R(3)});
  pts.Init(VariantExchangeArray(five));
  EXPECT_EQ(pts.Count(), 0u);
}

TEST(TDesPoints, FailuresKeepTheCompletePointsReadBefore) {
  Variant v = Variant::array({S(L"1A"), I(1), R(1), R(2), R(3), S(L"d"),
                              S(L"1B"), I(2), S(L"abc"), R(2), R(3), S(L"d")});
  TDesPoints pts;
  try {
    pts.Init(VariantExchangeArray(v));
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), L"AXPoints, element 8: Could not convert \"abc\" to a number.");
  }
  ASSERT_EQ(pts.Count(), 1u);
  EXPECT_EQ(pts.Items[0].HD, L"1A");

  auto init = [](const ExchangeArray& a) { TDesPoints p; p.Init(a); };
  EXPECT_EQ(InitError(init, Variant()), L"The property AXPoints does not hold an array (invalid argument).");
  EXPECT_EQ(InitError(init, Variant::i4(3)), L"The property AXPoints does not hold an array (invalid argument).");
  // Lower bound 1: still read from index 0, which is missing.
  EXPECT_EQ(InitError(init, Variant::array({S(L"a"), I(1), R(1), R(2), R(3), S(L"d")}, 1)),
            L"The array AXPoints has no element at index 0 (bad index).");
  EXPECT_EQ(InitError(init, Variant::array({S(L"a"), I(1), R(1), R(2), R(3), Variant::null()})),
            L"AXPoints, element 5: Could not convert Null to text.");
}

TEST(TDesPoints, WritesOnlyModifiedPointsInOrder) {
  TDesPoints pts;
  pts.Items.resize(3);
  pts.Items[0].HD = L"A";
  pts.Items[1] = {7, L"B", L"new", L"old", 1.25, 2.5, 3.75, 0, 0, 0, true};
  pts.Items[2] = {8, L"C", L"c", L"c", 4, 5, 6, 0, 0, 0, true};
  auto out = pts.WriteModified();
  ASSERT_EQ(out.size(), 12u);
  EXPECT_EQ(out[0].kind(), VarKind::String);
  EXPECT_EQ(out[0].stringValue(), L"B");
  EXPECT_EQ(out[1].kind(), VarKind::I4);
  EXPECT_EQ(out[1].intValue(), 7);
  EXPECT_EQ(out[2].kind(), VarKind::R8);
  EXPECT_EQ(out[4].realValue(), 3.75);
  EXPECT_EQ(out[5].stringValue(), L"new");
  EXPECT_EQ(out[6].stringValue(), L"C");
  for (auto& p : pts.Items) p.Modifie = false;
  EXPECT_TRUE(pts.WriteModified().empty());
}

// Apply writes the points straight into the slot: the same array as the
// Variant list, and a writer that hands over another number of elements
// than it announced changes nothing.
TEST(TDesPoints, AppliedIntoTheSlotAsAnnounced) {
  TDesPoints pts;
  pts.Items.resize(2);
  pts.Items[0] = {7, L"B", L"new", L"old", 1.25, 2.5, 3.75, 0, 0, 0, true};
  pts.Items[1].HD = L"A";
  VariantExchange x;
  x.put(Slot::AXPoints, {Variant::string(L"before")});
  x.putElements(Slot::AXPoints, 6 * pts.ModifiedCount(), [&](ElementSink& s) { pts.WriteModified(s); });
  const ExchangeArray& a = x.get(Slot::AXPoints);
  ASSERT_EQ(a.upperBound(), 5);
  const auto list = pts.WriteModified();
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(a.at(i).kind(), list[i].kind()) << i;
    EXPECT_EQ(VariantToText(a.at(i)), VariantToText(list[i])) << i;
  }
  for (std::size_t announced : {std::size_t{5}, std::size_t{7}}) {
    EXPECT_THROW(x.putElements(Slot::AXPoints, announced, [&](ElementSink& s) { pts.WriteModified(s); }), Error)
        << announced;
    EXPECT_EQ(x.get(Slot::AXPoints).upperBound(), 5) << announced;
  }
}

// ------------------------------------------------------------------ groups

Variant Groups(std::int32_t current, std::vector<std::pair<std::int32_t, const wchar_t*>> groups) {
  std::vector<Variant> e = {I(current)};
  for (auto& [id, nom] : groups) {
    e.push_back(I(id));
    e.push_back(S(nom));
    e.push_back(S(L"desc"));
    e.push_back(I(3));
    e.push_back(I(100));
    e.push_back(I(102));
  }
  return Variant::array(e);
}

TEST(TDesGroupes, InitLastIdAndCurrent) {
  Variant v = Groups(9, {{4, L"a"}, {9, L"b"}, {2, L"c"}});
  TDesGroupes g;
  g.Init(VariantExchangeArray(v));
  ASSERT_EQ(g.Count(), 3u);
  EXPECT_EQ(g.IdCourant, 9);
  EXPECT_EQ(g.LastId, 10);
  EXPECT_EQ(g.At(1).Nom, L"b");
  EXPECT_EQ(g.At(1).Nbpoints, 3);
  EXPECT_EQ(g.At(1).lastpoint, 102);
  const TUnGroupe& added = g.Add();
  EXPECT_EQ(added.Id, 10);
  EXPECT_EQ(added.Desc, L"Description");
  EXPECT_EQ(added.Nbpoints, 0);
  EXPECT_EQ(g.LastId, 11);
  EXPECT_EQ(g.IdCourant, 9);  // unchanged on a non-empty set

  // Only element 0: no group, IdCourant 0 whatever element 0 holds.
  Variant only = Variant::array({S(L"not even a number")});
  g.Init(VariantExchangeArray(only));
  EXPECT_EQ(g.Count(), 0u);
  EXPECT_EQ(g.IdCourant, 0);
  EXPECT_EQ(g.LastId, 0);
  g.Add();
  EXPECT_EQ(g.IdCourant, 0);  // the first group becomes current
  EXPECT_EQ(g.LastId, 1);
  g.Add();
  EXPECT_EQ(g.IdCourant, 0);

  // Identifiers written as text by the group manager read back as integers.
  Variant text = Variant::array({S(L"7"), S(L"7"), S(L"n"), S(L"d"), I(0), I(0), I(0)});
  g.Init(VariantExchangeArray(text));
  EXPECT_EQ(g.IdCourant, 7);
  EXPECT_NE(g.Get(7), nullptr);
}

TEST(TDesGroupes, InitFailureKeepsGroupsReadBefore) {
  Variant v = Groups(1, {{1, L"a"}, {2, L"b"}});
  auto e = v.arrayValue().elements;
  e[10] = S(L"x");  // Nbpoints of the second group
  Variant bad = Variant::array(e);
  TDesGroupes g;
  try {
    g.Init(VariantExchangeArray(bad));
    FAIL();
  } catch (const Error& err) {
    EXPECT_EQ(err.message(), L"AXGroupes, element 10: Could not convert \"x\" to an integer.");
  }
  EXPECT_EQ(g.Count(), 1u);
  EXPECT_EQ(g.LastId, 2);
  EXPECT_TRUE(g.Exist(L"A"));
}

TEST(TDesGroupes, ExistAndNewNameFoldAsciiOnly) {
  Variant v = Groups(0, {{1, L"Nouveau groupe (1)"}, {2, L"NOUVEAU GROUPE (2)"}, {3, L"Équipe"}});
  TDesGroupes g;
  g.Init(VariantExchangeArray(v));
  EXPECT_EQ(g.NewName(), L"Nouveau groupe (3)");
  EXPECT_TRUE(g.Exist(L"nouveau GROUPE (2)"));
  EXPECT_TRUE(g.Exist(L"Équipe"));
  EXPECT_FALSE(g.Exist(L"équipe"));  // only ASCII letters fold
  EXPECT_FALSE(g.Exist(L"Nouveau groupe (3)"));
  EXPECT_FALSE(g.Exist(L"Nouveau groupe (2) "));

  TDesGroupes empty;
  EXPECT_FALSE(empty.Exist(L""));
  EXPECT_EQ(empty.NewName(), L"Nouveau groupe (1)");
}

TEST(TDesGroupes, NewNameFollowsRenamesDeletesAndOddNames) {
  // Names that look generated but are not: leading zero, no number, k = 0.
  Variant v = Groups(0, {{1, L"Nouveau groupe (01)"}, {2, L"Nouveau groupe ()"}, {3, L"Nouveau groupe (0)"},
                         {4, L"Nouveau groupe (2)"}});
  TDesGroupes g;
  g.Init(VariantExchangeArray(v));
  EXPECT_EQ(g.NewName(), L"Nouveau groupe (1)");
  EXPECT_EQ(g.Add().Nom, L"Nouveau groupe (1)");
  EXPECT_EQ(g.Add().Nom, L"Nouveau groupe (3)");
  EXPECT_TRUE(g.Rename(4, L"Rivière"));
  EXPECT_EQ(g.NewName(), L"Nouveau groupe (2)");
  EXPECT_TRUE(g.Rename(4, L"nouveau groupe (2)"));
  EXPECT_EQ(g.NewName(), L"Nouveau groupe (4)");
  g.Delete(5);  // "Nouveau groupe (1)"
  EXPECT_EQ(g.NewName(), L"Nouveau groupe (1)");
  EXPECT_FALSE(g.Rename(99, L"x"));
  // Two groups with the same folded name: the name stays taken until both go.
  EXPECT_TRUE(g.Rename(1, L"NOUVEAU groupe (3)"));
  g.Delete(6);
  EXPECT_TRUE(g.Exist(L"Nouveau groupe (3)"));
  g.Delete(1);
  EXPECT_FALSE(g.Exist(L"Nouveau groupe (3)"));
  EXPECT_EQ(g.NewName(), L"Nouveau groupe (1)");

  // Many additions keep finding fresh names.
  TDesGroupes many;
  for (int i = 0; i < 1000; ++i) many.Add();
  EXPECT_EQ(many.At(999).Nom, L"Nouveau groupe (1000)");
  EXPECT_EQ(many.NewName(), L"Nouveau groupe (1001)");
}

TEST(TDesGroupes, DeleteAndGet) {
  Variant v = Groups(2, {{1, L"a"}, {2, L"b"}, {3, L"c"}, {2, L"dup"}});
  TDesGroupes g;
  g.Init(VariantExchangeArray(v));
  EXPECT_EQ(g.Get(2)->Nom, L"b");  // the first with that Id
  EXPECT_EQ(g.Get(42), nullptr);
  g.Delete(42);
  EXPECT_EQ(g.Count(), 4u);
  g.Delete(2);  // the current group
  EXPECT_EQ(g.Count(), 3u);
  EXPECT_EQ(g.IdCourant, 2);
  EXPECT_EQ(g.LastId, 4);
  EXPECT_EQ(g.Get(2)->Nom, L"dup");
  EXPECT_EQ(*g.IndexOf(3), 1u);
  g.Delete(2);  // the last item
  EXPECT_EQ(g.Get(2), nullptr);
  EXPECT_EQ(g.At(0).Nom, L"a");
  EXPECT_EQ(g.At(1).Nom, L"c");
  EXPECT_TRUE(g.SetDesc(3, L"new"));
  EXPECT_TRUE(g.SetCounts(3, 5, 10, 14));
  EXPECT_EQ(g.Get(3)->Desc, L"new");
  EXPECT_EQ(g.Get(3)->lastpoint, 14);
}

TEST(TDesGroupes, IdentifiersDoNotWrapAtTheTopOfTheRange) {
  Variant v = Groups(0, {{std::numeric_limits<std::int32_t>::max(), L"top"}});
  TDesGroupes g;
  g.Init(VariantExchangeArray(v));
  EXPECT_EQ(g.LastId, std::numeric_limits<std::int32_t>::max());
  EXPECT_THROW(g.Add(), Error);
  EXPECT_EQ(g.Count(), 1u);
}

TEST(TDesGroupes, Writers) {
  Variant v = Groups(9, {{4, L"a"}, {9, L"b"}});
  TDesGroupes g;
  g.Init(VariantExchangeArray(v));
  auto out = g.WriteGroups();
  ASSERT_EQ(out.size(), 13u);
  EXPECT_EQ(out[0].kind(), VarKind::String);
  EXPECT_EQ(out[0].stringValue(), L"9");
  EXPECT_EQ(out[7].stringValue(), L"9");
  EXPECT_EQ(out[8].stringValue(), L"b");
  EXPECT_EQ(out[10].kind(), VarKind::I4);
  EXPECT_EQ(out[12].intValue(), 102);
  // Round trip through the reader.
  Variant back = Variant::array(out);
  TDesGroupes g2;
  g2.Init(VariantExchangeArray(back));
  EXPECT_EQ(g2.Count(), 2u);
  EXPECT_EQ(g2.IdCourant, 9);
  EXPECT_EQ(g2.LastId, 10);

  TDesGroupes empty;
  empty.IdCourant = 3;
  auto only = empty.WriteGroups();
  ASSERT_EQ(only.size(), 1u);
  EXPECT_EQ(only[0].stringValue(), L"3");

  auto sel = TDesGroupes::WriteSelection({9, 4});
  ASSERT_EQ(sel.size(), 2u);
  EXPECT_EQ(sel[0].kind(), VarKind::I4);
  EXPECT_EQ(sel[0].intValue(), 9);
  EXPECT_TRUE(TDesGroupes::WriteSelection({}).empty());
}

// ------------------------------------------------------------------ layers

TEST(TDesCalques, InitAndExactLookup) {
  Variant v = Variant::array({S(L"Points"), I(0), I(0), S(L"Murs"), I(-1), S(L"1"), S(L"extra")});
  TDesCalques c;
  c.Init(VariantExchangeArray(v));
  ASSERT_EQ(c.Items.size(), 2u);
  EXPECT_EQ(c.Items[1].Etat, -1);
  EXPECT_EQ(c.Items[1].Gele, 1);
  EXPECT_EQ(c.GetByName(L"Murs"), &c.Items[1]);
  EXPECT_EQ(c.GetByName(L"murs"), nullptr);
  EXPECT_EQ(c.GetByName(L"Murs "), nullptr);
  auto init = [](const ExchangeArray& a) { TDesCalques l; l.Init(a); };
  EXPECT_EQ(InitError(init, Variant::string(L"x")), L"The property AXCalques does not hold an array (invalid argument).");
}

// An empty array at either end of the index range holds nothing: its last
// index never wraps round to the other end (which asked the models for
// hundreds of millions of records).
TEST(ExchangeModels, EmptyArraysAtTheEndsOfTheRangeHoldNothing) {
  for (std::int32_t lower : {std::numeric_limits<std::int32_t>::min(), -1, 0, std::numeric_limits<std::int32_t>::max()}) {
    VariantArray a;
    a.bounds.push_back({lower, 0});
    const Variant v = Variant::array(std::move(a));
    VariantExchangeArray view(v);
    EXPECT_LE(std::int64_t(view.upperBound()), std::max<std::int64_t>(lower, std::int64_t(lower) - 1)) << lower;
    EXPECT_THROW(view.at(lower), Error) << lower;
    TDesPoints p;
    TDesGroupes g;
    TDesCalques c;
    if (lower <= 0) {
      p.Init(view);
      g.Init(view);
      c.Init(view);
    } else {  // one starting above 0 has no element 0
      EXPECT_THROW(p.Init(view), Error);
    }
    EXPECT_EQ(p.Count() + g.Count() + c.Items.size(), 0u) << lower;
  }
}

TEST(SharedLists, ByLanguage) {
  EXPECT_EQ(AttributeNames(L"fr"), (std::vector<std::wstring>{L"Numéro", L"Altitude", L"Description"}));
  EXPECT_EQ(AttributeNames(L"es"), (std::vector<std::wstring>{L"Number", L"Elevation", L"Description"}));
  EXPECT_EQ(AttributeNames(L"FR")[0], L"Number");  // codes compare exactly
  EXPECT_EQ(DuplicateChoices(L"fr")[1], L"Créer le point en gardant son numéro");
  EXPECT_EQ(DuplicateChoices(L"en")[2], L"Renumber the new point");
  EXPECT_EQ(DuplicateChoices(L"es"), DuplicateChoices(L"en"));
}

}  // namespace
}  // namespace topaline

// Ids in the table and in the hash answer alike: the first index of an Id
// stays, erasing and re-assigning work on both sides.
TEST(IdIndex, TableAndHashAnswerAlike) {
  topaline::IdIndex index;
  index.reserve(10);  // the table takes Ids 0 .. 1063
  const std::int32_t ids[] = {0, 5, 1063, 1064, -1, std::numeric_limits<std::int32_t>::min(),
                              std::numeric_limits<std::int32_t>::max(), 70000};
  for (std::size_t i = 0; i < std::size(ids); ++i) {
    index.emplace(ids[i], i);
    index.emplace(ids[i], 99);  // the first stays
  }
  for (std::size_t i = 0; i < std::size(ids); ++i) {
    SCOPED_TRACE(ids[i]);
    ASSERT_TRUE(index.find(ids[i]));
    EXPECT_EQ(*index.find(ids[i]), i);
    index.assign(ids[i], i + 10);
    EXPECT_EQ(*index.find(ids[i]), i + 10);
    index.erase(ids[i]);
    EXPECT_FALSE(index.find(ids[i]));
  }
  EXPECT_FALSE(index.find(6));
  index.emplace(3, 0);
  index.clear();
  EXPECT_FALSE(index.find(3));
}
