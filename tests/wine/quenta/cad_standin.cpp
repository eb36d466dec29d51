// A stand-in for the CAD program: a top-level window whose edit control
// plays the command line and receives quenta's keystrokes, and a second
// program window ("another program") that must never receive any.
//
//   cad_standin.exe [--steal-after N]
// With --steal-after, the other window comes to the front as soon as the
// command line holds N characters, as if the user clicked it mid-number.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

HWND gCad = nullptr;
HWND gCommandLine = nullptr;
HWND gOther = nullptr;
HWND gOtherEdit = nullptr;
int gStealAfter = -1;

void Name(HWND w, const wchar_t* name) {
  SetPropW(w, L"ComponentName", reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(GlobalAddAtomW(name))));
}

LRESULT CALLBACK CadProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) SetFocus(gCommandLine);
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == EN_CHANGE && reinterpret_cast<HWND>(lParam) == gCommandLine && gStealAfter >= 0 &&
          GetWindowTextLengthW(gCommandLine) >= gStealAfter) {
        gStealAfter = -1;
        SetForegroundWindow(gOther);
        SetFocus(gOtherEdit);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(w, message, wParam, lParam);
}

LRESULT CALLBACK OtherProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
    SetFocus(gOtherEdit);
    return 0;
  }
  return DefWindowProcW(w, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  const wchar_t* steal = wcsstr(commandLine, L"--steal-after ");
  if (steal) gStealAfter = _wtoi(steal + wcslen(L"--steal-after "));

  WNDCLASSW wc{};
  wc.lpfnWndProc = CadProc;
  wc.hInstance = instance;
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  wc.lpszClassName = L"TopalineCadStandin";
  RegisterClassW(&wc);
  wc.lpfnWndProc = OtherProc;
  wc.lpszClassName = L"TopalineOtherProgram";
  RegisterClassW(&wc);

  gOther = CreateWindowExW(0, L"TopalineOtherProgram", L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                           450, 400, 120, nullptr, nullptr, instance, nullptr);
  gOtherEdit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 5, 5, 380, 24, gOther,
                               nullptr, instance, nullptr);
  Name(gOtherEdit, L"OtherEdit");

  gCad = CreateWindowExW(0, L"TopalineCadStandin", L"CAD stand-in", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500,
                         120, nullptr, nullptr, instance, nullptr);
  gCommandLine = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 5, 5, 480, 24, gCad,
                                 reinterpret_cast<HMENU>(1), instance, nullptr);
  Name(gCommandLine, L"CommandLine");
  SetForegroundWindow(gCad);
  SetFocus(gCommandLine);
  // The handle, for starting quenta by hand against the stand-in.
  std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(gCad)));
  std::fflush(stdout);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
