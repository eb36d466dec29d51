// What screen readers read in every dialog of the server, in each
// interface language with the installed labels: each field is named by a
// label just before it, each control without a caption has a window name,
// and neither changes what a settings section keeps.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "server/core/labels.h"
#include "server/dialogs/common/dialog.h"
#include "server/dialogs/common/tests/forms_fixture.h"
#include "server/dialogs/tests/all_dialogs.h"
#include "ui/screen_reader.h"

namespace topaline {
namespace {

namespace fs = std::filesystem;

class ScreenReaderTest : public testing::FormsTest, public ::testing::WithParamInterface<const char*> {
protected:
  void SetUp() override {
    const fs::path file = fs::path(TOPALINE_SOURCE_DIR) / "lang" / GetParam() / "language.lng";
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    host.files.addFile(L"C:\\Prog\\topaline3\\language.lng", bytes.str());
    session.Labels.Init(L"C:\\Prog\\topaline3\\language.lng", host.platform);
    const std::string lg = GetParam();
    session.config.langue = std::wstring(lg.begin(), lg.end());
  }
  std::vector<std::unique_ptr<ui::Form>> Dialogs() { return testing::AllDialogs(session, models, pointForms); }

  PointModels models;
  PointModelForms pointForms{session, ModelPickers{}};
};

TEST_P(ScreenReaderTest, EveryFieldHasItsLabelAndEveryCaptionlessControlAName) {
  for (const auto& form : Dialogs()) {
    for (const std::wstring& fault : ui::ScreenReaderFaults(*form)) ADD_FAILURE() << testing::Narrow(fault);
    // A label names one control at most.
    for (const auto& c : form->Components()) {
      int naming = 0;
      for (const auto& other : form->Components())
        if (other->GetKind() == ui::Kind::Label && ui::NamedControl(static_cast<ui::Label&>(*other)) == c.get())
          ++naming;
      EXPECT_LE(naming, 1) << testing::Narrow(form->Name() + L"." + c->Name());
    }
  }
  // No label was missing (Get would have said so in a message box).
  EXPECT_TRUE(host.system.boxes.empty());
}

// A name declared with a label reads that label's text in the interface
// language; in French the designed text, which is the French label.
TEST_P(ScreenReaderTest, DeclaredNamesAreTheLabelsTexts) {
  for (const auto& form : Dialogs()) {
    auto* dialog = dynamic_cast<TDialog*>(form.get());
    if (!dialog) continue;
    for (int n : dialog->NameLabels()) {
      const TUnLabel* label = session.Labels.Find(n);
      ASSERT_TRUE(label) << n;
      bool carried = false;
      for (const auto& c : form->Components()) carried = carried || c->SpokenName() == label->Texte;
      EXPECT_TRUE(carried) << testing::Narrow(form->Name()) << ": label " << n;
    }
  }
}

// The names live beside the values: a section holding a value for every
// component (the labels too) gets back, once the names are gone, exactly
// what it got with them.
TEST_P(ScreenReaderTest, NamesChangeNothingASectionKeeps) {
  for (const auto& form : Dialogs()) {
    const std::wstring section = L"a11y_" + form->Name();
    auto saved = [&] {
      for (const auto& c : form->Components()) Store(section, c->Name(), L"<untouched>");
      SaveSettings(session, *form, section);
      std::vector<std::wstring> values;
      for (const auto& c : form->Components()) values.push_back(c->Name() + L"=" + Stored(section, c->Name()));
      return values;
    };
    const auto withNames = saved();
    for (const auto& c : form->Components()) {
      c->SetSpokenName(L"");
      if (c->GetKind() == ui::Kind::Label) {
        static_cast<ui::Label&>(*c).SetFocusControl(nullptr);
        EXPECT_EQ(Stored(section, c->Name()), L"<untouched>") << testing::Narrow(c->Name());
      }
    }
    EXPECT_EQ(saved(), withNames) << testing::Narrow(form->Name());
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, ScreenReaderTest, ::testing::Values("fr", "en", "es"));

}  // namespace
}  // namespace topaline
