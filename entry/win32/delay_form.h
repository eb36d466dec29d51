// TForm2, the typing delay dialog: a track bar from 0 to 100 ms and a
// close button that applies it. Created hidden at start-up, shown modally
// over the entry window by run().
#pragma once

#include <windows.h>

#include "entry/assistant.h"
#include "entry/settings.h"
#include "entry/win32/controls.h"

namespace topaline::win32 {

class DelayForm {
public:
  DelayForm(HINSTANCE instance, EntryAssistant& assistant, const EntryTexts& texts);
  ~DelayForm();
  void create(HWND owner);
  // Shows the dialog modally over its owner; returns when it closes.
  void run();
  HWND hwnd() const { return hwnd_; }

private:
  template <class T>
  friend LRESULT CALLBACK FormProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void confirm();

  HINSTANCE instance_;
  EntryAssistant& assistant_;
  const EntryTexts& texts_;
  HWND owner_ = nullptr;
  HWND hwnd_ = nullptr;
  HWND trackBar_ = nullptr;
  HWND button_ = nullptr;
  DesignLayout layout_;  // every control's design place, for a change of DPI
  bool open_ = false;
};

}  // namespace topaline::win32
