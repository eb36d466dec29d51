#include "server/dialogs/layout/attribute_dialog.h"

#include "server/dialogs/common/message_box.h"
#include "server/dialogs/common/message_labels.h"

namespace topaline {

TAttributeDialog::TAttributeDialog(Session& session, std::wstring name, std::wstring helpTopic,
                                   std::wstring section)
    : TDialog(session, std::move(name), std::move(helpTopic), std::move(section)) {
  using namespace design;
  using ui::CheckBox;
  GroupBox1 = Make<ui::GroupBox>(this, L"GroupBox1", {8, 8, kWidth - 16, kGroupHeight}, L" Attributs ", 761);
  Label1 = Make<ui::Label>(GroupBox1, L"Label1", {12, 20, 273, kTextHeight}, L"Choisissez les attributs à modifier :",
                           762);
  num = Make<CheckBox>(GroupBox1, L"num", {24, 40, 249, kCheckHeight}, L"Numéro", 756);
  alt = Make<CheckBox>(GroupBox1, L"alt", {24, 59, 249, kCheckHeight}, L"Altitude", 759);
  // The same word in every language: no label.
  des = Make<CheckBox>(GroupBox1, L"des", {24, 78, 249, kCheckHeight}, L"Description");
}

void TAttributeDialog::Apply() {
  if (!num->Checked() && !alt->Checked() && !des->Checked()) {
    ShowLabelMsg(session_, labels::kNoAttribute);
    return;
  }
  if (!CheckFields()) return;
  Accept();
}

}  // namespace topaline
