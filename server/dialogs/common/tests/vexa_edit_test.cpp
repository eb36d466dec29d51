#include "server/dialogs/common/vexa_edit.h"

#include <gtest/gtest.h>

#include "forms_fixture.h"

namespace topaline {
namespace {

struct Fixture {
  Fixture() : form(L"frmT") {
    other = &form.Add<ui::Edit>(nullptr, L"other");
    field = &form.Add<TVexaEdit>(nullptr, L"field");
    field->OnExit = [this] { exits.push_back(field->Text()); };
  }
  // The user pastes a text and then leaves the field.
  std::wstring PasteAndLeave(const std::wstring& text) {
    field->SetFocus();
    field->UserSetText(text);
    other->UserFocus();
    return field->Text();
  }
  ui::Form form;
  ui::Edit* other;
  TVexaEdit* field;
  std::vector<std::wstring> exits;
};

TEST(VexaEdit, NewFieldDefaults) {
  Fixture f;
  EXPECT_EQ(f.field->Text(), L"0.000");
  EXPECT_EQ(f.field->GetAlignment(), ui::Alignment::Right);
  EXPECT_EQ(f.field->TypeValeur(), TTypeValeur::tvFloat);
  EXPECT_EQ(f.field->NumDec(), 3);
  EXPECT_TRUE(f.field->HasMinValue());
  EXPECT_TRUE(f.field->HasMaxValue());
  EXPECT_EQ(f.field->MinValue(), -1000);
  EXPECT_EQ(f.field->MaxValue(), 1000);
}

TEST(VexaEdit, Normalisation) {
  struct Case {
    TTypeValeur type; int dec; bool hasMin; double min; bool hasMax; double max;
    const wchar_t* text; const wchar_t* result;
  };
  const auto F = TTypeValeur::tvFloat;
  const auto I = TTypeValeur::tvInteger;
  const Case cases[] = {
      {F, 3, true, -1000, true, 1000, L"12.34567", L"12.346"},
      {F, 3, true, -1000, true, 1000, L"2000", L"1000.000"},
      {F, 3, true, -1000, true, 1000, L"-5000", L"-1000.000"},
      {F, 3, true, -1000, true, 1000, L"abc", L"0.000"},
      {F, 3, true, -1000, true, 1000, L"", L"0.000"},
      {F, 3, true, -1000, true, 1000, L"1.2.3", L"0.000"},
      {F, 3, true, 5, true, 1000, L"--2", L"5.000"},
      {I, 3, true, 1, false, 0, L"0", L"1"},
      {I, 3, true, 1, false, 0, L"12.7", L"13"},
      {I, 3, true, 1, false, 0, L"100000", L"100000"},
      {F, 4, false, 0, false, 0, L"-123456.5", L"-123456.5000"},
      {F, 2, false, 0, false, 0, L"1e20", L"100000000000000000000.00"},
      {F, 3, true, 5, true, 3, L"4", L"3.000"},
      {F, 3, true, 5, true, 3, L"-100", L"3.000"},
      {F, 0, true, -1000, true, 1000, L"2.4", L"2"},
  };
  for (const Case& c : cases) {
    VexaFormat fmt{c.type, c.dec, c.hasMin, c.hasMax, c.min, c.max};
    EXPECT_EQ(VexaNormalize(c.text, fmt), c.result) << testing::Narrow(c.text);
  }
}

TEST(VexaEdit, LeavingNormalisesThenRunsOnExit) {
  Fixture f;
  EXPECT_EQ(f.PasteAndLeave(L"12.34567"), L"12.346");
  ASSERT_EQ(f.exits.size(), 1u);
  EXPECT_EQ(f.exits[0], L"12.346") << "OnExit sees the normalised text";
  EXPECT_EQ(f.PasteAndLeave(L"lettres"), L"0.000");
}

// A text the program gave (a section's value) is the user's until edited:
// leaving the field without a change keeps it, even outside the limits.
TEST(VexaEdit, LeavingAnUneditedFieldKeepsItsText) {
  struct Case { const wchar_t* given; const wchar_t* typed; const wchar_t* left; };
  const Case cases[] = {
      {L"0.000", nullptr, L"0.000"},
      {L"0.000", L"0", L"5.000"},
      {L"7", nullptr, L"7"},
      {L"7", L"7", L"7"},
      {L"7", L"8", L"8.000"},
      {L"abc", nullptr, L"abc"},
  };
  for (const Case& c : cases) {
    Fixture f;
    f.field->SetMinValue(5);
    f.field->SetText(c.given);
    f.field->UserFocus();
    if (c.typed) f.field->UserSetText(c.typed);
    f.other->UserFocus();
    EXPECT_EQ(f.field->Text(), c.left) << testing::Narrow(c.given);
    EXPECT_EQ(f.exits.size(), 1u) << "OnExit runs either way";
  }
}

TEST(VexaEdit, KeystrokeFilter) {
  Fixture f;
  f.field->SetFocus();
  f.field->UserSetText(L"");
  f.field->UserType(L"1,5a x");
  EXPECT_EQ(f.field->Text(), L"1.5");

  f.field->SetTypeValeur(TTypeValeur::tvInteger);
  f.field->UserSetText(L"");
  f.field->UserType(L"-1.2,3+");
  EXPECT_EQ(f.field->Text(), L"-123+") << "signs anywhere, no decimal point";
  EXPECT_EQ(VexaFilterChar(L'\b', TTypeValeur::tvInteger), L'\b');
  EXPECT_EQ(VexaFilterChar(L',', TTypeValeur::tvFloat), L'.');
  EXPECT_EQ(VexaFilterChar(L'é', TTypeValeur::tvFloat), 0);
}

TEST(VexaEdit, EnterNormalisesWithoutLeaving) {
  Fixture f;
  f.field->SetFocus();
  f.field->UserSetText(L"2000");
  f.field->UserKey(ui::Key::Enter);
  EXPECT_EQ(f.field->Text(), L"1000.000");
  EXPECT_TRUE(f.field->Focused());
  EXPECT_TRUE(f.exits.empty());
}

TEST(VexaEdit, PropertyChangesRebuildTheWindowAndKeepTheText) {
  struct Peer : ui::ControlPeer {
    void Changed(ui::Component&, ui::Property p) override { styles += p == ui::Property::Style; }
    int styles = 0;
  } peer;
  Fixture f;
  f.field->SetPeer(&peer);
  f.field->SetText(L"12.5");
  f.field->SetNumDec(3);  // unchanged: nothing to rebuild
  EXPECT_EQ(peer.styles, 0);
  f.field->SetNumDec(5);
  f.field->SetMaxValue(10);
  f.field->SetHasMinValue(false);
  EXPECT_EQ(peer.styles, 3);
  EXPECT_EQ(f.field->Text(), L"12.5");
  f.field->SetPeer(nullptr);
}

}  // namespace
}  // namespace topaline
