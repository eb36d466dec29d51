#include "server/dialogs/common/message_box.h"

#include "platform/error.h"
#include "server/core/labels.h"
#include "server/core/session.h"
#include "ui/controls.h"
#include "ui/form_runner.h"

namespace topaline {

TfrmErrMsg::TfrmErrMsg() : ui::Form(L"frmErrMsg") {
  SetCaption(L"Message Norvel");
  SetBorderStyle(ui::BorderStyle::ToolWindow);
  SetClientSize(557, 131);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetStayOnTop(true);
  SetKeyPreview(true);

  Image1 = &Add<ui::Image>(this, L"Image1", {8, 8, 34, 34});
  Image1->SetTransparent(true);
  LabMsg = &Add<ui::Label>(this, L"LabMsg");
  LabMsg->SetAutoSize(false);
  LabMsg->SetWordWrap(true);
  LabMsg->SetBounds(61, 16, 476, 65);
  Panbout = &Add<ui::Panel>(this, L"Panbout", {0, 96, 557, 35});
  Panbout->SetAlign(ui::Align::Bottom);
  Panbout->SetBevelOuter(ui::Panel::Bevel::None);
  Panbout->SetColor(ui::clWhite);

  ui::Button** buttons[] = {&Button1, &Button2, &Button3};
  const wchar_t* names[] = {L"Button1", L"Button2", L"Button3"};
  for (int i = 0; i < 3; ++i) {
    ui::Button& b = Add<ui::Button>(Panbout, names[i], {0, 4, 75, 25});
    b.SetModalResult(i + 1);
    *buttons[i] = &b;
  }

  // Escape closes like the second button, before any control sees it.
  OnKeyDown = [this](int& key, ui::ShiftState) {
    if (key == ui::Key::Escape) {
      key = 0;
      SetModalResult(2);
    }
  };
}

void TfrmErrMsg::Layout(const std::wstring& text, const std::vector<std::wstring>& captions, int icon,
                        const std::vector<int>& widths) {
  Image1->SetStockIcon(icon);
  ui::Button* buttons[] = {Button1, Button2, Button3};
  for (ui::Button* b : buttons) b->SetVisible(false);

  int total = 0;
  const std::size_t n = std::min<std::size_t>(captions.size(), 3);
  for (std::size_t i = 0; i < n; ++i) {
    if (captions[i].empty()) continue;
    buttons[i]->SetVisible(true);
    buttons[i]->SetCaption(captions[i]);
    buttons[i]->SetWidth(widths[i]);
    total += widths[i] + 2;
  }
  int left = (Width() - total) / 2;
  ui::Button* first = nullptr;
  for (std::size_t i = 0; i < n; ++i) {
    if (captions[i].empty()) continue;
    buttons[i]->SetLeft(left);
    left += buttons[i]->Width() + 2;
    if (!first) first = buttons[i];
  }
  LabMsg->SetCaption(text);
  // Enter presses the first shown button.
  if (first) SetActiveControl(first);
}

int ShowErrMsg(Session& session, const std::wstring& text, const std::vector<std::wstring>& captions, int icon) {
  FormRunner* runner = session.platform.forms;
  if (!runner) throw Error(L"No form runner: the message cannot be shown.");
  TfrmErrMsg box;
  box.Prepare(text, captions, icon,
              [&](const std::wstring& caption) { return runner->TextWidth(caption, box.GetFont()); });
  int result = runner->ShowModal(box);
  return (result >= 1 && result <= 3) ? result : 2;
}

int ShowLabelMsg(Session& session, int label) {
  return ShowErrMsg(session, LabelText(session, label), {L"Ok"}, ui::IconWarning);
}

void ShowErrorBox(Session& session, const std::wstring& message) noexcept {
  try {
    ShowErrMsg(session, message, {L"Ok"}, ui::IconError);
  } catch (...) {
    // Nothing more can be done to tell the user.
  }
}

void ReportErrorsInMessageBox(Session& session, ui::Form& form) {
  form.OnError = [&session](const std::wstring& message) { ShowErrorBox(session, message); };
}

}  // namespace topaline
