// The product key through the Win32 registry functions.
#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace topaline {

class Win32RegistryKey : public RegistryKey {
public:
  // Opens the key under HKEY_CURRENT_USER, creating it when missing;
  // throws Error when that fails.
  static Win32RegistryKey OpenOrCreate(const std::wstring& path);
  Win32RegistryKey(Win32RegistryKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
  Win32RegistryKey(const Win32RegistryKey&) = delete;
  Win32RegistryKey& operator=(const Win32RegistryKey&) = delete;
  ~Win32RegistryKey() override;

  std::vector<std::wstring> valueNames() const override;
  RegType valueType(const std::wstring& name) const override;
  std::wstring readString(const std::wstring& name) const override;
  std::uint32_t readDword(const std::wstring& name) const override;
  std::vector<std::uint8_t> readBinary(const std::wstring& name) const override;
  void writeString(const std::wstring& name, const std::wstring& value) override;
  void writeDword(const std::wstring& name, std::uint32_t value) override;
  void writeBinary(const std::wstring& name, const std::vector<std::uint8_t>& value) override;
  void deleteValue(const std::wstring& name) override;

private:
  explicit Win32RegistryKey(HKEY key) : key_(key) {}
  std::vector<std::uint8_t> read(const std::wstring& name, DWORD expected) const;
  void write(const std::wstring& name, DWORD type, const void* data, DWORD size);
  HKEY key_;
};

}  // namespace topaline
