// The entry assistant's values in the product key, and its texts.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"

namespace topaline {

// The product key under HKEY_CURRENT_USER, shared with the server.
inline const wchar_t kEntryProductKey[] = L"Software\\Norvel\\topaline3";

// Window position when none is stored: the design position.
constexpr int kDesignLeft = 592;
constexpr int kDesignTop = 197;
constexpr unsigned kDefaultTempo = 10;
constexpr unsigned kMaxTempo = 100;

struct EntrySettings {
  int xpos = kDesignLeft;
  int ypos = kDesignTop;
  unsigned tempo = kDefaultTempo;
  std::wstring increment;
  std::wstring langue;
};

// Reads the values; a missing or unreadable value gives its default.
EntrySettings LoadEntrySettings(const RegistryKey& key);

// The stored typing delay: 10 when missing or unreadable, at most 100.
unsigned ReadTempo(const RegistryKey& key);

// Stores the window's left and top edges (signed screen pixels).
void SaveEntryPosition(RegistryKey& key, int left, int top);

// The texts of the two windows in the interface language: "en" gives
// English, any other value French.
struct EntryTexts {
  std::wstring title;           // the entry window's caption
  std::wstring incrementHint;   // Edit1
  std::wstring delayHint;       // ToolButton15 (none in French)
  std::wstring delayCaption;    // TForm2
  std::wstring closeButton;     // BitBtn1
  std::wstring missingTarget;   // the first argument is missing or not a number
  std::wstring notAWindow;      // the first argument names no window; %1 is the argument
  // What screen readers call the controls: the two fields (after an unseen
  // label each), the two picture buttons and the delay's track bar. Also
  // in Spanish, where every text shown stays French.
  std::wstring numberName;      // edNum
  std::wstring incrementName;   // Edit1
  std::wstring validateName;    // ToolButton14
  std::wstring delayName;       // ToolButton15 and TrackBar1
};
EntryTexts TextsFor(const std::wstring& langue);

// The message shown when the argument names no window.
std::wstring NotAWindowMessage(const EntryTexts& texts, const std::wstring& argument);

}  // namespace topaline
