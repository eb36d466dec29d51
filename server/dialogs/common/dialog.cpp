#include "server/dialogs/common/dialog.h"

#include "platform/error.h"
#include "server/dialogs/common/apply_labels.h"
#include "server/core/labels.h"
#include "server/dialogs/common/message_box.h"
#include "server/core/session.h"
#include "server/dialogs/common/settings.h"
#include "ui/form_runner.h"

namespace topaline {

TDialog::TDialog(Session& session, std::wstring name, std::wstring helpTopic)
    : ui::Form(std::move(name)), session_(session), helpTopic_(std::move(helpTopic)) {
  SetBorderStyle(ui::BorderStyle::Dialog);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetKeyPreview(true);
  ReportErrorsInMessageBox(session_, *this);
  OnKeyDown = [this](int& key, ui::ShiftState) {
    if (key == ui::Key::Escape) {
      key = 0;
      SetModalResult(ui::mrCancel);
    }
  };
}

void TDialog::AddButtonRow(int top) {
  using namespace design;
  const int right = ClientWidth() - kMargin;
  auto at = [&](int fromRight) {
    return ui::Rect{right - fromRight * (kButtonWidth + kButtonGap) + kButtonGap, top, kButtonWidth, kButtonHeight};
  };
  // Created left to right: the tab order follows.
  btAppliquer = &Add<ui::Button>(this, L"btAppliquer", at(3));
  btAnnule = &Add<ui::Button>(this, L"btAnnule", at(2));
  btAide = &Add<ui::Button>(this, L"btAide", at(1));
  btAppliquer->SetCaption(L"Appliquer");
  btAppliquer->SetHelpContext(990);
  btAnnule->SetCaption(L"Annuler");
  btAnnule->SetHelpContext(991);
  btAide->SetCaption(L"Aide");
  btAide->SetHelpContext(992);

  btAnnule->SetModalResult(ui::mrCancel);
  btAppliquer->OnClick = [this] { Apply(); };
  btAide->OnClick = [this] { ShowHelp(session_, helpTopic_); };
}

void TDialog::FinishCreation() {
  try {
    ApplyLabels(session_, *this);
  } catch (const Error& e) {
    ShowErrorBox(session_, e.message());
  } catch (const std::exception&) {
    ShowErrorBox(session_, L"The dialog " + Name() + L" could not be relabelled.");
  }
}

void TDialog::Accept(const std::wstring& section) {
  SaveSettings(session_, *this, section);
  session_.exchange.resultat = 1;
  SetModalResult(ui::mrOk);
}

int TDialog::ShowModal() {
  FormRunner* runner = session_.platform.forms;
  if (!runner) throw Error(L"No form runner: the dialog " + Name() + L" cannot be shown.");
  return runner->ShowModal(*this);
}

}  // namespace topaline
