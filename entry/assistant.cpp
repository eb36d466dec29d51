#include "entry/assistant.h"

#include <algorithm>

#include "platform/error.h"

namespace topaline {

namespace {
// How long the target may take to come to the front before typing starts.
constexpr unsigned kForegroundTimeoutMs = 1000;
}  // namespace

EntryAssistant::EntryAssistant(EntryDesktop& desktop, RegistryKey& key, WindowHandle target,
                               const EntrySettings& settings)
    : desktop_(desktop), key_(key), target_(target), settings_(settings), delay_(settings.tempo) {}

void EntryAssistant::attach(EntryView& view) {
  view_ = &view;
  showIncrement(settings_.increment);
}

void EntryAssistant::showIncrement(const std::wstring& text) {
  settingIncrement_ = true;
  try {
    view().setIncrementText(text);
  } catch (...) {
    settingIncrement_ = false;
    throw;
  }
  settingIncrement_ = false;
}

EntryView& EntryAssistant::view() const {
  if (!view_) throw Error(L"The entry window is not created.");
  return *view_;
}

bool EntryAssistant::valide() {
  incrementLeft();
  EntryView& v = view();
  const std::wstring number = TrimBlanks(v.numberText());
  if (number.empty()) return false;
  if (!IsValidEntry(number)) {
    desktop_.beep();
    return false;
  }
  v.setNumberText(L"");
  desktop_.bringToFront(desktop_.topLevelOf(target_));
  WaitForForeground(desktop_, target_, kForegroundTimeoutMs);
  if (TypeText(desktop_, target_, PointCommand(number), delay_) == TypingResult::Interrupted) {
    // Another window came to the front: the number was not sent. It goes
    // back into the field so that it can be sent again.
    desktop_.beep();
    v.setNumberText(number);
    return false;
  }
  if (history_.add(number)) v.addHistoryItem(number);
  return true;
}

void EntryAssistant::digitReleased(wchar_t digit, MouseButton button) {
  if (button != MouseButton::Left) {
    valide();
    return;
  }
  EntryView& v = view();
  v.setNumberText(v.numberText() + digit);
}

void EntryAssistant::incrementKeyReleased() {
  if (IncrementNeedsBeep(view().incrementText())) desktop_.beep();
}

void EntryAssistant::incrementChanged() {
  if (!settingIncrement_) incrementTyped_ = true;
}

void EntryAssistant::incrementLeft() {
  if (!incrementTyped_) return;  // nothing typed since the program's own text
  incrementTyped_ = false;
  const IncrementExit exit = LeaveIncrement(view().incrementText());
  showIncrement(exit.text);
  if (exit.store) {
    key_.writeString(L"increment", exit.text);
    settings_.increment = exit.text;
  }
  if (exit.beep) desktop_.beep();
}

EntryAssistant::Tick EntryAssistant::timerTick() {
  if (!desktop_.windowExists(target_)) return Tick::TargetGone;
  EntryView& v = view();
  if (v.numberListDropped()) return Tick::Continue;

  const WindowHandle targetTop = desktop_.topLevelOf(target_);
  const WindowHandle tool = v.toolWindow();
  const WindowHandle front = desktop_.foregroundWindow();
  if (front != targetTop && front != tool) {
    if (v.toolVisible()) v.hideTool();
    return Tick::Continue;
  }
  if (!v.toolVisible()) v.showTool();

  const WindowHandle wanted = PointInRect(desktop_.cursorPos(), v.toolRect()) ? tool : targetTop;
  if (front != wanted) desktop_.bringToFront(wanted);
  return Tick::Continue;
}

void EntryAssistant::userClosed(int left, int top) { SaveEntryPosition(key_, left, top); }

unsigned EntryAssistant::delayDialogPosition() const { return ReadTempo(key_); }

void EntryAssistant::confirmDelay(unsigned position) {
  position = std::min(position, kMaxTempo);
  delay_ = position;
  key_.writeDword(L"tempo", position);
  key_.writeDword(L"tempook", 1);
}

}  // namespace topaline
