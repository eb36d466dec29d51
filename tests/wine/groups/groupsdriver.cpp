// Drives the group dialogs of another process (the server inside the
// script host) through window messages, as a person or an accessibility
// tool would: clicks on buttons, rows, check boxes and headers, text typed
// into the in-place editor, keys. Controls are found by the binding's
// "ComponentName" window property (a global atom, readable from any
// process); list-view and status-bar queries that need a buffer use memory
// allocated in the target process.
//
//   groupsdriver REPORT STEP...
//
// Steps, run in order (each waits up to 10 s for what it needs):
//   form=TITLE          the visible, enabled top-level window whose title
//                       contains TITLE becomes the current form
//   click=NAME          BM_CLICK on the control
//   row=NAME,R,C        left click on cell (R, C) of the list
//   check=NAME,R        left click on the check box of row R
//   header=NAME,C       left click on the header of column C
//   edit=TEXT           waits for the list's in-place editor, replaces its
//                       text and presses Enter
//   key=NAME,VK         key down and up (decimal virtual key)
//   status=NAME         writes "NAME=<status text>" to the report
//   rows=NAME           writes "NAME=<column-0 texts in display order, | >"
//   sleep=MS
// REPORT (UTF-16) receives the lines written and, on a failure,
// "error=..."; the exit code is then 1.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::wstring report;
HWND form = nullptr;

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

struct Failure {
  std::wstring what;
};

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

struct TitleSearch {
  std::wstring part;
  HWND found = nullptr;
};

BOOL CALLBACK MatchTitle(HWND w, LPARAM param) {
  auto& s = *reinterpret_cast<TitleSearch*>(param);
  wchar_t title[512] = {};
  GetWindowTextW(w, title, 512);
  if (IsWindowVisible(w) && IsWindowEnabled(w) && wcsstr(title, s.part.c_str())) {
    s.found = w;
    return FALSE;
  }
  return TRUE;
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

HWND Control(const std::wstring& name, bool mustBeVisible = false) {
  if (!form) throw Failure{L"no form for " + name};
  HWND found = nullptr;
  WaitFor([&] {
    NameSearch s{name};
    EnumChildWindows(form, MatchName, reinterpret_cast<LPARAM>(&s));
    found = s.found;
    return found && (!mustBeVisible || IsWindowVisible(found));
  });
  if (!found || (mustBeVisible && !IsWindowVisible(found))) throw Failure{L"no control " + name};
  return found;
}

// A block of memory in the process that owns a window.
class Remote {
public:
  Remote(HWND w, SIZE_T size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process_) throw Failure{L"cannot open the dialog's process"};
    memory_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!memory_) throw Failure{L"cannot allocate in the dialog's process"};
  }
  ~Remote() {
    VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
    CloseHandle(process_);
  }
  LPARAM address(SIZE_T offset = 0) const { return reinterpret_cast<LPARAM>(static_cast<char*>(memory_) + offset); }
  void write(const void* data, SIZE_T size, SIZE_T offset = 0) {
    SIZE_T done = 0;
    WriteProcessMemory(process_, static_cast<char*>(memory_) + offset, data, size, &done);
  }
  void read(void* data, SIZE_T size, SIZE_T offset = 0) {
    SIZE_T done = 0;
    ReadProcessMemory(process_, static_cast<char*>(memory_) + offset, data, size, &done);
  }

private:
  HANDLE process_ = nullptr;
  void* memory_ = nullptr;
  SIZE_T size_;
};

RECT CellRect(HWND list, int row, int column) {
  Remote mem(list, sizeof(RECT));
  RECT r{};
  r.top = column;
  r.left = LVIR_BOUNDS;
  mem.write(&r, sizeof r);
  if (!SendMessageW(list, column == 0 ? LVM_GETITEMRECT : LVM_GETSUBITEMRECT, row, mem.address()))
    throw Failure{L"no cell " + std::to_wstring(row) + L"," + std::to_wstring(column)};
  mem.read(&r, sizeof r);
  if (column == 0) {
    // The row's bounds: column 0 ends where column 1 begins.
    const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
    r.right = r.left + width;
  }
  return r;
}

std::wstring CellText(HWND list, int row, int column) {
  constexpr int kChars = 512;
  Remote mem(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
  LVITEMW item{};
  item.iSubItem = column;
  item.cchTextMax = kChars;
  item.pszText = reinterpret_cast<LPWSTR>(mem.address(sizeof(LVITEMW)));
  mem.write(&item, sizeof item);
  const auto n = SendMessageW(list, LVM_GETITEMTEXTW, row, mem.address());
  std::wstring text(static_cast<std::size_t>(n), L'\0');
  if (n > 0) mem.read(text.data(), static_cast<SIZE_T>(n) * sizeof(wchar_t), sizeof(LVITEMW));
  return text;
}

void ClickAt(HWND w, int x, int y) {
  PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  Sleep(250);
}

std::vector<std::wstring> Split(const std::wstring& s, wchar_t sep) {
  std::vector<std::wstring> out;
  std::size_t start = 0;
  for (;;) {
    std::size_t at = s.find(sep, start);
    out.push_back(s.substr(start, at == std::wstring::npos ? std::wstring::npos : at - start));
    if (at == std::wstring::npos) return out;
    start = at + 1;
  }
}

void Step(const std::wstring& step) {
  const std::size_t eq = step.find(L'=');
  if (eq == std::wstring::npos) throw Failure{L"bad step " + step};
  const std::wstring verb = step.substr(0, eq), arg = step.substr(eq + 1);
  const std::vector<std::wstring> a = Split(arg, L',');
  if (verb == L"form") {
    TitleSearch s{arg};
    if (!WaitFor([&] {
          s.found = nullptr;
          EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&s));
          return s.found != nullptr;
        }))
      throw Failure{L"no window " + arg};
    form = s.found;
    Sleep(300);  // let the showing finish
  } else if (verb == L"click") {
    HWND b = Control(arg);
    if (!WaitFor([&] { return IsWindowEnabled(b) != FALSE; }, 3000)) throw Failure{arg + L" stays disabled"};
    PostMessageW(b, BM_CLICK, 0, 0);
    Sleep(300);
  } else if (verb == L"row" && a.size() == 3) {
    HWND list = Control(a[0]);
    RECT r = CellRect(list, _wtoi(a[1].c_str()), _wtoi(a[2].c_str()));
    ClickAt(list, r.left + 24, (r.top + r.bottom) / 2);
  } else if (verb == L"check" && a.size() == 2) {
    HWND list = Control(a[0]);
    Remote mem(list, sizeof(RECT));
    RECT r{};
    r.left = LVIR_BOUNDS;
    mem.write(&r, sizeof r);
    SendMessageW(list, LVM_GETITEMRECT, _wtoi(a[1].c_str()), mem.address());
    mem.read(&r, sizeof r);
    // The check box is the state image at the row's left edge.
    ClickAt(list, r.left + 10, (r.top + r.bottom) / 2);
  } else if (verb == L"header" && a.size() == 2) {
    HWND list = Control(a[0]);
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int column = _wtoi(a[1].c_str());
    int x = 0;
    for (int c = 0; c < column; ++c) x += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, c, 0));
    RECT hr{};
    GetClientRect(header, &hr);
    ClickAt(header, x + 12, (hr.top + hr.bottom) / 2);
  } else if (verb == L"edit") {
    // The list's own editor, shown over the cell when editing begins.
    HWND editor = nullptr;
    if (!WaitFor([&] {
          NameSearch s{L"TVGroupesEditor"};
          EnumChildWindows(form, MatchName, reinterpret_cast<LPARAM>(&s));
          editor = s.found;
          return editor && IsWindowVisible(editor);
        }))
      throw Failure{L"the in-place editor did not open"};
    SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arg.c_str()));
    Sleep(100);
    PostMessageW(editor, WM_KEYDOWN, VK_RETURN, 1 | (MapVirtualKeyW(VK_RETURN, 0) << 16));
    PostMessageW(editor, WM_KEYUP, VK_RETURN, 1 | (MapVirtualKeyW(VK_RETURN, 0) << 16) | 0xC0000000u);
    Sleep(300);
  } else if (verb == L"key" && a.size() == 2) {
    HWND w = Control(a[0]);
    const UINT vk = static_cast<UINT>(_wtoi(a[1].c_str()));
    PostMessageW(w, WM_KEYDOWN, vk, 1 | (MapVirtualKeyW(vk, 0) << 16));
    PostMessageW(w, WM_KEYUP, vk, 1 | (MapVirtualKeyW(vk, 0) << 16) | 0xC0000000u);
    Sleep(250);
  } else if (verb == L"status") {
    HWND bar = Control(arg);
    constexpr int kChars = 512;
    Remote mem(bar, kChars * sizeof(wchar_t));
    const auto r = SendMessageW(bar, SB_GETTEXTLENGTHW, 0, 0);
    const int n = LOWORD(r);
    std::wstring text(static_cast<std::size_t>(n < kChars ? n : kChars - 1), L'\0');
    SendMessageW(bar, SB_GETTEXTW, 0, mem.address());
    if (!text.empty()) mem.read(text.data(), text.size() * sizeof(wchar_t));
    report += arg + L"=" + text + L"\r\n";
  } else if (verb == L"rows") {
    HWND list = Control(arg);
    const int n = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    std::wstring line;
    for (int r = 0; r < n; ++r) line += (r ? L"|" : L"") + CellText(list, r, 0);
    report += arg + L"=" + line + L"\r\n";
  } else if (verb == L"sleep") {
    Sleep(static_cast<DWORD>(_wtoi(arg.c_str())));
  } else {
    throw Failure{L"bad step " + step};
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: groupsdriver REPORT STEP...\n");
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
      if (form) PostMessageW(form, WM_CLOSE, 0, 0);
      break;
    }
  }
  report += L"done\r\n";
  WriteReport(path);
  return code;
}
