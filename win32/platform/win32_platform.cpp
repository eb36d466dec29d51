#include "win32/platform/win32_platform.h"

#include <windows.h>
#include <commdlg.h>
#include <cderr.h>
#include <shellapi.h>

#include <climits>

#include "platform/error.h"

namespace topaline {

std::wstring SystemErrorText(unsigned long code) {
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (n && buffer) text.assign(buffer, n);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' ||
                           text.back() == L'.'))
    text.pop_back();
  if (text.empty()) text = L"error " + std::to_wstring(code);
  return text;
}

// ---------------------------------------------------------------- registry

namespace {

const wchar_t* TypeName(RegType t) {
  switch (t) {
    case RegType::String: return L"a string";
    case RegType::Dword: return L"a 32-bit number";
    case RegType::Binary: return L"binary data";
    case RegType::Missing: return L"missing";
    default: return L"of another type";
  }
}

class Win32RegistryKey final : public RegistryKey {
public:
  Win32RegistryKey(HKEY key, std::wstring path) : key_(key), path_(std::move(path)) {}
  ~Win32RegistryKey() override { RegCloseKey(key_); }
  Win32RegistryKey(const Win32RegistryKey&) = delete;
  Win32RegistryKey& operator=(const Win32RegistryKey&) = delete;

  std::vector<std::wstring> valueNames() const override {
    std::vector<std::wstring> names;
    DWORD count = 0, maxLen = 0;
    LONG rc = RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                               &maxLen, nullptr, nullptr, nullptr);
    if (rc != ERROR_SUCCESS) fail(L"cannot list the values", rc);
    std::wstring name(maxLen + 1, L'\0');
    for (DWORD i = 0;; ++i) {
      DWORD len = static_cast<DWORD>(name.size());
      rc = RegEnumValueW(key_, i, name.data(), &len, nullptr, nullptr, nullptr, nullptr);
      if (rc == ERROR_NO_MORE_ITEMS) break;
      if (rc == ERROR_MORE_DATA) {  // a value was added meanwhile
        name.resize(name.size() * 2 + 256);
        --i;
        continue;
      }
      if (rc != ERROR_SUCCESS) fail(L"cannot list the values", rc);
      names.emplace_back(name.data(), len);
    }
    return names;
  }

  RegType valueType(const std::wstring& name) const override {
    DWORD type = 0;
    LONG rc = RegQueryValueExW(key_, name.c_str(), nullptr, &type, nullptr, nullptr);
    if (rc == ERROR_FILE_NOT_FOUND) return RegType::Missing;
    if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) fail(L"cannot read the value \"" + name + L"\"", rc);
    switch (type) {
      case REG_SZ:
      case REG_EXPAND_SZ: return RegType::String;
      case REG_DWORD: return RegType::Dword;
      case REG_BINARY: return RegType::Binary;
      default: return RegType::Other;
    }
  }

  std::wstring readString(const std::wstring& name) const override {
    DWORD type = 0;
    std::vector<BYTE> data = query(name, &type);
    if (type != REG_SZ && type != REG_EXPAND_SZ) wrongType(name, RegType::String);
    std::wstring s(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    while (!s.empty() && s.back() == L'\0') s.pop_back();  // stored with or without its terminator
    return s;
  }

  std::uint32_t readDword(const std::wstring& name) const override {
    DWORD type = 0;
    std::vector<BYTE> data = query(name, &type);
    if (type != REG_DWORD || data.size() != sizeof(DWORD)) wrongType(name, RegType::Dword);
    DWORD v;
    memcpy(&v, data.data(), sizeof v);
    return v;
  }

  std::vector<std::uint8_t> readBinary(const std::wstring& name) const override {
    DWORD type = 0;
    std::vector<BYTE> data = query(name, &type);
    if (type != REG_BINARY) wrongType(name, RegType::Binary);
    return std::vector<std::uint8_t>(data.begin(), data.end());
  }

  void writeString(const std::wstring& name, const std::wstring& value) override {
    set(name, REG_SZ, value.c_str(), (value.size() + 1) * sizeof(wchar_t));
  }
  void writeDword(const std::wstring& name, std::uint32_t value) override {
    DWORD v = value;
    set(name, REG_DWORD, &v, sizeof v);
  }
  void writeBinary(const std::wstring& name, const std::vector<std::uint8_t>& value) override {
    set(name, REG_BINARY, value.data(), value.size());
  }
  void deleteValue(const std::wstring& name) override {
    LONG rc = RegDeleteValueW(key_, name.c_str());
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) fail(L"cannot delete the value \"" + name + L"\"", rc);
  }

private:
  std::vector<BYTE> query(const std::wstring& name, DWORD* type) const {
    std::vector<BYTE> data(256);
    for (;;) {
      DWORD size = static_cast<DWORD>(data.size());
      LONG rc = RegQueryValueExW(key_, name.c_str(), nullptr, type, data.data(), &size);
      if (rc == ERROR_SUCCESS) {
        data.resize(size);
        return data;
      }
      if (rc == ERROR_MORE_DATA) {
        data.resize(size > data.size() ? size : data.size() * 2);
        continue;
      }
      if (rc == ERROR_FILE_NOT_FOUND)
        throw Error(L"The registry value \"" + name + L"\" is missing in HKEY_CURRENT_USER\\" + path_ + L".");
      fail(L"cannot read the value \"" + name + L"\"", rc);
    }
  }

  void set(const std::wstring& name, DWORD type, const void* data, std::size_t size) {
    if (size > MAXDWORD) throw Error(L"The registry value \"" + name + L"\" is too large.");
    LONG rc = RegSetValueExW(key_, name.c_str(), 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size));
    if (rc != ERROR_SUCCESS) fail(L"cannot write the value \"" + name + L"\"", rc);
  }

  [[noreturn]] void wrongType(const std::wstring& name, RegType wanted) const {
    RegType actual = valueType(name);
    throw Error(L"The registry value \"" + name + L"\" in HKEY_CURRENT_USER\\" + path_ + L" should be " +
                TypeName(wanted) + L" but is " + TypeName(actual) + L".");
  }

  [[noreturn]] void fail(const std::wstring& what, LONG rc) const {
    throw Error(L"Registry key HKEY_CURRENT_USER\\" + path_ + L": " + what + L" (" +
                SystemErrorText(static_cast<unsigned long>(rc)) + L").");
  }

  HKEY key_;
  std::wstring path_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::open(const std::wstring& path, bool create) {
  HKEY key = nullptr;
  LONG rc;
  if (create) {
    rc = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                         KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
  } else {
    rc = RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ | KEY_WRITE, &key);
    if (rc == ERROR_ACCESS_DENIED) rc = RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    if (rc == ERROR_FILE_NOT_FOUND) return nullptr;
  }
  if (rc != ERROR_SUCCESS)
    throw Error(L"Cannot open the registry key HKEY_CURRENT_USER\\" + path + L" (" +
                SystemErrorText(static_cast<unsigned long>(rc)) + L").");
  return std::make_unique<Win32RegistryKey>(key, path);
}

// ---------------------------------------------------------------- shell

namespace {

// Why the shell refused a start, from ShellExecuteW's result (32 or less).
std::wstring ShellRefusal(INT_PTR code) {
  switch (code) {
    case 0: return L"the system is out of memory or resources";
    case SE_ERR_SHARE: return L"the file is in use";
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC: return L"no program is associated with this file";
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY: return L"the program did not answer the shell";
    case SE_ERR_DLLNOTFOUND: return L"a library the program needs was not found";
    default: return SystemErrorText(static_cast<unsigned long>(code));  // 2, 3, 5, 8, 11: system codes
  }
}

}  // namespace

void Win32Shell::execute(const std::wstring& program, const std::wstring& parameters) {
  // Not waited for; a start the shell refuses is an error the caller reports.
  HINSTANCE started = ShellExecuteW(nullptr, nullptr, program.c_str(),
                                    parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOWDEFAULT);
  const auto code = reinterpret_cast<INT_PTR>(started);
  if (code <= 32) throw Error(L"Could not start " + program + L": " + ShellRefusal(code) + L".");
}

// ---------------------------------------------------------------- system UI

namespace {

HWND OwnerWindow(WindowHandle owner) {
  HWND h = reinterpret_cast<HWND>(owner);
  return h && IsWindow(h) ? h : nullptr;
}

}  // namespace

SystemUi::Answer Win32SystemUi::showMessageBox(WindowHandle owner, const std::wstring& text,
                                               const std::wstring& caption, Buttons buttons, Icon icon) {
  HWND ownerWindow = OwnerWindow(owner);
  UINT flags = buttons == Buttons::YesNo ? MB_YESNO : MB_OK;
  switch (icon) {
    case Icon::Warning: flags |= MB_ICONWARNING; break;
    case Icon::Error: flags |= MB_ICONERROR; break;
    case Icon::Question: flags |= MB_ICONQUESTION; break;
    case Icon::None: break;
  }
  // Without an owner the box still blocks every window of the calling thread.
  if (!ownerWindow) flags |= MB_TASKMODAL;
  switch (MessageBoxW(ownerWindow, text.c_str(), caption.c_str(), flags)) {
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    case IDOK: return Answer::Ok;
    default: return Answer::Cancel;
  }
}

void Win32SystemUi::beep(unsigned frequencyHz, unsigned durationMs) { Beep(frequencyHz, durationMs); }

WindowHandle Win32SystemUi::activeWindow() { return reinterpret_cast<WindowHandle>(GetActiveWindow()); }

namespace {

FileDialogResult ShowFileDialog(HWND owner, const FileDialogRequest& request, bool save) {
  // "description\0pattern\0...\0\0"
  std::wstring filter;
  for (const FileFilter& f : request.filters) {
    filter += f.description;
    filter += L'\0';
    filter += f.pattern;
    filter += L'\0';
  }
  filter += L'\0';
  // Room for long paths; the proposed name only when it fits.
  std::wstring buffer(32768, L'\0');
  if (request.fileName.size() < buffer.size()) buffer.replace(0, request.fileName.size(), request.fileName);

  for (int attempt = 0; attempt < 2; ++attempt) {
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = request.filters.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = request.filterIndex > 0 ? static_cast<DWORD>(request.filterIndex) : 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
    ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    ofn.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    // No question about existing files, and the host's current folder
    // stays where it was.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    const BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (ok) {
      FileDialogResult result;
      result.chosen = true;
      result.path.assign(buffer.c_str());
      result.filterIndex = static_cast<int>(ofn.nFilterIndex);
      return result;
    }
    const DWORD err = CommDlgExtendedError();
    if (err == 0) return {};  // cancelled
    if (err == FNERR_INVALIDFILENAME && attempt == 0 && buffer[0] != L'\0') {
      // The proposed name is not a valid file name: open with none.
      buffer.assign(buffer.size(), L'\0');
      continue;
    }
    throw Error(L"The file dialog could not be shown (error " + std::to_wstring(err) + L").");
  }
  return {};
}

}  // namespace

FileDialogResult Win32SystemUi::showFileDialog(WindowHandle owner, bool save, const FileDialogRequest& request) {
  return ShowFileDialog(OwnerWindow(owner), request, save);
}

// ---------------------------------------------------------------- files

bool Win32FileSystem::fileExists(const std::wstring& path) {
  DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::folderExists(const std::wstring& path) {
  if (path.empty()) return false;
  DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::uint8_t> Win32FileSystem::readFile(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE)
    throw Error(L"Cannot open the file \"" + path + L"\" (" + SystemErrorText(GetLastError()) + L").");
  std::vector<std::uint8_t> data;
  LARGE_INTEGER size;
  DWORD err = 0;
  if (!GetFileSizeEx(h, &size)) {
    err = GetLastError();
  } else if (size.QuadPart > 0x7fffffff) {
    CloseHandle(h);
    throw Error(L"The file \"" + path + L"\" is too large.");
  } else {
    data.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < data.size()) {
      DWORD got = 0;
      if (!ReadFile(h, data.data() + done, static_cast<DWORD>(data.size() - done), &got, nullptr)) {
        err = GetLastError();
        break;
      }
      if (got == 0) break;  // the file shrank meanwhile
      done += got;
    }
    data.resize(done);
  }
  CloseHandle(h);
  if (err) throw Error(L"Cannot read the file \"" + path + L"\" (" + SystemErrorText(err) + L").");
  return data;
}

std::wstring Win32FileSystem::windowsDirectory() {
  wchar_t buffer[MAX_PATH + 1];
  UINT n = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
  std::wstring dir;
  if (n > MAX_PATH) {
    dir.resize(n);
    n = GetWindowsDirectoryW(dir.data(), n);
    dir.resize(n);
  } else {
    dir.assign(buffer, n);
  }
  if (dir.empty()) throw Error(L"Cannot find the Windows folder (" + SystemErrorText(GetLastError()) + L").");
  while (dir.size() > 1 && dir.back() == L'\\') dir.pop_back();
  return dir;
}

std::wstring Win32FileSystem::decodeAnsi(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  const char* p = reinterpret_cast<const char*>(data);
  while (size > 0) {  // in chunks, so that sizes beyond INT_MAX never truncate
    int chunk = size > (1u << 30) ? (1 << 30) : static_cast<int>(size);
    int n = MultiByteToWideChar(CP_ACP, 0, p, chunk, nullptr, 0);
    std::size_t at = text.size();
    text.resize(at + static_cast<std::size_t>(n));
    MultiByteToWideChar(CP_ACP, 0, p, chunk, text.data() + at, n);
    p += chunk;
    size -= static_cast<std::size_t>(chunk);
  }
  return text;
}

// ---------------------------------------------------------------- clock

std::uint64_t Win32Clock::milliseconds() { return GetTickCount64(); }

// ---------------------------------------------------------------- clipboard

namespace {

// Another program may hold the clipboard open for a moment: a few tries.
void OpenClipboardOrThrow(WindowHandle owner) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(reinterpret_cast<HWND>(owner))) return;
    Sleep(20);
  }
  throw Error(L"Could not open the clipboard (" + SystemErrorText(GetLastError()) + L").");
}

struct ClipboardCloser {
  ~ClipboardCloser() { CloseClipboard(); }
};

}  // namespace

void Win32Clipboard::setText(WindowHandle owner, const std::wstring& text) {
  const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!mem) throw Error(L"Not enough memory to copy " + std::to_wstring(text.size()) + L" characters.");
  if (void* p = GlobalLock(mem)) {
    memcpy(p, text.c_str(), bytes);
    GlobalUnlock(mem);
  }
  try {
    OpenClipboardOrThrow(owner);
  } catch (...) {
    GlobalFree(mem);
    throw;
  }
  ClipboardCloser closer;
  EmptyClipboard();
  if (!SetClipboardData(CF_UNICODETEXT, mem)) {
    const DWORD err = GetLastError();
    GlobalFree(mem);
    throw Error(L"Could not copy to the clipboard (" + SystemErrorText(err) + L").");
  }
  // The clipboard owns mem now.
}

std::wstring Win32Clipboard::text(WindowHandle owner) {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return {};
  OpenClipboardOrThrow(owner);
  ClipboardCloser closer;
  HANDLE mem = GetClipboardData(CF_UNICODETEXT);
  if (!mem) return {};
  const auto* p = static_cast<const wchar_t*>(GlobalLock(mem));
  if (!p) return {};
  const SIZE_T max = GlobalSize(mem) / sizeof(wchar_t);
  SIZE_T n = 0;
  while (n < max && p[n]) ++n;
  std::wstring out(p, n);
  GlobalUnlock(mem);
  return out;
}

}  // namespace topaline
