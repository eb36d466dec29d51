#include "server/dialogs/common/calques.h"

#include <gtest/gtest.h>

#include "server/dialogs/common/tests/forms_fixture.h"
#include "ui/res/images.h"

namespace topaline {
namespace {

using namespace ui::images;

class CalquesTest : public testing::FormsTest {
protected:
  CalquesTest() {
    session.Labels.InitFromText(std::wstring(testing::kTestLabels) +
                                    L"6,\"Name\"\n7,\"On\"\n8,\"Frozen\"\n9,\"Layer: \"\n",
                                L"test labels");
  }
  // AXCalques from (Nom, Etat, Gele) triples.
  void Deliver(const std::vector<TUnCalque>& layers) {
    std::vector<Variant> a;
    for (const TUnCalque& l : layers) {
      a.push_back(Variant::string(l.Nom));
      a.push_back(Variant::i4(l.Etat));
      a.push_back(Variant::i4(l.Gele));
    }
    exchange.value(Slot::AXCalques) = Variant::array(std::move(a));
  }
  static TfrmCalques& Of(ui::Form& f) { return static_cast<TfrmCalques&>(f); }
};

TEST_F(CalquesTest, RowsKeepTheDeliveredOrderWithTheirStateIcons) {
  Deliver({{L" Murs ", 0, 2}, {L"Eteint", -1, 1}, {L"Murs", 5, 0}, {L"Gelé", 0, 1}});
  TfrmCalques list(session);
  ASSERT_EQ(session.Layers.Items.size(), 4u) << "the layers exist from the list's creation";
  EXPECT_EQ(list.TVCalques->Column(0).caption, L"Name");
  EXPECT_EQ(list.TVCalques->Column(1).caption, L"On");
  EXPECT_EQ(list.TVCalques->Column(2).caption, L"Frozen");
  EXPECT_FALSE(list.TVCalques->Sortable());
  user.On(L"frmCalques", [](ui::Form& form) {
    ui::TreeGrid& grid = *Of(form).TVCalques;
    struct Row { const wchar_t* nom; int etat; int gele; };
    const Row rows[] = {{L" Murs ", kLayerOn, kLayerThawed},  // Gele 2 is thawed: only 1 counts
                        {L"Eteint", kLayerOff, kLayerFrozen},
                        {L"Murs", kLayerOn, kLayerThawed},
                        {L"Gelé", kLayerOn, kLayerFrozen}};
    ASSERT_EQ(grid.RowCount(), 4);
    for (int r = 0; r < 4; ++r) {
      EXPECT_EQ(grid.CellText(r, 0), rows[r].nom);
      EXPECT_EQ(grid.CellText(r, 1), L"");
      EXPECT_EQ(grid.CellPaint(r, 1).imageIndex, rows[r].etat) << r;
      EXPECT_EQ(grid.CellPaint(r, 2).imageIndex, rows[r].gele) << r;
    }
    grid.UserClickHeader(0);
    EXPECT_EQ(grid.CellText(0, 0), L" Murs ") << "the list is not sortable";
    Of(form).btAnnule->UserClick();
  });
  EXPECT_EQ(list.ChooseLayer(), L"");
}

TEST_F(CalquesTest, EachWayOfClosingGivesItsResult) {
  Deliver({{L"A", 0, 0}, {L"Dup", 0, 0}, {L"C", 0, 0}, {L"Dup", -1, 1}});
  TfrmCalques list(session);
  using Act = std::function<void(TfrmCalques&)>;
  struct Case { const char* what; Act act; const wchar_t* result; };
  const Case cases[] = {
      {"select", [](TfrmCalques& f) { f.TVCalques->UserClickRow(2); f.btAppliquer->UserClick(); }, L"C"},
      {"double click", [](TfrmCalques& f) { f.TVCalques->UserDoubleClickRow(1); }, L"Dup"},
      {"the other duplicate", [](TfrmCalques& f) { f.TVCalques->UserDoubleClickRow(3); }, L"Dup"},
      {"select at once", [](TfrmCalques& f) { f.btAppliquer->UserClick(); }, L"A"},
      {"cancel", [](TfrmCalques& f) { f.TVCalques->UserClickRow(2); f.btAnnule->UserClick(); }, L""},
      {"escape", [](TfrmCalques& f) { f.TVCalques->UserClickRow(2); f.TVCalques->UserKey(ui::Key::Escape); }, L""},
      {"close box", [](TfrmCalques& f) { f.TVCalques->UserClickRow(1); f.UserClose(); }, L""},
  };
  for (const Case& c : cases) {
    user.On(L"frmCalques", [&](ui::Form& form) {
      TfrmCalques& f = Of(form);
      // Every opening starts on the first layer, whatever the last one chose.
      EXPECT_EQ(f.TVCalques->FocusedRow(), 0) << c.what;
      EXPECT_EQ(f.StatusBar1->PanelText(0), L"Layer: A") << c.what;
      c.act(f);
    });
    EXPECT_EQ(list.ChooseLayer(), c.result) << c.what;
  }
  EXPECT_EQ(exchange.resultat, 0) << "the list changes nothing";
}

TEST_F(CalquesTest, TheStatusBarFollowsTheFocusedRow) {
  Deliver({{L"A", 0, 0}, {L"B c", 0, 0}});
  TfrmCalques list(session);
  user.On(L"frmCalques", [](ui::Form& form) {
    TfrmCalques& f = Of(form);
    f.TVCalques->UserKey(ui::Key::Down);
    EXPECT_EQ(f.StatusBar1->PanelText(0), L"Layer: B c");
    f.TVCalques->UserClickRow(0);
    EXPECT_EQ(f.StatusBar1->PanelText(0), L"Layer: A");
    f.btAnnule->UserClick();
  });
  list.ChooseLayer();
}

TEST_F(CalquesTest, AnEmptyOrMissingArrayGivesAnEmptyListThatSelectsNothing) {
  for (bool missing : {false, true}) {
    if (missing)
      exchange.value(Slot::AXCalques) = Variant::string(L"x");
    else
      Deliver({});
    session.Layers.Items = {{L"old", 0, 0}};
    if (missing)
      user.On(L"frmErrMsg", [](ui::Form& f) { f.Get<ui::Button>(L"Button1").UserClick(); });
    TfrmCalques list(session);
    EXPECT_TRUE(session.Layers.Items.empty()) << "a new command never sees the last one's layers";
    user.On(L"frmCalques", [](ui::Form& form) {
      EXPECT_EQ(Of(form).TVCalques->FocusedRow(), -1);
      Of(form).btAppliquer->UserClick();
    });
    EXPECT_EQ(list.ChooseLayer(), L"");
  }
}

// An element that does not convert stops the reading with an
// error, and the layers read before it stay in the set: the list shows
// them, and the layer warning still warns about a frozen one among them.
TEST_F(CalquesTest, ABadElementKeepsTheLayersReadBeforeIt) {
  exchange.value(Slot::AXCalques) =
      Variant::array({Variant::string(L"A"), Variant::i4(0), Variant::i4(0), Variant::string(L"Frozen"), Variant::i4(0),
                      Variant::i4(1), Variant::string(L"Bad"), Variant::string(L"not a state"), Variant::i4(0),
                      Variant::string(L"After"), Variant::i4(0), Variant::i4(0)});
  std::wstring error;
  user.On(L"frmErrMsg", [&](ui::Form& f) {
    error = f.Get<ui::Label>(L"LabMsg").Caption();
    f.Get<ui::Button>(L"Button1").UserClick();
  });
  TfrmCalques list(session);
  EXPECT_NE(error, L"") << "the bad element is reported";
  ASSERT_EQ(session.Layers.Items.size(), 2u);
  EXPECT_EQ(session.Layers.Items[0].Nom, L"A");
  EXPECT_EQ(session.Layers.Items[1].Nom, L"Frozen");
  user.On(L"frmCalques", [](ui::Form& form) {
    ui::TreeGrid& grid = *Of(form).TVCalques;
    ASSERT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.CellText(1, 0), L"Frozen");
    EXPECT_EQ(grid.CellPaint(1, 2).imageIndex, kLayerFrozen);
    grid.UserClickRow(1);
    Of(form).btAppliquer->UserClick();
  });
  EXPECT_EQ(list.ChooseLayer(), L"Frozen");

  ui::Form host(L"host");
  ui::Edit& field = host.Add<ui::Edit>(nullptr, L"calque");
  field.SetText(L"Frozen");
  std::wstring warning;
  AnswerMessage(2, &warning);  // the warning's No
  EXPECT_FALSE(CheckLayerWarning(session, field)) << "the frozen layer read before the bad element still warns";
  EXPECT_EQ(warning, L"Layer <Frozen> is frozen or off");
  field.SetText(L"After");
  EXPECT_TRUE(CheckLayerWarning(session, field)) << "a layer after the bad element is unknown: no warning";
}

// A double-click anywhere in the list closes it as selected,
// below the last row and in an empty list too; the focused row is chosen.
TEST_F(CalquesTest, ADoubleClickBelowTheRowsOrInAnEmptyListSelects) {
  Deliver({{L"A", 0, 0}, {L"B", 0, 0}});
  {
    TfrmCalques list(session);
    user.On(L"frmCalques", [](ui::Form& form) {
      Of(form).TVCalques->UserClickRow(1);
      Of(form).TVCalques->UserDoubleClickRow(-1);  // below the last row
      EXPECT_EQ(form.GetModalResult(), ui::mrOk);
    });
    EXPECT_EQ(list.ChooseLayer(), L"B") << "the focused layer, unchanged by the click beside the rows";
    user.On(L"frmCalques", [](ui::Form& form) { Of(form).TVCalques->UserDoubleClickRow(-1); });
    EXPECT_EQ(list.ChooseLayer(), L"A") << "each opening starts on the first layer";
  }
  Deliver({});
  TfrmCalques empty(session);
  user.On(L"frmCalques", [](ui::Form& form) {
    Of(form).TVCalques->UserDoubleClickRow(-1);
    EXPECT_EQ(form.GetModalResult(), ui::mrOk) << "an empty list closes as selected too";
  });
  EXPECT_EQ(empty.ChooseLayer(), L"");
  EXPECT_EQ(user.History().back().result, ui::mrOk);
}

TEST_F(CalquesTest, PlaceAndHeaderAreKeptUnderTheFormName) {
  Deliver({{L"A", 0, 0}});
  {
    TfrmCalques list(session);
    user.On(L"frmCalques", [](ui::Form& form) {
      Of(form).TVCalques->UserResizeColumn(0, 200);
      form.UserMoved({10, 20, 500, 450});
      Of(form).btAnnule->UserClick();
    });
    list.ChooseLayer();
  }
  TfrmCalques again(session);
  EXPECT_EQ(again.TVCalques->Column(0).width, 200);
  EXPECT_EQ(again.Left(), 10);
  EXPECT_EQ(again.Width(), 500);
}

TEST_F(CalquesTest, ThePickerRuleReplacesTheFieldOnlyWithAChosenName) {
  Deliver({{L"A", 0, 0}, {L"B", 0, 0}});
  TfrmCalques list(session);
  ui::Form host(L"host");
  ui::Edit& field = host.Add<ui::Edit>(nullptr, L"calque");
  field.SetText(L"typed");
  user.On(L"frmCalques", [](ui::Form& form) { Of(form).TVCalques->UserKey(ui::Key::Down); form.UserClose(); });
  PickLayerInto(&list, field);
  EXPECT_EQ(field.Text(), L"typed");
  user.On(L"frmCalques", [](ui::Form& form) { Of(form).TVCalques->UserDoubleClickRow(1); });
  PickLayerInto(&list, field);
  EXPECT_EQ(field.Text(), L"B");
}

}  // namespace
}  // namespace topaline
