// Drives the points list of another process through window messages, as
// an automation tool would: the form and its controls are found by their
// "ComponentName" window property; the list view's cell rectangles and
// texts are read with its own messages through memory lent in the list's
// process.
//
//   listdriver edit ROW COLUMN TEXT REPORT   click the cell, type TEXT into
//                                            the cell editor, Enter, then
//                                            click btAppliquer
//   listdriver view REPORT                   report, then Escape
//
// REPORT (UTF-16 with a byte-order mark) receives "rows=", "apply=" (shown
// or hidden), "editor=" (opened or none) and "cell=" (the edited cell's
// text after the commit) lines. Exit code 0 when every step was done.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>

namespace {

std::wstring ComponentName(HWND hwnd) {
  auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(hwnd, L"ComponentName")));
  wchar_t buf[256] = {};
  if (!atom || !GlobalGetAtomNameW(atom, buf, 256)) return {};
  return buf;
}

bool WaitFor(const std::function<bool()>& pred, int timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (pred()) return true;
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    Sleep(50);
  }
}

struct Search {
  std::wstring name;
  HWND found = nullptr;
};

BOOL CALLBACK TopLevel(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  if (IsWindowVisible(hwnd) && ComponentName(hwnd) == s->name) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK Child(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  if (ComponentName(hwnd) == s->name) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindForm(const std::wstring& name) {
  Search s{name};
  EnumWindows(TopLevel, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND FindControl(HWND form, const std::wstring& name) {
  Search s{name};
  EnumChildWindows(form, Child, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// Memory in the list's process for the list view's pointer messages.
class Remote {
public:
  explicit Remote(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) mem_ = VirtualAllocEx(process_, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE);
  }
  ~Remote() {
    if (mem_) VirtualFreeEx(process_, mem_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  bool ok() const { return mem_ != nullptr; }
  char* at(std::size_t offset) const { return static_cast<char*>(mem_) + offset; }
  void write(std::size_t offset, const void* data, std::size_t size) {
    WriteProcessMemory(process_, at(offset), data, size, nullptr);
  }
  void read(std::size_t offset, void* data, std::size_t size) {
    ReadProcessMemory(process_, at(offset), data, size, nullptr);
  }

private:
  HANDLE process_ = nullptr;
  void* mem_ = nullptr;
};

bool CellRect(HWND list, int row, int column, RECT& out) {
  Remote r(list);
  if (!r.ok()) return false;
  RECT rc{LVIR_LABEL, column, 0, 0};
  r.write(0, &rc, sizeof rc);
  if (!SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(r.at(0)))) return false;
  r.read(0, &out, sizeof out);
  return true;
}

std::wstring CellText(HWND list, int row, int column) {
  Remote r(list);
  if (!r.ok()) return L"?";
  LVITEMW item{};
  item.iSubItem = column;
  item.cchTextMax = 256;
  item.pszText = reinterpret_cast<LPWSTR>(r.at(1024));
  r.write(0, &item, sizeof item);
  const auto n = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(r.at(0)));
  wchar_t buf[257] = {};
  r.read(1024, buf, 256 * sizeof(wchar_t));
  return std::wstring(buf, static_cast<std::size_t>(n > 0 ? n : 0));
}

void Key(HWND hwnd, UINT vk) {
  const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  PostMessageW(hwnd, WM_KEYDOWN, vk, 1 | (scan << 16));
  PostMessageW(hwnd, WM_KEYUP, vk, 1 | (scan << 16) | 0xC0000000u);
}

void WriteReport(const std::wstring& path, const std::wstring& body) {
  const std::wstring tmp = path + L".tmp";
  HANDLE h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD done = 0;
  const wchar_t bom = 0xFEFF;
  WriteFile(h, &bom, sizeof bom, &done, nullptr);
  WriteFile(h, body.data(), static_cast<DWORD>(body.size() * sizeof(wchar_t)), &done, nullptr);
  CloseHandle(h);
  MoveFileExW(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

int Fail(const wchar_t* what) {
  fwprintf(stderr, L"listdriver: %ls\n", what);
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const bool edit = argc == 6 && lstrcmpiW(argv[1], L"edit") == 0;
  const bool view = argc == 3 && lstrcmpiW(argv[1], L"view") == 0;
  if (!edit && !view) {
    fwprintf(stderr, L"usage: listdriver edit ROW COLUMN TEXT REPORT | listdriver view REPORT\n");
    return 64;
  }
  const std::wstring report = argv[argc - 1];

  HWND form = nullptr;
  if (!WaitFor([&] { return (form = FindForm(L"frmListePoints")) != nullptr; }, 20000)) return Fail(L"no list");
  HWND list = nullptr, apply = nullptr;
  WaitFor([&] { return (list = FindControl(form, L"TVPoints")) != nullptr; }, 5000);
  apply = FindControl(form, L"btAppliquer");
  if (!list || !apply) return Fail(L"no TVPoints or btAppliquer");
  Sleep(300);  // let the list settle (first paint, focus)

  std::wstring body = L"rows=" + std::to_wstring(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) + L"\r\n";
  body += std::wstring(L"apply=") + (IsWindowVisible(apply) ? L"shown" : L"hidden") + L"\r\n";

  if (view) {
    // A click on a coordinate cell opens no editor in viewing mode.
    RECT cell{};
    if (CellRect(list, 0, 1, cell)) {
      const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
      PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
      PostMessageW(list, WM_LBUTTONUP, 0, at);
    }
    Sleep(800);
    HWND editor = FindControl(form, L"EditLink");
    body += std::wstring(L"editor=") + (editor && IsWindowVisible(editor) ? L"opened" : L"none") + L"\r\n";
    WriteReport(report, body);
    Key(list, VK_ESCAPE);
    return WaitFor([&] { return !IsWindow(form); }, 5000) ? 0 : Fail(L"the list did not close");
  }

  const int row = _wtoi(argv[2]), column = _wtoi(argv[3]);
  const std::wstring text = argv[4];
  RECT cell{};
  if (!CellRect(list, row, column, cell)) return Fail(L"no cell rectangle");
  const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);

  HWND editor = nullptr;
  const bool opened = WaitFor([&] {
    editor = FindControl(form, L"EditLink");
    return editor && IsWindowVisible(editor);
  }, 5000);
  body += std::wstring(L"editor=") + (opened ? L"opened" : L"none") + L"\r\n";
  if (!opened) {
    WriteReport(report, body);
    PostMessageW(form, WM_CLOSE, 0, 0);
    return Fail(L"the cell editor did not open");
  }
  SendMessageW(editor, EM_SETSEL, 0, -1);
  for (wchar_t c : text) SendMessageW(editor, WM_CHAR, c, 1);
  Key(editor, VK_RETURN);
  WaitFor([&] { return !IsWindowVisible(editor); }, 5000);
  body += L"cell=" + CellText(list, row, column) + L"\r\n";
  WriteReport(report, body);
  PostMessageW(apply, BM_CLICK, 0, 0);
  return WaitFor([&] { return !IsWindow(form); }, 5000) ? 0 : Fail(L"Apply did not close the list");
}
