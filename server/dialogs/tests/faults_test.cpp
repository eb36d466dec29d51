// Faults from outside, injected through the headless platform: a registry
// that refuses a write in the middle of Apply, a stored value of the wrong
// type in a dialog's section, an unreadable labels file, a help or viewer
// start the system refuses. Each is told to the user (or the host) with
// its message, and loses nothing: the exchange values stay as the host
// put them and the next opening works.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "server/commands.h"
#include "server/core/lance.h"
#include "server/dialogs/common/dialog.h"
#include "server/dialogs/common/tests/forms_fixture.h"

namespace topaline {
namespace {

using testing::FormsTest;
using testing::Narrow;

// Each dialog with a settings section, by its command.
struct DialogCase {
  const wchar_t* nomprog;
  const wchar_t* form;
  const wchar_t* section;
  const wchar_t* chosen = nullptr;  // a check box Apply needs on
  bool savesOnApply = true;          // else the section is only read
};
const DialogCase kDialogs[] = {
    {L"15", L"frmChangeAlt", L"changealt"},
    {L"8", L"frmFiltreEnt", L"filtre", L"point"},
    {L"16", L"frmOptions", L"options"},
    {L"2", L"frmListePoints", L"liste", nullptr, false},
};

class FaultsTest : public FormsTest {
protected:
  FaultsTest() {
    host.registry.setString(kProductKey, L"installpath", L"C:\\Prog\\topaline3");
    host.registry.setString(kProductKey, L"appname", L"topaline3");
    host.registry.setString(kProductKey, L"langue", L"fr");
    host.files.addFile(L"C:\\Prog\\topaline3\\language.lng", Narrow(testing::kTestLabels));
    exchange.value(Slot::AXPoints) =
        Variant::array({Variant::string(L"h"), Variant::i4(7), Variant::r8(1), Variant::r8(2), Variant::r8(3), Variant::string(L"d")});
    exchange.value(Slot::alldata) = Variant::array({Variant::string(L"kept")});
    // Every error box is answered and its text kept.
    user.Always(L"frmErrMsg", [this](ui::Form& f) {
      errors.push_back(f.Get<ui::Label>(L"LabMsg").Caption());
      f.Get<ui::Button>(L"Button1").UserClick();
    });
  }

  // The whole lance call as the host makes it; its error, or "".
  std::wstring Lance(const wchar_t* nomprog) {
    try {
      topaline::Lance(session, nomprog, StandardCommands());
    } catch (const Error& e) {
      return e.message();
    }
    return {};
  }

  // The section as the host created it: a value for each control of the
  // dialog that keeps one, holding what the dialog shows at first.
  void CreateSection(const DialogCase& d) {
    user.On(d.form, [&](ui::Form& f) {
      for (const auto& c : f.Components())
        if (c->HasStoredValue()) {
          section.push_back(c->Name());
          Store(d.section, c->Name(), L"");
        }
      SaveSettings(session, f, d.section);
      f.Get<ui::Button>(L"btAnnule").UserClick();
    });
    EXPECT_EQ(Lance(d.nomprog), L"");
    if (d.chosen) Store(d.section, d.chosen, L"1");
  }

  bool ExchangeIntact() {
    auto& p = exchange.value(Slot::AXPoints).arrayValue().elements;
    return p.size() == 6 && p[1].intValue() == 7 && VariantToText(exchange.value(Slot::alldata).arrayValue().elements[0]) == L"kept";
  }

  std::vector<std::wstring> section;
  std::vector<std::wstring> errors;
};

bool Mentions(const std::vector<std::wstring>& texts, const std::wstring& part) {
  for (const auto& t : texts)
    if (t.find(part) != std::wstring::npos) return true;
  return false;
}

// The registry refuses the first, second... write of Apply: the user is
// told, the dialog stays open and is cancelled, nothing reaches the host,
// and the next opening loads what is stored without a word.
TEST_F(FaultsTest, ARegistryThatRefusesAWriteDuringApply) {
  for (const DialogCase& d : kDialogs) {
    if (!d.savesOnApply) continue;
    section.clear();
    CreateSection(d);
    ASSERT_FALSE(section.empty()) << Narrow(d.form);
    for (int successes : {0, 1, static_cast<int>(section.size()) - 1}) {
      SCOPED_TRACE(Narrow(d.form) + " after " + std::to_string(successes) + " writes");
      errors.clear();
      user.On(d.form, [&](ui::Form& f) {
        host.registry.writes.FailAfter(successes);
        f.Get<ui::Button>(L"btAppliquer").UserClick();
        host.registry.writes.Off();
        EXPECT_EQ(f.GetModalResult(), ui::mrNone);  // still open
        f.Get<ui::Button>(L"btAnnule").UserClick();
      });
      EXPECT_EQ(Lance(d.nomprog), L"");
      EXPECT_TRUE(Mentions(errors, L"cannot be written. Access is denied.")) << Narrow(errors.empty() ? L"" : errors[0]);
      EXPECT_EQ(exchange.resultat, 0);
      EXPECT_TRUE(ExchangeIntact());

      errors.clear();
      user.On(d.form, [](ui::Form& f) { f.Get<ui::Button>(L"btAppliquer").UserClick(); });
      EXPECT_EQ(Lance(d.nomprog), L"");
      EXPECT_TRUE(errors.empty()) << Narrow(errors[0]);
      EXPECT_EQ(exchange.resultat, 1);
    }
  }
}

// A value that is not text in a dialog's section: lance fails with a
// message naming the value and its section, no dialog opens, and the
// stored value and the exchange values are left as they were.
TEST_F(FaultsTest, AValueOfTheWrongTypeInEverySection) {
  enum class Type { Dword, Binary, Other };
  for (const DialogCase& d : kDialogs)
    for (Type t : {Type::Dword, Type::Binary, Type::Other}) {
      SCOPED_TRACE(Narrow(d.section) + " type " + std::to_string(int(t)));
      const std::wstring path = SectionPath(d.section);
      if (t == Type::Dword) host.registry.setDword(path, L"wrong", 5);
      if (t == Type::Binary) host.registry.setBinary(path, L"wrong", {1, 2});
      if (t == Type::Other) host.registry.setOther(path, L"wrong");
      user.ClearHistory();
      EXPECT_EQ(Lance(d.nomprog),
                L"The setting \"wrong\" of section \"" + std::wstring(d.section) + L"\" is not a text value.");
      EXPECT_EQ(user.ShownCount(d.form), 0);
      ASSERT_NE(host.registry.value(path, L"wrong"), nullptr);
      EXPECT_NE(host.registry.value(path, L"wrong")->type, RegType::String);
      EXPECT_TRUE(ExchangeIntact());
      host.registry.setString(path, L"wrong", L"");  // mended: the next call opens the dialog
      user.On(d.form, [](ui::Form& f) { f.Get<ui::Button>(L"btAnnule").UserClick(); });
      EXPECT_EQ(Lance(d.nomprog), L"");
    }
}

// The kept place and headers are written as the dialog closes: a registry
// that refuses is told, the dialog closes all the same with its outcome,
// and the next opening works.
TEST_F(FaultsTest, ARegistryThatRefusesTheKeptPlaceOnClosing) {
  for (int successes : {0, 1, 3}) {
    SCOPED_TRACE(successes);
    errors.clear();
    user.On(L"frmListePoints", [&](ui::Form& f) {
      host.registry.writes.FailAfter(successes);
      f.Get<ui::Button>(L"btAppliquer").UserClick();
    });
    EXPECT_EQ(Lance(L"2"), L"");
    host.registry.writes.Off();
    EXPECT_TRUE(Mentions(errors, L"cannot be written. Access is denied."));
    EXPECT_EQ(exchange.resultat, 1);
    errors.clear();
    user.On(L"frmListePoints", [](ui::Form& f) { f.Get<ui::Button>(L"btAnnule").UserClick(); });
    EXPECT_EQ(Lance(L"2"), L"");
    EXPECT_TRUE(errors.empty()) << Narrow(errors[0]);
  }
}

TEST_F(FaultsTest, AnUnreadableLabelsFile) {
  host.files.addUnreadableFile(L"C:\\Prog\\topaline3\\language.lng");
  for (const DialogCase& d : kDialogs) {
    user.ClearHistory();
    EXPECT_NE(Lance(d.nomprog).find(L"The labels file \"C:\\Prog\\topaline3\\language.lng\" could not be read."),
              std::wstring::npos);
    EXPECT_TRUE(user.ShownNames().empty());
    EXPECT_TRUE(ExchangeIntact());
  }
}

// The help viewer cannot be started: the user reads why, the dialog
// stays open and its Apply still works.
TEST_F(FaultsTest, AHelpStartThatFails) {
  for (const DialogCase& d : kDialogs) {
    SCOPED_TRACE(Narrow(d.form));
    if (d.chosen) Store(d.section, d.chosen, L"1");
    errors.clear();
    host.shell.starts.FailAfter(0, L"The system cannot find the file specified.");
    user.On(d.form, [&](ui::Form& f) {
      f.Get<ui::Button>(L"btAide").UserClick();
      EXPECT_EQ(f.GetModalResult(), ui::mrNone);
      f.Get<ui::Button>(L"btAppliquer").UserClick();
    });
    EXPECT_EQ(Lance(d.nomprog), L"");
    host.shell.starts.Off();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], L"Could not start C:\\windows\\hh.exe: The system cannot find the file specified.");
    EXPECT_EQ(exchange.resultat, 1);
  }
}

TEST_F(FaultsTest, AViewerOrAssistantStartThatFails) {
  host.files.addFile(L"C:\\data\\points.txt", std::string("1"));
  host.shell.starts.FailAfter(0, L"Access is denied.");
  try {
    ViewFile(host.platform, L"C:\\data\\points.txt");
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), L"Could not start C:\\windows\\notepad.exe: Access is denied.");
  }
  exchange.value(Slot::alldata) = Variant::array({Variant::string(L"1234")});
  EXPECT_EQ(Lance(L"18"), L"Could not start C:\\Prog\\topaline3\\quenta.exe: Access is denied.");
  host.shell.starts.Off();
  EXPECT_EQ(Lance(L"18"), L"");
  ASSERT_EQ(host.shell.launches.size(), 1u);
  EXPECT_EQ(host.shell.launches[0].parameters, L"1234");
}

}  // namespace
}  // namespace topaline
