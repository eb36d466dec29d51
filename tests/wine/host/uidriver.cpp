// Answers the system message box of another process as a person would:
// waits for the box, reports what it shows, and clicks one of its buttons.
//
//   uidriver box CAPTION yes|no|ok|cancel REPORT [--shot REQUEST] [--timeout MS]
//   uidriver click CAPTION COMPONENT REPORT [--shot REQUEST] [--timeout MS]
//   uidriver answer CAPTION STEP+STEP+... REPORT [--shot REQUEST] [--timeout MS]
//   uidriver handle CAPTION REPORT   (decimal handle of a top-level window)
//   uidriver sleep MS      (Wine's script host has no WScript.Sleep)
//
// click waits for a top-level window whose title contains CAPTION, lists
// the component names of its controls (window property "ComponentName",
// a global atom) in REPORT as "components=", then clicks COMPONENT.
//
// answer does the same with several steps, as a person fills a dialog:
// each STEP is a component name (BM_CLICK: tick a box, pick a radio
// button) or NAME=TEXT (WM_SETTEXT into a field, or the item picked in a
// drop-down list); the last step (usually
// Apply) comes after the report and the screenshot, so the picture shows
// the dialog filled in.
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

struct TitleSearch {
  std::wstring part;
  HWND found = nullptr;
};

BOOL CALLBACK MatchTitle(HWND w, LPARAM param) {
  TitleSearch& search = *reinterpret_cast<TitleSearch*>(param);
  wchar_t title[512] = {};
  GetWindowTextW(w, title, 512);
  if (IsWindowVisible(w) && wcsstr(title, search.part.c_str())) {
    search.found = w;
    return FALSE;
  }
  return TRUE;
}

std::wstring ComponentName(HWND w) {
  HANDLE h = GetPropW(w, L"ComponentName");
  wchar_t name[256] = {};
  if (h) GlobalGetAtomNameW(static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(h)), name, 256);
  return name;
}

struct Components {
  std::vector<std::pair<std::wstring, HWND>> items;
};

BOOL CALLBACK CollectComponent(HWND w, LPARAM param) {
  std::wstring name = ComponentName(w);
  if (!name.empty()) reinterpret_cast<Components*>(param)->items.emplace_back(name, w);
  return TRUE;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WaitForShot(const std::wstring& shot) {
  if (shot.empty()) return;
  HANDLE h = CreateFileW(shot.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  DWORD waitFrom = GetTickCount();
  while (FileExists(shot) && GetTickCount() - waitFrom < 15000) Sleep(100);
}

int Click(const std::wstring& caption, const std::wstring& component, const std::wstring& report,
          const std::wstring& shot, DWORD timeout) {
  DWORD start = GetTickCount();
  TitleSearch search{caption};
  for (;;) {
    EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
    if (search.found) break;
    if (GetTickCount() - start > timeout) {
      fwprintf(stderr, L"uidriver: no window \"%ls\" within %lu ms\n", caption.c_str(), timeout);
      return 2;
    }
    Sleep(50);
  }
  Sleep(200);
  Components all;
  EnumChildWindows(search.found, CollectComponent, reinterpret_cast<LPARAM>(&all));
  std::wstring body = L"caption=" + caption + L"\r\ncomponents=";
  HWND target = nullptr;
  for (size_t i = 0; i < all.items.size(); ++i) {
    body += (i ? L"," : L"") + all.items[i].first;
    if (all.items[i].first == component) target = all.items[i].second;
  }
  body += L"\r\n";
  WriteReport(report, body);
  WaitForShot(shot);
  if (!target) {
    fwprintf(stderr, L"uidriver: no component \"%ls\"\n", component.c_str());
    return 3;
  }
  SendMessageW(target, BM_CLICK, 0, 0);
  return 0;
}

HWND FindComponent(const Components& all, const std::wstring& name) {
  for (const auto& item : all.items)
    if (item.first == name) return item.second;
  return nullptr;
}

// One step of answer: "NAME" clicks, "NAME=TEXT" sets the text or picks
// the item.
bool DoStep(const Components& all, const std::wstring& step) {
  const std::size_t eq = step.find(L'=');
  HWND target = FindComponent(all, step.substr(0, eq));
  if (!target) {
    fwprintf(stderr, L"uidriver: no component \"%ls\"\n", step.substr(0, eq).c_str());
    return false;
  }
  wchar_t cls[64] = {};
  GetClassNameW(target, cls, 64);
  if (eq == std::wstring::npos) {
    SendMessageW(target, BM_CLICK, 0, 0);
  } else if (lstrcmpiW(cls, L"ComboBox") == 0) {
    // A pick in a drop-down list: the item, then the notification the
    // list sends its parent when the user picks.
    const std::wstring item = step.substr(eq + 1);
    SendMessageW(target, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(GetParent(target), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(target), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(target));
  } else {
    const std::wstring text = step.substr(eq + 1);
    SendMessageW(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  Sleep(150);
  return true;
}

int Answer(const std::wstring& caption, const std::wstring& steps, const std::wstring& report,
           const std::wstring& shot, DWORD timeout) {
  std::vector<std::wstring> list;
  for (std::size_t start = 0;;) {
    const std::size_t plus = steps.find(L'+', start);
    list.push_back(steps.substr(start, plus == std::wstring::npos ? std::wstring::npos : plus - start));
    if (plus == std::wstring::npos) break;
    start = plus + 1;
  }
  DWORD begin = GetTickCount();
  TitleSearch search{caption};
  for (;;) {
    EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
    if (search.found) break;
    if (GetTickCount() - begin > timeout) {
      fwprintf(stderr, L"uidriver: no window \"%ls\" within %lu ms\n", caption.c_str(), timeout);
      return 2;
    }
    Sleep(50);
  }
  Sleep(200);
  Components all;
  EnumChildWindows(search.found, CollectComponent, reinterpret_cast<LPARAM>(&all));
  std::wstring body = L"caption=" + caption + L"\r\ncomponents=";
  for (size_t i = 0; i < all.items.size(); ++i) body += (i ? L"," : L"") + all.items[i].first;
  body += L"\r\nsteps=" + steps + L"\r\n";
  for (size_t i = 0; i + 1 < list.size(); ++i) {
    if (!DoStep(all, list[i])) {
      PostMessageW(search.found, WM_CLOSE, 0, 0);  // never leave the host waiting
      return 3;
    }
  }
  WriteReport(report, body);
  WaitForShot(shot);
  return DoStep(all, list.back()) ? 0 : 3;
}

int Usage() {
  fwprintf(stderr, L"usage: uidriver box CAPTION yes|no|ok|cancel REPORT [--shot REQUEST] [--timeout MS]\n"
                   L"       uidriver click CAPTION COMPONENT REPORT [--shot REQUEST] [--timeout MS]\n"
                   L"       uidriver answer CAPTION STEP+STEP+... REPORT [--shot REQUEST] [--timeout MS]\n"
                   L"       uidriver sleep MS\n");
  return 64;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && lstrcmpiW(argv[1], L"sleep") == 0) {
    Sleep(wcstoul(argv[2], nullptr, 10));
    return 0;
  }
  if (argc == 4 && lstrcmpiW(argv[1], L"handle") == 0) {
    TitleSearch search{argv[2]};
    for (DWORD start = GetTickCount(); !search.found && GetTickCount() - start < 20000; Sleep(100))
      EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return 2;
    WriteReport(argv[3], std::to_wstring(reinterpret_cast<ULONG_PTR>(search.found)));
    return 0;
  }
  if (argc < 5) return Usage();
  bool click = lstrcmpiW(argv[1], L"click") == 0;
  bool answer = lstrcmpiW(argv[1], L"answer") == 0;
  if (!click && !answer && lstrcmpiW(argv[1], L"box") != 0) return Usage();
  std::wstring caption = argv[2], reply = argv[3], report = argv[4], shot;
  DWORD timeout = 20000;
  for (int i = 5; i + 1 < argc; i += 2) {
    if (lstrcmpiW(argv[i], L"--shot") == 0) shot = argv[i + 1];
    else if (lstrcmpiW(argv[i], L"--timeout") == 0) timeout = wcstoul(argv[i + 1], nullptr, 10);
    else return Usage();
  }
  if (click) return Click(caption, reply, report, shot, timeout);
  if (answer) return Answer(caption, reply, report, shot, timeout);
  int id = lstrcmpiW(reply.c_str(), L"yes") == 0 ? IDYES
         : lstrcmpiW(reply.c_str(), L"no") == 0 ? IDNO
         : lstrcmpiW(reply.c_str(), L"ok") == 0 ? IDOK
         : lstrcmpiW(reply.c_str(), L"cancel") == 0 ? IDCANCEL : 0;
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

  WaitForShot(shot);

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
