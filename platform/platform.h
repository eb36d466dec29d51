// Services the portable code needs from the operating system.
//
// Each has a Win32 implementation (win32/) and a headless one for tests
// (ui/headless/). Portable code reaches them only through a Platform,
// which is passed explicitly: there is no global current platform.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace topaline {

// Opaque window handle (an HWND on Windows, a test token headless).
using WindowHandle = std::uintptr_t;

enum class RegType { Missing, String, Dword, Binary, Other };

// An open registry key. Reads of a missing value, or of a value of the
// wrong type, throw Error (see core/error.h) with a message naming it.
class RegistryKey {
public:
  virtual ~RegistryKey() = default;
  // Value names in the registry's enumeration order.
  virtual std::vector<std::wstring> valueNames() const = 0;
  virtual RegType valueType(const std::wstring& name) const = 0;
  bool hasValue(const std::wstring& name) const { return valueType(name) != RegType::Missing; }
  virtual std::wstring readString(const std::wstring& name) const = 0;
  virtual std::uint32_t readDword(const std::wstring& name) const = 0;
  virtual std::vector<std::uint8_t> readBinary(const std::wstring& name) const = 0;
  virtual void writeString(const std::wstring& name, const std::wstring& value) = 0;
  virtual void writeDword(const std::wstring& name, std::uint32_t value) = 0;
  virtual void writeBinary(const std::wstring& name, const std::vector<std::uint8_t>& value) = 0;
  virtual void deleteValue(const std::wstring& name) = 0;
};

// The current user's hive (HKEY_CURRENT_USER). Paths use backslashes and
// have no leading backslash: L"Software\\Norvel\\topaline3\\options".
class Registry {
public:
  virtual ~Registry() = default;
  // nullptr when the key is missing and create is false.
  virtual std::unique_ptr<RegistryKey> open(const std::wstring& path, bool create) = 0;
};

// Starts programs the way ShellExecuteW does (no verb, no working folder,
// SW_SHOWDEFAULT), without waiting. A start the system refuses (missing
// program, no access...) raises Error naming the program and the reason,
// so that the user is told rather than left without a word.
class Shell {
public:
  virtual ~Shell() = default;
  virtual void execute(const std::wstring& program, const std::wstring& parameters) = 0;
};

// One entry of a file dialog's list of types: "Text files" and "*.txt;*.csv".
struct FileFilter {
  std::wstring description;
  std::wstring pattern;
  bool operator==(const FileFilter& o) const { return description == o.description && pattern == o.pattern; }
};

// What an open-file or save-file dialog is shown with. It names no owner:
// SystemUi decides that (see SystemUi::Owner).
struct FileDialogRequest {
  std::wstring title;                // empty: the system's own
  std::vector<FileFilter> filters;
  int filterIndex = 1;               // the entry selected at first, from 1
  std::wstring initialFolder;        // empty: the system's choice
  std::wstring fileName;             // proposed in the name field
  std::wstring defaultExtension;     // without the dot, added to a name typed without one
};

struct FileDialogResult {
  bool chosen = false;               // false: cancelled
  std::wstring path;                 // full path of the chosen file
  int filterIndex = 0;               // the entry selected when it closed, from 1
};

// The windows of the current call's modal showings, innermost on top. The
// form runner keeps it (ui/form_runner.h): it pushes each form it shows
// modally and pops it when the form closes.
class ModalStack {
public:
  virtual ~ModalStack() = default;
  // The window on top: that of the innermost form being shown; with none
  // shown, the window the call's first form would be modal over (the
  // owner window of the call; 0: none).
  virtual WindowHandle TopModalWindow() const = 0;
};

// The platform's own small dialogs and signals.
//
// The system's message box and its open-file and save-file dialogs are
// owned by the window on top of the current call's modal stack, decided
// here (Owner) and nowhere else: whatever opens one, it is modal over the
// dialog that opened it, which it disables until it closes, and no caller
// can give it another owner (the host's window, say, which the form runner
// has already disabled, leaving the dialog beneath live).
class SystemUi {
public:
  virtual ~SystemUi() = default;
  enum class Buttons { Ok, YesNo };
  enum class Icon { None, Warning, Error, Question };
  enum class Answer { Ok, Yes, No, Cancel };

  // MessageBoxW, owned by Owner().
  Answer messageBox(const std::wstring& text, const std::wstring& caption, Buttons buttons, Icon icon) {
    return showMessageBox(Owner(), text, caption, buttons, icon);
  }
  // The system's open-file / save-file dialogs, modal over Owner().
  // Neither asks anything about existing files nor changes the current
  // folder.
  FileDialogResult openFileDialog(const FileDialogRequest& request) { return showFileDialog(Owner(), false, request); }
  FileDialogResult saveFileDialog(const FileDialogRequest& request) { return showFileDialog(Owner(), true, request); }

  // Where Owner() is read: the call's form runner (ui/form_runner.h,
  // UseFormRunner sets both together); nullptr: none. The stack must stay
  // alive while it is set.
  void SetModalStack(const ModalStack* stack) { modal_ = stack; }
  // The owner of the system's own dialogs now: the window on top of the
  // modal stack; without a stack (no form can be open), the window active
  // in the calling thread.
  WindowHandle Owner() { return modal_ ? modal_->TopModalWindow() : activeWindow(); }

  virtual void beep(unsigned frequencyHz, unsigned durationMs) = 0;
  // The window that is active in the calling thread (GetActiveWindow).
  virtual WindowHandle activeWindow() = 0;

protected:
  // The implementations, given the owner that Owner() chose (0: none).
  virtual Answer showMessageBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                                Buttons buttons, Icon icon) = 0;
  virtual FileDialogResult showFileDialog(WindowHandle owner, bool save, const FileDialogRequest& request) = 0;

private:
  const ModalStack* modal_ = nullptr;
};

// Files and folders.
class FileSystem {
public:
  virtual ~FileSystem() = default;
  // A file (not a folder) exists at path / a folder exists at path.
  virtual bool fileExists(const std::wstring& path) = 0;
  virtual bool folderExists(const std::wstring& path) = 0;
  // Whole file as bytes; throws Error when it cannot be opened or read.
  virtual std::vector<std::uint8_t> readFile(const std::wstring& path) = 0;
  // The Windows folder (GetWindowsDirectoryW), without a trailing backslash.
  virtual std::wstring windowsDirectory() = 0;
  // Decodes 8-bit text in the system's ANSI code page.
  virtual std::wstring decodeAnsi(const std::uint8_t* data, std::size_t size) = 0;
};

// A clock for what depends on the user's pauses (a list's type-ahead
// ends when typing stops for a moment). Milliseconds since some fixed
// start; never goes back.
class Clock {
public:
  virtual ~Clock() = default;
  virtual std::uint64_t milliseconds() = 0;
};

// The system clipboard, as Unicode text. Each call opens and closes the
// clipboard; owner is the window that opens it (0: the task). A clipboard
// that stays busy (another program holds it open) raises Error.
class Clipboard {
public:
  virtual ~Clipboard() = default;
  // Replaces the clipboard's content by text.
  virtual void setText(WindowHandle owner, const std::wstring& text) = 0;
  // The text on the clipboard, empty when it holds none.
  virtual std::wstring text(WindowHandle owner) = 0;
};

class FormRunner;  // ui/form_runner.h: shows forms modally (Win32 or scripted user)

// Set forms with UseFormRunner (ui/form_runner.h), which also makes the
// runner the modal stack that system.Owner() reads.
struct Platform {
  Registry& registry;
  Shell& shell;
  SystemUi& system;
  FileSystem& files;
  Clock& clock;
  Clipboard& clipboard;
  FormRunner* forms = nullptr;
};

}  // namespace topaline
