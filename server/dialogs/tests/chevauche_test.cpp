#include "server/dialogs/layout/chevauche.h"

#include <gtest/gtest.h>

#include <functional>

#include "server/dialogs/common/tests/forms_fixture.h"
#include "ui/res/images.h"

namespace topaline {
namespace {

using testing::Narrow;

class ChevaucheTest : public testing::FormsTest {
protected:
  ChevaucheTest() {
    Store(L"chevauche", L"attname", L"Altitude");
    Store(L"chevauche", L"dectext", L"10.000%");
    Store(L"chevauche", L"calque", L"Points");
    session.Layers.Items = {{L"Points", 0, 0}, {L"Gelé", 0, 1}, {L"Eteint", -1, 0}};
  }
  // Runs the dialog with the layer list answering chosen.
  void Run(std::wstring chosen = L"") {
    TfrmChevauche dialog(session, [this, chosen] {
      ++layerLists;
      return chosen;
    });
    dialog.Run();
  }
  static TfrmChevauche& Chev(ui::Form& form) { return static_cast<TfrmChevauche&>(form); }
  int layerLists = 0;
};

TEST_F(ChevaucheTest, AttributeListFollowsTheLanguage) {
  struct Case { const wchar_t* langue; const wchar_t* stored; std::vector<std::wstring> items; const wchar_t* shown; };
  const Case cases[] = {
      {L"fr", L"Altitude", {L"Numéro", L"Altitude", L"Description"}, L"Altitude"},
      {L"fr", L"description", {L"Numéro", L"Altitude", L"Description"}, L"Description"},
      {L"fr", L"Elevation", {L"Numéro", L"Altitude", L"Description"}, L"Numéro"},  // not an item: the first
      {L"en", L"Elevation", {L"Number", L"Elevation", L"Description"}, L"Elevation"},
      {L"es", L"Altitude", {L"Number", L"Elevation", L"Description"}, L"Number"},
  };
  for (const Case& c : cases) {
    session.config.langue = c.langue;
    Store(L"chevauche", L"attname", c.stored);
    user.On(L"frmChevauche", [&](ui::Form& form) {
      TfrmChevauche& f = Chev(form);
      EXPECT_EQ(f.attname->Items(), c.items);
      EXPECT_EQ(f.attname->Text(), c.shown);
      f.btAppliquer->UserClick();
    });
    Run();
    EXPECT_EQ(Stored(L"chevauche", L"attname"), c.shown) << Narrow(c.stored);
  }
}

TEST_F(ChevaucheTest, TheLayerIsNamedAndConfirmedWhenFrozenOrOff) {
  struct Case { const wchar_t* layer; const wchar_t* avertcalq; int answer; bool accepted; const wchar_t* message; };
  const Case cases[] = {
      {L"Points", L"1", 0, true, L""},
      {L"Nouveau", L"1", 0, true, L""},  // not a known layer: no warning
      {L"   ", L"1", 1, false, L"Empty field"},
      {L"", L"1", 1, false, L"Empty field"},
      {L"Gelé", L"1", 1, true, L"Layer <Gelé> is frozen or off"},
      {L"Gelé", L"1", 2, false, L"Layer <Gelé> is frozen or off"},
      {L" Eteint ", L"", 2, false, L"Layer <Eteint> is frozen or off"},
      {L"Eteint", L"0", 0, true, L""},  // the warning is switched off
  };
  for (const Case& c : cases) {
    Store(L"options", L"avertcalq", c.avertcalq);
    Store(L"chevauche", L"calque", L"Points");
    std::wstring message;
    user.On(L"frmChevauche", [&](ui::Form& form) {
      TfrmChevauche& f = Chev(form);
      f.calque->UserFocus();
      f.calque->UserSetText(c.layer);
      if (c.answer) AnswerMessage(c.answer, &message);
      f.btAppliquer->UserClick();
      if (!c.accepted) {
        EXPECT_EQ(f.GetModalResult(), ui::mrNone) << "the dialog stays open";
        f.btAnnule->UserClick();
      }
    });
    exchange.resultat = 0;
    Run();
    SCOPED_TRACE(Narrow(c.layer));
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(exchange.resultat, c.accepted ? 1 : 0);
    EXPECT_EQ(Stored(L"chevauche", L"calque"), c.accepted ? c.layer : L"Points");
  }
}

// Leaving the margin checks it with the message, releasing Enter without;
// Apply checks it again, so a margin that is no number never reaches the
// host.
TEST_F(ChevaucheTest, MarginIsANumberOrAPercentage) {
  struct Case { const wchar_t* typed; const wchar_t* shown; bool number; };
  const Case cases[] = {
      {L"25%", L"25.000%", true},
      {L"0,5", L"0.500", true},
      {L"marge", L"marge", false},
  };
  for (const Case& c : cases) {
    Store(L"chevauche", L"dectext", L"10.000%");
    std::wstring message;
    host.system.beeps.clear();
    user.On(L"frmChevauche", [&](ui::Form& form) {
      TfrmChevauche& f = Chev(form);
      f.dectext->UserFocus();
      f.dectext->UserSetText(c.typed);
      f.dectext->UserKey(ui::Key::Enter);
      EXPECT_EQ(f.dectext->Text(), c.shown);
      if (!c.number) AnswerMessage(1, &message);
      f.calque->UserFocus();
      EXPECT_EQ(f.dectext->Focused(), !c.number);
      if (!c.number) f.UserKey(ui::Key::Escape);
      else f.btAppliquer->UserClick();
    });
    exchange.resultat = 0;
    Run();
    EXPECT_EQ(host.system.beeps.size(), c.number ? 0u : 2u) << "Enter and leaving both beep";
    EXPECT_EQ(message, c.number ? L"" : L"Not a number") << "only leaving shows the message";
    EXPECT_EQ(Stored(L"chevauche", L"dectext"), c.number ? c.shown : L"10.000%");
  }
}

TEST_F(ChevaucheTest, ApplyRefusesAStoredMarginThatIsNoNumber) {
  Store(L"chevauche", L"dectext", L"dectext");
  std::wstring message;
  user.On(L"frmChevauche", [&](ui::Form& form) {
    TfrmChevauche& f = Chev(form);
    AnswerMessage(1, &message);
    f.btAppliquer->UserClick();
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);
    EXPECT_TRUE(f.dectext->Focused());
    f.dectext->UserSetText(L"2");
    f.btAppliquer->UserClick();
  });
  Run();
  EXPECT_EQ(message, L"Not a number");
  EXPECT_EQ(Stored(L"chevauche", L"dectext"), L"2.000");
  EXPECT_EQ(exchange.resultat, 1);
}

// Without a margin value in the section nothing of the field reaches the
// host, and Apply does not test it: the designed text is accepted.
TEST_F(ChevaucheTest, WithoutAMarginValueApplyTestsNoMargin) {
  host.registry.open(SectionPath(L"chevauche"), false)->deleteValue(L"dectext");
  user.On(L"frmChevauche", [&](ui::Form& form) {
    TfrmChevauche& f = Chev(form);
    EXPECT_EQ(f.dectext->Text(), L"dectext");
    f.btAppliquer->UserClick();
    EXPECT_EQ(f.GetModalResult(), ui::mrOk);
  });
  Run();
  EXPECT_EQ(exchange.resultat, 1);
  EXPECT_FALSE(HasSetting(session, L"chevauche", L"dectext"));
  EXPECT_TRUE(host.system.beeps.empty());
}

// The margin is checked before the layer warning, as the frames do: a
// frozen layer is asked about once, when the margin is right.
TEST_F(ChevaucheTest, TheMarginIsCheckedBeforeTheLayerIsAskedAbout) {
  Store(L"chevauche", L"calque", L"Gelé");
  Store(L"chevauche", L"dectext", L"marge");
  std::vector<std::wstring> messages(2);
  for (std::wstring& m : messages) AnswerMessage(1, &m);
  user.On(L"frmChevauche", [&](ui::Form& form) {
    TfrmChevauche& f = Chev(form);
    f.btAppliquer->UserClick();
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);
    f.dectext->UserSetText(L"2");
    f.btAppliquer->UserClick();
  });
  Run();
  EXPECT_EQ(messages, (std::vector<std::wstring>{L"Not a number", L"Layer <Gelé> is frozen or off"}));
  EXPECT_EQ(exchange.resultat, 1);
  EXPECT_EQ(Stored(L"chevauche", L"dectext"), L"2.000");
}

TEST_F(ChevaucheTest, TheLayerListReplacesTheLayerOnlyWithAChoice) {
  for (const wchar_t* chosen : {L"Talus", L""}) {
    Store(L"chevauche", L"calque", L"Points");
    user.On(L"frmChevauche", [&](ui::Form& form) {
      TfrmChevauche& f = Chev(form);
      EXPECT_EQ(f.BitBtn1->ImageIndex(), ui::images::kButtonLayers) << "the layer picture, as the frames show";
      f.BitBtn1->UserClick();
      EXPECT_EQ(f.calque->Text(), *chosen ? chosen : L"Points");
      f.btAppliquer->UserClick();
    });
    Run(chosen);
    EXPECT_EQ(Stored(L"chevauche", L"calque"), *chosen ? chosen : L"Points");
  }
  EXPECT_EQ(layerLists, 2);
}

TEST_F(ChevaucheTest, CancelEscapeAndCloseBoxSaveNothingAndHelpOpensItsTopic) {
  const std::function<void(TfrmChevauche&)> closes[] = {
      [](TfrmChevauche& f) { f.btAnnule->UserClick(); },
      [](TfrmChevauche& f) { f.calque->UserKey(ui::Key::Escape); },
      [](TfrmChevauche& f) { f.UserClose(); },
      [](TfrmChevauche& f) {
        f.btAide->UserClick();
        EXPECT_EQ(f.GetModalResult(), ui::mrNone);
        f.btAnnule->UserClick();
      },
  };
  for (const auto& close : closes) {
    user.On(L"frmChevauche", [&](ui::Form& form) {
      TfrmChevauche& f = Chev(form);
      f.calque->UserSetText(L"Autre");
      f.attname->UserPick(2);
      close(f);
    });
    Run();
    EXPECT_EQ(exchange.resultat, 0);
    EXPECT_EQ(Stored(L"chevauche", L"calque"), L"Points");
    EXPECT_EQ(Stored(L"chevauche", L"attname"), L"Altitude");
  }
  ASSERT_EQ(host.shell.launches.size(), 1u);
  EXPECT_EQ(host.shell.launches[0].parameters, L"C:\\Prog\\topaline3\\topaline3.chm::/tlchev.htm");
}

}  // namespace
}  // namespace topaline
