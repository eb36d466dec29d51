// The entry window's behaviour (TForm1 and its delay dialog TForm2),
// independent of the windowing system: validating and sending numbers, the
// digit buttons, the increment field, the timer tick, closing, and the
// typing delay.
#pragma once

#include <string>

#include "entry/desktop.h"
#include "entry/entry_logic.h"
#include "entry/settings.h"
#include "entry/typing.h"
#include "platform/platform.h"

namespace topaline {

// The entry window's controls as the behaviour sees them.
class EntryView {
public:
  virtual ~EntryView() = default;
  virtual WindowHandle toolWindow() const = 0;
  // edNum
  virtual std::wstring numberText() const = 0;
  // Replaces the text and puts the caret at its end.
  virtual void setNumberText(const std::wstring& text) = 0;
  virtual void addHistoryItem(const std::wstring& number) = 0;
  virtual bool numberListDropped() const = 0;
  // Edit1
  virtual std::wstring incrementText() const = 0;
  virtual void setIncrementText(const std::wstring& text) = 0;
  // The tool window itself.
  virtual bool toolVisible() const = 0;
  virtual void showTool() = 0;
  virtual void hideTool() = 0;
  virtual ScreenRect toolRect() const = 0;
};

enum class MouseButton { Left, Right, Middle };

class EntryAssistant {
public:
  EntryAssistant(EntryDesktop& desktop, RegistryKey& key, WindowHandle target, const EntrySettings& settings);

  // The view is attached once the window exists.
  void attach(EntryView& view);

  WindowHandle target() const { return target_; }
  const EntrySettings& settings() const { return settings_; }
  const NumberHistory& history() const { return history_; }
  unsigned delay() const { return delay_; }

  // Validate and send edNum's number (Enter, right-click in edNum, the
  // validate button, a non-left release over a digit button). Sending
  // leaves the increment field first. Returns whether the whole command
  // was typed.
  bool valide();

  // A mouse button released over a digit button captioned digit.
  void digitReleased(wchar_t digit, MouseButton button);

  // Edit1: a key released in it; its text changed (by the user, or by
  // the program itself, which is ignored); the user left it (the focus
  // went to another control of the window). Leaving stores what the user
  // typed, never a text the program put there.
  void incrementKeyReleased();
  void incrementChanged();
  void incrementLeft();

  enum class Tick { Continue, TargetGone };
  Tick timerTick();

  // The user closed the window at (left, top): the position is stored.
  void userClosed(int left, int top);

  // Delay dialog: the position its track bar shows at each opening, and
  // confirming a position.
  unsigned delayDialogPosition() const;
  void confirmDelay(unsigned position);

private:
  EntryView& view() const;
  void showIncrement(const std::wstring& text);

  EntryDesktop& desktop_;
  RegistryKey& key_;
  WindowHandle target_;
  EntrySettings settings_;
  EntryView* view_ = nullptr;
  NumberHistory history_;
  unsigned delay_;
  bool incrementTyped_ = false;    // Edit1 holds a text the user typed, not yet left
  bool settingIncrement_ = false;  // the program is putting a text into Edit1
};

}  // namespace topaline
