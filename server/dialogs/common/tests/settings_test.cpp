#include "server/dialogs/common/settings.h"

#include <gtest/gtest.h>

#include "forms_fixture.h"
#include "platform/error.h"
#include "server/core/number_format.h"
#include "server/dialogs/common/vexa_edit.h"
#include "ui/tree_grid.h"

namespace topaline {
namespace {

using testing::FormsTest;

// A form with one control of each persisted kind, and a few that are not.
struct SampleForm : ui::Form {
  SampleForm() : ui::Form(L"frmSample") {
    SetClientSize(400, 300);
    mmcalq = &Add<ui::CheckBox>(this, L"mmcalq", {8, 8, 100, 17});
    calque = &Add<ui::Edit>(this, L"calque", {8, 30, 100, 21});
    box = &Add<ui::GroupBox>(this, L"box", {8, 60, 300, 100});
    r1 = &Add<ui::RadioButton>(box, L"r1", {8, 20, 80, 17});
    r2 = &Add<ui::RadioButton>(box, L"r2", {8, 40, 80, 17});
    list = &Add<ui::ComboBox>(this, L"list", {8, 170, 100, 21});
    list->SetStyle(ui::ComboBox::Style::DropDownList);
    list->SetItems({L"0", L"1", L"2", L"3"});
    list->SetItemIndex(2);
    panel = &Add<ui::Panel>(this, L"panel", {8, 200, 100, 30});
    swatch = &Add<ui::ColorSwatch>(this, L"c15", {120, 200, 20, 20});
    caption = &Add<ui::Label>(this, L"caption", {8, 240, 100, 13});
    caption->SetCaption(L"designed");
    mmcalq->OnClick = [this] { ++clicks; };
  }
  ui::CheckBox* mmcalq;
  ui::Edit* calque;
  ui::GroupBox* box;
  ui::RadioButton* r1;
  ui::RadioButton* r2;
  ui::ComboBox* list;
  ui::Panel* panel;
  ui::ColorSwatch* swatch;
  ui::Label* caption;
  int clicks = 0;
};

using SettingsTest = FormsTest;

TEST_F(SettingsTest, LoadFillsControlsAndRunsClicksThenSaveWritesExistingValuesOnly) {
  Store(L"encadre", L"mmcalq", L"0");
  Store(L"encadre", L"CALQUE", L"Points");  // names match without regard to case
  Store(L"encadre", L"r2", L"1");
  Store(L"encadre", L"panel", L"256");
  Store(L"encadre", L"caption", L"not for a label");
  Store(L"encadre", L"nosuchcontrol", L"kept");
  SampleForm f;
  f.mmcalq->SetChecked(true);
  f.clicks = 0;
  f.calque->SetText(L"other");

  LoadSettings(session, L"encadre", f);
  EXPECT_FALSE(f.mmcalq->Checked());
  EXPECT_EQ(f.clicks, 1);
  EXPECT_EQ(f.calque->Text(), L"Points");
  EXPECT_TRUE(f.r2->Checked());
  EXPECT_EQ(f.panel->Tag(), 256);
  EXPECT_EQ(f.caption->Caption(), L"designed");

  f.mmcalq->UserClick();
  f.r1->UserClick();
  f.list->SetItemIndex(3);  // no value "list" in the section: never written
  SaveSettings(session, f, L"encadre");
  EXPECT_EQ(Stored(L"encadre", L"mmcalq"), L"1");
  EXPECT_EQ(Stored(L"encadre", L"CALQUE"), L"Points");
  EXPECT_EQ(Stored(L"encadre", L"r2"), L"0");
  EXPECT_EQ(Stored(L"encadre", L"r1"), L"<missing>");
  EXPECT_EQ(Stored(L"encadre", L"list"), L"<missing>");
  EXPECT_EQ(Stored(L"encadre", L"panel"), L"256");
  EXPECT_EQ(Stored(L"encadre", L"caption"), L"not for a label");
  EXPECT_EQ(Stored(L"encadre", L"nosuchcontrol"), L"kept");
}

TEST_F(SettingsTest, SaveIntoEmptyOrMissingSectionWritesNothing) {
  SampleForm f;
  f.mmcalq->SetChecked(true);
  f.calque->SetText(L"x");
  SaveSettings(session, f, L"filtre");
  auto key = host.registry.open(SectionPath(L"filtre"), false);
  ASSERT_TRUE(key);
  EXPECT_TRUE(key->valueNames().empty());
}

TEST_F(SettingsTest, SaveReplacesAValueOfAnotherType) {
  host.registry.setDword(SectionPath(L"s"), L"calque", 7);
  SampleForm f;
  f.calque->SetText(L"Points");
  SaveSettings(session, f, L"s");
  const auto* v = host.registry.value(SectionPath(L"s"), L"calque");
  ASSERT_TRUE(v);
  EXPECT_EQ(v->type, RegType::String);
  EXPECT_EQ(v->text, L"Points");
}

TEST_F(SettingsTest, DropDownListSelectsTheStoredItemOrElseTheFirst) {
  struct Case { const wchar_t* stored; int index; const wchar_t* text; };
  const Case cases[] = {{L"4", 0, L"0"}, {L"3", 3, L"3"}, {L"", 0, L"0"}, {L"abc", 0, L"0"}};
  for (const Case& c : cases) {
    Store(L"s", L"list", c.stored);
    SampleForm f;
    LoadSettings(session, L"s", f);
    EXPECT_EQ(f.list->ItemIndex(), c.index) << testing::Narrow(c.stored);
    EXPECT_EQ(f.list->Text(), c.text) << testing::Narrow(c.stored);
  }
}

TEST_F(SettingsTest, EditableListTakesTheItemsSpellingWithoutRegardToCase) {
  Store(L"s", L"list", L"médian");
  SampleForm f;
  f.list->SetStyle(ui::ComboBox::Style::DropDown);
  f.list->SetItems({L"Haut", L"MÉDIAN", L"Bas"});
  LoadSettings(session, L"s", f);
  EXPECT_EQ(f.list->ItemIndex(), 1);
  EXPECT_EQ(f.list->Text(), L"MÉDIAN");
}

TEST_F(SettingsTest, CheckStatesReadAsNumbersOrTrueFalse) {
  struct Case { const wchar_t* text; bool ok; bool checked; };
  const Case cases[] = {
      {L"True", true, true},   {L"FALSE", true, false}, {L"true", true, true}, {L"0", true, false},
      {L"1", true, true},      {L"2", true, true},      {L"-1", true, true},   {L"", false, false},
      {L"yes", false, false},  {L"1x", false, false},
  };
  for (const Case& c : cases) {
    bool checked = !c.checked;
    EXPECT_EQ(ParseCheckState(c.text, checked), c.ok) << testing::Narrow(c.text);
    if (c.ok) {
      EXPECT_EQ(checked, c.checked) << testing::Narrow(c.text);
    }
  }
}

TEST_F(SettingsTest, UnreadableValueStopsTheLoadAfterTheControlsBefore) {
  struct Case { const wchar_t* name; const wchar_t* text; };
  const Case cases[] = {{L"mmcalq", L""}, {L"r1", L"oui"}, {L"panel", L"12.5"}, {L"panel", L"x"},
                        {L"c15", L"1.5"}, {L"c15", L""}, {L"c15", L"99999999999"}};
  for (const Case& c : cases) {
    HeadlessRegistry fresh;
    host.registry = fresh;
    Store(L"s", L"calque", L"loaded first");
    Store(L"s", c.name, c.text);
    Store(L"s", L"list", L"3");
    SampleForm f;
    EXPECT_THROW(LoadSettings(session, L"s", f), Error) << testing::Narrow(c.name);
    EXPECT_EQ(f.calque->Text(), L"loaded first");
    EXPECT_EQ(f.list->ItemIndex(), 2) << "the load stopped at the bad value";
  }
}

TEST_F(SettingsTest, ColourSwatchKeepsItsColourNumber) {
  Store(L"s", L"C15", L" 256 ");
  SampleForm f;
  f.swatch->SetSwatch(1, ui::Rgb(255, 0, 0));
  LoadSettings(session, L"s", f);
  EXPECT_EQ(f.swatch->ColorNumber(), 256);
  EXPECT_EQ(f.swatch->PaintColor(), ui::Rgb(255, 0, 0)) << "the dialog paints what its numbers mean";

  f.swatch->SetColorNumber(0);
  SaveSettings(session, f, L"s");
  EXPECT_EQ(Stored(L"s", L"C15"), L"0");
}

TEST_F(SettingsTest, NumericFieldLoadsItsTextAsStored) {
  Store(L"s", L"dist", L"12.5");
  ui::Form f(L"frmT");
  auto& field = f.Add<TVexaEdit>(nullptr, L"dist");
  LoadSettings(session, L"s", f);
  EXPECT_EQ(field.Text(), L"12.5") << "normalised when the user leaves it, not on load";
  field.NormalizeText();
  SaveSettings(session, f, L"s");
  EXPECT_EQ(Stored(L"s", L"dist"), L"12.500");
}

// A kind the settings code has never heard of keeps a value by saying so.
TEST_F(SettingsTest, AnyKindWithAStoredValueIsLoadedAndSaved) {
  struct Dial : ui::TrackBar {
    using ui::TrackBar::TrackBar;
    ui::StoredValue::Type StoredValueType() const override { return ui::StoredValue::Type::Integer; }
    ui::StoredValue GetStoredValue() const override { return ui::StoredValue::OfInteger(Position()); }
    void LoadStoredValue(const ui::StoredValue& v) override { SetPosition(v.integer); }
  };
  Store(L"s", L"dial", L"7");
  Store(L"s", L"plain", L"3");
  ui::Form f(L"frmT");
  auto& dial = f.Add<Dial>(nullptr, L"dial");
  auto& plain = f.Add<ui::TrackBar>(nullptr, L"plain");
  LoadSettings(session, L"s", f);
  EXPECT_EQ(dial.Position(), 7);
  EXPECT_EQ(plain.Position(), 0) << "a plain track bar keeps nothing";
  dial.UserSetPosition(4);
  plain.UserSetPosition(5);
  SaveSettings(session, f, L"s");
  EXPECT_EQ(Stored(L"s", L"dial"), L"4");
  EXPECT_EQ(Stored(L"s", L"plain"), L"3");
}

TEST_F(SettingsTest, ValueThatIsNotAStringFailsTheLoad) {
  host.registry.setDword(SectionPath(L"s"), L"unrelated", 1);
  SampleForm f;
  EXPECT_THROW(LoadSettings(session, L"s", f), Error);
}

TEST_F(SettingsTest, LoadCreatesAMissingSectionEmpty) {
  SampleForm f;
  LoadSettings(session, L"nouvelle", f);
  EXPECT_TRUE(host.registry.keyExists(SectionPath(L"nouvelle")));
}

TEST_F(SettingsTest, ReadSetting) {
  Store(L"options", L"avertcalq", L"0");
  host.registry.setDword(SectionPath(L"options"), L"showbox", 1);
  host.registry.setBinary(SectionPath(L"options"), L"blob", {1, 2});
  EXPECT_EQ(ReadSetting(session, L"options", L"avertcalq"), L"0");
  EXPECT_EQ(ReadSetting(session, L"options", L"showbox"), L"1");
  EXPECT_EQ(ReadSetting(session, L"options", L"blob"), L"");
  EXPECT_EQ(ReadSetting(session, L"options", L"missing"), L"");
  EXPECT_EQ(ReadSetting(session, L"nosection", L"x"), L"");
}

TEST_F(SettingsTest, FormPositionRoundTrip) {
  SampleForm f;
  f.SetBounds(ui::Rect{100, 120, 500, 400});
  SaveFormPos(session, f);
  const auto* w = host.registry.value(SectionPath(L"frmSample"), L"w");
  ASSERT_TRUE(w);
  EXPECT_EQ(w->type, RegType::Dword);
  EXPECT_EQ(w->dword, 500u);

  SampleForm g;
  g.SetPosition(ui::FormPosition::ScreenCenter);
  g.SetBounds(ui::Rect{0, 0, 300, 200});
  RestoreFormPos(session, g);
  EXPECT_EQ(g.Bounds(), (ui::Rect{100, 120, 500, 400}));
  user.On(L"frmSample", [](ui::Form& f) { f.UserClose(); });
  user.ShowModal(g);
  EXPECT_EQ(g.Bounds(), (ui::Rect{100, 120, 500, 400})) << "opens where it was closed";
}

TEST_F(SettingsTest, RestoreBeforeFirstCloseKeepsTheDesignSilently) {
  const ui::Rect designed{10, 20, 300, 200};
  {
    SampleForm f;  // no key at all
    f.SetBounds(designed);
    EXPECT_NO_THROW(RestoreFormPos(session, f));
    EXPECT_EQ(f.Bounds(), designed);
  }
  host.registry.setDword(SectionPath(L"frmSample"), L"x", 50);
  host.registry.setDword(SectionPath(L"frmSample"), L"y", 50);
  host.registry.setDword(SectionPath(L"frmSample"), L"w", 400);  // "h" missing
  SampleForm f;
  f.SetBounds(designed);
  EXPECT_NO_THROW(RestoreFormPos(session, f));
  EXPECT_EQ(f.Bounds(), designed);
  EXPECT_TRUE(host.system.boxes.empty());
  EXPECT_TRUE(user.History().empty()) << "no message box";
}

TEST_F(SettingsTest, RestoredWindowOffEveryMonitorComesBackOntoTheScreen) {
  struct Case { int x, y; };
  // The last ones lie so far out that their right and bottom edges do not
  // fit an int.
  const Case cases[] = {{3000, 100},       {-2000, 100}, {100, -500}, {100, 1100}, {2147483600, 2147483600},
                        {2147483600, 100}, {100, 2147483600}, {-2147483600, -2147483600}};
  for (const Case& c : cases) {
    host.registry.setDword(SectionPath(L"frmSample"), L"x", static_cast<std::uint32_t>(c.x));
    host.registry.setDword(SectionPath(L"frmSample"), L"y", static_cast<std::uint32_t>(c.y));
    host.registry.setDword(SectionPath(L"frmSample"), L"w", 500);
    host.registry.setDword(SectionPath(L"frmSample"), L"h", 400);
    SampleForm f;
    RestoreFormPos(session, f);
    const ui::Rect work = user.WorkArea();
    EXPECT_GE(f.Left(), work.left) << c.x << "," << c.y;
    EXPECT_GE(f.Top(), work.top) << c.x << "," << c.y;
    // In 64 bits: the edges of a window left far out do not fit an int.
    EXPECT_LE(std::int64_t{f.Left()} + f.Width(), work.right()) << c.x << "," << c.y;
    EXPECT_LE(std::int64_t{f.Top()} + f.Height(), work.bottom()) << c.x << "," << c.y;
    EXPECT_EQ(f.Width(), 500);
  }
}

TEST_F(SettingsTest, HeaderStateRoundTripAndMissingState) {
  struct GridForm : ui::Form {
    GridForm() : ui::Form(L"frmGerer") {
      grid = &Add<ui::TreeGrid>(this, L"TVGroupes", {0, 0, 300, 200});
      grid->AddColumn(L"Nom", 100);
      grid->AddColumn(L"Description", 150);
    }
    ui::TreeGrid* grid;
  };
  GridForm fresh;
  EXPECT_NO_THROW(RestoreHeaderState(session, fresh, *fresh.grid));
  EXPECT_EQ(fresh.grid->Column(1).width, 150);

  GridForm a;
  a.grid->SetColumnWidth(1, 222);
  SaveHeaderState(session, a, *a.grid);
  const auto* v = host.registry.value(SectionPath(L"frmGerer"), L"TVGroupes");
  ASSERT_TRUE(v);
  EXPECT_EQ(v->type, RegType::Binary);
  GridForm b;
  RestoreHeaderState(session, b, *b.grid);
  EXPECT_EQ(b.grid->Column(1).width, 222);
}

TEST_F(SettingsTest, CheckEmptyField) {
  struct FieldForm : ui::Form {
    FieldForm() : ui::Form(L"frmField") {
      other = &Add<ui::Edit>(this, L"other", {0, 0, 50, 21});
      field = &Add<ui::Edit>(this, L"calque", {0, 30, 50, 21});
    }
    ui::Edit* other;
    ui::Edit* field;
  };
  FieldForm f;
  f.field->SetText(L"Points");
  EXPECT_FALSE(CheckEmptyField(session, *f.field));
  EXPECT_TRUE(user.History().empty());

  std::wstring message;
  AnswerMessage(1, &message);
  f.field->SetText(L"  \t ");
  f.other->SetFocus();
  EXPECT_TRUE(CheckEmptyField(session, *f.field));
  EXPECT_EQ(message, L"Empty field");
  EXPECT_TRUE(f.field->Focused());
  EXPECT_EQ(f.field->SelLength(), 4);
}

struct LayerCase {
  const wchar_t* avertcalq;  // nullptr: no value
  const wchar_t* name;
  int answer;                // button pressed when the box shows; 0: Escape
  bool boxShown;
  bool result;
};

// Readable, stable case names in test listings (avertcalq=L"1" name=L"Eteint" answer=0).
void PrintTo(const LayerCase& c, std::ostream* os) {
  const auto narrow = [](const wchar_t* w) { return ::testing::PrintToString(std::wstring(w)); };
  *os << "avertcalq=" << (c.avertcalq ? narrow(c.avertcalq) : "none") << " name=" << narrow(c.name)
      << " answer=" << c.answer;
}

class LayerWarningTest : public FormsTest, public ::testing::WithParamInterface<LayerCase> {};

TEST_P(LayerWarningTest, WarnsOnlyAboutKnownFrozenOrOffLayers) {
  const LayerCase& c = GetParam();
  session.Layers.Items = {{L"Points", 0, 0}, {L"Gelé", 0, 1}, {L"Eteint", -1, 0}};
  if (c.avertcalq) Store(L"options", L"avertcalq", c.avertcalq);
  std::wstring message;
  if (c.boxShown) {
    user.On(L"frmErrMsg", [&](ui::Form& f) {
      message = f.Get<ui::Label>(L"LabMsg").Caption();
      EXPECT_EQ(f.Get<ui::Button>(L"Button1").Caption(), L"Ok");
      EXPECT_EQ(f.Get<ui::Button>(L"Button2").Caption(), L"Keep away");
      if (c.answer == 0)
        f.UserKey(ui::Key::Escape);
      else
        f.Get<ui::Button>(L"Button" + std::to_wstring(c.answer)).UserClick();
    });
  }
  ui::Form form(L"frmT");
  auto& field = form.Add<ui::Edit>(nullptr, L"calque");
  field.SetText(c.name);
  EXPECT_EQ(CheckLayerWarning(session, field), c.result);
  EXPECT_EQ(user.ShownCount(L"frmErrMsg"), c.boxShown ? 1 : 0);
  if (c.boxShown) {
    EXPECT_EQ(message, L"Layer <" + std::wstring(TrimBlanks(c.name)) + L"> is frozen or off");
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, LayerWarningTest,
                         ::testing::Values(LayerCase{L"0", L"Gelé", 1, false, true},
                                           LayerCase{nullptr, L" Gelé ", 1, true, true},
                                           LayerCase{nullptr, L"Gelé", 2, true, false},
                                           LayerCase{L"1", L"Eteint", 0, true, false},
                                           LayerCase{L"", L"Eteint", 1, true, true},
                                           LayerCase{nullptr, L"Points", 1, false, true},
                                           LayerCase{nullptr, L"gelé", 1, false, true},
                                           LayerCase{nullptr, L"Nouveau", 1, false, true}));

TEST_F(SettingsTest, CheckNumber) {
  struct Case { const wchar_t* text; bool show; bool ok; const wchar_t* after; };
  const Case cases[] = {
      {L"12,5", true, true, L"12.500"},     {L" 7% ", true, true, L"7.000%"},
      {L"5%abc", true, true, L"5.000%"},    {L"-0,25", false, true, L"-0.250"},
      {L"1e3", true, true, L"1000.000"},    {L"abc", true, false, L"abc"},
      {L" 1,2,3 ", false, false, L"1.2.3"}, {L"", false, false, L""},
      {L"%", true, false, L"%"},
  };
  for (const Case& c : cases) {
    host.system.beeps.clear();
    user.ClearHistory();
    std::wstring message;
    if (!c.ok && c.show) AnswerMessage(1, &message);
    ui::Form form(L"frmT");
    auto& other = form.Add<ui::Edit>(nullptr, L"other");
    auto& field = form.Add<ui::Edit>(nullptr, L"dectext");
    other.SetFocus();
    field.SetText(c.text);
    EXPECT_EQ(CheckNumber(session, field, c.show), c.ok) << testing::Narrow(c.text);
    EXPECT_EQ(field.Text(), c.after) << testing::Narrow(c.text);
    if (c.ok) {
      EXPECT_TRUE(host.system.beeps.empty());
      EXPECT_TRUE(other.Focused());
    } else {
      ASSERT_EQ(host.system.beeps.size(), 1u);
      EXPECT_EQ(host.system.beeps[0].frequencyHz, 440u);
      EXPECT_EQ(host.system.beeps[0].durationMs, 100u);
      EXPECT_EQ(user.ShownCount(L"frmErrMsg"), c.show ? 1 : 0);
      if (c.show) {
        EXPECT_EQ(message, L"Not a number");
      }
      EXPECT_TRUE(field.Focused());
      EXPECT_EQ(field.SelLength(), static_cast<int>(field.Text().size()));
    }
  }
}

TEST(EnableChildren, TwoLevelsFollowTheBoxWhichStaysEnabled) {
  ui::Form f(L"frmT");
  auto& group = f.Add<ui::GroupBox>(nullptr, L"group");
  auto& box = f.Add<ui::CheckBox>(&group, L"box");
  auto& field = f.Add<ui::Edit>(&group, L"field");
  auto& panel = f.Add<ui::Panel>(&group, L"panel");
  auto& b1 = f.Add<ui::Button>(&panel, L"b1");
  auto& inner = f.Add<ui::Panel>(&panel, L"inner");
  auto& deep = f.Add<ui::Button>(&inner, L"deep");

  EnableChildren(group, box);  // unchecked
  EXPECT_FALSE(field.Enabled());
  EXPECT_FALSE(b1.Enabled());
  EXPECT_FALSE(inner.Enabled());
  EXPECT_TRUE(deep.Enabled()) << "only two levels are visited";
  EXPECT_TRUE(panel.Enabled());
  EXPECT_TRUE(box.Enabled());

  box.SetChecked(true);
  EnableChildren(group, box);
  EXPECT_TRUE(field.Enabled());
  EXPECT_TRUE(b1.Enabled());

  // A radio button outside the container heads it just as well; another
  // kind of container is left alone.
  auto& radio = f.Add<ui::RadioButton>(nullptr, L"radio");
  auto& page = f.Add<ui::ToolBar>(nullptr, L"page");
  auto& onPage = f.Add<ui::Edit>(&page, L"onPage");
  EnableChildren(page, radio);
  EXPECT_TRUE(onPage.Enabled());
  EnableChildren(group, radio);
  EXPECT_FALSE(field.Enabled());
}

}  // namespace
}  // namespace topaline
