#include "server/dialogs/models/name_prompt.h"

#include "server/core/labels.h"
#include "server/core/number_format.h"
#include "server/core/session.h"
#include "server/dialogs/common/message_box.h"
#include "server/dialogs/common/message_labels.h"
#include "server/dialogs/common/settings.h"
#include "server/dialogs/models/model_text.h"

namespace topaline {

TNamePrompt::TNamePrompt(Session& session, const TDesModeles& store, const Texts& texts)
    : TDialog(session, texts.formName, L""), store_(store) {
  using namespace design;
  SetCaption(texts.caption);
  SetHelpContext(texts.captionLabel);
  SetClientSize(289, 113);
  GroupBox1 = Make<ui::GroupBox>(this, L"GroupBox1", {8, 8, 273, 64}, texts.group, texts.groupLabel);
  Label1 = Make<ui::Label>(GroupBox1, L"Label1", {12, 18, 249, kTextHeight}, texts.field, texts.fieldLabel);
  Edit1 = Make<ui::Edit>(GroupBox1, L"Edit1", {12, 34, 249, kEditHeight});
  btAppliquer = Make<ui::Button>(this, L"btAppliquer", {114, 80, kButtonWidth, kButtonHeight}, L"Appliquer", 990);
  btAnnule = Make<ui::Button>(this, L"btAnnule", {198, 80, kButtonWidth, kButtonHeight}, L"Annuler", 991);
  SetButtons(btAppliquer, btAnnule, nullptr);
  // A bar would split the model's name from the model text it names.
  Edit1->OnKeyPress = [](wchar_t& ch) {
    if (ch == L'|') ch = 0;
  };
  Edit1->OnChange = [this] {
    if (Edit1->Text().find(L'|') != std::wstring::npos) Edit1->SetText(WithoutBars(Edit1->Text()));
  };
  FinishCreation();
}

bool TNamePrompt::Ask(std::wstring& name) {
  Edit1->SetText(name);
  if (ShowModal() != ui::mrOk) return false;
  name = Edit1->Text();
  return true;
}

void TNamePrompt::Showing() {
  Edit1->SetFocus();
  Edit1->SelectAll();
}

void TNamePrompt::Apply() {
  Edit1->SetText(std::wstring(TrimBlanks(Edit1->Text())));
  if (CheckEmptyField(session_, *Edit1)) return;
  if (store_.IndexOf(Edit1->Text()) >= 0) {
    ShowLabelMsg(session_, labels::kModelNameTaken);
    return;
  }
  SetModalResult(ui::mrOk);
}

TForm13::TForm13(Session& session, const TDesModeles& store)
    : TNamePrompt(session, store,
                  {L"Form13", L" Topaline - Nouveau modèle", 400, L" Modèle ", 401, L"Nom du modèle :", 402}) {}

TForm14::TForm14(Session& session, const TDesModeles& store)
    : TNamePrompt(session, store,
                  {L"Form14", L" Topaline - Renommer un modèle", 405, L" Modèle ", 406, L"Nouveau nom :", 407}) {}

}  // namespace topaline
