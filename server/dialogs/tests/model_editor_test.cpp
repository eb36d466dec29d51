#include "server/dialogs/models/model_editor.h"

#include <gtest/gtest.h>

#include "server/dialogs/common/tests/forms_fixture.h"
#include "server/dialogs/models/dess_point.h"
#include "server/dialogs/models/point_dialog.h"

namespace topaline {
namespace {

const std::wstring kDefault = L"1|points|1|numeros|0.000|1|altitude|0.000|2|0||0.000|0.000|1|1|1|1|";
// A model with everything changed from the defaults.
const std::wstring kOther = L"0|pts|0|num|1.500|1|alt|2.000|4|1|des|0.800|-1.250|5|6|7|256|";

class ModelEditorTest : public testing::FormsTest {
protected:
  using Script = std::function<void(TfrmEditModel&)>;

  void Model(const std::wstring& name, const std::wstring& text) {
    host.registry.setString(ModelStorePath(), name, text);
  }
  std::wstring StoredModel(const std::wstring& name) const {
    const auto* v = host.registry.value(ModelStorePath(), name);
    return v ? v->text : L"<missing>";
  }
  std::vector<std::wstring> StoredNames() {
    TDesModeles store;
    store.Load(host.registry);
    return store.Names;
  }
  // Opens the editor on the model named current; returns its result.
  int Edit(const std::wstring& current, Script script) {
    forms.models.current = current;
    user.On(L"frmEditModel", [script](ui::Form& f) { script(static_cast<TfrmEditModel&>(f)); });
    return forms.frmEditModel.Open();
  }
  void AnswerPrompt(const wchar_t* form, std::wstring typed, std::wstring* preset = nullptr) {
    user.On(form, [typed, preset](ui::Form& f) {
      auto& p = static_cast<TNamePrompt&>(f);
      if (preset) *preset = p.Edit1->Text();
      EXPECT_EQ(p.Edit1->SelLength(), static_cast<int>(p.Edit1->Text().size())) << "the whole name is selected";
      p.Edit1->UserSetText(typed);
      p.btAppliquer->UserClick();
    });
  }

  std::vector<int> layerCalls;
  PointModelForms forms{session, ModelPickers{
                                     [this] {
                                       layerCalls.push_back(0);
                                       return chosenLayer;
                                     },
                                     [this](int shown) {
                                       colourShown = shown;
                                       return chosenColour;
                                     }}};
  std::wstring chosenLayer;
  TResultatCouleur chosenColour{-1, 0, 0, 0};
  int colourShown = -1;
};

TEST_F(ModelEditorTest, ModelTextRoundTripsThroughTheControls) {
  Model(L"a", kOther);
  Model(L"b", L"x|y");  // short and malformed: the integer fields read as their defaults, "y" is dropped
  Edit(L"a", [&](TfrmEditModel& f) {
    EXPECT_EQ(f.ModelText(), kOther);
    EXPECT_FALSE(f.c2->Checked());
    EXPECT_TRUE(f.RadioButton2->Checked());
    EXPECT_EQ(f.c18->ColorNumber(), 256);
    EXPECT_EQ(f.c18->PaintColor(), PaintColour(256));
    EXPECT_EQ(f.c10->Text(), L"4");
    EXPECT_FALSE(f.c5->Enabled()) << "the number is not created";
    EXPECT_TRUE(f.c4->Enabled());
    EXPECT_EQ(f.TabSheet1->ImageIndex(), 0);
    EXPECT_EQ(f.TabSheet3->ImageIndex(), 1);
    f.c1->UserPick(1);
    EXPECT_EQ(f.ModelText(), L"1||1|||1||||0||||1|1|1|1|");
    EXPECT_TRUE(f.c5->Enabled());
    f.c4->UserClick();
    EXPECT_FALSE(f.c5->Enabled());
    EXPECT_FALSE(f.BitBtn1->Enabled());
    EXPECT_TRUE(f.c4->Enabled());
    EXPECT_EQ(f.TabSheet1->ImageIndex(), 0);
    f.btAnnule->UserClick();
  });
}

TEST_F(ModelEditorTest, AnEmptyStoreShowsTheDefaultModelAndNewCopiesIt) {
  AnswerPrompt(L"Form13", L"  premier  ");
  const int result = Edit(L"", [&](TfrmEditModel& f) {
    EXPECT_EQ(f.c1->ItemIndex(), -1);
    EXPECT_EQ(f.ModelText(), kDefault);
    f.SpeedButton2->UserClick();  // nothing to delete
    f.SpeedButton4->UserClick();  // nothing to rename
    f.SpeedButton1->UserClick();
    EXPECT_EQ(f.c1->Text(), L"premier");
    f.btAppliquer->UserClick();
  });
  EXPECT_EQ(result, ui::mrOk);
  EXPECT_EQ(StoredModel(L"premier"), kDefault) << "the default model can be stored as it is";
  EXPECT_EQ(forms.models.current, L"premier");
  EXPECT_EQ(exchange.resultat, 0);
}

TEST_F(ModelEditorTest, NewCopiesTheStoredTextAndTheEditsStayUnsaved) {
  Model(L"a", kOther);
  AnswerPrompt(L"Form13", L"b");
  AnswerMessage(2);  // the edits of a are not kept
  AnswerMessage(1);  // the edits still shown count as changes of b
  Edit(L"a", [&](TfrmEditModel& f) {
    f.c3->UserSetText(L"edited");
    f.SpeedButton1->UserClick();
    EXPECT_EQ(f.c3->Text(), L"edited");
    f.btAppliquer->UserClick();
  });
  EXPECT_EQ(StoredModel(L"a"), kOther);
  EXPECT_EQ(StoredModel(L"b"), L"0|edited|0|num|1.500|1|alt|2.000|4|1|des|0.800|-1.250|5|6|7|256|");
  EXPECT_EQ(StoredNames(), (std::vector<std::wstring>{L"a", L"b"}));
}

TEST_F(ModelEditorTest, SwitchingModelsAsksOnlyForRealChanges) {
  struct Case { const wchar_t* typed; int answer; const wchar_t* storedA; };
  const Case cases[] = {
      {L"POINTS", 0, kDefault.c_str()},  // a change of case only: no question, and Apply keeps the old case
      {L"autre", 1, L"1|autre|1|numeros|0.000|1|altitude|0.000|2|0||0.000|0.000|1|1|1|1|"},
      {L"autre", 2, kDefault.c_str()},
  };
  for (const Case& c : cases) {
    Model(L"a", kDefault);
    Model(L"b", kOther);
    if (c.answer) AnswerMessage(c.answer);
    Edit(L"a", [&](TfrmEditModel& f) {
      f.c3->UserSetText(c.typed);
      f.c1->UserPick(1);
      EXPECT_EQ(f.c3->Text(), L"pts") << "the new model replaces the edits";
      f.btAppliquer->UserClick();
    });
    EXPECT_EQ(StoredModel(L"a"), c.storedA) << testing::Narrow(c.typed) << c.answer;
    EXPECT_EQ(forms.models.current, L"b");
  }
}

TEST_F(ModelEditorTest, LayersAreRequiredOnlyForTheAttributesCreated) {
  Model(L"a", kDefault);
  std::wstring message;
  AnswerMessage(1, &message);
  Edit(L"a", [&](TfrmEditModel& f) {
    f.SpeedButton3->UserClick();  // the description's layer is empty, but no description is created
    EXPECT_EQ(f.GetModalResult(), ui::mrNone);
    f.PageControl1->UserSelectTab(2);
    f.c11->UserClick();
    f.PageControl1->UserSelectTab(0);
    f.btAppliquer->UserClick();
    EXPECT_EQ(f.GetModalResult(), ui::mrNone) << "label 710, the editor stays";
    EXPECT_EQ(f.PageControl1->ActivePageIndex(), 2) << "the empty field's tab is shown";
    EXPECT_EQ(f.ActiveControl(), f.c12);
    f.c11->UserClick();
    f.btAppliquer->UserClick();
  });
  EXPECT_EQ(message, L"Empty field");
  EXPECT_EQ(StoredModel(L"a"), kDefault);
}

TEST_F(ModelEditorTest, NoBarEntersALayerField) {
  Model(L"a", kDefault);
  chosenLayer = L"from|list";
  Edit(L"a", [&](TfrmEditModel& f) {
    f.c3->UserFocus();
    f.c3->UserSetText(L"");
    f.c3->UserType(L"a|b");
    EXPECT_EQ(f.c3->Text(), L"ab");
    f.c5->UserSetText(L"pasted|text");
    EXPECT_EQ(f.c5->Text(), L"pastedtext");
    f.PageControl1->UserSelectTab(1);
    f.BitBtn3->UserClick();
    EXPECT_EQ(f.c8->Text(), L"fromlist");
    f.SpeedButton3->UserClick();
    f.btAppliquer->UserClick();
  });
  EXPECT_EQ(StoredModel(L"a"), L"1|ab|1|pastedtext|0.000|1|fromlist|0.000|2|0||0.000|0.000|1|1|1|1|");
}

TEST_F(ModelEditorTest, LayerButtonsAndSwatchesTakeWhatThePickersChose) {
  Model(L"a", kOther);
  Edit(L"a", [&](TfrmEditModel& f) {
    f.BitBtn4->UserClick();  // nothing chosen: the layer stays
    EXPECT_EQ(f.c3->Text(), L"pts");
    chosenLayer = L"TOPO";
    f.PageControl1->UserSelectTab(2);
    f.BitBtn6->UserClick();
    EXPECT_EQ(f.c12->Text(), L"TOPO");
    f.PageControl1->UserSelectTab(0);
    f.c16->UserClick();  // the number is not created: its swatch is disabled
    EXPECT_EQ(colourShown, -1);
    f.c15->UserClick();  // cancelled
    EXPECT_EQ(colourShown, 5);
    EXPECT_EQ(f.c15->ColorNumber(), 5);
    chosenColour = {3, 0, 255, 0};
    f.PageControl1->UserSelectTab(1);
    f.c17->UserClick();
    EXPECT_EQ(colourShown, 7);
    EXPECT_EQ(f.c17->ColorNumber(), 3);
    EXPECT_EQ(f.c17->PaintColor(), ui::Rgb(0, 255, 0));
    f.SpeedButton3->UserClick();
    f.btAppliquer->UserClick();
  });
  EXPECT_EQ(StoredModel(L"a"), L"0|pts|0|num|1.500|1|alt|2.000|4|1|TOPO|0.800|-1.250|5|6|3|256|");
  EXPECT_EQ(layerCalls.size(), 2u);
}

TEST_F(ModelEditorTest, DeleteAsksAndTheLastModelStays) {
  Model(L"a", kDefault);
  Model(L"b", kOther);
  std::wstring question;
  AnswerMessage(2);
  AnswerMessage(1, &question);
  Edit(L"b", [&](TfrmEditModel& f) {
    f.SpeedButton2->UserClick();  // No
    EXPECT_EQ(f.c1->Items().size(), 2u);
    f.SpeedButton2->UserClick();  // Yes
    EXPECT_EQ(f.c1->Items(), std::vector<std::wstring>{L"a"});
    EXPECT_EQ(f.c1->ItemIndex(), 0);
    EXPECT_EQ(f.ModelText(), kDefault);
    f.SpeedButton2->UserClick();  // the last one: nothing, no question
    f.btAppliquer->UserClick();
  });
  EXPECT_EQ(question, L"     [704]b'     ");
  EXPECT_EQ(StoredNames(), std::vector<std::wstring>{L"a"});
}

TEST_F(ModelEditorTest, NamePromptsRefuseEmptyAndTakenNames) {
  Model(L"Alpha", kDefault);
  Model(L"beta", kOther);
  std::vector<std::wstring> messages(3);
  std::wstring preset;
  user.On(L"Form14", [&](ui::Form& form) {
    auto& p = static_cast<TNamePrompt&>(form);
    preset = p.Edit1->Text();
    EXPECT_EQ(p.ActiveControl(), p.Edit1);
    for (const wchar_t* refused : {L"   ", L"ALPHA", L"Beta"}) {
      p.Edit1->UserSetText(refused);
      p.btAppliquer->UserClick();
      EXPECT_EQ(p.GetModalResult(), ui::mrNone) << testing::Narrow(refused);
    }
    p.Edit1->UserFocus();
    p.Edit1->UserSetText(L"");
    p.Edit1->UserType(L" ga|mma ");
    p.btAppliquer->UserClick();
  });
  for (std::wstring& m : messages) AnswerMessage(1, &m);
  user.On(L"Form13", [](ui::Form& form) { form.UserKey(ui::Key::Escape); });
  Edit(L"beta", [&](TfrmEditModel& f) {
    f.SpeedButton4->UserClick();
    EXPECT_EQ(f.c1->Items(), (std::vector<std::wstring>{L"Alpha", L"gamma"}));
    EXPECT_EQ(f.c1->ItemIndex(), 1);
    f.SpeedButton1->UserClick();  // cancelled: nothing added
    EXPECT_EQ(f.c1->Items().size(), 2u);
    f.btAppliquer->UserClick();
  });
  EXPECT_EQ(preset, L"beta");
  EXPECT_EQ(messages, (std::vector<std::wstring>{L"Empty field", L"[705]", L"[705]"}));
  EXPECT_EQ(StoredNames(), (std::vector<std::wstring>{L"Alpha", L"gamma"}));
  EXPECT_EQ(StoredModel(L"gamma"), kOther);
}

// Names are one name in any case, as the registry holds them, beyond
// Latin-1 too: the chooser finds the section's model written in another
// case, and the rename prompt refuses a model's name in another case (its
// own included), since saving it would write the same registry value and
// then delete it as gone.
TEST_F(ModelEditorTest, NamesInAnotherCaseAreTheSameModelEverywhere) {
  const std::vector<std::pair<std::wstring, std::wstring>> pairs = {
      {L"Œuvre", L"œuvre"}, {L"Ÿacht", L"ÿacht"}, {L"Ωmega", L"ωmega"}, {L"Яблоко", L"яблоко"}};
  Model(L"beta", kOther);
  for (const auto& p : pairs) Model(p.first, kDefault);
  Store(L"dessinpoint", L"models", L"œuvre");
  exchange.put(Slot::alldata, {Variant::string(L"G"), Variant::i4(10)});
  std::vector<std::wstring> messages(pairs.size());
  for (std::wstring& m : messages) AnswerMessage(1, &m);
  user.On(L"Form14", [&](ui::Form& form) {
    auto& p = static_cast<TNamePrompt&>(form);
    for (const auto& pair : pairs) {
      p.Edit1->UserSetText(pair.second);
      p.btAppliquer->UserClick();
      EXPECT_EQ(p.GetModalResult(), ui::mrNone) << testing::Narrow(pair.second);
    }
    p.UserKey(ui::Key::Escape);
  });
  std::wstring chosen, current;
  user.On(L"frmDessPoint", [&](ui::Form& form) {
    auto& d = static_cast<TfrmDessPoint&>(form);
    chosen = d.models->Text();
    user.On(L"frmEditModel", [&](ui::Form& f) {
      auto& e = static_cast<TfrmEditModel&>(f);
      current = e.c1->Text();
      e.SpeedButton4->UserClick();
      e.btAppliquer->UserClick();
    });
    d.SpeedButton14->UserClick();
    d.btAppliquer->UserClick();
  });
  DrawPoints(session);
  EXPECT_EQ(chosen, L"Œuvre") << "the section's model in another case";
  EXPECT_EQ(current, L"Œuvre");
  EXPECT_EQ(messages, std::vector<std::wstring>(pairs.size(), L"[705]"));
  EXPECT_EQ(StoredNames(), (std::vector<std::wstring>{L"beta", L"Œuvre", L"Ÿacht", L"Ωmega", L"Яблоко"}));
  EXPECT_EQ(Stored(L"dessinpoint", L"models"), L"Œuvre");
}

TEST_F(ModelEditorTest, CancelForgetsEveryChange) {
  Model(L"a", kDefault);
  Model(L"b", kOther);
  AnswerPrompt(L"Form13", L"c");
  AnswerPrompt(L"Form14", L"d");
  AnswerMessage(1);
  const int result = Edit(L"a", [&](TfrmEditModel& f) {
    f.SpeedButton1->UserClick();
    f.SpeedButton4->UserClick();
    f.c1->UserPick(0);
    f.SpeedButton2->UserClick();
    f.UserClose();
  });
  EXPECT_EQ(result, ui::mrCancel);
  EXPECT_EQ(StoredNames(), (std::vector<std::wstring>{L"a", L"b"}));
  EXPECT_EQ(forms.models.current, L"a");
  Edit(L"a", [&](TfrmEditModel& f) {
    EXPECT_EQ(f.c1->Items(), (std::vector<std::wstring>{L"a", L"b"})) << "the next opening loads the store again";
    f.btAnnule->UserClick();
  });
}

// Through command 12: the chooser hands the model over by name, so a
// model added after the others (the lists are not re-sorted) is the one
// selected afterwards and at the next opening of the editor.
TEST_F(ModelEditorTest, TheChooserAndTheEditorHandTheModelOverByName) {
  Model(L"b", kDefault);
  Model(L"c", kOther);
  Store(L"dessinpoint", L"models", L"c");
  exchange.put(Slot::alldata, {Variant::string(L"G"), Variant::i4(10)});
  std::wstring reopened;
  AnswerPrompt(L"Form13", L"a");
  user.On(L"frmDessPoint", [&](ui::Form& form) {
    auto& d = static_cast<TfrmDessPoint&>(form);
    EXPECT_EQ(d.models->Text(), L"c");
    user.On(L"frmEditModel", [](ui::Form& f) {
      auto& e = static_cast<TfrmEditModel&>(f);
      EXPECT_EQ(e.c1->Text(), L"c");
      e.SpeedButton1->UserClick();
      e.btAppliquer->UserClick();
    });
    d.SpeedButton14->UserClick();
    EXPECT_EQ(d.models->Items(), (std::vector<std::wstring>{L"b", L"c", L"a"}));
    EXPECT_EQ(d.models->Text(), L"a");
    user.On(L"frmEditModel", [&](ui::Form& f) {
      auto& e = static_cast<TfrmEditModel&>(f);
      reopened = e.c1->Text();
      EXPECT_EQ(e.c1->Items(), (std::vector<std::wstring>{L"a", L"b", L"c"}));
      e.btAnnule->UserClick();
    });
    d.SpeedButton14->UserClick();
    EXPECT_EQ(d.models->Text(), L"a") << "Cancel leaves the list as it was";
    d.btAppliquer->UserClick();
  });
  DrawPoints(session);
  EXPECT_EQ(reopened, L"a");
  EXPECT_EQ(Stored(L"dessinpoint", L"models"), L"a");
  EXPECT_EQ(StoredModel(L"a"), kOther);
}

}  // namespace
}  // namespace topaline
