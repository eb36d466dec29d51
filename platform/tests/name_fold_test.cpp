#include "platform/name_fold.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"

namespace topaline {
namespace {

// Pairs the registry holds as one name, and pairs it keeps apart.
TEST(NameFold, FoldsAsTheRegistryFoldsValueNames) {
  struct Case {
    const wchar_t* a;
    const wchar_t* b;
    bool same;
  };
  const Case cases[] = {
      {L"Alpha", L"aLPHA", true},
      {L"Écran", L"écran", true},
      {L"Œuvre", L"œuvre", true},     // beyond Latin-1
      {L"Ÿacht", L"ÿacht", true},     // ÿ is in Latin-1, its capital is not
      {L"ΩΣ", L"ωσ", true},           // Greek
      {L"ΣΟΦΟΣ", L"σοφος", true},     // the final sigma folds too
      {L"Яблоко", L"яблоко", true},   // Cyrillic
      {L"µ", L"Μ", true},             // the micro sign is a Greek mu
      {L"ſ", L"S", true},             // long s
      {L"ǆ", L"ǅ", true},             // a title-case letter
      {L"ⓐ", L"Ⓐ", true},             // a circled letter
      {L"ａ", L"Ａ", true},           // full width
      {L"ß", L"SS", false},           // no simple capital: only itself
      {L"ß", L"ẞ", false},
      {L"k", L"\u212A", false},       // the Kelvin sign has a small letter but no capital mapping
      {L"i", L"İ", false},
      {L"Alpha", L"Alph", false},
      {L"a_b", L"a^b", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SameName(c.a, c.b), c.same) << static_cast<unsigned>(c.a[0]) << " / " << static_cast<unsigned>(c.b[0]);
    EXPECT_EQ(FoldName(c.a) == FoldName(c.b), c.same);
  }
  EXPECT_EQ(FoldName(L"œuvre ωmega"), L"ŒUVRE ΩMEGA");
}

TEST(NameFold, OrdersWithoutRegardToCaseSignsBeforeLetters) {
  EXPECT_TRUE(NameLess(L"alpha", L"Beta"));
  EXPECT_TRUE(NameLess(L"_x", L"a"));
  EXPECT_TRUE(NameLess(L"Zeta", L"écran"));
  EXPECT_TRUE(NameLess(L"œuvre", L"Ωmega"));
  EXPECT_FALSE(NameLess(L"Ωmega", L"ωMEGA"));
  EXPECT_FALSE(NameLess(L"ωMEGA", L"Ωmega"));
}

// The headless registry holds names the way the real one does: a write
// under another case of a name reaches the same value and keeps its name.
TEST(HeadlessRegistryNames, ValueNamesFoldOverUnicode) {
  HeadlessRegistry registry;
  auto key = registry.open(L"Software\\Test", true);
  key->writeString(L"Ωmega", L"1");
  key->writeString(L"ωMEGA", L"2");
  key->writeString(L"Яблоко", L"3");
  EXPECT_EQ(key->valueNames(), (std::vector<std::wstring>{L"Ωmega", L"Яблоко"}));
  EXPECT_EQ(key->readString(L"ΩMEGA"), L"2");
  key->deleteValue(L"яблоко");
  EXPECT_FALSE(key->hasValue(L"Яблоко"));
  EXPECT_TRUE(registry.open(L"SOFTWARE\\test", false) != nullptr);
}

}  // namespace
}  // namespace topaline
