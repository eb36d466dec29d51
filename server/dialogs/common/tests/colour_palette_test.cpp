#include "server/dialogs/common/colour_palette.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace topaline {
namespace {

TEST(ColourPalette, FixedEntriesAndTheRuleMatchTheCheckRows) {
  struct Row {
    int n, r, g, b;
  };
  const Row rows[] = {
      {0, 0, 0, 0},        {1, 255, 0, 0},      {7, 255, 255, 255},  {8, 128, 128, 128}, {9, 192, 192, 192},
      {10, 255, 0, 0},     {11, 255, 127, 127}, {20, 255, 63, 0},    {21, 255, 159, 127}, {25, 153, 95, 76},
      {30, 255, 127, 0},   {60, 191, 255, 0},   {130, 0, 255, 255},  {210, 255, 0, 255}, {249, 76, 38, 47},
      {250, 51, 51, 51},   {254, 214, 214, 214}, {255, 255, 255, 255}, {256, 256, 256, 256},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.n);
    EXPECT_EQ(AcadPalette()[row.n], (AcadRgb{row.r, row.g, row.b}));
    EXPECT_EQ(GetAcadRgb(row.n), (TResultatCouleur{row.n, row.r, row.g, row.b}));
  }
  // Every rule colour is a valid component triple.
  for (int n = 10; n <= 249; ++n)
    for (int v : {AcadPalette()[n].r, AcadPalette()[n].g, AcadPalette()[n].b}) EXPECT_TRUE(v >= 0 && v <= 255) << n;
}

// Every entry from 10 to 249 against the palette rule, worked out
// here step by step as the rule reads (fractions and floor), so that
// all six hue sectors, all five shades and both halves are checked.
TEST(ColourPalette, EveryRuleEntryFollowsTheRule) {
  const int brightness[5] = {255, 204, 153, 127, 76};
  int sectors[6] = {};
  for (int n = 10; n <= 249; ++n) {
    const int h = n / 10 - 1;
    const int s = h / 4;
    const double f = (h % 4) / 4.0;
    const int v = brightness[(n % 10) / 2];
    const int l = n % 2 == 0 ? 0 : v / 2;
    const int u = static_cast<int>(std::floor(l + (v - l) * f));
    const int d = static_cast<int>(std::floor(l + (v - l) * (1 - f)));
    AcadRgb expected;
    switch (s) {
      case 0: expected = {v, u, l}; break;
      case 1: expected = {d, v, l}; break;
      case 2: expected = {l, v, u}; break;
      case 3: expected = {l, d, v}; break;
      case 4: expected = {u, l, v}; break;
      default: expected = {v, l, d}; break;
    }
    ++sectors[s];
    EXPECT_EQ(AcadPalette()[n], expected) << n;
    EXPECT_EQ(GetAcadRgb(n), (TResultatCouleur{n, expected.r, expected.g, expected.b})) << n;
  }
  for (int count : sectors) EXPECT_EQ(count, 40) << "four hues of ten numbers per sector";
  // A few rows of sectors 2 and 4 worked out by hand.
  EXPECT_EQ(AcadPalette()[90], (AcadRgb{0, 255, 0}));
  EXPECT_EQ(AcadPalette()[110], (AcadRgb{0, 255, 127}));
  EXPECT_EQ(AcadPalette()[121], (AcadRgb{127, 255, 223}));
  EXPECT_EQ(AcadPalette()[170], (AcadRgb{0, 0, 255}));
  EXPECT_EQ(AcadPalette()[190], (AcadRgb{127, 0, 255}));
  EXPECT_EQ(AcadPalette()[208], (AcadRgb{57, 0, 76}));
}

TEST(ColourPalette, PaintingUsesTheLowEightBitsAndNeverIndexesOutsideThePalette) {
  EXPECT_EQ(PaintColour(256), ui::clBlack);  // 256,256,256 -> black
  EXPECT_EQ(PaintColour(0), ui::clBlack);
  EXPECT_EQ(PaintColour(11), ui::Rgb(255, 127, 127));
  for (int n : {-1, 257, 1000, -2147483647 - 1, 2147483647}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(PaintColour(n), ui::clBlack);
    EXPECT_EQ(GetAcadRgb(n), (TResultatCouleur{n, 0, 0, 0}));
  }
}

TEST(ColourNames, LanguagesAndTheEnglishFallback) {
  EXPECT_EQ(ColourNames::ForLanguage(L"fr").Entry(7), L"Blanc");
  EXPECT_EQ(ColourNames::ForLanguage(L"fr").ByLayer(), L"DuCalque");
  EXPECT_EQ(ColourNames::ForLanguage(L"fr").ByBlock(), L"DuBloc");
  for (const wchar_t* lg : {L"en", L"es", L"", L"de", L"FR"}) {
    SCOPED_TRACE(lg);
    const ColourNames names = ColourNames::ForLanguage(lg);
    EXPECT_EQ(names.Entry(3), L"Green");
    EXPECT_EQ(names.ByLayer(), L"ByLayer");
    EXPECT_EQ(names.ByBlock(), L"ByBlock");
  }
}

TEST(ColourNames, TextForANumber) {
  const ColourNames fr = ColourNames::ForLanguage(L"fr");
  EXPECT_EQ(fr.TextFor(0), L"DuCalque");
  EXPECT_EQ(fr.TextFor(256), L"DuBloc");
  EXPECT_EQ(fr.TextFor(1), L"Rouge");
  EXPECT_EQ(fr.TextFor(8), L"8");
  EXPECT_EQ(fr.TextFor(255), L"255");
  EXPECT_EQ(fr.TextFor(300), L"300");  // a hand-edited number is shown as it is
  EXPECT_EQ(fr.TextFor(-7), L"-7");
}

TEST(ColourParse, WhatEnterOrLeavingMakesOfTheText) {
  const ColourNames fr = ColourNames::ForLanguage(L"fr");
  struct Case {
    const wchar_t* typed;
    int number;
    const wchar_t* shown;
  };
  const Case cases[] = {
      {L"7", 7, L"Blanc"},
      {L"blanc", 0, L"DuCalque"},  // names match case-sensitively
      {L"Blanc", 7, L"Blanc"},
      {L"  Vert ", 3, L"Vert"},
      {L"DuBloc", 256, L"DuBloc"},
      {L"DuCalque", 0, L"DuCalque"},
      {L"300", 0, L"DuCalque"},
      {L"256", 256, L"DuBloc"},
      {L"0", 0, L"DuCalque"},
      {L"-5", 0, L"DuCalque"},
      {L"  42 ", 42, L"42"},
      {L"8", 8, L"8"},
      {L"255", 255, L"255"},
      {L"", 0, L"DuCalque"},
      {L"12a", 0, L"DuCalque"},
      {L"4.5", 0, L"DuCalque"},
      {L"99999999999", 0, L"DuCalque"},
      {L"Red", 0, L"DuCalque"},  // another language's name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const ParsedColour p = ParseColourText(fr, c.typed);
    EXPECT_EQ(p.number, c.number);
    EXPECT_EQ(p.text, c.shown);
  }
  EXPECT_EQ(ParseColourText(ColourNames::ForLanguage(L"en"), L"Green").number, 3);
}

TEST(ColourParse, OkAcceptsNamesInAnyCaseAndOneTo255) {
  const ColourNames fr = ColourNames::ForLanguage(L"fr");
  struct Case {
    const wchar_t* text;
    int named;  // the colour Ok takes, -1: refused
  };
  const Case cases[] = {
      {L"DuCalque", 0}, {L"dUbLoC", 256}, {L"BLANC", 7},  {L" rouge ", 1},    {L"1", 1},
      {L"255", 255},    {L"42", 42},      {L"0", -1},     {L"256", -1},       {L"", -1},
      {L"   ", -1},     {L"-3", -1},      {L"x", -1},     {L"ByLayer", -1},   {L"1.0", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ColourTextAccepted(fr, c.text), c.named >= 0);
    EXPECT_EQ(AcceptedColour(fr, c.text), c.named);
  }
  EXPECT_TRUE(ColourTextAccepted(ColourNames::ForLanguage(L"es"), L"bylayer"));
  EXPECT_EQ(ColourRefusedMessage(L"fr"), L"Nom ou valeur de couleur incorrect");
  for (const wchar_t* lg : {L"en", L"es", L""}) EXPECT_EQ(ColourRefusedMessage(lg), L"Incorrect name or value of the color");
}

TEST(ColourReadouts, NumberAndValuesOfAHoveredCell) {
  const ColourNames fr = ColourNames::ForLanguage(L"fr");
  struct Case {
    int n;
    const wchar_t* number;
    const wchar_t* rgb;
  };
  const Case cases[] = {
      {0, L"DuCalque", L"#,#,#"}, {256, L"DuBloc", L"#,#,#"}, {11, L"11", L"255,127,127"},
      {25, L"25", L"153,95,76"},  {1, L"1", L"255,0,0"},      {300, L"300", L"#,#,#"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    const ColourReadout r = HoverReadout(fr, c.n);
    EXPECT_EQ(r.number, c.number);
    EXPECT_EQ(r.rgb, c.rgb);
  }
}

TEST(PaletteCells, NumbersAndSquaresOfTheTwoGrids) {
  EXPECT_EQ(FullColourCell(1, 0), 18);
  EXPECT_EQ(FullColourCell(24, 0), 248);
  EXPECT_EQ(FullColourCell(1, 4), 10);
  EXPECT_EQ(FullColourCell(24, 4), 240);
  EXPECT_EQ(PaleColourCell(1, 0), 11);
  EXPECT_EQ(PaleColourCell(24, 0), 241);
  EXPECT_EQ(PaleColourCell(1, 4), 19);
  EXPECT_EQ(PaleColourCell(24, 4), 249);
  // Together the grids hold every number from 10 to 249 once.
  std::set<int> seen;
  for (int c = 1; c <= kPaletteColumns; ++c)
    for (int r = 0; r < kPaletteRows; ++r) {
      seen.insert(FullColourCell(c, r));
      seen.insert(PaleColourCell(c, r));
    }
  EXPECT_EQ(seen.size(), 240u);
  EXPECT_EQ(*seen.begin(), 10);
  EXPECT_EQ(*seen.rbegin(), 249);
  EXPECT_EQ(PaletteCellRect(1, 0), (ui::Rect{4, 5, 13, 13}));
  EXPECT_EQ(PaletteCellRect(24, 4), (ui::Rect{326, 61, 13, 13}));
}

}  // namespace
}  // namespace topaline
