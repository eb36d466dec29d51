#include "entry/win32/registry_win32.h"

#include <cstring>

#include "platform/error.h"

namespace topaline {

namespace {

std::wstring SystemMessage(LONG code) {
  wchar_t* buffer = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = buffer ? buffer : L"";
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  return text.empty() ? L"error " + std::to_wstring(code) : text;
}

[[noreturn]] void Fail(const std::wstring& what, LONG code) { throw Error(what + L": " + SystemMessage(code)); }

}  // namespace

Win32RegistryKey Win32RegistryKey::OpenOrCreate(const std::wstring& path) {
  HKEY key = nullptr;
  const LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) Fail(L"HKEY_CURRENT_USER\\" + path, rc);
  return Win32RegistryKey(key);
}

Win32RegistryKey::~Win32RegistryKey() {
  if (key_) RegCloseKey(key_);
}

std::vector<std::wstring> Win32RegistryKey::valueNames() const {
  std::vector<std::wstring> names;
  for (DWORD i = 0;; ++i) {
    wchar_t name[16384];
    DWORD length = ARRAYSIZE(name);
    const LONG rc = RegEnumValueW(key_, i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS) Fail(L"RegEnumValue", rc);
    names.emplace_back(name, length);
  }
  return names;
}

RegType Win32RegistryKey::valueType(const std::wstring& name) const {
  DWORD type = 0;
  const LONG rc = RegQueryValueExW(key_, name.c_str(), nullptr, &type, nullptr, nullptr);
  if (rc != ERROR_SUCCESS) return RegType::Missing;
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: return RegType::String;
    case REG_DWORD: return RegType::Dword;
    case REG_BINARY: return RegType::Binary;
    default: return RegType::Other;
  }
}

std::vector<std::uint8_t> Win32RegistryKey::read(const std::wstring& name, DWORD expected) const {
  for (;;) {
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = RegQueryValueExW(key_, name.c_str(), nullptr, &type, nullptr, &size);
    if (rc != ERROR_SUCCESS) Fail(L"\"" + name + L"\"", rc);
    const bool stringType = expected == REG_SZ && type == REG_EXPAND_SZ;
    if (type != expected && !stringType) throw Error(L"\"" + name + L"\": unexpected registry value type");
    std::vector<std::uint8_t> data(size);
    DWORD got = size;
    rc = RegQueryValueExW(key_, name.c_str(), nullptr, &type, data.data(), &got);
    if (rc == ERROR_MORE_DATA) continue;  // changed in between: read again
    if (rc != ERROR_SUCCESS) Fail(L"\"" + name + L"\"", rc);
    data.resize(got);
    return data;
  }
}

std::wstring Win32RegistryKey::readString(const std::wstring& name) const {
  const auto data = read(name, REG_SZ);
  std::wstring text(data.size() / sizeof(wchar_t), L'\0');
  if (!text.empty()) std::memcpy(&text[0], data.data(), text.size() * sizeof(wchar_t));
  // Stored strings may or may not carry their terminating null.
  const auto end = text.find(L'\0');
  if (end != std::wstring::npos) text.resize(end);
  return text;
}

std::uint32_t Win32RegistryKey::readDword(const std::wstring& name) const {
  const auto data = read(name, REG_DWORD);
  if (data.size() != sizeof(std::uint32_t)) throw Error(L"\"" + name + L"\": malformed integer value");
  std::uint32_t value = 0;
  std::memcpy(&value, data.data(), sizeof value);
  return value;
}

std::vector<std::uint8_t> Win32RegistryKey::readBinary(const std::wstring& name) const { return read(name, REG_BINARY); }

void Win32RegistryKey::write(const std::wstring& name, DWORD type, const void* data, DWORD size) {
  const LONG rc = RegSetValueExW(key_, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  if (rc != ERROR_SUCCESS) Fail(L"\"" + name + L"\"", rc);
}

void Win32RegistryKey::writeString(const std::wstring& name, const std::wstring& value) {
  write(name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void Win32RegistryKey::writeDword(const std::wstring& name, std::uint32_t value) {
  write(name, REG_DWORD, &value, sizeof value);
}

void Win32RegistryKey::writeBinary(const std::wstring& name, const std::vector<std::uint8_t>& value) {
  write(name, REG_BINARY, value.data(), static_cast<DWORD>(value.size()));
}

void Win32RegistryKey::deleteValue(const std::wstring& name) {
  const LONG rc = RegDeleteValueW(key_, name.c_str());
  if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) Fail(L"\"" + name + L"\"", rc);
}

}  // namespace topaline
