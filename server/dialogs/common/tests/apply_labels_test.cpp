#include "server/dialogs/common/apply_labels.h"

#include <gtest/gtest.h>

#include "forms_fixture.h"
#include "platform/error.h"

namespace topaline {
namespace {

struct Labelled : ui::Form {
  Labelled() : ui::Form(L"frmListePoints") {
    SetCaption(L"Liste");
    SetHelpContext(550);
    SetHint(L"form hint");
    check = &Add<ui::CheckBox>(this, L"check");
    check->SetCaption(L"Numéro");
    check->SetHint(L"designed hint");
    check->SetHelpContext(756);
    plain = &Add<ui::Label>(this, L"plain");
    plain->SetCaption(L"Point");
    button = &Add<ui::Button>(this, L"button");
    button->SetCaption(L"Aide");
    button->SetHint(L"designed");
    button->SetHelpContext(992);
  }
  ui::CheckBox* check;
  ui::Label* plain;
  ui::Button* button;
};

class ApplyLabelsTest : public testing::FormsTest {
protected:
  ApplyLabelsTest() {
    session.Labels.InitFromText(L"550,\"List of points\"\n756,Number hint\n992,\"Help\",\"Opens the help\"\n",
                                L"labels");
  }
};

TEST_F(ApplyLabelsTest, FrenchKeepsTheDesignedTexts) {
  Labelled f;
  ApplyLabels(session, f);
  EXPECT_EQ(f.Caption(), L"Liste");
  EXPECT_EQ(f.check->Caption(), L"Numéro");
  EXPECT_EQ(f.check->Hint(), L"designed hint");
}

TEST_F(ApplyLabelsTest, OtherLanguagesTakeTextsAndHintsFromTheLabels) {
  session.config.langue = L"en";
  Labelled f;
  ApplyLabels(session, f);
  EXPECT_EQ(f.Caption(), L"List of points");
  EXPECT_EQ(f.Hint(), L"form hint");
  EXPECT_EQ(f.check->Caption(), L"Number");
  EXPECT_EQ(f.check->Hint(), L"hint");
  EXPECT_EQ(f.plain->Caption(), L"Point");
  EXPECT_EQ(f.button->Caption(), L"Help");
  EXPECT_EQ(f.button->Hint(), L"Opens the help");
}

TEST_F(ApplyLabelsTest, AnEmptyHintClearsTheDesignedOne) {
  session.config.langue = L"es";
  session.Labels.InitFromText(L"756,\"Número\"\n", L"labels");
  Labelled f;
  f.SetHelpContext(0);
  f.button->SetHelpContext(0);
  ApplyLabels(session, f);
  EXPECT_EQ(f.Caption(), L"Liste");
  EXPECT_EQ(f.check->Caption(), L"Número");
  EXPECT_EQ(f.check->Hint(), L"");
}

TEST_F(ApplyLabelsTest, AMissingLabelKeepsThatComponentsTexts) {
  session.config.langue = L"en";
  session.Labels.InitFromText(L"992,\"Help\"\n", L"labels");
  Labelled f;
  ApplyLabels(session, f);
  EXPECT_EQ(f.Caption(), L"Liste");
  EXPECT_EQ(f.check->Caption(), L"Numéro");
  EXPECT_EQ(f.button->Caption(), L"Help");
}

TEST_F(ApplyLabelsTest, ALabelledComponentWithoutCaptionIsAnErrorAndStopsThere) {
  session.config.langue = L"en";
  Labelled f;
  auto& edit = f.Add<ui::Edit>(nullptr, L"edit");
  edit.SetHelpContext(550);
  auto& after = f.Add<ui::Button>(nullptr, L"after");
  after.SetCaption(L"Après");
  after.SetHelpContext(992);
  EXPECT_THROW(ApplyLabels(session, f), Error);
  EXPECT_EQ(f.check->Caption(), L"Number");
  EXPECT_EQ(after.Caption(), L"Après");
}

}  // namespace
}  // namespace topaline
