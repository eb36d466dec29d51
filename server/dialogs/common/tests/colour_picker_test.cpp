#include "server/dialogs/common/colour_picker.h"

#include <gtest/gtest.h>

#include "server/dialogs/common/tests/forms_fixture.h"

namespace topaline {
namespace {

class ColourPickerTest : public testing::FormsTest {
protected:
  static TFormGetACCol& Of(ui::Form& f) { return static_cast<TFormGetACCol&>(f); }
  // Runs the picker from initial with the script; returns its result.
  TResultatCouleur Pick(TFormGetACCol& picker, std::int32_t initial, std::function<void(TFormGetACCol&)> script) {
    user.On(L"FormGetACCol", [script](ui::Form& f) { script(Of(f)); });
    return picker.GetAcadColor(initial);
  }
};

TEST_F(ColourPickerTest, EnterInEdit1ReadsTheTypedNameOrNumber) {
  TFormGetACCol picker(session);
  picker.InitLanguage(L"fr");
  struct Case { const wchar_t* typed; const wchar_t* shown; int current; };
  const Case cases[] = {
      {L"7", L"Blanc", 7},     {L"blanc", L"DuCalque", 0}, {L"300", L"DuCalque", 0}, {L"256", L"DuBloc", 256},
      {L"-5", L"DuCalque", 0}, {L"  42 ", L"42", 42},      {L"Vert", L"Vert", 3},     {L"x", L"DuCalque", 0},
  };
  for (const Case& c : cases) {
    Pick(picker, 1, [&](TFormGetACCol& f) {
      f.Edit1->UserSetText(c.typed);
      f.Edit1->UserKey(ui::Key::Enter);
      EXPECT_EQ(f.Edit1->Text(), c.shown) << testing::Narrow(c.typed);
      EXPECT_EQ(f.Current(), c.current) << testing::Narrow(c.typed);
      EXPECT_EQ(f.Panel18->PaintColor(), PaintColour(c.current));
      EXPECT_TRUE(f.Edit1->Focused());
      EXPECT_EQ(f.Edit1->SelLength(), static_cast<int>(f.Edit1->Text().size()));
      f.Button5->UserClick();
    });
  }
}

TEST_F(ColourPickerTest, OkReturnsTheColourTheTextNamesAtThatMoment) {
  TFormGetACCol picker(session);
  picker.InitLanguage(L"fr");
  using Act = std::function<void(TFormGetACCol&)>;
  struct Case { const char* what; int initial; Act act; TResultatCouleur result; };
  const Case cases[] = {
      {"at once from ByBlock", 256, [](TFormGetACCol&) {}, {256, 256, 256, 256}},
      {"at once from 42", 42, [](TFormGetACCol&) {}, GetAcadRgb(42)},
      {"typed, never left", 1, [](TFormGetACCol& f) { f.Edit1->UserSetText(L"25"); }, {25, 153, 95, 76}},
      {"a name in any case", 1, [](TFormGetACCol& f) { f.Edit1->UserSetText(L"dUbLoC"); }, {256, 256, 256, 256}},
      {"DuCalque", 5, [](TFormGetACCol& f) { f.Edit1->UserSetText(L"DuCalque"); }, {0, 0, 0, 0}},
      {"a cell", 1, [](TFormGetACCol& f) { f.coulset2->UserClickCell(249); }, {249, 76, 38, 47}},
      {"a grey cell", 1, [](TFormGetACCol& f) { f.GreyCell[0]->UserClick(); }, {250, 51, 51, 51}},
      {"a standard cell", 1, [](TFormGetACCol& f) { f.StandardCell[8]->UserClick(); }, {9, 192, 192, 192}},
      {"ByLayer", 1, [](TFormGetACCol& f) { f.Button2->UserClick(); }, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    const TResultatCouleur r = Pick(picker, c.initial, [&](TFormGetACCol& f) {
      c.act(f);
      f.Button4->UserClick();
    });
    EXPECT_EQ(r, c.result) << c.what;
  }
  EXPECT_TRUE(host.system.boxes.empty());
  EXPECT_EQ(exchange.resultat, 0) << "a picker sets no result of the command";
}

TEST_F(ColourPickerTest, OkRefusesZero256AndBadTextWithTheSystemMessage) {
  struct Case { const char* lg; int initial; const wchar_t* typed; const wchar_t* message; };
  const Case cases[] = {
      {"fr", 1, L"0", L"Nom ou valeur de couleur incorrect"},
      {"fr", 1, L"256", L"Nom ou valeur de couleur incorrect"},
      {"en", 1, L"purple", L"Incorrect name or value of the color"},
      {"de", 1, L"x", L"Incorrect name or value of the color"},  // French texts, but not "fr"
      {"fr", 300, nullptr, L"Nom ou valeur de couleur incorrect"},  // shown as it came, from a hand-edited value
  };
  for (const Case& c : cases) {
    TFormGetACCol picker(session);
    picker.InitLanguage(std::wstring(c.lg, c.lg + 2));
    host.system.boxes.clear();
    const TResultatCouleur r = Pick(picker, c.initial, [&](TFormGetACCol& f) {
      if (c.typed) f.Edit1->UserSetText(c.typed);
      const std::wstring before = f.Edit1->Text();
      f.Button4->UserClick();  // the field is left on the way
      EXPECT_EQ(f.GetModalResult(), ui::mrNone);
      EXPECT_EQ(f.Edit1->Text(), before) << "the refused text stays for mending";
      EXPECT_TRUE(f.Edit1->Focused());
      EXPECT_EQ(f.Edit1->SelStart(), 1);
      f.UserKey(ui::Key::Escape);
    });
    EXPECT_EQ(r[0], -1);
    ASSERT_EQ(host.system.boxes.size(), 1u) << c.lg;
    EXPECT_EQ(host.system.boxes[0].text, c.message);
    EXPECT_EQ(host.system.boxes[0].buttons, SystemUi::Buttons::Ok);
  }
}

TEST_F(ColourPickerTest, LanguageSetsNamesAndCaptions) {
  struct Case { const wchar_t* lg; const wchar_t* green; const wchar_t* caption; const wchar_t* byBlock; const wchar_t* label3; const wchar_t* group4; };
  const Case cases[] = {
      {L"fr", L"Vert", L" Sélectionner une couleur", L"DuBloc", L"Couleur :", L" Palette "},
      {L"en", L"Green", L"Color Selection", L"ByBlock", L"Color :", L" Color Index "},
      {L"es", L"Green", L"Color Selection", L"ByBlock", L"Color :", L" Color Index "},
      // English captions for "en" and "es" only; another code
      // keeps the French texts, names included.
      {L"", L"Vert", L" Sélectionner une couleur", L"DuBloc", L"Couleur :", L" Palette "},
      {L"de", L"Vert", L" Sélectionner une couleur", L"DuBloc", L"Couleur :", L" Palette "},
      {L"EN", L"Vert", L" Sélectionner une couleur", L"DuBloc", L"Couleur :", L" Palette "},
  };
  for (const Case& c : cases) {
    TFormGetACCol picker(session);
    picker.InitLanguage(c.lg);
    EXPECT_EQ(picker.Caption(), c.caption) << testing::Narrow(c.lg);
    EXPECT_EQ(picker.Button3->Caption(), c.byBlock);
    EXPECT_EQ(picker.Label3->Caption(), c.label3);
    EXPECT_EQ(picker.GroupBox4->Caption(), c.group4);
    EXPECT_EQ(picker.Button4->Caption(), L"Ok");
    EXPECT_EQ(picker.Button5->Caption(), L"Annuler");
    const TResultatCouleur r = Pick(picker, 3, [&](TFormGetACCol& f) {
      EXPECT_EQ(f.Edit1->Text(), c.green);
      f.Button5->UserClick();
    });
    EXPECT_EQ(r[0], -1);
  }
}

TEST_F(ColourPickerTest, CancelEscapeAndCloseBoxReturnMinusOne) {
  TFormGetACCol picker(session);
  picker.InitLanguage(L"fr");
  const std::function<void(TFormGetACCol&)> closes[] = {
      [](TFormGetACCol& f) { f.Button5->UserClick(); },
      [](TFormGetACCol& f) { f.Edit1->UserKey(ui::Key::Escape); },
      [](TFormGetACCol& f) { f.UserClose(); },
  };
  for (const auto& close : closes) {
    const TResultatCouleur r = Pick(picker, 3, [&](TFormGetACCol& f) {
      f.coulset1->UserClickCell(18);
      EXPECT_EQ(f.Current(), 18);
      close(f);
    });
    EXPECT_EQ(r[0], -1);
  }
}

TEST_F(ColourPickerTest, ReadoutsShowOverTheColourGroupsOnly) {
  TFormGetACCol picker(session);
  picker.InitLanguage(L"fr");
  Pick(picker, 0, [](TFormGetACCol& f) {
    EXPECT_FALSE(f.numcoul->Visible()) << "hidden as the picker opens";
    struct Case { std::function<void()> move; bool visible; const wchar_t* number; const wchar_t* rgb; };
    const Case cases[] = {
        {[&] { f.GroupBox4->UserMouseMove(2, 2); f.coulset2->UserHoverCell(25); }, true, L"25", L"153,95,76"},
        {[&] { f.Panel1->UserMouseMove(180, 300); }, false, L"25", L"153,95,76"},
        {[&] { f.StandardCell[1]->UserMouseMove(3, 3); }, true, L"2", L"255,255,0"},
        {[&] { f.GreyCell[0]->UserMouseMove(3, 3); }, true, L"250", L"51,51,51"},
        {[&] { f.Panel18->UserMouseMove(3, 3); }, true, L"DuCalque", L"#,#,#"},
        {[&] { f.coulset1->UserHoverCell(20); }, true, L"20", L"255,63,0"},
    };
    for (const Case& c : cases) {
      c.move();
      EXPECT_EQ(f.numcoul->Visible(), c.visible);
      EXPECT_EQ(f.Label2->Visible(), c.visible);
      EXPECT_EQ(f.numcoul->Caption(), c.number);
      EXPECT_EQ(f.rvbcol->Caption(), c.rgb);
    }
    f.Button5->UserClick();
  });
}

TEST_F(ColourPickerTest, TheGridsHold120CellsEachInTheirOrder) {
  TFormGetACCol picker(session);
  for (ui::PaletteGrid* g : {picker.coulset1, picker.coulset2}) ASSERT_EQ(g->Cells().size(), 120u);
  const auto& top = picker.coulset1->Cells()[0];
  EXPECT_EQ(top.number, 18);
  EXPECT_EQ(top.bounds, PaletteCellRect(1, 0));
  EXPECT_EQ(picker.coulset2->Cells().back().number, 249);
  EXPECT_EQ(picker.coulset2->Cells().back().color, PaintColour(249));
  EXPECT_EQ(picker.StandardCell[0]->GetCursor(), ui::Cursor::Hand);
}

TEST_F(ColourPickerTest, ASwatchTakesAConfirmedColourAndKeepsItsNumberOtherwise) {
  TFormGetACCol picker(session);
  picker.InitLanguage(L"fr");
  ui::Form dialog(L"dialog");
  auto& swatch = dialog.Add<ui::ColorSwatch>(nullptr, L"cadcolor");
  AttachColourSwatch(&picker, swatch);
  for (int stored : {0, 300, -4}) {
    swatch.SetSwatch(stored, ui::clRed);
    PaintSwatch(swatch);
    EXPECT_EQ(swatch.PaintColor(), ui::clBlack) << stored;
    user.On(L"FormGetACCol", [](ui::Form& f) { Of(f).coulset1->UserClickCell(30); Of(f).Button5->UserClick(); });
    swatch.UserClick();
    EXPECT_EQ(swatch.ColorNumber(), stored) << "cancelled: kept as it was";
  }
  user.On(L"FormGetACCol", [](ui::Form& f) {
    EXPECT_EQ(Of(f).Edit1->Text(), L"-4");
    Of(f).coulset1->UserClickCell(30);
    Of(f).Button4->UserClick();
  });
  swatch.UserClick();
  EXPECT_EQ(swatch.ColorNumber(), 30);
  EXPECT_EQ(swatch.PaintColor(), ui::Rgb(255, 127, 0));
}

}  // namespace
}  // namespace topaline
