// Typing a text into the target window as synthesized keystrokes, through
// the current keyboard layout.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "entry/desktop.h"

namespace topaline {

// What the assistant types for a number: a call of the host's point function.
std::wstring PointCommand(const std::wstring& number);

// One key of the plan: the virtual key, and whether Shift is held around it.
struct PlannedKey {
  std::uint8_t vk = 0;
  bool shift = false;
  bool operator==(const PlannedKey& o) const { return vk == o.vk && shift == o.shift; }
};

// The keys that spell a text on a layout (a VkKeyScanW-like answer per
// character). Characters the layout cannot produce are left out; Ctrl and
// Alt requirements are ignored.
template <class Layout>
std::vector<PlannedKey> PlanKeys(const std::wstring& text, Layout&& layout) {
  std::vector<PlannedKey> keys;
  for (wchar_t c : text) {
    const auto answer = static_cast<std::uint16_t>(layout(c));
    const std::uint8_t vk = answer & 0xFF;
    const std::uint8_t state = answer >> 8;
    if (vk == 0xFF || state == 0xFF) continue;
    keys.push_back({vk, (state & 1) != 0});
  }
  return keys;
}

// Waits, in steps of 10 ms up to timeoutMs, until the window's top-level
// window is in the foreground: bringing another program's window to the
// front completes only once that program has processed its activation.
bool WaitForForeground(EntryDesktop& desktop, WindowHandle window, unsigned timeoutMs);

enum class TypingResult { Complete, Interrupted };

// Types the text. Caps Lock, when on, is switched off first (the first
// letter waits until the key state shows it off) and restored after. Each key press waits delayMs first, then checks that the target's
// top-level window is still in the foreground: if another window came to
// the front, typing stops there (Shift is released, Caps Lock restored) so
// that no keystroke lands in another program.
TypingResult TypeText(EntryDesktop& desktop, WindowHandle target, const std::wstring& text,
                      unsigned delayMs);

}  // namespace topaline
