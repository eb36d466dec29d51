// Answers the system message box of another process as a person would:
// waits for the box, reports what it shows, and clicks one of its buttons.
//
//   uidriver box CAPTION yes|no|ok|cancel REPORT [--shot REQUEST] [--timeout MS]
//   uidriver sleep MS      (Wine's script host has no WScript.Sleep)
//
// REPORT (UTF-16 with a byte-order mark) receives "caption=", "text=" and
// "buttons=" lines once the box is up. With --shot, the file REQUEST is
// created and the click waits until someone deletes it (the demo takes a
// screenshot meanwhile). Exit code 0 when the box was answered and closed.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Found {
  std::wstring text;
  std::vector<std::wstring> buttons;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
  Found& found = *reinterpret_cast<Found*>(param);
  wchar_t cls[64] = {};
  GetClassNameW(child, cls, 64);
  wchar_t text[4096] = {};
  GetWindowTextW(child, text, 4096);
  if (lstrcmpiW(cls, L"Button") == 0) {
    found.buttons.emplace_back(text);
  } else if (lstrcmpiW(cls, L"Static") == 0 && text[0]) {
    if (!found.text.empty()) found.text += L"\n";
    found.text += text;
  }
  return TRUE;
}

void WriteReport(const std::wstring& path, const std::wstring& body) {
  std::wstring tmp = path + L".tmp";
  HANDLE h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD done = 0;
  const wchar_t bom = 0xFEFF;
  WriteFile(h, &bom, sizeof bom, &done, nullptr);
  WriteFile(h, body.data(), static_cast<DWORD>(body.size() * sizeof(wchar_t)), &done, nullptr);
  CloseHandle(h);
  MoveFileExW(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

int Usage() {
  fwprintf(stderr, L"usage: uidriver box CAPTION yes|no|ok|cancel REPORT [--shot REQUEST] [--timeout MS]\n"
                   L"       uidriver sleep MS\n");
  return 64;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && lstrcmpiW(argv[1], L"sleep") == 0) {
    Sleep(wcstoul(argv[2], nullptr, 10));
    return 0;
  }
  if (argc < 5 || lstrcmpiW(argv[1], L"box") != 0) return Usage();
  std::wstring caption = argv[2], answer = argv[3], report = argv[4], shot;
  DWORD timeout = 20000;
  for (int i = 5; i + 1 < argc; i += 2) {
    if (lstrcmpiW(argv[i], L"--shot") == 0) shot = argv[i + 1];
    else if (lstrcmpiW(argv[i], L"--timeout") == 0) timeout = wcstoul(argv[i + 1], nullptr, 10);
    else return Usage();
  }
  int id = lstrcmpiW(answer.c_str(), L"yes") == 0 ? IDYES
         : lstrcmpiW(answer.c_str(), L"no") == 0 ? IDNO
         : lstrcmpiW(answer.c_str(), L"ok") == 0 ? IDOK
         : lstrcmpiW(answer.c_str(), L"cancel") == 0 ? IDCANCEL : 0;
  if (!id) return Usage();

  DWORD start = GetTickCount();
  HWND box = nullptr;
  while (!(box = FindWindowW(L"#32770", caption.c_str()))) {
    if (GetTickCount() - start > timeout) {
      fwprintf(stderr, L"uidriver: no box \"%ls\" within %lu ms\n", caption.c_str(), timeout);
      return 2;
    }
    Sleep(50);
  }
  // The box is found as soon as it exists: wait until it is shown with
  // its text in place.
  Found found;
  DWORD shownFrom = GetTickCount();
  for (;;) {
    found = Found();
    EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&found));
    if ((IsWindowVisible(box) && !found.text.empty()) || GetTickCount() - shownFrom > 3000) break;
    Sleep(50);
  }
  Sleep(100);
  std::wstring body = L"caption=" + caption + L"\r\ntext=" + found.text + L"\r\nbuttons=";
  for (size_t i = 0; i < found.buttons.size(); ++i) body += (i ? L"," : L"") + found.buttons[i];
  body += L"\r\n";
  WriteReport(report, body);

  if (!shot.empty()) {
    HANDLE h = CreateFileW(shot.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    DWORD waitFrom = GetTickCount();
    while (FileExists(shot) && GetTickCount() - waitFrom < 15000) Sleep(100);
  }

  HWND button = GetDlgItem(box, id);
  if (!button) {
    fwprintf(stderr, L"uidriver: the box has no button %d\n", id);
    return 3;
  }
  SendMessageW(button, BM_CLICK, 0, 0);
  start = GetTickCount();
  while (IsWindow(box)) {
    if (GetTickCount() - start > 5000) {
      fwprintf(stderr, L"uidriver: the box did not close\n");
      return 4;
    }
    Sleep(50);
  }
  return 0;
}
