// Win32 implementations of the platform services (platform/platform.h).
// The header stays free of <windows.h>; portable code may name these types.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace topaline {

// Keys under HKEY_CURRENT_USER.
class Win32Registry final : public Registry {
public:
  std::unique_ptr<RegistryKey> open(const std::wstring& path, bool create) override;
};

// ShellExecuteW with no verb and no working folder, SW_SHOWDEFAULT.
class Win32Shell final : public Shell {
public:
  void execute(const std::wstring& program, const std::wstring& parameters) override;
};

class Win32SystemUi final : public SystemUi {
public:
  void beep(unsigned frequencyHz, unsigned durationMs) override;
  WindowHandle activeWindow() override;

protected:
  // MessageBoxW; an owner that is no window (any more) counts as none.
  Answer showMessageBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption, Buttons buttons,
                        Icon icon) override;
  // GetOpenFileNameW / GetSaveFileNameW, explorer style.
  FileDialogResult showFileDialog(WindowHandle owner, bool save, const FileDialogRequest& request) override;
};

class Win32FileSystem final : public FileSystem {
public:
  bool fileExists(const std::wstring& path) override;
  bool folderExists(const std::wstring& path) override;
  std::vector<std::uint8_t> readFile(const std::wstring& path) override;
  std::wstring windowsDirectory() override;
  std::wstring decodeAnsi(const std::uint8_t* data, std::size_t size) override;
};

// GetTickCount64.
class Win32Clock final : public Clock {
public:
  std::uint64_t milliseconds() override;
};

// CF_UNICODETEXT on the system clipboard.
class Win32Clipboard final : public Clipboard {
public:
  void setText(WindowHandle owner, const std::wstring& text) override;
  std::wstring text(WindowHandle owner) override;
};

// The system's text for a Win32 error code, without the trailing line break.
std::wstring SystemErrorText(unsigned long code);

// All the services together; platform() hands them out as a Platform.
struct Win32Services {
  Win32Registry registry;
  Win32Shell shell;
  Win32SystemUi system;
  Win32FileSystem files;
  Win32Clock clock;
  Win32Clipboard clipboard;
  Platform platform() { return Platform{registry, shell, system, files, clock, clipboard, nullptr}; }
};

}  // namespace topaline
