// The desktop services of the entry assistant through user32 and kernel32.
#pragma once

#include "entry/desktop.h"

namespace topaline {

class Win32Desktop : public EntryDesktop {
public:
  bool windowExists(WindowHandle window) override;
  WindowHandle topLevelOf(WindowHandle window) override;
  WindowHandle foregroundWindow() override;
  void bringToFront(WindowHandle window) override;
  ScreenPoint cursorPos() override;
  bool capsLockOn() override;
  std::int16_t keyScan(wchar_t c) override;
  void keyDown(std::uint8_t vk) override;
  void keyUp(std::uint8_t vk) override;
  void sleep(unsigned ms) override;
  void beep() override;
};

}  // namespace topaline
