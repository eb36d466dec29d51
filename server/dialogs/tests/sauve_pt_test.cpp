#include "server/dialogs/points/sauve_pt.h"

#include <gtest/gtest.h>

#include <functional>

#include "server/dialogs/common/tests/forms_fixture.h"

namespace topaline {
namespace {

using testing::Narrow;

const wchar_t* const kNames[] = {L"nomfic", L"typfic", L"cn",     L"cx",    L"cy",      L"cz",
                                 L"cdes",   L"separ",  L"nbdec",  L"gsi8",  L"gsi16",   L"gsidec",
                                 L"renum",  L"startat", L"increment", L"ecrase"};

class SauvePtTest : public testing::FormsTest {
protected:
  SauvePtTest() {
    session.Labels.InitFromText(std::wstring(testing::kTestLabels) +
                                    L"700,\"Save points\"\n711,\"No file\"\n719,\"Text file\"\n720,\"GSI file\"\n"
                                    L"721,\"Text (*.txt)|*.txt|All|*.*\"\n722,\"GSI (*.gsi)|*.gsi|All|*.*\"\n"
                                    L"723,\"Space\"\n724,\"Comma\"\n725,\"Semicolon\"\n",
                                L"test labels");
    const wchar_t* values[] = {L"C:\\data\\new.txt", L"Text file", L"1", L"2", L"3", L"4", L"5", L"Comma", L"3",
                               L"0", L"1", L"4", L"0", L"1", L"1", L"0"};
    for (std::size_t i = 0; i < std::size(kNames); ++i) Store(L"sauvepoints", kNames[i], values[i]);
    host.files.addFolder(L"C:\\data");
  }
  static TfrmSauvePt& Sauve(ui::Form& form) { return static_cast<TfrmSauvePt&>(form); }
  // Answers the existing-file question with its button (1 append, 2
  // replace, 3 back), or closes it by Escape (0) or its close box (-1).
  void AnswerExisting(int button) {
    user.On(L"Form23", [button](ui::Form& f) {
      auto& q = static_cast<TForm23&>(f);
      EXPECT_TRUE(q.Button1->Focused()) << "Enter appends";
      if (button == 0) q.UserKey(ui::Key::Escape);
      else if (button < 0) q.UserClose();
      else q.Get<ui::Button>(L"Button" + std::to_wstring(button)).UserClick();
    });
  }
};

TEST_F(SauvePtTest, ApplyStoresEveryChoiceAsItsText) {
  user.On(L"frmSauvePt", [](ui::Form& form) {
    TfrmSauvePt& f = Sauve(form);
    EXPECT_EQ(f.typfic->Items(), (std::vector<std::wstring>{L"Text file", L"GSI file"}));
    EXPECT_EQ(f.separ->Items(), (std::vector<std::wstring>{L"Space", L"Comma", L"Semicolon"}));
    EXPECT_EQ(f.cn->Items(), (std::vector<std::wstring>{L"Ignore", L"1", L"2", L"3", L"4", L"5"}));
    f.cn->UserPick(0);
    f.separ->UserPick(2);
    f.nbdec->UserPick(4);
    f.renum->UserClick();
    f.startat->UserFocus();
    f.startat->UserSetText(L"-5000");
    f.increment->UserFocus();
    f.increment->UserSetText(L"0");
    f.btAppliquer->UserClick();
  });
  SavePoints(session);
  EXPECT_EQ(exchange.resultat, 1);
  const wchar_t* saved[] = {L"C:\\data\\new.txt", L"Text file", L"Ignore", L"2",  L"3", L"4", L"5", L"Semicolon",
                            L"5", L"0", L"1", L"4", L"1", L"-1000", L"1", L"0"};
  for (std::size_t i = 0; i < std::size(kNames); ++i) EXPECT_EQ(Stored(L"sauvepoints", kNames[i]), saved[i]) << Narrow(kNames[i]);
}

TEST_F(SauvePtTest, FileTypeAndRenumberingGovernTheirPanels) {
  struct Case { const wchar_t* typfic; const wchar_t* renum; const wchar_t* gsi8; bool text, gsi, renumbers, eight; };
  const Case cases[] = {
      {L"Text file", L"0", L"0", true, false, false, false},
      {L"GSI file", L"1", L"1", false, true, true, true},
      {L"gsi FILE", L"0", L"0", false, true, false, false},  // found without regard to case
      {L"Other", L"1", L"0", true, false, true, false},      // no such item: the first
  };
  for (const Case& c : cases) {
    Store(L"sauvepoints", L"typfic", c.typfic);
    Store(L"sauvepoints", L"renum", c.renum);
    Store(L"sauvepoints", L"gsi8", c.gsi8);
    Store(L"sauvepoints", L"gsi16", L"0");
    user.On(L"frmSauvePt", [&](ui::Form& form) {
      TfrmSauvePt& f = Sauve(form);
      SCOPED_TRACE(Narrow(c.typfic));
      for (ui::Component* child : f.Panel1->Children()) EXPECT_EQ(child->Enabled(), c.text) << Narrow(child->Name());
      for (ui::Component* child : f.Panel2->Children()) EXPECT_EQ(child->Enabled(), c.gsi) << Narrow(child->Name());
      EXPECT_TRUE(f.renum->Enabled());
      for (ui::Component* c2 : {static_cast<ui::Component*>(f.startat), static_cast<ui::Component*>(f.increment),
                                static_cast<ui::Component*>(f.Label11)})
        EXPECT_EQ(c2->Enabled(), c.renumbers);
      EXPECT_EQ(f.gsi8->Checked(), c.eight);
      EXPECT_EQ(f.gsi16->Checked(), !c.eight) << "one word length is always chosen";
      f.typfic->UserPick(c.text ? 1 : 0);
      EXPECT_EQ(f.cn->Enabled(), !c.text);
      EXPECT_EQ(f.gsidec->Enabled(), c.text);
      f.renum->UserClick();
      EXPECT_EQ(f.startat->Enabled(), !c.renumbers);
      f.btAppliquer->UserClick();
    });
    SavePoints(session);
    EXPECT_EQ(Stored(L"sauvepoints", L"typfic"), c.text ? L"GSI file" : L"Text file");
    EXPECT_EQ(Stored(L"sauvepoints", L"gsi16"), c.eight ? L"0" : L"1");
    EXPECT_EQ(Stored(L"sauvepoints", L"nbdec"), L"3") << "the disabled panel's values are saved";
  }
}

TEST_F(SauvePtTest, NoFileNameOrAFolderIsRefused) {
  const wchar_t* paths[] = {L"", L"   ", L"C:\\data", L"C:\\data\\"};
  for (const wchar_t* path : paths) {
    std::wstring message;
    user.On(L"frmSauvePt", [&](ui::Form& form) {
      TfrmSauvePt& f = Sauve(form);
      f.nomfic->UserFocus();
      f.nomfic->UserSetText(path);
      AnswerMessage(1, &message);
      f.renum->UserFocus();
      f.btAppliquer->UserClick();
      EXPECT_EQ(f.GetModalResult(), ui::mrNone);
      EXPECT_TRUE(f.nomfic->Focused());
      f.btAnnule->UserClick();
    });
    SavePoints(session);
    EXPECT_EQ(message, L"No file") << Narrow(path);
    EXPECT_EQ(exchange.resultat, 0);
    EXPECT_EQ(Stored(L"sauvepoints", L"nomfic"), L"C:\\data\\new.txt");
  }
}

TEST_F(SauvePtTest, AnExistingFileAsksWhetherToAppendOrReplace) {
  host.files.addFile(L"C:\\data\\old.txt", std::string("1 2 3\r\n"));
  struct Case { int answer; const wchar_t* before; bool accepted; const wchar_t* ecrase; };
  const Case cases[] = {
      {1, L"1", true, L"0"},   // append
      {2, L"0", true, L"1"},   // replace
      {3, L"0", false, L"0"},  // back to the dialog
      {0, L"1", false, L"1"},  // Escape
      {-1, L"0", false, L"0"}, // close box
  };
  for (const Case& c : cases) {
    Store(L"sauvepoints", L"ecrase", c.before);
    Store(L"sauvepoints", L"nomfic", L"C:\\data\\old.txt");
    bool stayed = false;
    user.On(L"frmSauvePt", [&](ui::Form& form) {
      TfrmSauvePt& f = Sauve(form);
      AnswerExisting(c.answer);
      f.btAppliquer->UserClick();
      stayed = f.GetModalResult() == ui::mrNone;
      if (stayed) {
        AnswerExisting(1);  // asked again on the next Apply, Enter's button first again
        f.btAppliquer->UserClick();
        EXPECT_EQ(f.GetModalResult(), ui::mrOk);
      }
    });
    exchange.resultat = 0;
    SavePoints(session);
    SCOPED_TRACE(c.answer);
    EXPECT_EQ(stayed, !c.accepted);
    EXPECT_EQ(exchange.resultat, 1) << "the second Apply of a case that stayed accepts";
    EXPECT_EQ(Stored(L"sauvepoints", L"ecrase"), c.accepted ? c.ecrase : L"0");
  }
}

TEST_F(SauvePtTest, ANewFileKeepsTheStoredAnswer) {
  for (const wchar_t* before : {L"0", L"1"}) {
    Store(L"sauvepoints", L"ecrase", before);
    user.On(L"frmSauvePt", [](ui::Form& form) { Sauve(form).btAppliquer->UserClick(); });
    SavePoints(session);
    EXPECT_EQ(exchange.resultat, 1);
    EXPECT_EQ(Stored(L"sauvepoints", L"ecrase"), before);
  }
}

TEST_F(SauvePtTest, BrowseOffersTheChosenTypeInTheFileFolder) {
  struct Case { const wchar_t* typfic; const wchar_t* pattern; const wchar_t* extension; bool chosen; };
  const Case cases[] = {
      {L"Text file", L"*.txt", L"txt", true},
      {L"GSI file", L"*.gsi", L"gsi", true},
      {L"GSI file", L"*.gsi", L"gsi", false},
  };
  for (const Case& c : cases) {
    Store(L"sauvepoints", L"typfic", c.typfic);
    host.system.fileDialogs.clear();
    host.system.fileAnswers.push_back({c.chosen, L"D:\\out\\pts.gsi", 1});
    user.On(L"frmSauvePt", [&](ui::Form& form) {
      TfrmSauvePt& f = Sauve(form);
      f.BitBtn1->UserClick();
      EXPECT_EQ(f.nomfic->Text(), c.chosen ? L"D:\\out\\pts.gsi" : L"C:\\data\\new.txt");
      f.btAnnule->UserClick();
    });
    SavePoints(session);
    ASSERT_EQ(host.system.fileDialogs.size(), 1u);
    const auto& call = host.system.fileDialogs[0];
    EXPECT_TRUE(call.save);
    EXPECT_EQ(call.request.title, L"Save points");
    ASSERT_EQ(call.request.filters.size(), 2u);
    EXPECT_EQ(call.request.filters[0].pattern, c.pattern);
    EXPECT_EQ(call.request.filterIndex, 1);
    EXPECT_EQ(call.request.defaultExtension, c.extension);
    EXPECT_EQ(call.request.initialFolder, L"C:\\data\\");
  }
}

TEST_F(SauvePtTest, ViewOpensAnExistingFileInTheViewer) {
  host.files.addFile(L"C:\\data\\old.txt", std::string("1 2 3\r\n"));
  for (const wchar_t* path : {L"C:\\data\\old.txt", L"C:\\data\\new.txt", L"C:\\data"}) {
    host.shell.launches.clear();
    Store(L"sauvepoints", L"nomfic", path);
    user.On(L"frmSauvePt", [](ui::Form& form) {
      TfrmSauvePt& f = Sauve(form);
      f.BitBtn7->UserClick();
      EXPECT_EQ(f.GetModalResult(), ui::mrNone);
      f.btAnnule->UserClick();
    });
    SavePoints(session);
    const bool exists = std::wstring(path) == L"C:\\data\\old.txt";
    ASSERT_EQ(host.shell.launches.size(), exists ? 1u : 0u) << Narrow(path);
    if (exists) {
      EXPECT_EQ(host.shell.launches[0].program, L"C:\\windows\\notepad.exe");
      EXPECT_EQ(host.shell.launches[0].parameters, L"\"C:\\data\\old.txt\"");
    }
  }
}

TEST_F(SauvePtTest, CancelEscapeCloseBoxSaveNothingAndHelpKeepsTheDialog) {
  const std::function<void(TfrmSauvePt&)> closes[] = {
      [](TfrmSauvePt& f) { f.btAnnule->UserClick(); },
      [](TfrmSauvePt& f) { f.nomfic->UserKey(ui::Key::Escape); },
      [](TfrmSauvePt& f) { f.UserClose(); },
      [](TfrmSauvePt& f) {
        f.btAide->UserClick();
        EXPECT_EQ(f.GetModalResult(), ui::mrNone) << "Help does not throw the user's choices away";
        f.btAnnule->UserClick();
      },
  };
  for (const auto& close : closes) {
    user.On(L"frmSauvePt", [&](ui::Form& form) {
      TfrmSauvePt& f = Sauve(form);
      f.renum->UserClick();
      f.nomfic->UserSetText(L"C:\\data\\other.txt");
      close(f);
    });
    SavePoints(session);
    EXPECT_EQ(exchange.resultat, 0);
    EXPECT_EQ(Stored(L"sauvepoints", L"renum"), L"0");
    EXPECT_EQ(Stored(L"sauvepoints", L"nomfic"), L"C:\\data\\new.txt");
  }
  ASSERT_EQ(host.shell.launches.size(), 1u);
  EXPECT_EQ(host.shell.launches[0].parameters, L"C:\\Prog\\topaline3\\topaline3.chm::/tlsauvepoints.htm");
}

}  // namespace
}  // namespace topaline
