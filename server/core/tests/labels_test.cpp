#include "server/core/labels.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"
#include "server/core/session.h"
#include "server/core/text_decode.h"

namespace topaline {
namespace {

using Fields = std::vector<std::wstring>;

TEST(SplitLabelFields, Rules) {
  struct Case { const wchar_t* line; Fields expected; };
  const Case cases[] = {
      {L"733,\"Valeur incorrecte\"", {L"733", L"Valeur incorrecte"}},
      {L"733, \"Texte\" , \"Bulle\"", {L"733", L"Texte", L"Bulle"}},
      {L"12,deux mots", {L"12", L"deux", L"mots"}},               // unquoted stops at a blank
      {L"12,trois mots ici", {L"12", L"trois", L"mots", L"ici"}},
      {L"5,\"dit \"\"oui\"\"\"", {L"5", L"dit \"oui\""}},         // doubled quotes
      {L"5,\"pas de fin", {L"5", L"pas de fin"}},                 // unterminated quote: to the end
      {L"5,\"a\"b", {L"5", L"a", L"b"}},                         // next field starts right after the quote
      {L"5,", {L"5", L""}},                                      // final comma adds an empty field
      {L"5,,x", {L"5", L"", L"x"}},
      {L"5 , x", {L"5", L"x"}},
      {L"5\tx", {L"5", L"x"}},                                   // tab separates like a blank
      {L"5,\"\"", {L"5", L""}},
      {L"5,a,b,", {L"5", L"a", L"b", L""}},
      {L"5,\"x,y\"", {L"5", L"x,y"}},
      {L"5;6", {L"5;6"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLabelFields(c.line), c.expected) << c.line;
}

TEST(TDesLabels, ReadsLabelsInOrder) {
  TDesLabels labels;
  labels.InitFromText(L"; comment\r\n"
                      L"\r\n"
                      L"   ; a comment after blanks\n"
                      L"733,\"Valeur incorrecte\"\r"
                      L"740, \"Continuer ?\", \"Bulle\"\n"
                      L"12,deux mots\n"
                      L"13,trois mots ici\n"
                      L"14,\"T\",\"H\",\"X\"\n"
                      L"733,\"second\"\n"
                      L"  \" 15 \",quinze",
                      L"x.lng");
  ASSERT_EQ(labels.Items.size(), 7u);
  EXPECT_EQ(labels.Items[0].Id, 733);
  EXPECT_EQ(labels.Items[1].HintTexte, L"Bulle");
  EXPECT_EQ(labels.Items[2].Texte, L"deux");
  EXPECT_EQ(labels.Items[2].HintTexte, L"mots");
  EXPECT_EQ(labels.Items[3].Texte, L"trois");
  EXPECT_EQ(labels.Items[3].HintTexte, L"");  // four fields: no hint
  EXPECT_EQ(labels.Items[4].HintTexte, L"");
  EXPECT_EQ(labels.Items[6].Id, 15);           // field 1 trimmed
  EXPECT_EQ(labels.Find(733)->Texte, L"Valeur incorrecte");  // the first of two
  EXPECT_EQ(labels.Find(1), nullptr);
}

TEST(TDesLabels, MalformedLinesNameFileAndLine) {
  struct Case { const wchar_t* text; const wchar_t* message; };
  const Case cases[] = {
      {L"1,\"a\"\n\nabc,\"b\"", L"The labels file \"C:\\p\\language.lng\", line 3: \"abc\" is not a label number."},
      {L"1,\"a\"\n2", L"The labels file \"C:\\p\\language.lng\", line 2: label 2 has no text."},
      {L"12.5,x", L"The labels file \"C:\\p\\language.lng\", line 1: \"12.5\" is not a label number."},
      {L",x", L"The labels file \"C:\\p\\language.lng\", line 1: \"\" is not a label number."},
  };
  for (const auto& c : cases) {
    TDesLabels labels;
    try {
      labels.InitFromText(c.text, L"C:\\p\\language.lng");
      ADD_FAILURE() << "no error for " << c.text;
    } catch (const Error& e) {
      EXPECT_EQ(e.message(), c.message);
    }
  }
}

std::vector<std::uint8_t> Bytes(std::initializer_list<int> b) { return std::vector<std::uint8_t>(b.begin(), b.end()); }

TEST(DecodeText, Encodings) {
  HeadlessFileSystem fs;
  const std::wstring expected = L"1,\"é€\"";
  // UTF-8 with BOM
  EXPECT_EQ(DecodeText(Bytes({0xEF, 0xBB, 0xBF, '1', ',', '"', 0xC3, 0xA9, 0xE2, 0x82, 0xAC, '"'}), fs), expected);
  // UTF-16 LE and BE with BOM
  EXPECT_EQ(DecodeText(Bytes({0xFF, 0xFE, '1', 0, ',', 0, '"', 0, 0xE9, 0, 0xAC, 0x20, '"', 0}), fs), expected);
  EXPECT_EQ(DecodeText(Bytes({0xFE, 0xFF, 0, '1', 0, ',', 0, '"', 0, 0xE9, 0x20, 0xAC, 0, '"'}), fs), expected);
  // No BOM: the ANSI code page (Windows-1252 headless)
  EXPECT_EQ(DecodeText(Bytes({'1', ',', '"', 0xE9, 0x80, '"'}), fs), expected);
  // A character beyond the BMP survives both ways.
  std::wstring clef = DecodeText(Bytes({0xEF, 0xBB, 0xBF, 0xF0, 0x9D, 0x84, 0x9E}), fs);
  std::wstring clef16 = DecodeText(Bytes({0xFF, 0xFE, 0x34, 0xD8, 0x1E, 0xDD}), fs);
  EXPECT_EQ(clef, clef16);
  EXPECT_EQ(clef.size(), sizeof(wchar_t) == 2 ? 2u : 1u);
  // Malformed sequences become U+FFFD, the rest stays.
  EXPECT_EQ(DecodeUtf8(Bytes({'a', 0xC3, 'b', 0xFF, 0xE2, 0x82}).data(), 6), L"a\xFFFD" L"b\xFFFD\xFFFD");
  EXPECT_EQ(DecodeUtf16(Bytes({'a', 0, 0x00, 0xDC, 'b'}).data(), 5, false), L"a\xFFFD\xFFFD");
}

TEST(SplitLines, AllLineEnds) {
  auto lines = SplitLines(L"a\r\nb\nc\rd\r\n\r\ne");
  std::vector<std::wstring> got(lines.begin(), lines.end());
  EXPECT_EQ(got, (std::vector<std::wstring>{L"a", L"b", L"c", L"d", L"", L"e"}));
  EXPECT_EQ(SplitLines(L"a\n").size(), 1u);
  EXPECT_TRUE(SplitLines(L"").empty());
}

struct LabelsFixture : ::testing::Test {
  HeadlessPlatform hp;
  VariantExchange x;
  Session session{hp.platform, x};
};

TEST_F(LabelsFixture, InitFromFileAndMissingFile) {
  hp.files.addFile(L"C:\\Prog\\language.lng", std::string("\xEF\xBB\xBF" "740,\"Voulez-vous continuer ?\"\r\n"));
  TDesLabels labels;
  labels.Init(L"C:\\Prog\\language.lng", hp.platform);
  EXPECT_EQ(LabelText(labels, 740), L"Voulez-vous continuer ?");
  EXPECT_TRUE(hp.system.boxes.empty());

  try {
    labels.Init(L"\\language.lng", hp.platform);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.message().rfind(L"The labels file \"\\language.lng\" could not be read.", 0), 0u) << e.message();
  }
  hp.files.addUnreadableFile(L"C:\\Locked\\language.lng");
  EXPECT_THROW(labels.Init(L"C:\\Locked\\language.lng", hp.platform), Error);
}

TEST_F(LabelsFixture, MissingLabelShowsThePlainBoxOnce) {
  hp.files.addFile(L"C:\\P\\language.lng", std::string("1,\"un\"\n"));
  // No form runner, so no dialog open: the box is owned by the active
  // window (with dialogs open, by the innermost one: colour_picker_test).
  hp.system.active = 55;
  session.Labels.Init(L"C:\\P\\language.lng", hp.platform);
  EXPECT_EQ(session.Labels.Get(999), nullptr);
  ASSERT_EQ(hp.system.boxes.size(), 1u);
  const auto& box = hp.system.boxes[0];
  EXPECT_EQ(box.text, L"label non trouvé 999");
  EXPECT_EQ(box.buttons, SystemUi::Buttons::Ok);
  EXPECT_EQ(box.icon, SystemUi::Icon::None);
  EXPECT_EQ(box.owner, 55u);
  EXPECT_EQ(LabelText(session, 998), L"[998]");
  EXPECT_EQ(hp.system.boxes.size(), 2u);
  EXPECT_EQ(LabelText(session, 1), L"un");
  EXPECT_EQ(hp.system.boxes.size(), 2u);
}

TEST_F(LabelsFixture, ShowHelpStartsTheViewerByFullPath) {
  hp.files.windowsDir = L"C:\\windows";
  session.HelpFile = L"C:\\Topaline\\topaline3.chm";
  ShowHelp(session, L"tlimportfic");
  ASSERT_EQ(hp.shell.launches.size(), 1u);
  EXPECT_EQ(hp.shell.launches[0].program, L"C:\\windows\\hh.exe");
  EXPECT_EQ(hp.shell.launches[0].parameters, L"C:\\Topaline\\topaline3.chm::/tlimportfic.htm");

  session.HelpFile = L"C:\\Program Files\\Topaline\\topaline3.chm";
  ShowHelp(session, L"tlgerer");
  EXPECT_EQ(hp.shell.launches[1].parameters, L"C:\\Program Files\\Topaline\\topaline3.chm::/tlgerer.htm");
}

}  // namespace
}  // namespace topaline
