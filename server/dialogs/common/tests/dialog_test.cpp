#include "server/dialogs/common/dialog.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "server/dialogs/common/tests/forms_fixture.h"

namespace topaline {
namespace {

// A dialog with a list filled before its section is loaded and a field
// that the call's data replaces after it, recording the steps of Run.
class TStepsDialog final : public TDialog {
public:
  TStepsDialog(Session& session, std::vector<std::string>& steps)
      : TDialog(session, L"frmSteps", L"", L"steps"), steps_(steps) {
    list = Make<ui::ComboBox>(this, L"list", {8, 8, 100, 21});
    field = Make<ui::Edit>(this, L"field", {8, 40, 100, 21});
    box = Make<ui::CheckBox>(this, L"box", {8, 70, 100, 17}, L"box");
    list->SetStyle(ui::ComboBox::Style::DropDownList);
    box->OnClick = [this] { steps_.push_back("loaded box, list " + testing::Narrow(list->Text())); };
    btAppliquer = Make<ui::Button>(this, L"btAppliquer", {8, 100, 75, 25}, L"Ok");
    SetButtons(btAppliquer, nullptr, nullptr);
    FinishCreation();
  }
  ui::ComboBox* list;
  ui::Edit* field;
  ui::CheckBox* box;
  bool failAfterLoading = false;

private:
  void BeforeLoading() override {
    steps_.push_back("before loading");
    list->SetItems({L"first", L"second"});
  }
  void AfterLoading() override {
    steps_.push_back("after loading, field " + testing::Narrow(field->Text()));
    if (failAfterLoading) throw Error(L"no data");
    field->SetText(L"from the call");
  }
  void Showing() override { steps_.push_back("showing"); }
  void Apply() override { Accept(); }
  std::vector<std::string>& steps_;
};

class DialogLifeCycleTest : public testing::FormsTest {
protected:
  DialogLifeCycleTest() {
    Store(L"steps", L"list", L"SECOND");
    Store(L"steps", L"box", L"1");
    Store(L"steps", L"field", L"stored");
  }
  std::vector<std::string> steps;
};

// The loading hooks run around the load, in Run, for every dialog: the
// list is filled before the stored value selects in it, and the call's
// data replaces a loaded value before the dialog shows.
TEST_F(DialogLifeCycleTest, RunLoadsBetweenTheLoadingHooks) {
  TStepsDialog dialog(session, steps);
  user.On(L"frmSteps", [&](ui::Form&) {
    EXPECT_EQ(dialog.list->Text(), L"second");
    EXPECT_EQ(dialog.field->Text(), L"from the call");
    dialog.btAppliquer->UserClick();
  });
  EXPECT_EQ(dialog.Run(), ui::mrOk);
  EXPECT_EQ(steps, (std::vector<std::string>{"before loading", "loaded box, list second", "after loading, field stored",
                                             "showing"}));
  EXPECT_EQ(Stored(L"steps", L"field"), L"from the call");
}

// An error of a loading hook ends Run before the dialog shows and
// reaches the caller, as an error of the load does.
TEST_F(DialogLifeCycleTest, AnErrorAfterLoadingReachesTheCaller) {
  TStepsDialog dialog(session, steps);
  dialog.failAfterLoading = true;
  EXPECT_THROW(dialog.Run(), Error);
  EXPECT_EQ(steps.back(), "after loading, field stored");
}

}  // namespace
}  // namespace topaline
