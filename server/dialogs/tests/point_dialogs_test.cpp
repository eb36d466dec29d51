#include <gtest/gtest.h>

#include "server/dialogs/common/tests/forms_fixture.h"
#include "server/dialogs/models/cree_points.h"
#include "server/dialogs/models/dess_point.h"
#include "server/dialogs/models/import_fic.h"

namespace topaline {
namespace {

class PointDialogsTest : public testing::FormsTest {
protected:
  PointDialogsTest() {
    host.registry.setString(ModelStorePath(), L"standard", L"1|points|1|numeros|0.000|1|altitude|0.000|2|0||0.000|0.000|1|1|1|1|");
    host.registry.setString(ModelStorePath(), L"Autre", L"0|p|");
    exchange.put(Slot::alldata, {Variant::string(L"Chantier"), Variant::i4(41)});
  }
  // The command's dialog, as the shared part sees it.
  template <class D>
  void Run(void (*command)(Session&), const wchar_t* form, std::function<void(D&)> script) {
    user.On(form, [script](ui::Form& f) { script(static_cast<D&>(f)); });
    command(session);
  }
};

struct Command {
  void (*run)(Session&);
  const wchar_t* form;
  const wchar_t* section;
  double minimum;
};
const Command kCommands[] = {
    {ImportPointsFile, L"frmImportFic", L"importe", -1000},
    {DrawPoints, L"frmDessPoint", L"dessinpoint", 1},
    {CreatePointsOnEntities, L"frmCreePoints", L"immat", 1},
};

TEST_F(PointDialogsTest, TheStartNumberIsTheGroupsLastPlusOneWithinTheFieldsBounds) {
  struct Case { std::int32_t last; const wchar_t* startImport; const wchar_t* startOthers; };
  const Case cases[] = {
      {41, L"42", L"42"},
      {2147483647, L"2147483648", L"2147483648"},  // no overflow
      {-5, L"-4", L"1"},
      {-2000, L"-1000", L"1"},
  };
  for (const Command& cmd : kCommands) {
    for (const Case& c : cases) {
      exchange.put(Slot::alldata, {Variant::string(L"G7"), Variant::i4(c.last)});
      Store(cmd.section, L"startat", L"999");
      const std::wstring expected = cmd.minimum < 0 ? c.startImport : c.startOthers;
      Run<TPointDialog>(cmd.run, cmd.form, [&](TPointDialog& d) {
        EXPECT_EQ(d.labNomGrp->Caption(), L"G7");
        EXPECT_TRUE(d.labNomGrp->GetFont().bold);
        EXPECT_EQ(d.startat->Text(), expected) << c.last;
        d.startat->UserSetText(L"5");
        d.BitBtn8->UserClick();
        EXPECT_EQ(d.startat->Text(), expected);
        d.btAnnule->UserClick();
      });
      EXPECT_EQ(Stored(cmd.section, L"startat"), L"999");
    }
  }
}

TEST_F(PointDialogsTest, ApplySavesTheParametersAndRefusesAnEmptyModel) {
  for (const Command& cmd : kCommands) {
    host.files.addFile(L"C:\\data\\pts.txt", std::string("1 2 3"));
    Store(cmd.section, L"nomfic", L"C:\\data\\pts.txt");
    for (const wchar_t* name : {L"models", L"echelle", L"prefixe", L"startat"}) Store(cmd.section, name, L"");
    std::wstring message;
    AnswerMessage(1, &message);
    Run<TPointDialog>(cmd.run, cmd.form, [&](TPointDialog& d) {
      EXPECT_EQ(d.models->Items(), (std::vector<std::wstring>{L"Autre", L"standard"}));
      EXPECT_EQ(d.models->ItemIndex(), 0) << "a saved name that is no model selects the first";
      d.models->SetItemIndex(-1);
      d.btAppliquer->UserClick();
      EXPECT_EQ(d.GetModalResult(), ui::mrNone);
      EXPECT_EQ(d.ActiveControl(), d.models);
      d.models->UserPick(1);
      d.echelle->UserPick(20);
      d.prefixe->UserSetText(L"x");
      d.SpeedButton1->UserClick();
      d.btAppliquer->UserClick();
    });
    EXPECT_EQ(message, L"Empty field") << testing::Narrow(cmd.form);
    EXPECT_EQ(exchange.resultat, 1);
    EXPECT_EQ(Stored(cmd.section, L"models"), L"standard");
    EXPECT_EQ(Stored(cmd.section, L"echelle"), L"10000");
    EXPECT_EQ(Stored(cmd.section, L"prefixe"), L"{GROUP}_");
    EXPECT_EQ(Stored(cmd.section, L"startat"), L"42");
  }
}

TEST_F(PointDialogsTest, ApplyWithAnEmptyStoreIsRefused) {
  HeadlessRegistry fresh;
  host.registry = fresh;
  for (const Command& cmd : kCommands) {
    Store(cmd.section, L"models", L"");
    AnswerMessage(1);
    Run<TPointDialog>(cmd.run, cmd.form, [&](TPointDialog& d) {
      d.btAppliquer->UserClick();
      EXPECT_EQ(d.GetModalResult(), ui::mrNone);
      d.btAnnule->UserClick();
    });
    EXPECT_EQ(exchange.resultat, 0);
    EXPECT_EQ(Stored(cmd.section, L"models"), L"");
  }
}

// Where the section holds no models value, no model name reaches the
// host and Apply tests nothing of it: a section with no values receives
// nothing and resultat is 1.
TEST_F(PointDialogsTest, ApplyWithoutAModelsValueTestsNoModel) {
  host.files.addFile(L"C:\\data\\pts.txt", std::string("1 2 3"));
  for (const Command& cmd : kCommands) {
    const bool import = cmd.section == std::wstring(L"importe");
    if (import) Store(cmd.section, L"nomfic", L"C:\\data\\pts.txt");
    exchange.resultat = 0;
    Run<TPointDialog>(cmd.run, cmd.form, [&](TPointDialog& d) {
      EXPECT_EQ(d.models->ItemIndex(), -1);
      d.btAppliquer->UserClick();
      EXPECT_EQ(d.GetModalResult(), ui::mrOk) << testing::Narrow(cmd.form);
    });
    EXPECT_EQ(exchange.resultat, 1) << testing::Narrow(cmd.form);
    auto key = host.registry.open(SectionPath(cmd.section), false);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->valueNames(), import ? std::vector<std::wstring>{L"nomfic"} : std::vector<std::wstring>{});
    EXPECT_FALSE(HasSetting(session, cmd.section, L"models"));
  }
}

TEST_F(PointDialogsTest, ImportChecksTheFileAndKeepsTheDisabledColumns) {
  host.files.addFile(L"C:\\data\\pts.gsi", std::string("*110001"));
  host.files.addFolder(L"C:\\data\\folder");
  for (const wchar_t* name : {L"nomfic", L"typfic", L"cx", L"separ", L"renum", L"increment", L"cbPointsDup", L"models"})
    Store(L"importe", name, L"");
  Store(L"importe", L"typfic", L"[720]");
  Store(L"importe", L"cx", L"3");
  Store(L"importe", L"separ", L"[724]");
  Store(L"importe", L"renum", L"0");
  Store(L"importe", L"models", L"standard");
  std::vector<std::wstring> messages(3);
  for (std::wstring& m : messages) AnswerMessage(1, &m);
  Run<TfrmImportFic>(ImportPointsFile, L"frmImportFic", [&](TfrmImportFic& d) {
    EXPECT_EQ(d.typfic->ItemIndex(), 1);
    EXPECT_FALSE(d.cx->Enabled());
    EXPECT_FALSE(d.separ->Enabled());
    EXPECT_FALSE(d.startat->Enabled());
    EXPECT_FALSE(d.BitBtn8->Enabled());
    EXPECT_TRUE(d.renum->Enabled());
    d.renum->UserClick();
    EXPECT_TRUE(d.increment->Enabled());
    d.typfic->UserPick(0);
    EXPECT_TRUE(d.cx->Enabled());
    d.typfic->UserPick(1);
    for (const wchar_t* path : {L"", L"C:\\data\\folder", L"C:\\data\\missing.gsi"}) {
      d.nomfic->UserSetText(path);
      d.btAppliquer->UserClick();
      EXPECT_EQ(d.GetModalResult(), ui::mrNone);
      EXPECT_EQ(d.ActiveControl(), d.nomfic);
    }
    host.system.fileAnswers.push_back({true, L"C:\\data\\pts.gsi", 1});
    d.nomfic->UserSetText(L"C:\\data\\missing.gsi");
    d.BitBtn1->UserClick();
    EXPECT_EQ(d.nomfic->Text(), L"C:\\data\\pts.gsi");
    d.BitBtn7->UserClick();
    d.cbPointsDup->UserPick(2);
    d.btAppliquer->UserClick();
  });
  EXPECT_EQ(messages, std::vector<std::wstring>(3, L"[701]"));
  ASSERT_EQ(host.system.fileDialogs.size(), 1u);
  const FileDialogRequest& request = host.system.fileDialogs[0].request;
  EXPECT_EQ(request.title, L"[718]");
  EXPECT_EQ(request.initialFolder, L"C:\\data\\");
  EXPECT_EQ(request.filterIndex, 1);
  ASSERT_EQ(host.shell.launches.size(), 1u);
  EXPECT_EQ(host.shell.launches[0].parameters, L"\"C:\\data\\pts.gsi\"");
  EXPECT_EQ(Stored(L"importe", L"nomfic"), L"C:\\data\\pts.gsi");
  EXPECT_EQ(Stored(L"importe", L"typfic"), L"[720]");
  EXPECT_EQ(Stored(L"importe", L"cx"), L"3") << "disabled columns keep their values";
  EXPECT_EQ(Stored(L"importe", L"separ"), L"[724]");
  EXPECT_EQ(Stored(L"importe", L"renum"), L"1");
  EXPECT_EQ(Stored(L"importe", L"cbPointsDup"), L"Renuméroter le nouveau point");
  EXPECT_EQ(exchange.resultat, 1);
}

TEST_F(PointDialogsTest, DuplicateChoicesFollowTheLanguage) {
  struct Case { const wchar_t* langue; const wchar_t* third; };
  const Case cases[] = {{L"fr", L"Renuméroter le nouveau point"}, {L"en", L"Renumber the new point"},
                        {L"es", L"Renumber the new point"}};
  for (const Case& c : cases) {
    session.config.langue = c.langue;
    Run<TfrmImportFic>(ImportPointsFile, L"frmImportFic", [&](TfrmImportFic& d) {
      ASSERT_EQ(d.cbPointsDup->Items().size(), 3u) << testing::Narrow(c.langue);
      EXPECT_EQ(d.cbPointsDup->Items()[2], c.third);
      d.btAnnule->UserClick();
    });
  }
}

TEST_F(PointDialogsTest, TheConstantAltitudeIsEnabledOnlyWithItsButton) {
  struct Case { const wchar_t* altauto; const wchar_t* altask; const wchar_t* altconst; bool enabled; };
  const Case cases[] = {
      {nullptr, nullptr, nullptr, true},  // none checked: as designed
      {L"0", L"0", L"1", true},
      {L"0", L"1", L"0", false},
      {L"1", L"0", L"0", false},
  };
  for (const Case& c : cases) {
    HeadlessRegistry fresh;
    host.registry = fresh;
    host.registry.setString(ModelStorePath(), L"m", L"1|");
    const std::pair<const wchar_t*, const wchar_t*> values[] = {
        {L"altauto", c.altauto}, {L"altask", c.altask}, {L"altconst", c.altconst}};
    for (const auto& [name, value] : values)
      if (value) Store(L"dessinpoint", name, value);
    Store(L"dessinpoint", L"altval", L"12.5000");
    Store(L"dessinpoint", L"models", L"m");
    Run<TfrmDessPoint>(DrawPoints, L"frmDessPoint", [&](TfrmDessPoint& d) {
      EXPECT_EQ(d.altval->Enabled(), c.enabled);
      d.altconst->UserClick();
      EXPECT_TRUE(d.altval->Enabled());
      d.altask->UserClick();
      EXPECT_FALSE(d.altval->Enabled());
      d.btAppliquer->UserClick();
    });
    EXPECT_EQ(Stored(L"dessinpoint", L"altval"), L"12.5000");
    EXPECT_EQ(Stored(L"dessinpoint", L"altask"), c.altask ? L"1" : L"<missing>");
  }
}

TEST_F(PointDialogsTest, CreatePointsSavesItsOptionsAsTyped) {
  Store(L"immat", L"pointcentre", L"0");
  Store(L"immat", L"pointmilieu", L"0");
  Store(L"immat", L"defdes", L"d");
  Store(L"immat", L"models", L"autre");
  Run<TfrmCreePoints>(CreatePointsOnEntities, L"frmCreePoints", [&](TfrmCreePoints& d) {
    EXPECT_EQ(d.models->Text(), L"Autre");
    d.pointmilieu->UserClick();
    d.defdes->UserSetText(L"");
    d.btAppliquer->UserClick();
  });
  EXPECT_EQ(Stored(L"immat", L"pointcentre"), L"0");
  EXPECT_EQ(Stored(L"immat", L"pointmilieu"), L"1");
  EXPECT_EQ(Stored(L"immat", L"defdes"), L"");
  EXPECT_EQ(Stored(L"immat", L"models"), L"Autre");
}

TEST_F(PointDialogsTest, HelpAndCancel) {
  const std::pair<const Command*, const wchar_t*> topics[] = {
      {&kCommands[0], L"tlimportfic"}, {&kCommands[1], L"tldespoint"}, {&kCommands[2], L"tlcrepoint"}};
  for (const auto& [cmd, topic] : topics) {
    host.shell.launches.clear();
    Store(cmd->section, L"prefixe", L"p");
    Run<TPointDialog>(cmd->run, cmd->form, [&](TPointDialog& d) {
      d.btAide->UserClick();
      d.prefixe->UserSetText(L"changed");
      d.UserKey(ui::Key::Escape);
    });
    ASSERT_EQ(host.shell.launches.size(), 1u);
    EXPECT_EQ(host.shell.launches[0].parameters, L"C:\\Prog\\topaline3\\topaline3.chm::/" + std::wstring(topic) + L".htm");
    EXPECT_EQ(Stored(cmd->section, L"prefixe"), L"p");
    EXPECT_EQ(exchange.resultat, 0);
  }
}

}  // namespace
}  // namespace topaline
