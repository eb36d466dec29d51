// quenta.exe: types the point numbers the user validates into the CAD
// window whose handle is the first argument.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "entry/assistant.h"
#include "entry/settings.h"
#include "entry/win32/delay_form.h"
#include "entry/win32/desktop_win32.h"
#include "entry/win32/entry_form.h"
#include "platform/error.h"
#include "win32/platform/win32_platform.h"
#include "win32/ui/msw_guard.h"

using namespace topaline;

namespace {

constexpr wchar_t kTitle[] = L"Topaline3";

std::vector<std::wstring> Arguments() {
  std::vector<std::wstring> args;
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argv) return args;
  for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
  LocalFree(argv);
  return args;
}

void ShowMessage(const std::wstring& text) {
  MessageBoxW(nullptr, text.c_str(), kTitle, MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND);
}

// A running instance keeps its own target: a second start only brings it to
// the front. The mutex closes the gap between two starts at the same time.
bool BringRunningInstanceToFront(bool another) {
  HWND running = FindWindowW(win32::kEntryFormClass, kTitle);
  for (int i = 0; another && !running && i < 40; ++i) {  // it is being created
    Sleep(50);
    running = FindWindowW(win32::kEntryFormClass, kTitle);
  }
  if (!running) return false;
  SetForegroundWindow(running);
  return true;
}

int Run(HINSTANCE instance) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);

  const std::unique_ptr<RegistryKey> key = Win32Registry().open(kEntryProductKey, true);
  const EntrySettings settings = LoadEntrySettings(*key);

  HANDLE instanceMutex = CreateMutexW(nullptr, FALSE, L"Local\\Norvel.topaline3.quenta");
  const bool another = instanceMutex && GetLastError() == ERROR_ALREADY_EXISTS;
  if (BringRunningInstanceToFront(another)) {
    if (instanceMutex) CloseHandle(instanceMutex);
    return 0;
  }

  const EntryTexts texts = TextsFor(settings.langue);
  const std::vector<std::wstring> args = Arguments();
  const auto target = ParseTargetHandle(args);
  Win32Desktop desktop;
  if (!target) {
    ShowMessage(texts.missingTarget);
    return 2;
  }
  if (!desktop.windowExists(*target)) {
    ShowMessage(NotAWindowMessage(texts, TrimBlanks(args.front())));
    return 2;
  }

  EntryAssistant assistant(desktop, *key, *target, settings);
  win32::DelayForm delayForm(instance, assistant, texts);
  win32::EntryForm form(instance, assistant, delayForm, texts);
  form.create(settings.xpos, settings.ypos);
  delayForm.create(form.hwnd());
  form.show();

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (instanceMutex) CloseHandle(instanceMutex);
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  try {
    return Run(instance);
  } catch (...) {
    msw::MSWReportCurrentException();
  }
  return 1;
}
