// Test doubles for the entry assistant: a desktop that records keystrokes
// and decodes them back to text on a simulated layout, an in-memory
// registry key, and a view holding the controls' state.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "entry/assistant.h"

namespace topaline::test {

// A keyboard layout: character -> VkKeyScanW answer.
using FakeLayout = std::function<std::int16_t(wchar_t)>;
FakeLayout UsLayout();
// Digits on the shifted level, as on French keyboards.
FakeLayout ShiftedDigitsLayout();

constexpr WindowHandle kTarget = 100;
constexpr WindowHandle kTool = 200;
constexpr WindowHandle kOther = 300;

class FakeDesktop : public EntryDesktop {
public:
  FakeDesktop();

  // Events in order: "wait N", "down VK", "up VK" (VK in hex), "beep", "front H".
  std::vector<std::string> events;
  // Text the target received, decoded with the layout, Shift and Caps Lock.
  std::wstring typedIntoTarget;
  std::wstring typedElsewhere;
  FakeLayout layout = UsLayout();
  bool targetExists = true;
  WindowHandle front = kTarget;
  ScreenPoint cursor{0, 0};
  bool capsLock = false;
  // How many more queries report the Caps Lock state from before the last
  // press (a system that applies the key late).
  int capsLockReportedLate = 0;
  int beeps = 0;
  unsigned slept = 0;
  // Called after each event is recorded (to let a test act mid-typing).
  std::function<void(FakeDesktop&)> onEvent;

  bool windowExists(WindowHandle w) override { return w == kTarget ? targetExists : true; }
  WindowHandle topLevelOf(WindowHandle w) override { return w; }
  WindowHandle foregroundWindow() override { return front; }
  void bringToFront(WindowHandle w) override;
  ScreenPoint cursorPos() override { return cursor; }
  bool capsLockOn() override;
  std::int16_t keyScan(wchar_t c) override { return layout(c); }
  void keyDown(std::uint8_t vk) override;
  void keyUp(std::uint8_t vk) override;
  void sleep(unsigned ms) override;
  void beep() override;

  // Key presses (down events, Shift excluded) in order.
  int keyPresses() const;

private:
  void record(const std::string& e);
  bool shiftDown_ = false;
  bool capsLockBefore_ = false;
};

class FakeKey : public RegistryKey {
public:
  using Value = std::variant<std::wstring, std::uint32_t, std::vector<std::uint8_t>>;
  std::map<std::wstring, Value> values;
  int writes = 0;

  std::vector<std::wstring> valueNames() const override;
  RegType valueType(const std::wstring& name) const override;
  std::wstring readString(const std::wstring& name) const override;
  std::uint32_t readDword(const std::wstring& name) const override;
  std::vector<std::uint8_t> readBinary(const std::wstring& name) const override;
  void writeString(const std::wstring& name, const std::wstring& value) override;
  void writeDword(const std::wstring& name, std::uint32_t value) override;
  void writeBinary(const std::wstring& name, const std::vector<std::uint8_t>& value) override;
  void deleteValue(const std::wstring& name) override;
};

class FakeView : public EntryView {
public:
  std::wstring number;
  std::vector<std::wstring> list;
  bool dropped = false;
  std::wstring increment;
  bool visible = true;
  ScreenRect rect{592, 197, 862, 270};
  int shows = 0;
  int hides = 0;
  // Called when Edit1's text changes, as the field reports it whoever set it.
  std::function<void()> incrementChanged;

  WindowHandle toolWindow() const override { return kTool; }
  std::wstring numberText() const override { return number; }
  void setNumberText(const std::wstring& t) override { number = t; }
  void addHistoryItem(const std::wstring& n) override { list.push_back(n); }
  bool numberListDropped() const override { return dropped; }
  std::wstring incrementText() const override { return increment; }
  void setIncrementText(const std::wstring& t) override {
    increment = t;
    if (incrementChanged) incrementChanged();
  }
  bool toolVisible() const override { return visible; }
  void showTool() override { visible = true; ++shows; }
  void hideTool() override { visible = false; ++hides; }
  ScreenRect toolRect() const override { return rect; }
};

}  // namespace topaline::test
