// The language files installed with the product: each parses with the
// labels reader and holds every label number the server uses, those the
// dialogs carry as HelpContext and those its messages name in the code.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <regex>
#include <set>
#include <sstream>

#include "server/commands.h"
#include "server/core/labels.h"
#include "server/core/number_format.h"
#include "server/core/lance.h"
#include "server/dialogs/common/tests/forms_fixture.h"
#include "server/dialogs/tests/all_dialogs.h"

namespace topaline {
namespace {

namespace fs = std::filesystem;
const fs::path kSource = TOPALINE_SOURCE_DIR;

std::string ReadBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Label numbers the code names for its messages: the kLabel... constants,
// the table of message labels, and the literal numbers passed to
// LabelText / ShowLabelMsg.
std::set<int> MessageLabelsInCode() {
  const std::regex constant(R"(kLabel\w*\s*=\s*(\d+))");
  const std::regex tableEntry(R"(constexpr int k\w+\s*=\s*(\d+))");
  const std::regex call(R"((?:LabelText|ShowLabelMsg)\(\s*\w+\s*,\s*(\d+)\s*\))");
  std::set<int> numbers;
  for (const char* dir : {"server", "entry"}) {
    for (const auto& e : fs::recursive_directory_iterator(kSource / dir)) {
      const fs::path& p = e.path();
      if (!e.is_regular_file() || (p.extension() != ".cpp" && p.extension() != ".h")) continue;
      if (p.parent_path().filename() == "tests") continue;
      const std::string text = ReadBytes(p);
      const std::regex* names = p.filename() == "message_labels.h" ? &tableEntry : &constant;
      for (const std::regex* re : {names, &call})
        for (std::sregex_iterator it(text.begin(), text.end(), *re), end; it != end; ++it)
          numbers.insert(std::stoi((*it)[1]));
    }
  }
  return numbers;
}

class LanguageFilesTest : public testing::FormsTest {
protected:
  std::vector<std::unique_ptr<ui::Form>> AllDialogs() {
    exchange.value(Slot::AXCalques) = Variant::array({});
    return testing::AllDialogs(session, models, pointForms);
  }
  PointModels models;
  PointModelForms pointForms{session, ModelPickers{}};

  std::set<int> DialogLabels() {
    std::set<int> numbers;
    for (const auto& form : AllDialogs()) {
      if (form->HelpContext() > 0) numbers.insert(form->HelpContext());
      for (const auto& c : form->Components())
        if (c->HelpContext() > 0) numbers.insert(c->HelpContext());
      if (auto* dialog = dynamic_cast<TDialog*>(form.get()))
        for (const std::vector<int>& declared : {dialog->HintLabels(), dialog->NameLabels()})
          for (int n : declared) numbers.insert(n);
    }
    return numbers;
  }

  TDesLabels Load(const char* language) {
    const fs::path file = kSource / "lang" / language / "language.lng";
    const std::string bytes = ReadBytes(file);
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF") << file << " is UTF-8 with a byte-order mark";
    host.files.addFile(L"C:\\Prog\\topaline3\\language.lng", bytes);
    TDesLabels labels;
    labels.Init(L"C:\\Prog\\topaline3\\language.lng", host.platform);
    return labels;
  }
};

TEST_F(LanguageFilesTest, EveryLabelTheServerUsesIsInEachLanguage) {
  std::set<int> used = DialogLabels();
  const std::set<int> messages = MessageLabelsInCode();
  for (int n : {505, 708, 710, 731, 732, 733, 740, 996})
    ASSERT_TRUE(messages.count(n)) << "the scan of the code missed label " << n;
  used.insert(messages.begin(), messages.end());

  for (const char* language : {"fr", "en", "es"}) {
    const TDesLabels labels = Load(language);
    for (int n : used) {
      const TUnLabel* label = labels.Find(n);
      EXPECT_TRUE(label && !label->Texte.empty()) << language << ": label " << n;
    }
  }
}

// A label shared by several dialogs (990 "Appliquer") is designed with
// padding blanks in some of them; an image-only tool button shows its
// label as its hint.
std::wstring DesignedText(const ui::Component& c) {
  return std::wstring(TrimBlanks(c.Caption().empty() ? c.Hint() : c.Caption()));
}

std::string Listed(const std::vector<int>& numbers) {
  std::string s;
  for (int n : numbers) s += (s.empty() ? "" : " ") + std::to_string(n);
  return s;
}

// A number present in one language and not in another is a label that
// language never shows (or shows as "[n]"); the same number twice is a
// label whose second text is never read.
TEST_F(LanguageFilesTest, TheThreeLanguagesHoldTheSameNumbersOnce) {
  std::map<std::string, std::set<int>> numbers;
  for (const char* language : {"fr", "en", "es"}) {
    const TDesLabels labels = Load(language);
    for (const TUnLabel& label : labels.Items) {
      EXPECT_TRUE(numbers[language].insert(label.Id).second) << language << ": label " << label.Id << " twice";
      EXPECT_FALSE(label.Texte.empty() && label.HintTexte.empty()) << language << ": label " << label.Id << " empty";
    }
  }
  ASSERT_FALSE(numbers["fr"].empty());
  for (const char* language : {"en", "es"}) {
    std::vector<int> onlyFr, onlyHere;
    std::set_difference(numbers["fr"].begin(), numbers["fr"].end(), numbers[language].begin(),
                        numbers[language].end(), std::back_inserter(onlyFr));
    std::set_difference(numbers[language].begin(), numbers[language].end(), numbers["fr"].begin(),
                        numbers["fr"].end(), std::back_inserter(onlyHere));
    EXPECT_EQ(Listed(onlyFr), "") << "in fr, missing in " << language;
    EXPECT_EQ(Listed(onlyHere), "") << "in " << language << ", missing in fr";
  }
}

TEST_F(LanguageFilesTest, FrenchLabelsAreTheDesignedTexts) {
  // Controls designed with another French text than the label they share
  // with another dialog: the labels file holds one text per number, and
  // French keeps each dialog's design.
  const std::map<std::pair<std::wstring, std::wstring>, std::wstring> ownFrench = {
      {{L"frmChevauche", L"Label2"}, L"Marge autour du texte :"},
      {{L"frmSauvePt", L"renum"}, L"Renuméroter :"},
  };
  std::size_t ownSeen = 0;
  const TDesLabels labels = Load("fr");
  for (const auto& form : AllDialogs()) {
    if (form->HelpContext() > 0) {  // the colour picker's caption is not a label
      const TUnLabel* caption = labels.Find(form->HelpContext());
      ASSERT_TRUE(caption) << form->HelpContext();
      EXPECT_EQ(caption->Texte, form->Caption());
    }
    for (const auto& comp : form->Components()) {
      if (comp->HelpContext() <= 0) continue;
      const TUnLabel* label = labels.Find(comp->HelpContext());
      ASSERT_TRUE(label) << comp->HelpContext();
      const auto own = ownFrench.find({form->Name(), comp->Name()});
      if (own != ownFrench.end()) {
        ++ownSeen;
        EXPECT_EQ(comp->Caption(), own->second);
        EXPECT_NE(std::wstring(TrimBlanks(label->Texte)), own->second) << "then it is no exception";
        continue;
      }
      EXPECT_EQ(std::wstring(TrimBlanks(label->Texte)), DesignedText(*comp))
          << testing::Narrow(form->Name()) << "." << testing::Narrow(comp->Name());
    }
  }
  EXPECT_EQ(ownSeen, ownFrench.size());
}

TEST_F(LanguageFilesTest, EnglishRelabelsADialogThroughLance) {
  // The whole path of a command: configuration, the installed labels
  // file, the dialog relabelled at creation, the section loaded.
  host.registry.setString(kProductKey, L"installpath", L"C:\\Prog\\topaline3");
  host.registry.setString(kProductKey, L"appname", L"topaline3");
  host.registry.setString(kProductKey, L"langue", L"en");
  Load("en");
  std::wstring caption;
  auto closeAndRead = [&](ui::Form& f) {
    caption = f.Caption();
    f.Get<ui::Button>(L"btAnnule").UserClick();
  };
  for (const wchar_t* name : {L"frmFiltreEnt", L"frmChangeAlt", L"frmOptions"}) user.Always(name, closeAndRead);
  const std::pair<const wchar_t*, const wchar_t*> commands[] = {
      {L"8", L"frmFiltreEnt"}, {L"15", L"frmChangeAlt"}, {L"16", L"frmOptions"}};
  for (const auto& [command, form] : commands) {
    caption.clear();
    Lance(session, command, StandardCommands());
    ASSERT_FALSE(user.History().empty());
    EXPECT_EQ(user.History().back().name, form);
    EXPECT_EQ(exchange.resultat, 0);
    EXPECT_EQ(caption.rfind(L" Topaline - ", 0), 0u);
    EXPECT_EQ(caption.find(L"é"), std::wstring::npos) << testing::Narrow(caption);
  }
}

}  // namespace
}  // namespace topaline
