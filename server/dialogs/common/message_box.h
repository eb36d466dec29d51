// The server's own message box: a small top-most window with the text,
// a standard icon and up to three buttons whose captions the caller gives
// (usually label texts, so they follow the interface language).
#pragma once

#include <string>
#include <vector>

#include "ui/form.h"

namespace topaline {

struct Session;

namespace ui {
class Button;
class Image;
class Label;
class Panel;
}  // namespace ui

class TfrmErrMsg : public ui::Form {
public:
  TfrmErrMsg();

  // Icon, captions (one to three; an empty caption hides its button) and
  // text; the shown buttons form one centred row. textWidth measures a
  // caption in the window's font.
  template <class Measure>
  void Prepare(const std::wstring& text, const std::vector<std::wstring>& captions, int icon, Measure textWidth);

  ui::Image* Image1;
  ui::Label* LabMsg;
  ui::Panel* Panbout;
  ui::Button* Button1;
  ui::Button* Button2;
  ui::Button* Button3;

private:
  void Layout(const std::wstring& text, const std::vector<std::wstring>& captions, int icon,
              const std::vector<int>& widths);
};

// Shows text with the buttons captioned in order (at most three) and the
// standard icon (ui::IconError, IconQuestion, IconWarning). Returns the
// pressed button's number, 1 to 3; 2 when the window is closed by Escape
// or the close box.
int ShowErrMsg(Session& session, const std::wstring& text, const std::vector<std::wstring>& captions, int icon);

// One label's text with the single button "Ok" and the warning icon.
int ShowLabelMsg(Session& session, int label);

// An error reported to the user: the message, "Ok", the error icon.
// Never throws (a failure to show it is swallowed).
void ShowErrorBox(Session& session, const std::wstring& message) noexcept;

// Routes the errors raised by the form's reactions to ShowErrorBox.
void ReportErrorsInMessageBox(Session& session, ui::Form& form);

template <class Measure>
void TfrmErrMsg::Prepare(const std::wstring& text, const std::vector<std::wstring>& captions, int icon,
                         Measure textWidth) {
  std::vector<int> widths;
  for (const std::wstring& caption : captions) widths.push_back(caption.empty() ? 0 : textWidth(caption) + 40);
  Layout(text, captions, icon, widths);
}

}  // namespace topaline
