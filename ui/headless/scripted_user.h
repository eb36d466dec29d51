// The headless form runner: a scripted user for native tests.
//
// A test registers a script per form name; when a form of that name is
// shown modally, the next script queued for it runs with the form and
// acts through the user operations (UserClick, UserType, UserKey,
// UserPick, UserClose...). It must close the form the way a person does
// (a button, Escape, the close box). Nested modals shown while a script
// runs (a message box during Apply) go to the same registry of scripts.
//
//   ScriptedUser user;
//   user.On(L"frmFiltrePoints", [](ui::Form& f) {
//     f.Get<ui::CheckBox>(L"cn").UserClick();
//     f.Get<ui::Button>(L"btAppliquer").UserClick();
//   });
//   user.On(L"frmErrMsg", [](ui::Form& f) { f.Get<ui::Button>(L"Button1").UserClick(); });
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/form_runner.h"

namespace topaline::ui {

class ScriptedUser : public FormRunner {
public:
  using Script = std::function<void(Form&)>;

  // What was shown, in the order the forms were shown.
  struct Shown {
    std::wstring name;
    std::wstring caption;
    // Captions of the visible labels, in creation order, as the form
    // opened (what the user read).
    std::vector<std::wstring> labels;
    int result = mrNone;
    int depth = 0;  // 0: top level, 1: shown from a script of depth 0...
    // The token that stands for the form's window while it is shown:
    // distinct for every showing, never 0.
    WindowHandle window = 0;
  };

  ScriptedUser();

  // Queues a script for the next showing of the form named name
  // (compared exactly). Scripts of one name run in the order queued.
  void On(const std::wstring& name, Script script);
  // A script for every showing of the form that has no queued script.
  void Always(const std::wstring& name, Script script);
  // Scripts still queued (e.g. a message box that was expected but never
  // shown), as "name" entries.
  std::vector<std::wstring> Unconsumed() const;

  // Problems found: a form with no script, a script that left its form
  // open (it is then closed with mrCancel), an exception out of a script.
  const std::vector<std::wstring>& Failures() const { return failures_; }
  // Called for each failure as it happens (e.g. ADD_FAILURE in a test
  // fixture); failures are recorded either way.
  std::function<void(const std::wstring&)> OnFailure;

  const std::vector<Shown>& History() const { return history_; }
  // Names of the forms shown, in order.
  std::vector<std::wstring> ShownNames() const;
  int ShownCount(const std::wstring& name) const;
  void ClearHistory() { history_.clear(); }

  // Deterministic metrics: 6 px per character at 8 pt (scaled linearly
  // with the point size; bold adds 1 px per character), 13 px lines at
  // 8 pt; a 1920 × 1080 screen with a 1920 × 1040 work area.
  int TextWidth(const std::wstring& text, const Font& font) override;
  int TextHeight(const Font& font) override;
  Rect WorkAreaFor(const Rect& r) override;
  Rect WorkArea() override;
  Size ScreenSize() override;
  void SetScreen(Size screen, Rect workArea);

  int ShowModal(Form& form) override;

  // The modal stack: the window token of the innermost form being shown,
  // or Owner() when none is.
  WindowHandle TopModalWindow() const override { return open_.empty() ? owner_ : open_.back(); }
  // The window the outermost form is modal over (0 unless set).
  void SetOwner(WindowHandle owner) { owner_ = owner; }
  WindowHandle Owner() const { return owner_; }

private:
  void Fail(const std::wstring& message);

  std::map<std::wstring, std::deque<Script>> queued_;
  std::map<std::wstring, Script> always_;
  std::vector<std::wstring> failures_;
  std::vector<Shown> history_;
  int depth_ = 0;
  WindowHandle owner_ = 0;
  std::vector<WindowHandle> open_;  // window tokens of the forms being shown
  WindowHandle lastWindow_ = 0x10000;
  Size screen_{1920, 1080};
  Rect workArea_{0, 0, 1920, 1040};
};

}  // namespace topaline::ui
