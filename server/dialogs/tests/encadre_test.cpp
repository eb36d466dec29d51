#include "server/dialogs/layout/encadre.h"

#include <gtest/gtest.h>

#include "server/dialogs/common/pickers.h"
#include "server/dialogs/common/tests/forms_fixture.h"

namespace topaline {
namespace {

class EncadreTest : public testing::FormsTest {
protected:
  EncadreTest() {
    exchange.value(Slot::AXCalques) =
        Variant::array({Variant::string(L"Cadres"), Variant::i4(0), Variant::i4(0), Variant::string(L"Eteint"),
                        Variant::i4(-1), Variant::i4(0)});
    Store(L"encadre", L"mmcalq", L"0");
    Store(L"encadre", L"grouper", L"0");
    Store(L"encadre", L"attname", L"Altitude");
    Store(L"encadre", L"calque", L"Cadres");
    Store(L"encadre", L"dectext", L"0.500");
    Store(L"encadre", L"cadcolor", L"1");
    Store(L"options", L"avertcalq", L"1");
  }
  static TfrmEncadre& Of(ui::Form& f) { return static_cast<TfrmEncadre&>(f); }
  void Run(std::function<void(TfrmEncadre&)> script) {
    user.On(L"frmEncadre", [script](ui::Form& f) { script(Of(f)); });
    Pickers pickers(session, Pickers::With::LayersAndColours);
    AttributeFrames(session, pickers.layers.get(), pickers.colours.get());
  }
};

TEST_F(EncadreTest, StoredValuesShowAsLoaded) {
  struct Case { const wchar_t* lg; const wchar_t* mmcalq; const wchar_t* colour; int item; bool layerEnabled;
                ui::Color paint; };
  const Case cases[] = {
      {L"fr", L"0", L"0", 1, true, ui::clBlack},      // "Altitude" is the French second item
      {L"en", L"1", L"5", 0, false, ui::Rgb(0, 0, 255)},  // not an English item: the first
      {L"fr", L"0", L"300", 1, true, ui::clBlack},    // out of range: black, kept
  };
  for (const Case& c : cases) {
    session.config.langue = c.lg;
    Store(L"encadre", L"mmcalq", c.mmcalq);
    Store(L"encadre", L"attname", L"Altitude");
    Store(L"encadre", L"cadcolor", c.colour);
    Run([&](TfrmEncadre& f) {
      EXPECT_EQ(f.attname->ItemIndex(), c.item);
      EXPECT_EQ(f.calque->Enabled(), c.layerEnabled);
      EXPECT_EQ(f.BitBtn1->Enabled(), c.layerEnabled);
      EXPECT_EQ(f.Label1->Enabled(), c.layerEnabled);
      EXPECT_EQ(f.cadcolor->PaintColor(), c.paint);
      f.btAppliquer->UserClick();
    });
    EXPECT_EQ(Stored(L"encadre", L"cadcolor"), c.colour) << "saved back unchanged";
    EXPECT_EQ(Stored(L"encadre", L"attname"), c.item ? L"Altitude" : L"Number");
  }
}

TEST_F(EncadreTest, TheGapIsNormalisedAndCheckedAlsoByApply) {
  struct Case { const wchar_t* stored; const wchar_t* typed; const wchar_t* saved; bool refused; };
  const Case cases[] = {
      {L"0.500", L"50%", L"50.000%", false},
      {L"0.500", L"2,5", L"2.500", false},
      {L"0.500", L"abc", L"0.500", true},
      {L"dectext", nullptr, L"dectext", true},  // a stored text that is no number never reaches the host
  };
  for (const Case& c : cases) {
    exchange.resultat = 0;
    Store(L"encadre", L"dectext", c.stored);
    host.system.beeps.clear();
    if (c.refused) AnswerMessage(1);
    Run([&](TfrmEncadre& f) {
      if (c.typed) {
        f.dectext->UserFocus();
        f.dectext->UserSetText(c.typed);
        f.dectext->UserKey(ui::Key::Enter);
      }
      f.btAppliquer->UserClick();
      EXPECT_EQ(f.GetModalResult() == ui::mrNone, c.refused) << testing::Narrow(c.stored);
      if (c.refused) {
        EXPECT_TRUE(f.dectext->Focused());
        f.UserKey(ui::Key::Escape);  // closes without checking the field again
      }
    });
    EXPECT_EQ(Stored(L"encadre", L"dectext"), c.saved);
    EXPECT_EQ(exchange.resultat, c.refused ? 0 : 1);
    EXPECT_EQ(host.system.beeps.empty(), !c.refused);
  }
}

// Without a gap value in the section nothing of the field reaches the
// host, and Apply does not test it: the designed text is accepted.
TEST_F(EncadreTest, WithoutAGapValueApplyTestsNoGap) {
  host.registry.open(SectionPath(L"encadre"), false)->deleteValue(L"dectext");
  Run([&](TfrmEncadre& f) {
    EXPECT_EQ(f.dectext->Text(), L"dectext");
    f.btAppliquer->UserClick();
    EXPECT_EQ(f.GetModalResult(), ui::mrOk);
  });
  EXPECT_EQ(exchange.resultat, 1);
  EXPECT_FALSE(HasSetting(session, L"encadre", L"dectext"));
  EXPECT_TRUE(host.system.beeps.empty());
}

TEST_F(EncadreTest, SameLayerSkipsTheWarningButNotTheEmptyCheck) {
  Store(L"encadre", L"calque", L"Eteint");
  Run([](TfrmEncadre& f) {
    f.mmcalq->UserClick();
    EXPECT_FALSE(f.calque->Enabled());
    f.btAppliquer->UserClick();  // no warning about the off layer
  });
  EXPECT_EQ(exchange.resultat, 1);
  EXPECT_EQ(Stored(L"encadre", L"mmcalq"), L"1");

  exchange.resultat = 0;
  Store(L"encadre", L"calque", L" ");
  std::wstring shown;
  AnswerMessage(1, &shown);
  Run([](TfrmEncadre& f) {
    f.btAppliquer->UserClick();
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);
    f.UserClose();
  });
  EXPECT_EQ(shown, L"Empty field");
  EXPECT_EQ(exchange.resultat, 0);
}

TEST_F(EncadreTest, LayerAndColourComeFromThePickersAndCancelWritesNothing) {
  for (bool apply : {true, false}) {
    exchange.resultat = 0;
    Store(L"encadre", L"calque", L"Cadres");
    Store(L"encadre", L"cadcolor", L"1");
    user.On(L"frmCalques", [](ui::Form& l) { static_cast<TfrmCalques&>(l).TVCalques->UserDoubleClickRow(1); });
    user.On(L"FormGetACCol", [](ui::Form& p) {
      auto& picker = static_cast<TFormGetACCol&>(p);
      EXPECT_EQ(picker.Edit1->Text(), L"Rouge");
      picker.coulset1->UserClickCell(30);
      picker.Button4->UserClick();
    });
    user.On(L"FormGetACCol", [](ui::Form& p) { static_cast<TFormGetACCol&>(p).Button5->UserClick(); });
    if (apply) AnswerMessage(1);  // Eteint is off: confirmed
    Run([apply](TfrmEncadre& f) {
      f.BitBtn1->UserClick();
      EXPECT_EQ(f.calque->Text(), L"Eteint");
      f.cadcolor->UserClick();
      f.cadcolor->UserClick();  // cancelled: keeps 30
      EXPECT_EQ(f.cadcolor->ColorNumber(), 30);
      EXPECT_EQ(f.cadcolor->PaintColor(), ui::Rgb(255, 127, 0));
      if (apply)
        f.btAppliquer->UserClick();
      else
        f.UserKey(ui::Key::Escape);
    });
    EXPECT_EQ(Stored(L"encadre", L"calque"), apply ? L"Eteint" : L"Cadres");
    EXPECT_EQ(Stored(L"encadre", L"cadcolor"), apply ? L"30" : L"1");
    EXPECT_EQ(exchange.resultat, apply ? 1 : 0);
  }
}

}  // namespace
}  // namespace topaline
