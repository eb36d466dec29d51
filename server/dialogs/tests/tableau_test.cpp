#include "server/dialogs/points/tableau.h"

#include <gtest/gtest.h>

#include "server/dialogs/common/pickers.h"
#include "server/dialogs/common/tests/forms_fixture.h"

namespace topaline {
namespace {

class TableauTest : public testing::FormsTest {
protected:
  TableauTest() {
    exchange.value(Slot::AXCalques) =
        Variant::array({Variant::string(L"Points"), Variant::i4(0), Variant::i4(0), Variant::string(L"Gelé"),
                        Variant::i4(0), Variant::i4(1)});
    // What the host creates: every value, holding the form's defaults.
    const std::pair<const wchar_t*, const wchar_t*> values[] = {
        {L"crept", L"1"},   {L"colnum", L"Numéro"}, {L"crex", L"1"},  {L"decx", L"2"},
        {L"colx", L"X"},    {L"crey", L"1"},        {L"decy", L"2"},  {L"coly", L"Y"},
        {L"crez", L"1"},    {L"decz", L"2"},        {L"colz", L"Z"},  {L"credes", L"1"},
        {L"coldes", L"D"},  {L"httxt", L"1.0000"},  {L"titre", L"Tableau des Coordonnées"},
        {L"nblig", L"0"},   {L"crelig", L"1"}};
    for (const auto& [name, value] : values) Store(L"tableau", name, value);
    Store(L"tableau", L"calque", L"Points");
    Store(L"options", L"avertcalq", L"1");
  }
  static TfrmTableau& Of(ui::Form& f) { return static_cast<TfrmTableau&>(f); }
  void Run(std::function<void(TfrmTableau&)> script) {
    user.On(L"frmTableau", [script](ui::Form& f) { script(Of(f)); });
    Pickers pickers(session, Pickers::With::Layers);
    CoordinatesTable(session, pickers.layers.get());
  }
};

TEST_F(TableauTest, EachColumnBoxGovernsItsPanelFromTheLoadOn) {
  Store(L"tableau", L"crex", L"0");
  Store(L"tableau", L"credes", L"0");
  Run([](TfrmTableau& f) {
    EXPECT_FALSE(f.decx->Enabled());
    EXPECT_FALSE(f.colx->Enabled());
    EXPECT_TRUE(f.crex->Enabled());
    EXPECT_FALSE(f.coldes->Enabled());
    EXPECT_TRUE(f.decy->Enabled());
    f.crex->UserClick();
    EXPECT_TRUE(f.colx->Enabled());
    f.crept->UserClick();
    EXPECT_FALSE(f.colnum->Enabled());
    f.crelig->UserClick();
    EXPECT_TRUE(f.titre->Enabled()) << "the ruling box governs nothing";
    f.btAnnule->UserClick();
  });
}

TEST_F(TableauTest, ApplyStoresEveryValue) {
  Run([](TfrmTableau& f) {
    f.decz->UserPick(9);
    f.coly->UserSetText(L"Nord");
    f.httxt->UserFocus();
    f.httxt->UserSetText(L"");
    f.httxt->UserType(L"2,5");
    f.nblig->UserFocus();
    f.nblig->UserSetText(L"");
    f.nblig->UserType(L"-2000");
    f.titre->UserFocus();
    for (ui::CheckBox* box : {f.crept, f.crex, f.crey, f.crez, f.credes}) box->UserClick();  // all off is fine
    f.btAppliquer->UserClick();
  });
  EXPECT_EQ(exchange.resultat, 1);
  const std::pair<const wchar_t*, const wchar_t*> expected[] = {
      {L"crept", L"0"},  {L"crex", L"0"},   {L"credes", L"0"},     {L"decz", L"9"},       {L"decx", L"2"},
      {L"coly", L"Nord"}, {L"httxt", L"2.5000"}, {L"nblig", L"-1000"}, {L"calque", L"Points"}, {L"crelig", L"1"},
      {L"titre", L"Tableau des Coordonnées"}};
  for (const auto& [name, value] : expected) EXPECT_EQ(Stored(L"tableau", name), value) << testing::Narrow(name);
}

TEST_F(TableauTest, ApplyRefusesABlankLayerAndAskesAboutAFrozenOne) {
  struct Case { const wchar_t* layer; int answer; std::wstring message; int resultat; };
  const Case cases[] = {
      {L"   ", 1, L"Empty field", 0},
      {L"Gelé", 2, L"Layer <Gelé> is frozen or off", 0},  // declined
      {L"Gelé", 1, L"Layer <Gelé> is frozen or off", 1},  // confirmed
      {L"Nouveau", 0, L"", 1},                            // unknown layers are not warned about
  };
  for (const Case& c : cases) {
    exchange.resultat = 0;
    Store(L"tableau", L"calque", L"Points");
    std::wstring shown;
    if (c.answer) AnswerMessage(c.answer, &shown);
    Run([&](TfrmTableau& f) {
      f.calque->UserSetText(c.layer);
      f.btAppliquer->UserClick();
      if (f.GetModalResult() == ui::mrNone) f.btAnnule->UserClick();
    });
    EXPECT_EQ(shown.find(c.message.substr(0, 6)) == 0, true) << testing::Narrow(shown);
    EXPECT_EQ(exchange.resultat, c.resultat) << testing::Narrow(c.layer);
    EXPECT_EQ(Stored(L"tableau", L"calque"), c.resultat ? c.layer : L"Points");
  }
}

TEST_F(TableauTest, TheLayerButtonFillsTheFieldUnlessTheListIsCancelled) {
  Run([this](TfrmTableau& f) {
    f.calque->UserSetText(L"typed");
    user.On(L"frmCalques", [](ui::Form& l) { static_cast<TfrmCalques&>(l).btAnnule->UserClick(); });
    f.BitBtn1->UserClick();
    EXPECT_EQ(f.calque->Text(), L"typed");
    user.On(L"frmCalques", [](ui::Form& l) { static_cast<TfrmCalques&>(l).TVCalques->UserDoubleClickRow(1); });
    f.BitBtn1->UserClick();
    EXPECT_EQ(f.calque->Text(), L"Gelé");
    f.UserKey(ui::Key::Escape);
  });
  EXPECT_EQ(exchange.resultat, 0);
  EXPECT_EQ(Stored(L"tableau", L"calque"), L"Points") << "cancel writes nothing";
}

}  // namespace
}  // namespace topaline
