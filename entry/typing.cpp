#include "entry/typing.h"

namespace topaline {

std::wstring PointCommand(const std::wstring& number) {
  return L"(tpx:point \"" + number + L"\") ";
}

namespace {

// Checks every 10 ms until the condition holds (true) or timeoutMs have
// passed (false).
template <class Condition>
bool WaitUntil(EntryDesktop& desktop, unsigned timeoutMs, Condition&& holds) {
  for (unsigned waited = 0;; waited += 10) {
    if (holds()) return true;
    if (waited >= timeoutMs) return false;
    desktop.sleep(10);
  }
}

}  // namespace

bool WaitForForeground(EntryDesktop& desktop, WindowHandle window, unsigned timeoutMs) {
  const WindowHandle top = desktop.topLevelOf(window);
  return WaitUntil(desktop, timeoutMs, [&] { return desktop.foregroundWindow() == top; });
}

namespace {

// Once Caps Lock is pressed, the first letter waits until the system's key
// state shows it off, then a little longer: a target that is still working
// through the key's messages can otherwise translate the next letters with
// the old state and type them in capitals.
constexpr unsigned kCapsLockTimeoutMs = 500;
constexpr unsigned kCapsLockSettleMs = 50;

void WaitForCapsLockOff(EntryDesktop& desktop) {
  WaitUntil(desktop, kCapsLockTimeoutMs, [&] { return !desktop.capsLockOn(); });
  desktop.sleep(kCapsLockSettleMs);
}

class Typist {
public:
  Typist(EntryDesktop& desktop, WindowHandle target, unsigned delayMs)
      : desktop_(desktop), target_(desktop.topLevelOf(target)), delay_(delayMs) {}

  bool targetInFront() { return desktop_.foregroundWindow() == target_; }

  // Waits the delay, then presses the key if the target is still in front,
  // with Shift held around it when asked. Shift goes down only while the
  // target is in front; once down it is always released.
  bool press(std::uint8_t vk, bool shift = false) {
    if (shift) {
      if (!targetInFront()) return false;
      desktop_.keyDown(kVkShift);
    }
    desktop_.sleep(delay_);
    const bool inFront = targetInFront();
    if (inFront) {
      desktop_.keyDown(vk);
      desktop_.keyUp(vk);
    }
    if (shift) desktop_.keyUp(kVkShift);
    return inFront;
  }

private:
  EntryDesktop& desktop_;
  WindowHandle target_;
  unsigned delay_;
};

}  // namespace

TypingResult TypeText(EntryDesktop& desktop, WindowHandle target, const std::wstring& text,
                      unsigned delayMs) {
  Typist typist(desktop, target, delayMs);
  const bool capsWasOn = desktop.capsLockOn();
  if (capsWasOn) {
    if (!typist.press(kVkCapital)) return TypingResult::Interrupted;
    WaitForCapsLockOff(desktop);
  }

  TypingResult result = TypingResult::Complete;
  const auto keys = PlanKeys(text, [&](wchar_t c) { return desktop.keyScan(c); });
  for (const PlannedKey& key : keys) {
    if (!typist.press(key.vk, key.shift)) {
      result = TypingResult::Interrupted;
      break;
    }
  }

  if (capsWasOn) {
    // Caps Lock is the user's own state: it is restored even when typing
    // stopped; the key produces no text wherever it lands.
    desktop.sleep(delayMs);
    desktop.keyDown(kVkCapital);
    desktop.keyUp(kVkCapital);
  }
  return result;
}

}  // namespace topaline
