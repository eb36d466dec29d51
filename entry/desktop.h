// What the entry assistant needs from the desktop: the foreground window,
// the pointer, the keyboard layout and synthesized keystrokes, waiting and
// beeping. A Win32 implementation lives in entry/win32/; tests use fakes.
#pragma once

#include <cstdint>

#include "entry/entry_logic.h"
#include "platform/platform.h"

namespace topaline {

// Virtual keys the typing itself uses.
constexpr std::uint8_t kVkShift = 0x10;
constexpr std::uint8_t kVkCapital = 0x14;

class EntryDesktop {
public:
  virtual ~EntryDesktop() = default;
  // The window still exists.
  virtual bool windowExists(WindowHandle window) = 0;
  // The top-level window that contains window (window itself when top-level).
  virtual WindowHandle topLevelOf(WindowHandle window) = 0;
  virtual WindowHandle foregroundWindow() = 0;
  virtual void bringToFront(WindowHandle window) = 0;
  virtual ScreenPoint cursorPos() = 0;
  // Caps Lock is toggled on.
  virtual bool capsLockOn() = 0;
  // The current layout's key for a character, as VkKeyScanW answers: the
  // virtual key in the low byte, the shift state in the high byte
  // (1 Shift, 2 Ctrl, 4 Alt); either byte 0xFF when there is none.
  virtual std::int16_t keyScan(wchar_t c) = 0;
  virtual void keyDown(std::uint8_t vk) = 0;
  virtual void keyUp(std::uint8_t vk) = 0;
  // Blocks the calling thread.
  virtual void sleep(unsigned ms) = 0;
  // 440 Hz for 100 ms.
  virtual void beep() = 0;
};

}  // namespace topaline
