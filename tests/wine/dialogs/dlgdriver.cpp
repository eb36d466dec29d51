// Works the small settings dialogs of another process (the server inside
// the script host) through window messages, as a person or an
// accessibility tool would: BM_CLICK on check boxes, radio buttons and
// buttons, text sent with WM_SETTEXT or typed with WM_CHAR, keys posted to
// the focused control, the close box through WM_SYSCOMMAND, and the
// server's own message box answered by its buttons. Controls are found by
// the binding's "ComponentName" window property (a global atom, readable
// from any process).
//
//   dlgdriver REPORT STEP...
//
// Steps, run in order (each waits up to 10 s for what it needs):
//   form=TITLE       the visible, enabled top-level window whose title
//                    contains TITLE becomes the current form; writes
//                    "caption=<its whole title>"
//   click=NAME       BM_CLICK on the control (posted: a reaction may open a
//                    modal window)
//   settext=NAME,T   WM_SETTEXT of T to the control
//   type=NAME,T      selects the control's text, deletes it (Delete key)
//                    and types T with WM_CHAR
//                    ("\r" in T types Enter)
//   key=VK           key down and up (decimal virtual key) posted to the
//                    form's focused control (the form itself if none)
//   keyto=NAME,VK    the same, posted to the named control
//   close            the close box: WM_SYSCOMMAND SC_CLOSE to the form
//   closed           waits until the form's window is gone
//   alive            writes "alive=1" when the form is still open and
//                    enabled 500 ms later, "alive=0" otherwise
//   text=NAME        writes "NAME.text=<window text>" ("form" for the form)
//   check=NAME       writes "NAME.check=0|1"
//   enabled=NAME     writes "NAME.enabled=0|1"
//   box=N            waits for the message box "Message Norvel", writes
//                    "box.text=", "box.buttons=" (the shown ones),
//                    "box.topmost=" and "box.desktop=" (1 when its parent
//                    is the desktop), then clicks ButtonN and waits until
//                    the box is gone
//   sleep=MS
// REPORT (UTF-16) receives the lines written, "error=..." on a failure
// (the exit code is then 1), and "done" at the end.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::wstring report;
HWND form = nullptr;

struct Failure {
  std::wstring what;
};

void WriteReport(const std::wstring& path) {
  std::wstring tmp = path + L".tmp";
  HANDLE h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD done = 0;
  const wchar_t bom = 0xFEFF;
  WriteFile(h, &bom, sizeof bom, &done, nullptr);
  WriteFile(h, report.data(), static_cast<DWORD>(report.size() * sizeof(wchar_t)), &done, nullptr);
  CloseHandle(h);
  MoveFileExW(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

template <class Pred>
bool WaitFor(Pred pred, int ms = 10000) {
  for (int waited = 0;; waited += 50) {
    if (pred()) return true;
    if (waited >= ms) return false;
    Sleep(50);
  }
}

std::wstring ComponentName(HWND w) {
  HANDLE h = GetPropW(w, L"ComponentName");
  wchar_t name[256] = {};
  if (h) GlobalGetAtomNameW(static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(h)), name, 256);
  return name;
}

// WM_GETTEXT itself: GetWindowText does not ask a control of another
// process, it gives the text the window was created with.
std::wstring WindowText(HWND w) {
  wchar_t text[2048] = {};
  SendMessageTimeoutW(w, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

struct TitleSearch {
  std::wstring part;
  bool exact = false;
  HWND found = nullptr;
};

BOOL CALLBACK MatchTitle(HWND w, LPARAM param) {
  auto& s = *reinterpret_cast<TitleSearch*>(param);
  const std::wstring title = WindowText(w);
  const bool match = s.exact ? title == s.part : title.find(s.part) != std::wstring::npos;
  if (IsWindowVisible(w) && IsWindowEnabled(w) && match) {
    s.found = w;
    return FALSE;
  }
  return TRUE;
}

HWND WaitForTopLevel(const std::wstring& title, bool exact) {
  TitleSearch s{title, exact};
  WaitFor([&] {
    s.found = nullptr;
    EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&s));
    return s.found != nullptr;
  });
  if (!s.found) throw Failure{L"no window " + title};
  return s.found;
}

struct NameSearch {
  std::wstring name;
  HWND found = nullptr;
};

BOOL CALLBACK MatchName(HWND w, LPARAM param) {
  auto& s = *reinterpret_cast<NameSearch*>(param);
  if (ComponentName(w) == s.name) {
    s.found = w;
    return FALSE;
  }
  return TRUE;
}

HWND ControlOf(HWND parent, const std::wstring& name) {
  if (!parent) throw Failure{L"no form for " + name};
  if (name == L"form") return parent;
  HWND found = nullptr;
  WaitFor([&] {
    NameSearch s{name};
    EnumChildWindows(parent, MatchName, reinterpret_cast<LPARAM>(&s));
    found = s.found;
    return found != nullptr;
  });
  if (!found) throw Failure{L"no control " + name};
  return found;
}

HWND Control(const std::wstring& name) { return ControlOf(form, name); }

// The control that has the keyboard focus in the form's thread.
HWND Focused() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(form, nullptr);
  if (GetGUIThreadInfo(thread, &info) && info.hwndFocus && (info.hwndFocus == form || IsChild(form, info.hwndFocus)))
    return info.hwndFocus;
  return form;
}

void PostKey(HWND w, UINT vk) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, 0)) << 16;
  PostMessageW(w, WM_KEYDOWN, vk, 1 | scan);
  PostMessageW(w, WM_KEYUP, vk, 1 | scan | 0xC0000000u);
}

void Write(const std::wstring& name, const std::wstring& value) { report += name + L"=" + value + L"\r\n"; }

void AnswerBox(int button) {
  HWND box = WaitForTopLevel(L"Message Norvel", true);
  HWND label = ControlOf(box, L"LabMsg");
  std::wstring shown;
  for (const wchar_t* name : {L"Button1", L"Button2", L"Button3"}) {
    HWND b = ControlOf(box, name);
    if (IsWindowVisible(b)) shown += (shown.empty() ? L"" : L",") + WindowText(b);
  }
  Write(L"box.text", WindowText(label));
  Write(L"box.buttons", shown);
  Write(L"box.topmost", (GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) ? L"1" : L"0");
  Write(L"box.desktop", GetAncestor(box, GA_PARENT) == GetDesktopWindow() ? L"1" : L"0");
  HWND target = ControlOf(box, L"Button" + std::to_wstring(button));
  PostMessageW(target, BM_CLICK, 0, 0);
  if (!WaitFor([&] { return !IsWindow(box); }, 5000)) throw Failure{L"the message box did not close"};
  Sleep(200);
}

void Step(const std::wstring& step) {
  const std::size_t eq = step.find(L'=');
  const std::wstring verb = step.substr(0, eq);
  const std::wstring arg = eq == std::wstring::npos ? L"" : step.substr(eq + 1);
  const std::size_t comma = arg.find(L',');
  const std::wstring first = arg.substr(0, comma);
  const std::wstring rest = comma == std::wstring::npos ? L"" : arg.substr(comma + 1);
  if (verb == L"form") {
    form = WaitForTopLevel(arg, false);
    Sleep(300);  // let the showing finish
    Write(L"caption", WindowText(form));
  } else if (verb == L"click") {
    HWND b = Control(arg);
    if (!WaitFor([&] { return IsWindowEnabled(b) != FALSE; }, 3000)) throw Failure{arg + L" stays disabled"};
    PostMessageW(b, BM_CLICK, 0, 0);
    Sleep(300);
  } else if (verb == L"settext" && comma != std::wstring::npos) {
    SendMessageW(Control(first), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rest.c_str()));
    Sleep(100);
  } else if (verb == L"type" && comma != std::wstring::npos) {
    // Select the whole text and delete it, as a person does before typing
    // a new number: the key tells the model where the selection is.
    HWND edit = Control(first);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    PostKey(edit, VK_DELETE);
    Sleep(300);
    for (std::size_t i = 0; i < rest.size(); ++i) {
      wchar_t c = rest[i];
      if (c == L'\\' && i + 1 < rest.size() && rest[i + 1] == L'r') {
        c = L'\r';
        ++i;
      }
      SendMessageW(edit, WM_CHAR, c, 1);
    }
    Sleep(100);
  } else if (verb == L"key") {
    if (!form) throw Failure{L"no form for a key"};
    PostKey(Focused(), static_cast<UINT>(_wtoi(arg.c_str())));
    Sleep(300);
  } else if (verb == L"keyto" && comma != std::wstring::npos) {
    PostKey(Control(first), static_cast<UINT>(_wtoi(rest.c_str())));
    Sleep(300);
  } else if (verb == L"close") {
    if (!form) throw Failure{L"no form to close"};
    PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
    Sleep(300);
  } else if (verb == L"closed") {
    if (!WaitFor([&] { return !IsWindow(form); }, 5000)) throw Failure{L"the form stays open"};
  } else if (verb == L"alive") {
    Sleep(500);
    Write(L"alive", IsWindow(form) && IsWindowVisible(form) && IsWindowEnabled(form) ? L"1" : L"0");
  } else if (verb == L"text") {
    Write(arg + L".text", WindowText(Control(arg)));
  } else if (verb == L"check") {
    Write(arg + L".check", SendMessageW(Control(arg), BM_GETCHECK, 0, 0) == BST_CHECKED ? L"1" : L"0");
  } else if (verb == L"enabled") {
    Write(arg + L".enabled", IsWindowEnabled(Control(arg)) ? L"1" : L"0");
  } else if (verb == L"box") {
    AnswerBox(_wtoi(arg.c_str()));
  } else if (verb == L"sleep") {
    Sleep(static_cast<DWORD>(_wtoi(arg.c_str())));
  } else {
    throw Failure{L"bad step"};
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: dlgdriver REPORT STEP...\n");
    return 2;
  }
  const std::wstring path = argv[1];
  int code = 0;
  for (int i = 2; i < argc; ++i) {
    try {
      Step(argv[i]);
    } catch (const Failure& f) {
      report += L"error=" + std::wstring(argv[i]) + L": " + f.what + L"\r\n";
      code = 1;
      // Never leave the host waiting on a dialog nobody will close.
      if (HWND box = FindWindowW(nullptr, L"Message Norvel")) PostMessageW(box, WM_CLOSE, 0, 0);
      Sleep(300);
      if (form && IsWindow(form)) PostMessageW(form, WM_CLOSE, 0, 0);
      break;
    }
  }
  report += L"done\r\n";
  WriteReport(path);
  return code;
}
