// Shows forms modally and answers the questions about the screen that
// placing them needs. Two implementations: the Win32 one (real windows
// and a modal loop over the owner window) and the headless ScriptedUser
// (ui/headless/scripted_user.h), which hands each form to a test script.
#pragma once

#include <string>

#include "platform/platform.h"
#include "ui/types.h"

namespace topaline {

namespace ui {
class Form;
}

// A runner is also the modal stack that the platform's system dialogs take
// their owner from (SystemUi::Owner): its TopModalWindow is the window of
// the innermost form it shows, or the window its outermost form is modal
// over when it shows none.
class FormRunner : public ModalStack {
public:
  ~FormRunner() override = default;

  // Shows the form modally and returns its modal result once it is
  // closed. The runner calls Form::BeginModal before and Form::EndModal
  // after (a form whose OnCloseQuery refuses stays open). Nested calls
  // (a message box during a reaction) are allowed. The form's
  // OwnerWindow (0: none, the desktop for top-most forms) owns it.
  virtual int ShowModal(ui::Form& form) = 0;

  // Width in pixels of a single line of text in a font.
  virtual int TextWidth(const std::wstring& text, const ui::Font& font) = 0;
  // Line height in pixels of a font.
  virtual int TextHeight(const ui::Font& font) = 0;

  // The work area (screen minus task bar) of the monitor that holds the
  // largest part of r, or of the primary monitor when r lies on none.
  virtual ui::Rect WorkAreaFor(const ui::Rect& r) = 0;
  // The primary monitor's work area.
  virtual ui::Rect WorkArea() = 0;
  // The whole primary screen.
  virtual ui::Size ScreenSize() = 0;
};

// Makes runner the platform's form runner (nullptr: none) and the modal
// stack whose top owns the system's message box and file dialogs, so that
// these are modal over the form that opens them.
inline void UseFormRunner(Platform& platform, FormRunner* runner) {
  platform.forms = runner;
  platform.system.SetModalStack(runner);
}

}  // namespace topaline
