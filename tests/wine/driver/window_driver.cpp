#include "tests/wine/driver/window_driver.h"

#include <commctrl.h>

namespace topaline::winedriver {

std::wstring ComponentName(HWND w) {
  const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropW(w, L"ComponentName")));
  wchar_t name[256] = {};
  if (!atom || !GlobalGetAtomNameW(atom, name, 256)) return {};
  return name;
}

std::wstring WindowText(HWND w) {
  wchar_t text[2048] = {};
  SendMessageTimeoutW(w, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

std::wstring ClassName(HWND w) {
  wchar_t cls[128] = {};
  GetClassNameW(w, cls, 128);
  return cls;
}

namespace {

struct TitleSearch {
  const TopLevelQuery* query;
  HWND found = nullptr;
};

BOOL CALLBACK MatchTitle(HWND w, LPARAM param) {
  auto& s = *reinterpret_cast<TitleSearch*>(param);
  if (!IsWindowVisible(w) || (s.query->mustBeEnabled && !IsWindowEnabled(w))) return TRUE;
  const std::wstring title = WindowText(w);
  const bool match = s.query->match == TitleMatch::Exact ? title == s.query->title
                                                          : title.find(s.query->title) != std::wstring::npos;
  if (!match) return TRUE;
  s.found = w;
  return FALSE;
}

struct NameSearch {
  std::wstring name;
  bool topLevel = false;
  HWND found = nullptr;
};

BOOL CALLBACK MatchName(HWND w, LPARAM param) {
  auto& s = *reinterpret_cast<NameSearch*>(param);
  if (s.topLevel && !IsWindowVisible(w)) return TRUE;
  if (ComponentName(w) != s.name) return TRUE;
  s.found = w;
  return FALSE;
}

BOOL CALLBACK CollectComponent(HWND w, LPARAM param) {
  std::wstring name = ComponentName(w);
  if (!name.empty())
    reinterpret_cast<std::vector<std::pair<std::wstring, HWND>>*>(param)->emplace_back(std::move(name), w);
  return TRUE;
}

BOOL CALLBACK CollectBoxChild(HWND child, LPARAM param) {
  auto& content = *reinterpret_cast<MessageBoxContent*>(param);
  const std::wstring cls = ClassName(child);
  wchar_t text[4096] = {};
  GetWindowTextW(child, text, 4096);
  if (lstrcmpiW(cls.c_str(), L"Button") == 0) {
    content.buttons.emplace_back(text);
  } else if (lstrcmpiW(cls.c_str(), L"Static") == 0 && text[0]) {
    if (!content.text.empty()) content.text += L"\n";
    content.text += text;
  }
  return TRUE;
}

}  // namespace

HWND FindTopLevel(const TopLevelQuery& query) {
  TitleSearch s{&query};
  EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND WaitForTopLevel(const TopLevelQuery& query, DWORD ms) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindTopLevel(query)) != nullptr; }, ms);
  return found;
}

namespace {
BOOL CALLBACK FirstEdit(HWND w, LPARAM param) {
  if (lstrcmpiW(ClassName(w).c_str(), L"Edit") != 0 || !IsWindowVisible(w) || !IsWindowEnabled(w)) return TRUE;
  *reinterpret_cast<HWND*>(param) = w;
  return FALSE;
}
}  // namespace

HWND AnswerFileDialog(const std::wstring& title, const std::wstring& name, DWORD ms) {
  HWND dlg = WaitForTopLevel({title, TitleMatch::Contains, true}, ms);
  if (!dlg) throw Failure{L"no file dialog " + title};
  // The name field: the explorer style's combo box (cmb13) with its edit,
  // the older edt1, or else the dialog's first edit.
  HWND field = nullptr;
  if (HWND combo = GetDlgItem(dlg, 0x47c)) field = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  if (!field) field = GetDlgItem(dlg, 0x480);
  if (!field) EnumChildWindows(dlg, FirstEdit, reinterpret_cast<LPARAM>(&field));
  if (!field) throw Failure{L"the file dialog has no name field"};
  SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  TypeChars(field, name);
  HWND ok = GetDlgItem(dlg, IDOK);
  if (!ok) throw Failure{L"the file dialog has no Open/Save button"};
  PostMessageW(ok, BM_CLICK, 0, 0);
  return dlg;
}

HWND FindTopLevelByName(const std::wstring& name) {
  NameSearch s{name, true};
  EnumWindows(MatchName, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::vector<std::pair<std::wstring, HWND>> Components(HWND parent) {
  std::vector<std::pair<std::wstring, HWND>> all;
  EnumChildWindows(parent, CollectComponent, reinterpret_cast<LPARAM>(&all));
  return all;
}

HWND FindControl(HWND parent, const std::wstring& name) {
  NameSearch s{name};
  EnumChildWindows(parent, MatchName, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND WaitForControl(HWND parent, const std::wstring& name, DWORD ms, bool mustBeVisible) {
  HWND found = nullptr;
  const auto ready = [&] { return found && (!mustBeVisible || IsWindowVisible(found)); };
  WaitFor([&] {
    found = FindControl(parent, name);
    return ready();
  }, ms);
  if (!ready()) throw Failure{L"no control " + name};
  return found;
}

namespace {

bool SameClass(HWND w, const wchar_t* cls) { return lstrcmpiW(ClassName(w).c_str(), cls) == 0; }

// A static that shows a text (not a picture, a frame or an etched line).
bool IsLabel(HWND w) {
  if (!w || !SameClass(w, L"Static")) return false;
  const LONG type = GetWindowLongW(w, GWL_STYLE) & SS_TYPEMASK;
  return (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP ||
          type == SS_SIMPLE) &&
         !WindowText(w).empty();
}

}  // namespace

std::vector<std::wstring> ScreenReaderFaults(HWND window) {
  std::vector<std::wstring> faults;
  for (const auto& [name, w] : Components(window)) {
    if (!IsWindowVisible(w)) continue;  // nothing a reader reaches (a grid's idle cell editor)
    const bool labelled = IsLabel(GetWindow(w, GW_HWNDPREV));
    const bool named = !WindowText(w).empty();
    if (SameClass(w, L"Edit") || SameClass(w, L"ComboBox")) {
      if (!labelled) faults.push_back(name + L": no label just before it");
    } else if (SameClass(w, TRACKBAR_CLASSW) || SameClass(w, WC_LISTVIEWW)) {
      if (!labelled && !named) faults.push_back(name + L": neither a label just before it nor a name");
    } else if (SameClass(w, L"Button")) {
      const LONG type = GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK;
      if (type != BS_GROUPBOX && !named) faults.push_back(name + L": a button without a name");
    } else if (SameClass(w, L"topaline3.Swatch")) {
      if (!named) faults.push_back(name + L": a palette without a name");
    }
  }
  return faults;
}

HWND FocusedIn(HWND w) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(w, nullptr);
  if (GetGUIThreadInfo(thread, &info) && info.hwndFocus && (info.hwndFocus == w || IsChild(w, info.hwndFocus)))
    return info.hwndFocus;
  return w;
}

void PostKey(HWND w, UINT vk) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(w, WM_KEYDOWN, vk, 1 | scan);
  PostMessageW(w, WM_KEYUP, vk, 1 | scan | 0xC0000000u);
}

void PostClick(HWND w, int x, int y) {
  PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void PostClick(HWND w, int x, int y, WPARAM keys) {
  PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(x, y));
  PostMessageW(w, WM_LBUTTONUP, keys, MAKELPARAM(x, y));
}

void PressKey(const std::vector<UINT>& modifiers, UINT vk) {
  std::vector<INPUT> in;
  auto key = [&](UINT k, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = static_cast<WORD>(k);
    i.ki.wScan = static_cast<WORD>(MapVirtualKeyW(k, MAPVK_VK_TO_VSC));
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  for (UINT m : modifiers) key(m, false);
  key(vk, false);
  key(vk, true);
  for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) key(*m, true);
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

std::wstring ClipboardText() {
  std::wstring text;
  for (int attempt = 0; attempt < 20 && !OpenClipboard(nullptr); ++attempt) Sleep(50);
  if (HANDLE mem = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const wchar_t*>(GlobalLock(mem))) {
      text = p;
      GlobalUnlock(mem);
    }
  }
  CloseClipboard();
  return text;
}

int ListFocusedRow(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void PostDoubleClick(HWND w, int x, int y) {
  PostClick(w, x, y);
  PostMessageW(w, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void TypeChars(HWND w, const std::wstring& text) {
  for (wchar_t c : text) SendMessageW(w, WM_CHAR, c, 1);
}

MessageBoxContent ReadMessageBox(HWND box) {
  MessageBoxContent content;
  EnumChildWindows(box, CollectBoxChild, reinterpret_cast<LPARAM>(&content));
  return content;
}

RemoteMemory::RemoteMemory(HWND w, SIZE_T size) : size_(size) {
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process_) throw Failure{L"cannot open the window's process"};
  memory_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!memory_) {
    CloseHandle(process_);
    throw Failure{L"cannot allocate in the window's process"};
  }
}

RemoteMemory::~RemoteMemory() {
  VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
  CloseHandle(process_);
}

LPARAM RemoteMemory::address(SIZE_T offset) const {
  return reinterpret_cast<LPARAM>(static_cast<char*>(memory_) + offset);
}

void RemoteMemory::write(const void* data, SIZE_T size, SIZE_T offset) {
  if (offset + size > size_) throw Failure{L"remote write out of bounds"};
  SIZE_T done = 0;
  if (!WriteProcessMemory(process_, static_cast<char*>(memory_) + offset, data, size, &done) || done != size)
    throw Failure{L"cannot write in the window's process"};
}

void RemoteMemory::read(void* data, SIZE_T size, SIZE_T offset) const {
  if (offset + size > size_) throw Failure{L"remote read out of bounds"};
  SIZE_T done = 0;
  if (!ReadProcessMemory(process_, static_cast<char*>(memory_) + offset, data, size, &done) || done != size)
    throw Failure{L"cannot read from the window's process"};
}

int ListRowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

namespace {

std::wstring CellName(int row, int column) { return std::to_wstring(row) + L"," + std::to_wstring(column); }

}  // namespace

RECT ListSubItemRect(HWND list, int row, int column, int code) {
  RemoteMemory mem(list, sizeof(RECT));
  RECT r{};
  r.top = column;
  r.left = code;
  mem.write(&r, sizeof r);
  if (!SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), mem.address()))
    throw Failure{L"no cell " + CellName(row, column)};
  mem.read(&r, sizeof r);
  return r;
}

RECT ListItemBounds(HWND list, int row) {
  RemoteMemory mem(list, sizeof(RECT));
  RECT r{};
  r.left = LVIR_BOUNDS;
  mem.write(&r, sizeof r);
  if (!SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), mem.address()))
    throw Failure{L"no row " + std::to_wstring(row)};
  mem.read(&r, sizeof r);
  return r;
}

RECT ListCellRect(HWND list, int row, int column) {
  if (column != 0) return ListSubItemRect(list, row, column, LVIR_BOUNDS);
  // The row's bounds: column 0 ends where column 1 begins.
  RECT r = ListItemBounds(list, row);
  r.right = r.left + static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
  return r;
}

std::wstring ListCellText(HWND list, int row, int column) {
  constexpr int kChars = 512;
  RemoteMemory mem(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
  LVITEMW item{};
  item.iSubItem = column;
  item.cchTextMax = kChars;
  item.pszText = reinterpret_cast<LPWSTR>(mem.address(sizeof(LVITEMW)));
  mem.write(&item, sizeof item);
  auto n = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), mem.address());
  if (n <= 0) return {};
  if (n > kChars - 1) n = kChars - 1;
  std::wstring text(static_cast<std::size_t>(n), L'\0');
  mem.read(text.data(), text.size() * sizeof(wchar_t), sizeof(LVITEMW));
  return text;
}

int ListColumnLeft(HWND list, int column) {
  int x = 0;
  for (int c = 0; c < column; ++c) x += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, c, 0));
  return x;
}

std::wstring StatusText(HWND bar) {
  constexpr int kChars = 512;
  RemoteMemory mem(bar, kChars * sizeof(wchar_t));
  const int n = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, 0, 0));
  std::wstring text(static_cast<std::size_t>(n < kChars ? n : kChars - 1), L'\0');
  SendMessageW(bar, SB_GETTEXTW, 0, mem.address());
  if (!text.empty()) mem.read(text.data(), text.size() * sizeof(wchar_t));
  return text;
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

void WaitForShot(const std::wstring& request) {
  if (request.empty()) return;
  HANDLE h = CreateFileW(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  WaitFor([&] { return GetFileAttributesW(request.c_str()) == INVALID_FILE_ATTRIBUTES; }, 15000);
}

}  // namespace topaline::winedriver
