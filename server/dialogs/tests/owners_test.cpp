// Every window a dialog opens is modal over that dialog (Parts 1.1, 3.2,
// 3.5, 4.2): the system's file dialogs of commands 9 and 11, the colour
// picker's refusal box and the box of a missing label are owned by the
// window on top of the call's modal stack, never by the host's window
// (which the form runner has disabled already, so that a box owned by it
// would leave the dialog beneath live). The owner is decided by the
// platform alone: the callers cannot name one.
#include <gtest/gtest.h>

#include <string>

#include "server/commands.h"
#include "server/core/lance.h"
#include "server/dialogs/common/colour_picker.h"
#include "server/dialogs/common/tests/forms_fixture.h"
#include "server/dialogs/layout/encadre.h"
#include "server/dialogs/models/import_fic.h"
#include "server/dialogs/points/sauve_pt.h"

namespace topaline {
namespace {

using testing::Narrow;

constexpr WindowHandle kHostWindow = 0x1234;

class OwnersTest : public testing::FormsTest {
protected:
  OwnersTest() {
    host.registry.setString(kProductKey, L"installpath", L"C:\\Prog\\topaline3");
    host.registry.setString(kProductKey, L"appname", L"topaline3");
    host.registry.setString(kProductKey, L"langue", L"fr");
    host.files.addFile(L"C:\\Prog\\topaline3\\language.lng",
                       Narrow(std::wstring(testing::kTestLabels) + L"740,\"Go on?\"\n"));
    exchange.value(Slot::alldata) = Variant::array({Variant::string(L"G"), Variant::i4(10)});
    // The host's window was active as lance began: the dialogs are modal
    // over it.
    host.system.active = kHostWindow;
    user.SetOwner(kHostWindow);
  }

  void Lance(const wchar_t* nomprog) { topaline::Lance(session, nomprog, StandardCommands()); }
};

TEST_F(OwnersTest, TheSaveFileDialogOfCommand9IsOwnedBySaveToFile) {
  WindowHandle dialog = 0;
  host.system.fileAnswers.push_back({true, L"C:\\data\\pts.gsi", 1});
  user.On(L"frmSauvePt", [&](ui::Form& form) {
    dialog = user.TopModalWindow();
    static_cast<TfrmSauvePt&>(form).BitBtn1->UserClick();
    static_cast<TfrmSauvePt&>(form).btAnnule->UserClick();
  });
  Lance(L"9");
  ASSERT_EQ(host.system.fileDialogs.size(), 1u);
  EXPECT_TRUE(host.system.fileDialogs[0].save);
  EXPECT_NE(dialog, 0u);
  EXPECT_NE(dialog, kHostWindow);
  EXPECT_EQ(host.system.fileDialogs[0].owner, dialog) << "owned by the dialog, not by the host's window";
}

TEST_F(OwnersTest, TheOpenFileDialogOfCommand11AndAMissingLabelsBoxAreOwnedByLoadAFile) {
  WindowHandle dialog = 0;
  host.system.fileAnswers.push_back({true, L"C:\\data\\pts.txt", 1});
  user.On(L"frmImportFic", [&](ui::Form& form) {
    dialog = user.TopModalWindow();
    host.system.boxes.clear();
    static_cast<TfrmImportFic&>(form).BitBtn1->UserClick();  // its title is label 718, missing here
    static_cast<TfrmImportFic&>(form).btAnnule->UserClick();
  });
  Lance(L"11");
  ASSERT_EQ(host.system.fileDialogs.size(), 1u);
  EXPECT_FALSE(host.system.fileDialogs[0].save);
  EXPECT_NE(dialog, 0u);
  EXPECT_EQ(host.system.fileDialogs[0].owner, dialog);
  ASSERT_FALSE(host.system.boxes.empty());
  EXPECT_EQ(host.system.boxes[0].text, L"label non trouvé 718");
  EXPECT_EQ(host.system.boxes[0].owner, dialog) << "a missing label read by a dialog: the box is modal over it";
}

TEST_F(OwnersTest, TheColourPickersRefusalBoxIsOwnedByThePicker) {
  exchange.value(Slot::AXCalques) = Variant::array({});
  WindowHandle frames = 0, picker = 0;
  user.On(L"frmEncadre", [&](ui::Form& form) {
    frames = user.TopModalWindow();
    static_cast<TfrmEncadre&>(form).cadcolor->UserClick();
    static_cast<TfrmEncadre&>(form).btAnnule->UserClick();
  });
  user.On(L"FormGetACCol", [&](ui::Form& form) {
    picker = user.TopModalWindow();
    auto& f = static_cast<TFormGetACCol&>(form);
    f.Edit1->UserSetText(L"0");
    f.Button4->UserClick();
    EXPECT_EQ(f.GetModalResult(), ui::mrNone) << "refused: the picker stays";
    f.Button5->UserClick();
  });
  Lance(L"4");
  // (The other boxes are labels this test does not carry, missed while
  // the dialogs are created: no dialog is shown yet, the host's window
  // owns them.)
  const HeadlessSystemUi::Box* refusal = nullptr;
  for (const auto& box : host.system.boxes) {
    if (box.text == L"Nom ou valeur de couleur incorrect") refusal = &box;
    else EXPECT_EQ(box.owner, kHostWindow) << Narrow(box.text);
  }
  ASSERT_NE(refusal, nullptr);
  EXPECT_NE(picker, 0u);
  EXPECT_NE(picker, frames);
  EXPECT_EQ(refusal->owner, picker) << "owned by the picker, not by the frames dialog or the host";
}

TEST_F(OwnersTest, TheQuestionOfCommand19IsOwnedByTheHostWindow) {
  host.system.answers = {SystemUi::Answer::Yes};
  Lance(L"19");
  ASSERT_EQ(host.system.boxes.size(), 1u);
  EXPECT_EQ(host.system.boxes[0].text, L"Go on?");
  EXPECT_EQ(host.system.boxes[0].owner, kHostWindow) << "no dialog open: the window lance is modal over";
  EXPECT_EQ(exchange.resultat, 1);
}

TEST_F(OwnersTest, TheOwnerIsTheTopOfTheModalStackAtEveryDepth) {
  // Outside any form: the runner's owner; inside nested forms: the
  // innermost. Stands for every caller, so none can pick another.
  EXPECT_EQ(host.system.Owner(), kHostWindow);
  ui::Form outer(L"outer"), inner(L"inner");
  WindowHandle outerWindow = 0, innerWindow = 0;
  user.On(L"outer", [&](ui::Form& f) {
    outerWindow = host.system.Owner();
    host.system.messageBox(L"first", L"T", SystemUi::Buttons::Ok, SystemUi::Icon::None);
    user.ShowModal(inner);
    EXPECT_EQ(host.system.Owner(), outerWindow) << "back on the outer form once the inner one closed";
    f.SetModalResult(ui::mrCancel);
  });
  user.On(L"inner", [&](ui::Form& f) {
    innerWindow = host.system.Owner();
    host.system.openFileDialog({});
    f.SetModalResult(ui::mrCancel);
  });
  user.ShowModal(outer);
  EXPECT_EQ(host.system.Owner(), kHostWindow);
  EXPECT_NE(outerWindow, kHostWindow);
  EXPECT_NE(innerWindow, outerWindow);
  ASSERT_EQ(user.History().size(), 2u);
  EXPECT_EQ(user.History()[0].window, outerWindow);
  EXPECT_EQ(user.History()[1].window, innerWindow);
  ASSERT_EQ(host.system.boxes.size(), 1u);
  EXPECT_EQ(host.system.boxes[0].owner, outerWindow);
  ASSERT_EQ(host.system.fileDialogs.size(), 1u);
  EXPECT_EQ(host.system.fileDialogs[0].owner, innerWindow);
}

}  // namespace
}  // namespace topaline
