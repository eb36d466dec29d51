// The Win32 form runner: real windows for a form of the component model,
// a modal loop over the owner window, and the screen questions placing
// forms needs.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/form_runner.h"
#include "win32/ui/msw_guard.h"

namespace topaline::msw {

class MSWFormBinding;

class MSWFormRunner final : public FormRunner {
public:
  // owner: the window that was active when the call began (0: none); the
  // outermost form is modal over it.
  explicit MSWFormRunner(WindowHandle owner = 0);
  ~MSWFormRunner() override;

  void SetOwner(WindowHandle owner) { owner_ = owner; }
  // Where failures inside the window layer itself (not in a form's
  // reactions, which the form reports) are shown while this runner's
  // forms run.
  void SetErrorReporter(MSWErrorReporter reporter) { reporter_ = std::move(reporter); }
  WindowHandle Owner() const { return owner_; }

  // Creates the form's windows (form, then its components in creation
  // order, geometry scaled by the DPI), shows it, disables what the user
  // could reach meanwhile (for the outermost form every visible enabled
  // top-level window of this thread, the owner among them; for a nested
  // one the form below), runs the modal loop until a modal result is set
  // and the form agrees to close, enables exactly those windows again
  // (however the loop ended) and destroys the form's windows.
  int ShowModal(ui::Form& form) override;

  int TextWidth(const std::wstring& text, const ui::Font& font) override;
  int TextHeight(const ui::Font& font) override;
  ui::Rect WorkAreaFor(const ui::Rect& r) override;
  ui::Rect WorkArea() override;
  ui::Size ScreenSize() override;

  // The window of the innermost form being shown (0: none).
  WindowHandle ActiveFormWindow() const;
  // The modal stack's top: the innermost form's window, or the owner when
  // no form is shown.
  WindowHandle TopModalWindow() const override;

private:
  WindowHandle owner_ = 0;
  MSWErrorReporter reporter_;
  std::vector<MSWFormBinding*> stack_;  // nested modal showings
};

}  // namespace topaline::msw
