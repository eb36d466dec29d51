#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/error.h"
#include "ui/ui.h"

using namespace topaline;
using namespace topaline::ui;

namespace {

// A numeric-style field: digits only, a comma becomes a point, Enter
// rewrites the text, leaving the field too.
class DigitsEdit : public Edit {
public:
  using Edit::Edit;
  int normalised = 0;
  void KeyPress(wchar_t& ch) override {
    if (ch == L',') ch = L'.';
    if (ch >= 32 && std::wstring(L"0123456789.").find(ch) == std::wstring::npos) ch = 0;
    if (ch == L'\r') Normalise();
    Edit::KeyPress(ch);
  }
  void DoExit() override {
    Normalise();
    Edit::DoExit();
  }
  void Normalise() {
    ++normalised;
    if (Text().empty()) SetText(L"0");
  }
};

}  // namespace

TEST(CheckBox, SettingTheStateRunsTheClickReactionOnlyWhenItChanges) {
  Form f(L"frm");
  auto& box = f.Add<CheckBox>(nullptr, L"box");
  int clicks = 0;
  box.OnClick = [&] { ++clicks; };
  box.SetChecked(false);
  EXPECT_EQ(clicks, 0);
  box.SetChecked(true);
  box.SetChecked(true);
  EXPECT_EQ(clicks, 1);
  box.UserClick();  // the user's click toggles
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(clicks, 2);
  box.UserKey(Key::Space);
  EXPECT_TRUE(box.Checked());
  box.SetEnabled(false);
  box.UserClick();  // disabled: ignored
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(clicks, 3);
}

TEST(RadioButton, CheckingUnchecksSiblingsOfTheSameParentOnly) {
  Form f(L"frm");
  auto& g1 = f.Add<GroupBox>(nullptr, L"g1");
  auto& g2 = f.Add<GroupBox>(nullptr, L"g2");
  auto& r1 = f.Add<RadioButton>(&g1, L"r1");
  auto& r2 = f.Add<RadioButton>(&g1, L"r2");
  auto& r3 = f.Add<RadioButton>(&g1, L"r3");
  auto& other = f.Add<RadioButton>(&g2, L"other");
  std::vector<std::wstring> clicks;
  for (RadioButton* r : {&r1, &r2, &r3, &other}) r->OnClick = [&clicks, r] { clicks.push_back(r->Name()); };
  other.SetChecked(true);
  r1.SetChecked(true);
  r2.UserClick();
  EXPECT_FALSE(r1.Checked());
  EXPECT_TRUE(r2.Checked());
  EXPECT_FALSE(r3.Checked());
  EXPECT_TRUE(other.Checked());  // another parent
  r2.SetChecked(false);          // unchecking runs nothing
  r2.UserClick();
  r2.UserClick();  // already checked: nothing more
  r3.UserKey(Key::Space);
  r3.UserKey(Key::Space);  // the space bar checks, never unchecks
  EXPECT_FALSE(r2.Checked());
  EXPECT_TRUE(r3.Checked());
  EXPECT_EQ(clicks, (std::vector<std::wstring>{L"other", L"r1", L"r2", L"r2", L"r3"}));
}

TEST(Edit, TypingGoesThroughTheKeyFilterAndEditsAtTheCaret) {
  Form f(L"frm");
  auto& e = f.Add<DigitsEdit>(nullptr, L"num");
  int changes = 0;
  e.OnChange = [&] { ++changes; };
  e.UserType(L"12,5x");
  EXPECT_EQ(e.Text(), L"12.5");
  EXPECT_EQ(changes, 4);
  e.UserKey(Key::Back);
  e.UserKey(Key::Home);
  e.UserType(L"9");
  EXPECT_EQ(e.Text(), L"912.");
  e.SelectAll();
  e.UserType(L"7");
  EXPECT_EQ(e.Text(), L"7");
  e.UserKey(Key::Back);
  EXPECT_EQ(e.Text(), L"");
  e.UserKey(Key::Enter);  // the filter sees Enter
  EXPECT_EQ(e.Text(), L"0");
  EXPECT_EQ(e.normalised, 1);
  auto& other = f.Add<Edit>(nullptr, L"other");
  e.SetText(L"");
  other.UserFocus();  // leaving runs DoExit
  EXPECT_EQ(e.Text(), L"0");
  EXPECT_EQ(e.normalised, 2);
  e.SetReadOnly(true);
  e.UserType(L"5");
  EXPECT_EQ(e.Text(), L"0");
}

TEST(Edit, MaxLengthAndPaste) {
  Form f(L"frm");
  auto& e = f.Add<Edit>(nullptr, L"e");
  e.SetMaxLength(3);
  e.UserType(L"abcd");
  EXPECT_EQ(e.Text(), L"abc");
  std::wstring seen;
  e.OnChange = [&] { seen = e.Text(); };
  e.UserSetText(L"pasted");
  EXPECT_EQ(seen, L"pasted");
}

TEST(ComboBox, ListOnlyAndEditableSelection) {
  Form f(L"frm");
  auto& list = f.Add<ComboBox>(nullptr, L"list");
  list.SetStyle(ComboBox::Style::DropDownList);
  list.SetItems({L"Zéro", L"Un", L"Deux"});
  int changes = 0;
  list.OnChange = [&] { ++changes; };
  list.SetText(L"ZÉRO");  // matched without regard to case, item's spelling kept
  EXPECT_EQ(list.ItemIndex(), 0);
  EXPECT_EQ(list.Text(), L"Zéro");
  list.SetText(L"nothing");
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(list.Text(), L"");
  EXPECT_EQ(changes, 0);  // programmatic choices raise nothing
  list.UserPick(2);
  EXPECT_EQ(list.Text(), L"Deux");
  EXPECT_EQ(changes, 1);
  list.UserKey(Key::Up);
  EXPECT_EQ(list.Text(), L"Un");
  list.UserType(L"z");  // type-to-select
  EXPECT_EQ(list.ItemIndex(), 0);
  EXPECT_EQ(changes, 3);
  EXPECT_THROW(list.SetItemIndex(3), Error);

  auto& box = f.Add<ComboBox>(nullptr, L"box");
  box.SetItems({L"12", L"13"});
  box.UserType(L"13");
  EXPECT_EQ(box.ItemIndex(), 1);
  box.UserType(L"4");
  EXPECT_EQ(box.Text(), L"134");
  EXPECT_EQ(box.ItemIndex(), -1);
  box.SetText(L"12");
  EXPECT_EQ(box.ItemIndex(), 0);
}

TEST(PageControl, OnlyTheActivePageIsVisibleAndItsControlsFocusable) {
  Form f(L"frm");
  auto& pages = f.Add<PageControl>(nullptr, L"pages", {0, 0, 300, 200});
  auto& t1 = f.Add<TabSheet>(&pages, L"t1");
  auto& t2 = f.Add<TabSheet>(&pages, L"t2");
  auto& e1 = f.Add<Edit>(&t1, L"e1");
  auto& e2 = f.Add<Edit>(&t2, L"e2");
  EXPECT_EQ(pages.ActivePage(), &t1);
  EXPECT_EQ(t1.Bounds(), pages.ClientRect());
  e2.SetFocus();
  EXPECT_EQ(f.ActiveControl(), nullptr);
  e1.SetFocus();
  int changed = 0;
  pages.OnChange = [&] { ++changed; };
  pages.UserSelectTab(1);
  EXPECT_EQ(pages.ActivePage(), &t2);
  EXPECT_FALSE(t1.Visible());
  EXPECT_EQ(changed, 1);
  EXPECT_NE(f.ActiveControl(), &e1);
  pages.OnChanging = [](bool& allow) { allow = false; };
  pages.UserSelectTab(0);
  EXPECT_EQ(pages.ActivePage(), &t2);
}

TEST(TrackBarAndStatusBar, RangeClampAndStatusText) {
  Form f(L"frm");
  auto& tb = f.Add<TrackBar>(nullptr, L"tb");
  tb.SetRange(0, 100);
  int changes = 0;
  tb.OnChange = [&] { ++changes; };
  tb.UserSetPosition(150);
  EXPECT_EQ(tb.Position(), 100);
  tb.UserKey(Key::Home);
  EXPECT_EQ(tb.Position(), 0);
  EXPECT_EQ(changes, 2);
  auto& sb = f.Add<StatusBar>(nullptr, L"sb");
  sb.SetSimpleText(L"simple");
  EXPECT_EQ(sb.StatusText(), L"simple");
  sb.AddPanel(200);
  sb.SetPanelText(0, L"panel");
  EXPECT_EQ(sb.StatusText(), L"panel");
  EXPECT_THROW(sb.SetPanelText(1, L"x"), Error);
}

TEST(ToolButtonAndMenu, ClickWithoutTakingTheFocus) {
  Form f(L"frm");
  auto& e = f.Add<Edit>(nullptr, L"e");
  auto& bar = f.Add<ToolBar>(nullptr, L"bar");
  auto& tb = f.Add<ToolButton>(&bar, L"tb");
  auto& menu = f.Add<PopupMenu>(nullptr, L"menu");
  auto& item = f.Add<MenuItem>(&menu, L"item");
  int exits = 0, clicks = 0;
  e.OnExit = [&] { ++exits; };
  tb.OnClick = [&] { ++clicks; };
  item.OnClick = [&] { ++clicks; };
  e.SetFocus();
  tb.UserClick();
  item.UserClick();
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(exits, 0);
  EXPECT_EQ(f.ActiveControl(), &e);
  tb.SetModalResult(mrOk);
  tb.UserClick();
  EXPECT_EQ(f.GetModalResult(), mrOk);
}
