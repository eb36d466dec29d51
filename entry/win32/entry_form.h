// TForm1, the entry window: an always-on-top tool window with the digit
// buttons, the validate and delay buttons, the number field edNum with its
// history and the increment field Edit1. Its behaviour is EntryAssistant's;
// this class only turns window messages into its calls and back. The
// window class names TForm1 and TForm2 are how a second start finds the
// first.
#pragma once

#include <windows.h>

#include "entry/assistant.h"
#include "entry/settings.h"
#include "entry/win32/controls.h"
#include "entry/win32/delay_form.h"

namespace topaline::win32 {

constexpr wchar_t kEntryFormClass[] = L"TForm1";

class EntryForm : public EntryView {
public:
  EntryForm(HINSTANCE instance, EntryAssistant& assistant, DelayForm& delayForm, const EntryTexts& texts);
  ~EntryForm() override;

  // Creates the window at (left, top), kept on a monitor, and starts
  // Timer1. Its size, controls, font and pictures follow its DPI, also
  // when the DPI changes while it runs (WM_DPICHANGED).
  void create(int left, int top);
  void show();
  HWND hwnd() const { return hwnd_; }

  // EntryView
  WindowHandle toolWindow() const override;
  std::wstring numberText() const override;
  void setNumberText(const std::wstring& text) override;
  void addHistoryItem(const std::wstring& number) override;
  bool numberListDropped() const override;
  std::wstring incrementText() const override;
  void setIncrementText(const std::wstring& text) override;
  bool toolVisible() const override;
  void showTool() override;
  void hideTool() override;
  ScreenRect toolRect() const override;

private:
  template <class T>
  friend LRESULT CALLBACK FormProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK FieldProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT numberFieldMessage(HWND w, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT incrementFieldMessage(HWND w, UINT message, WPARAM wParam, LPARAM lParam);
  void onButtonReleased(int id, MouseButton button);
  void onTimer();
  void onDpiChanged(WPARAM wParam, LPARAM lParam);
  void openDelayDialog();
  void startTimer();
  void stopTimer();

  HINSTANCE instance_;
  UINT dpi_ = 96;
  EntryAssistant& assistant_;
  DelayForm& delayForm_;
  const EntryTexts& texts_;
  HWND hwnd_ = nullptr;
  HWND edNum_ = nullptr;      // the combo box
  HWND edNumEdit_ = nullptr;  // its edit part
  HWND edit1_ = nullptr;
  HWND validate_ = nullptr;   // ToolButton14
  HWND delay_ = nullptr;      // ToolButton15
  DesignLayout layout_;       // every control's design place
  HWND tooltip_ = nullptr;
  HWND focus_ = nullptr;      // the control to focus on activation
  bool closing_ = false;
};

}  // namespace topaline::win32
