#include <gtest/gtest.h>

#include <limits>

#include "entry/entry_logic.h"
#include "entry/settings.h"
#include "entry/tests/fakes.h"

namespace topaline {
namespace {

TEST(IsValidEntry, NumbersTable) {
  const struct {
    const wchar_t* text;
    bool valid;
  } cases[] = {
      {L"12", true},   {L"1,5", true},  {L"12-3", true}, {L"1--2", true}, {L"7", true},
      {L"-12", false}, {L"12,", false}, {L"A12", false}, {L"1 2", false}, {L"", false},
      {L",5", false},  {L"3-", false},  {L"-", false},   {L"12.5", false}, {L"١٢", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsValidEntry(c.text), c.valid) << std::wstring(c.text).size();
}

TEST(IsValidEntry, DigitsOnlyWithoutEdgeTests) {
  EXPECT_TRUE(IsValidEntry(L"0042", false, kDigitChars));
  EXPECT_FALSE(IsValidEntry(L"-2", false, kDigitChars));
  EXPECT_FALSE(IsValidEntry(L"1,5", false, kDigitChars));
  EXPECT_FALSE(IsValidEntry(L"", false, kDigitChars));
  // With the edge tests off, a leading minus passes the number character set.
  EXPECT_TRUE(IsValidEntry(L"-2", false));
}

TEST(TrimBlanks, RemovesBlanksAndControlCharactersAtBothEndsOnly) {
  EXPECT_EQ(TrimBlanks(L"  7 \t"), L"7");
  EXPECT_EQ(TrimBlanks(L"\r\n1 2\n"), L"1 2");
  EXPECT_EQ(TrimBlanks(L"   "), L"");
}

TEST(NumberHistory, KeepsFirstSendOrderWithoutDuplicates) {
  NumberHistory h;
  EXPECT_TRUE(h.add(L"12"));
  EXPECT_TRUE(h.add(L"3,5"));
  EXPECT_FALSE(h.add(L"12"));
  EXPECT_TRUE(h.add(L"012"));
  EXPECT_EQ(h.items(), (std::vector<std::wstring>{L"12", L"3,5", L"012"}));
}

TEST(Increment, KeyReleaseBeepsOnNonDigits) {
  EXPECT_FALSE(IncrementNeedsBeep(L""));
  EXPECT_FALSE(IncrementNeedsBeep(L"  "));
  EXPECT_FALSE(IncrementNeedsBeep(L" 15 "));
  EXPECT_TRUE(IncrementNeedsBeep(L"-2"));
  EXPECT_TRUE(IncrementNeedsBeep(L"+4"));
  EXPECT_TRUE(IncrementNeedsBeep(L"a"));
}

TEST(Increment, LeavingTable) {
  const struct {
    const wchar_t* typed;
    const wchar_t* shown;
    bool store;
    bool beep;
  } cases[] = {
      {L"5", L"5", true, false},        {L" 5  ", L"5", true, false},     {L"-2", L"-2", true, false},
      {L"+4", L"+4", true, false},      {L"007", L"007", true, false},    {L"", L"", false, false},
      {L"   ", L"", false, false},      {L"0", L"1", false, true},        {L"-0", L"1", false, true},
      {L"abc", L"1", false, true},      {L"1,5", L"1", false, true},      {L"+", L"1", false, true},
      {L"99999999999", L"1", false, true}, {L"2147483647", L"2147483647", true, false},
      {L"-2147483648", L"-2147483648", true, false}, {L"2147483648", L"1", false, true},
  };
  for (const auto& c : cases) {
    const IncrementExit e = LeaveIncrement(c.typed);
    EXPECT_EQ(e.text, c.shown) << c.typed;
    EXPECT_EQ(e.store, c.store) << c.typed;
    EXPECT_EQ(e.beep, c.beep) << c.typed;
  }
}

TEST(ParseTargetHandle, Table) {
  using A = std::vector<std::wstring>;
  EXPECT_EQ(ParseTargetHandle(A{L"65552"}), WindowHandle(65552));
  EXPECT_EQ(ParseTargetHandle(A{L"65552", L"ignored"}), WindowHandle(65552));
  EXPECT_EQ(ParseTargetHandle(A{L" 131 "}), WindowHandle(131));
  EXPECT_EQ(ParseTargetHandle(A{L"-2"}), WindowHandle(0) - 2);
  EXPECT_EQ(ParseTargetHandle(A{}), std::nullopt);
  EXPECT_EQ(ParseTargetHandle(A{L""}), std::nullopt);
  EXPECT_EQ(ParseTargetHandle(A{L"0"}), std::nullopt);
  EXPECT_EQ(ParseTargetHandle(A{L"12ab"}), std::nullopt);
  EXPECT_EQ(ParseTargetHandle(A{L"0x10"}), std::nullopt);
  EXPECT_EQ(ParseTargetHandle(A{L"-"}), std::nullopt);
  EXPECT_EQ(ParseTargetHandle(A{L"99999999999999999999999"}), std::nullopt);
}

TEST(KeepOnScreen, MovesTheWindowBackOntoTheWorkArea) {
  const ScreenRect area{0, 0, 1024, 768};
  const auto at = [&](int l, int t) { return KeepOnScreen({l, t, l + 275, t + 75}, area); };
  EXPECT_EQ(at(592, 197).left, 592);
  EXPECT_EQ(at(592, 197).top, 197);
  EXPECT_EQ(at(5000, 5000).left, 1024 - 275);
  EXPECT_EQ(at(5000, 5000).top, 768 - 75);
  EXPECT_EQ(at(-300, -20).left, 0);
  EXPECT_EQ(at(-300, -20).top, 0);
  // Too large for the area: the top-left corner stays visible.
  const ScreenRect big = KeepOnScreen({100, 100, 2100, 1100}, area);
  EXPECT_EQ(big.left, 0);
  EXPECT_EQ(big.top, 0);
  EXPECT_EQ(big.width(), 2000);
}

// A stored position is any 32-bit number: the window still comes back
// onto the area, never placed by an edge that overflowed.
TEST(PlaceOnScreen, AnyStoredCornerGivesAPlaceOnTheArea) {
  const ScreenRect area{-1920, 0, 1024, 768};
  constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
  struct Case { int x, y, left, top; } cases[] = {
      {592, 197, 592, 197},        {kMax - 47, kMax - 47, 1024 - 275, 768 - 75},
      {kMax, kMin, 1024 - 275, 0}, {kMin, kMax, -1920, 768 - 75},
      {-2000, -5, -1920, 0},
  };
  for (const Case& c : cases) {
    const ScreenRect r = PlaceOnScreen({c.x, c.y}, 275, 75, area);
    EXPECT_EQ(r.left, c.left) << c.x;
    EXPECT_EQ(r.top, c.top) << c.y;
    EXPECT_EQ(r.width(), 275);
    EXPECT_EQ(r.height(), 75);
  }
  // Larger than the area: its top-left corner is on it.
  const ScreenRect big = PlaceOnScreen({kMax, kMax}, 4000, 1000, area);
  EXPECT_EQ(big.left, -1920);
  EXPECT_EQ(big.top, 0);
}

TEST(PointInRect, EdgesIncluded) {
  const ScreenRect r{10, 20, 30, 40};
  EXPECT_TRUE(PointInRect({10, 20}, r));
  EXPECT_TRUE(PointInRect({30, 40}, r));
  EXPECT_FALSE(PointInRect({9, 25}, r));
  EXPECT_FALSE(PointInRect({15, 41}, r));
}

TEST(EntrySettings, DefaultsWhenMissingOrUnreadable) {
  test::FakeKey key;
  EntrySettings s = LoadEntrySettings(key);
  EXPECT_EQ(s.xpos, 592);
  EXPECT_EQ(s.ypos, 197);
  EXPECT_EQ(s.tempo, 10u);
  EXPECT_EQ(s.increment, L"");
  EXPECT_EQ(s.langue, L"");

  key.values[L"xpos"] = std::wstring(L"12");  // wrong type
  key.values[L"ypos"] = std::uint32_t(40);
  key.values[L"tempo"] = std::wstring(L"30");
  s = LoadEntrySettings(key);
  EXPECT_EQ(s.xpos, 592);
  EXPECT_EQ(s.ypos, 197);
  EXPECT_EQ(s.tempo, 10u);
}

TEST(EntrySettings, StoredValues) {
  test::FakeKey key;
  key.values[L"xpos"] = std::uint32_t(-1280);  // a monitor left of the main one
  key.values[L"ypos"] = std::uint32_t(33);
  key.values[L"tempo"] = std::uint32_t(0);
  key.values[L"increment"] = std::wstring(L"-2");
  key.values[L"langue"] = std::wstring(L"en");
  EntrySettings s = LoadEntrySettings(key);
  EXPECT_EQ(s.xpos, -1280);
  EXPECT_EQ(s.ypos, 33);
  EXPECT_EQ(s.tempo, 0u);
  EXPECT_EQ(s.increment, L"-2");
  EXPECT_EQ(s.langue, L"en");

  key.values[L"tempo"] = std::uint32_t(60000);  // never a minute per key
  EXPECT_EQ(LoadEntrySettings(key).tempo, 100u);

  SaveEntryPosition(key, -5, 700);
  EXPECT_EQ(std::get<std::uint32_t>(key.values[L"xpos"]), std::uint32_t(-5));
  EXPECT_EQ(std::get<std::uint32_t>(key.values[L"ypos"]), 700u);
}

TEST(EntryTexts, EnglishOnlyForEn) {
  EXPECT_EQ(TextsFor(L"en").incrementHint, L"Increment value");
  EXPECT_EQ(TextsFor(L"en").delayHint, L"Adjust temporization");
  EXPECT_EQ(TextsFor(L"en").delayCaption, L"Adjust temporization");
  EXPECT_EQ(TextsFor(L"en").closeButton, L"Close");
  for (const wchar_t* lang : {L"fr", L"es", L"", L"EN"}) {
    const EntryTexts t = TextsFor(lang);
    EXPECT_EQ(t.incrementHint, L"Valeur d'incrément");
    EXPECT_EQ(t.delayHint, L"");
    EXPECT_EQ(t.delayCaption, L" Réglage de la temporisation");
    EXPECT_EQ(t.closeButton, L"Fermer");
  }
  EXPECT_NE(NotAWindowMessage(TextsFor(L"en"), L"4242").find(L"4242"), std::wstring::npos);
}

// The names screen readers read come in the three languages (French for
// any other code); the texts shown stay as they were for Spanish.
TEST(EntryTexts, ScreenReaderNamesInEachLanguage) {
  const struct {
    const wchar_t* lang;
    const wchar_t* number;
    const wchar_t* delay;
  } cases[] = {{L"fr", L"Numéro du point", L"Temporisation"},
               {L"", L"Numéro du point", L"Temporisation"},
               {L"en", L"Point number", L"Typing delay"},
               {L"es", L"Número del punto", L"Retardo de escritura"}};
  for (const auto& c : cases) {
    const EntryTexts t = TextsFor(c.lang);
    EXPECT_EQ(t.numberName, c.number);
    EXPECT_EQ(t.delayName, c.delay);
    EXPECT_FALSE(t.incrementName.empty() || t.validateName.empty());
  }
  EXPECT_NE(TextsFor(L"es").validateName, TextsFor(L"fr").validateName);
}

}  // namespace
}  // namespace topaline
