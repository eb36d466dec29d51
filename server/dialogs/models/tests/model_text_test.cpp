#include "server/dialogs/models/model_text.h"

#include <gtest/gtest.h>

namespace topaline {
namespace {

TEST(ModelTextTest, DefaultsRoundTrip) {
  const std::wstring text = DefaultModelText();
  EXPECT_EQ(text, L"1|points|1|numeros|0.000|1|altitude|0.000|2|0||0.000|0.000|1|1|1|1|");
  const ModelFields fields = SplitModelText(text);
  for (int i = 0; i < kModelFields; ++i) EXPECT_EQ(fields[i], DefaultFieldText(i)) << "field " << i;
  EXPECT_EQ(JoinModelText(fields), text);
}

TEST(ModelTextTest, MalformedTextsSplitIntoSeventeenFields) {
  struct Case { const wchar_t* text; int field; const wchar_t* expected; };
  const Case cases[] = {
      {L"", 0, L""},                      // nothing: every field empty
      {L"0|calque", 0, L"0"},             // the text after the last bar is dropped
      {L"0|calque", 1, L""},
      {L"0|calque|", 1, L"calque"},
      {L"0|calque|", 2, L""},
      {L"1|a|1|b|1|1|c|1|2|0||1|1|1|1|1|7|extra|", 16, L"7"},  // more than seventeen: the rest is ignored
      {L" 1 | x |", 1, L" x "},          // not trimmed
  };
  for (const Case& c : cases) EXPECT_EQ(SplitModelText(c.text)[c.field], c.expected) << c.field;
}

TEST(ModelTextTest, JoinNeverLetsABarShiftTheFields) {
  ModelFields fields = SplitModelText(DefaultModelText());
  fields[1] = L"a|b";
  const std::wstring text = JoinModelText(fields);
  EXPECT_EQ(SplitModelText(text)[1], L"ab");
  EXPECT_EQ(SplitModelText(text)[2], L"1");
  EXPECT_EQ(std::count(text.begin(), text.end(), L'|'), kModelFields);
}

TEST(ModelTextTest, IntegerFieldsThatAreNoIntegerReadAsTheirDefault) {
  using namespace model_field;
  struct Case { int field; const wchar_t* text; bool checked; };
  const Case checks[] = {
      {kTwoD, L"0", false}, {kTwoD, L"5", true}, {kTwoD, L"-1", true}, {kTwoD, L"oui", true}, {kTwoD, L"", true},
      {kDescription, L"", false}, {kDescription, L"x", false}, {kDescription, L"1", true},
      {kNumber, L"1.5", true}, {kNumber, L"99999999999999999999", true},
  };
  for (const Case& c : checks) EXPECT_EQ(FieldChecked(c.field, c.text), c.checked) << c.field;
  struct ColourCase { const wchar_t* text; int colour; };
  const ColourCase colours[] = {{L"0", 0}, {L"256", 256}, {L"7", 7}, {L"257", 1}, {L"-1", 1}, {L"rouge", 1}, {L"", 1}};
  for (const ColourCase& c : colours) EXPECT_EQ(FieldColour(13, c.text), c.colour) << c.text;
}

TEST(ModelTextTest, OnlyTheLayersOfCreatedAttributesAreRequired) {
  using namespace model_field;
  ModelFields fields = SplitModelText(DefaultModelText());
  EXPECT_TRUE(LayerRequired(fields, kPointLayer));
  EXPECT_TRUE(LayerRequired(fields, kNumberLayer));
  EXPECT_TRUE(LayerRequired(fields, kAltitudeLayer));
  EXPECT_FALSE(LayerRequired(fields, kDescriptionLayer)) << "the default model creates no description";
  fields[kDescription] = L"1";
  fields[kNumber] = L"0";
  fields[kTwoD] = L"0";
  EXPECT_TRUE(LayerRequired(fields, kDescriptionLayer));
  EXPECT_FALSE(LayerRequired(fields, kNumberLayer));
  EXPECT_TRUE(LayerRequired(fields, kPointLayer));
}

}  // namespace
}  // namespace topaline
