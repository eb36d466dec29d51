#include "server/dialogs/common/dialog.h"

#include "platform/error.h"
#include "server/core/labels.h"
#include "server/core/session.h"
#include "server/dialogs/common/apply_labels.h"
#include "server/dialogs/common/message_box.h"
#include "server/dialogs/common/settings.h"
#include "ui/form_runner.h"

namespace topaline {

TDialog::TDialog(Session& session, std::wstring name, std::wstring helpTopic, std::wstring section)
    : ui::Form(std::move(name)), session_(session), helpTopic_(std::move(helpTopic)), section_(std::move(section)) {
  SetBorderStyle(ui::BorderStyle::Dialog);
  SetPosition(ui::FormPosition::ScreenCenter);
  ReportErrorsInMessageBox(session_, *this);
  SetEscapeRule(EscapeRule::Cancel);
  OnShow = [this] { Showing(); };
  OnClose = [this] { Closed(); };
}

void TDialog::SetEscapeRule(EscapeRule rule) {
  if (rule == EscapeRule::None) {
    SetKeyPreview(false);
    OnKeyDown = nullptr;
    return;
  }
  SetKeyPreview(true);
  OnKeyDown = [this](int& key, ui::ShiftState) {
    if (key == ui::Key::Escape && EscapeCloses()) {
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
  btAppliquer = Make<ui::Button>(this, L"btAppliquer", at(3), L"Appliquer", 990);
  btAnnule = Make<ui::Button>(this, L"btAnnule", at(2), L"Annuler", 991);
  btAide = Make<ui::Button>(this, L"btAide", at(1), L"Aide", 992);
  SetButtons(btAppliquer, btAnnule, btAide);
}

void TDialog::SetButtons(ui::Component* apply, ui::Component* cancel, ui::Component* help) {
  if (apply) apply->OnClick = [this] { Apply(); };
  if (cancel) cancel->OnClick = [this] { SetModalResult(ui::mrCancel); };
  if (help) help->OnClick = [this] { ShowHelp(session_, helpTopic_); };
}

void TDialog::FinishCreation() {
  // Each step on its own: a failing one is reported and the next still runs.
  auto step = [this](auto&& body) {
    try {
      body();
    } catch (...) {
      ShowErrorBox(session_, CurrentExceptionMessage());
    }
  };
  step([&] { ApplyLabels(session_, *this); });
  step([&] {
    for (const CaptionLabel& c : captionLabels_) c.component->SetCaption(LabelText(session_, c.label));
    for (const ColumnLabel& c : columnLabels_) c.grid->SetColumnCaption(c.column, LabelText(session_, c.label));
    // A designed French hint stays in French; any other hint comes from
    // the label (its hint text, else its text).
    const bool french = session_.config.langue == L"fr";
    for (const CaptionLabel& c : hintLabels_) {
      const TUnLabel* label = session_.Labels.Get(c.label);
      if (!label || (french && !c.component->Hint().empty())) continue;
      c.component->SetHint(label->HintTexte.empty() ? label->Texte : label->HintTexte);
    }
    if (!french)
      for (const CaptionLabel& c : nameLabels_)
        if (const TUnLabel* label = session_.Labels.Find(c.label); label && !label->Texte.empty())
          c.component->SetSpokenName(label->Texte);
  });
  step([&] {
    if (keepsPlace_) RestoreFormPos(session_, *this);
    for (ui::TreeGrid* grid : keptHeaders_) RestoreHeaderState(session_, *this, *grid);
  });
}

void TDialog::LabelName(ui::Component& component, int label, const wchar_t* french) {
  component.SetSpokenName(french);
  nameLabels_.push_back({&component, label});
}

std::vector<int> TDialog::NameLabels() const {
  std::vector<int> numbers;
  for (const CaptionLabel& c : nameLabels_) numbers.push_back(c.label);
  return numbers;
}

std::vector<int> TDialog::HintLabels() const {
  std::vector<int> numbers;
  for (const CaptionLabel& c : hintLabels_) numbers.push_back(c.label);
  return numbers;
}

void TDialog::Closed() noexcept {
  try {
    Closing();
  } catch (...) {
    ShowErrorBox(session_, CurrentExceptionMessage());
  }
  if (keepsPlace_ || !keptHeaders_.empty()) SaveWindowState(session_, *this, keepsPlace_, keptHeaders_);
}

void TDialog::Accept() {
  if (!section_.empty()) SaveSettings(session_, *this, section_);
  session_.exchange.resultat = 1;
  SetModalResult(ui::mrOk);
}

int TDialog::Run() {
  BeforeLoading();
  if (!section_.empty()) LoadSettings(session_, section_, *this);
  AfterLoading();
  return ShowModal();
}

int TDialog::ShowModal() {
  FormRunner* runner = session_.platform.forms;
  if (!runner) throw Error(L"No form runner: the dialog " + Name() + L" cannot be shown.");
  return runner->ShowModal(*this);
}

}  // namespace topaline
