// Size (command 6) and rotation (command 7) of attributes: the shared
// attribute group and its check, the height field, the on-screen rule.
#include <gtest/gtest.h>

#include <functional>

#include "server/dialogs/common/tests/forms_fixture.h"
#include "server/dialogs/layout/rotation.h"
#include "server/dialogs/layout/taille_att.h"

namespace topaline {
namespace {

using testing::Narrow;

struct Command {
  const wchar_t* form;
  const wchar_t* section;
  void (*run)(Session&);
};
const Command kCommands[] = {
    {L"frmTailleAtt", L"tailleattrib", AttributeSize},
    {L"frmRotation", L"rotationattrib", AttributeRotation},
};

class AttributeDialogsTest : public testing::FormsTest {
protected:
  AttributeDialogsTest() {
    session.Labels.InitFromText(std::wstring(testing::kTestLabels) + L"709,\"No attribute\"\n", L"test labels");
    for (const wchar_t* name : {L"num", L"alt", L"des"}) {
      Store(L"tailleattrib", name, L"0");
      Store(L"rotationattrib", name, L"0");
    }
    Store(L"tailleattrib", L"httxt", L"2.500");
    Store(L"rotationattrib", L"onscreen", L"0");
    Store(L"rotationattrib", L"angle", L"0.000");
  }
};

TEST_F(AttributeDialogsTest, ApplyNeedsAnAttribute) {
  struct Case { bool num, alt, des; bool accepted; };
  const Case cases[] = {
      {false, false, false, false},
      {false, false, true, true},
      {true, false, false, true},
      {false, true, false, true},
      {true, true, true, true},
  };
  for (const Command& cmd : kCommands) {
    for (const Case& c : cases) {
      for (const wchar_t* name : {L"num", L"alt", L"des"}) Store(cmd.section, name, L"0");
      std::wstring message;
      user.On(cmd.form, [&](ui::Form& form) {
        auto& f = static_cast<TAttributeDialog&>(form);
        if (c.num) f.num->UserClick();
        if (c.alt) f.alt->UserClick();
        if (c.des) f.des->UserClick();
        if (!c.accepted) AnswerMessage(1, &message);
        f.btAppliquer->UserClick();
        if (!c.accepted) {
          EXPECT_EQ(f.GetModalResult(), ui::mrNone) << "the dialog stays open";
          f.btAnnule->UserClick();
        }
      });
      exchange.resultat = 0;
      cmd.run(session);
      SCOPED_TRACE(Narrow(cmd.form));
      EXPECT_EQ(exchange.resultat, c.accepted ? 1 : 0);
      EXPECT_EQ(message, c.accepted ? L"" : L"No attribute");
      EXPECT_EQ(Stored(cmd.section, L"num"), c.accepted && c.num ? L"1" : L"0");
      EXPECT_EQ(Stored(cmd.section, L"alt"), c.accepted && c.alt ? L"1" : L"0");
      EXPECT_EQ(Stored(cmd.section, L"des"), c.accepted && c.des ? L"1" : L"0");
    }
  }
}

TEST_F(AttributeDialogsTest, CancelEscapeAndCloseBoxSaveNothing) {
  const std::function<void(TAttributeDialog&)> closes[] = {
      [](TAttributeDialog& f) { f.btAnnule->UserClick(); },
      [](TAttributeDialog& f) { f.num->UserKey(ui::Key::Escape); },
      [](TAttributeDialog& f) { f.UserClose(); },
  };
  for (const Command& cmd : kCommands) {
    for (const auto& close : closes) {
      user.On(cmd.form, [&](ui::Form& form) {
        auto& f = static_cast<TAttributeDialog&>(form);
        f.num->UserClick();
        f.des->UserClick();
        close(f);
      });
      cmd.run(session);
      EXPECT_EQ(exchange.resultat, 0);
      EXPECT_EQ(Stored(cmd.section, L"num"), L"0");
      EXPECT_EQ(Stored(cmd.section, L"des"), L"0");
    }
  }
}

TEST_F(AttributeDialogsTest, HelpOpensEachTopicAndTheDialogStays) {
  const wchar_t* topics[] = {L"tltatt", L"tlratt"};
  for (int i = 0; i < 2; ++i) {
    host.shell.launches.clear();
    user.On(kCommands[i].form, [](ui::Form& form) {
      auto& f = static_cast<TAttributeDialog&>(form);
      f.btAide->UserClick();
      EXPECT_EQ(f.GetModalResult(), ui::mrNone);
      f.btAnnule->UserClick();
    });
    kCommands[i].run(session);
    ASSERT_EQ(host.shell.launches.size(), 1u);
    EXPECT_EQ(host.shell.launches[0].parameters,
              std::wstring(L"C:\\Prog\\topaline3\\topaline3.chm::/") + topics[i] + L".htm");
  }
}

// Leaving the height checks it with the message, releasing Enter without;
// Apply checks it again, so a text that is no number never reaches the
// host, even when the field was never entered.
TEST_F(AttributeDialogsTest, HeightIsANumberOrAPercentage) {
  struct Case { const wchar_t* typed; const wchar_t* shown; bool number; };
  const Case cases[] = {
      {L"150%", L"150.000%", true},
      {L"0,25", L"0.250", true},
      {L" 7%x ", L"7.000%", true},
      {L"-2", L"-2.000", true},
      {L"haut", L"haut", false},
      {L"", L"", false},
  };
  for (const Case& c : cases) {
    for (bool enter : {false, true}) {
      SCOPED_TRACE(Narrow(c.typed) + (enter ? " with Enter" : " leaving"));
      Store(L"tailleattrib", L"httxt", L"2.500");
      Store(L"tailleattrib", L"des", L"1");
      host.system.beeps.clear();
      std::wstring message;
      user.On(L"frmTailleAtt", [&](ui::Form& form) {
        auto& f = static_cast<TfrmTailleAtt&>(form);
        f.httxt->UserFocus();
        f.httxt->UserSetText(c.typed);
        if (enter) {
          f.httxt->UserKey(ui::Key::Enter);
          EXPECT_EQ(f.httxt->Text(), c.shown);
          EXPECT_TRUE(f.httxt->Focused());
          if (!c.number) f.httxt->UserSetText(L"1");  // back to a number: the field may be left
          f.btAppliquer->UserClick();
          return;
        }
        if (!c.number) AnswerMessage(1, &message);
        f.des->UserFocus();
        EXPECT_EQ(f.httxt->Text(), c.shown);
        EXPECT_EQ(f.httxt->Focused(), !c.number) << "a text that is no number keeps the focus";
        if (c.number) f.btAppliquer->UserClick();
        else f.UserKey(ui::Key::Escape);
      });
      exchange.resultat = 0;
      AttributeSize(session);
      EXPECT_EQ(host.system.beeps.size(), c.number ? 0u : 1u);
      EXPECT_EQ(message, !c.number && !enter ? L"Not a number" : L"");
      if (c.number) EXPECT_EQ(Stored(L"tailleattrib", L"httxt"), c.shown);
      else if (enter) EXPECT_EQ(Stored(L"tailleattrib", L"httxt"), L"1.000");
      else EXPECT_EQ(exchange.resultat, 0);
    }
  }
}

TEST_F(AttributeDialogsTest, ApplyRefusesAStoredHeightThatIsNoNumber) {
  Store(L"tailleattrib", L"httxt", L"auto");
  Store(L"tailleattrib", L"alt", L"1");
  std::wstring message;
  user.On(L"frmTailleAtt", [&](ui::Form& form) {
    auto& f = static_cast<TfrmTailleAtt&>(form);
    AnswerMessage(1, &message);
    f.btAppliquer->UserClick();
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);
    EXPECT_TRUE(f.httxt->Focused());
    f.httxt->UserSetText(L"3");
    f.btAppliquer->UserClick();
  });
  AttributeSize(session);
  EXPECT_EQ(message, L"Not a number");
  EXPECT_EQ(exchange.resultat, 1);
  EXPECT_EQ(Stored(L"tailleattrib", L"httxt"), L"3.000");
  EXPECT_EQ(Stored(L"tailleattrib", L"alt"), L"1");
}

// Without a height value in the section nothing of the field reaches the
// host, and Apply does not test it: the designed text is accepted.
TEST_F(AttributeDialogsTest, WithoutAHeightValueApplyTestsNoHeight) {
  host.registry.open(SectionPath(L"tailleattrib"), false)->deleteValue(L"httxt");
  Store(L"tailleattrib", L"num", L"1");
  user.On(L"frmTailleAtt", [&](ui::Form& form) {
    auto& f = static_cast<TfrmTailleAtt&>(form);
    EXPECT_EQ(f.httxt->Text(), L"httxt");
    f.btAppliquer->UserClick();
    EXPECT_EQ(f.GetModalResult(), ui::mrOk);
  });
  AttributeSize(session);
  EXPECT_EQ(exchange.resultat, 1);
  EXPECT_FALSE(HasSetting(session, L"tailleattrib", L"httxt"));
  EXPECT_EQ(Stored(L"tailleattrib", L"num"), L"1");
}

TEST_F(AttributeDialogsTest, OnScreenDisablesTheAngleWhichIsStoredAnyway) {
  struct Case { const wchar_t* stored; bool clicks; bool onscreen; };
  const Case cases[] = {
      {L"0", false, false},
      {L"1", false, true},
      {L"1", true, false},
      {L"0", true, true},
  };
  for (const Case& c : cases) {
    Store(L"rotationattrib", L"onscreen", c.stored);
    Store(L"rotationattrib", L"angle", L"12.5");
    Store(L"rotationattrib", L"num", L"1");
    user.On(L"frmRotation", [&](ui::Form& form) {
      auto& f = static_cast<TfrmRotation&>(form);
      if (c.clicks) f.onscreen->UserClick();
      EXPECT_EQ(f.angle->Enabled(), !c.onscreen);
      EXPECT_EQ(f.Label2->Enabled(), !c.onscreen);
      f.btAppliquer->UserClick();
    });
    AttributeRotation(session);
    EXPECT_EQ(exchange.resultat, 1);
    EXPECT_EQ(Stored(L"rotationattrib", L"onscreen"), c.onscreen ? L"1" : L"0");
    EXPECT_EQ(Stored(L"rotationattrib", L"angle"), L"12.5") << "an untouched angle goes back as stored";
  }
}

TEST_F(AttributeDialogsTest, TypedAngleHasFourDecimalsAndNoLimits) {
  Store(L"rotationattrib", L"des", L"1");
  user.On(L"frmRotation", [](ui::Form& form) {
    auto& f = static_cast<TfrmRotation&>(form);
    f.angle->UserFocus();
    f.angle->UserSetText(L"");
    f.angle->UserType(L"-1234,56789");
    f.btAppliquer->UserClick();
  });
  AttributeRotation(session);
  EXPECT_EQ(Stored(L"rotationattrib", L"angle"), L"-1234.5679");
}

}  // namespace
}  // namespace topaline
