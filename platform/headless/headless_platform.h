// In-memory implementations of the platform services, for native tests:
// a registry, a shell that records what it was asked to start, a system
// UI that answers from a script and records every box and beep, and a
// file system of path -> bytes.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/platform.h"

namespace topaline {

// A failure switch of a headless service, for fault-injection tests. Off,
// every operation of its kind succeeds. Armed with FailAfter(n), the next
// n succeed and every later one fails as the system's would: an Error
// naming what failed, then the reason. Off() disarms it.
class HeadlessFault {
public:
  void FailAfter(int successes, std::wstring reason = L"Access is denied.") {
    left_ = successes;
    reason_ = std::move(reason);
  }
  void Off() { left_ = -1; }
  bool Armed() const { return left_ >= 0; }
  // Called by the service before an operation; what describes it.
  void Check(const std::wstring& what) {
    if (left_ < 0) return;
    if (left_ > 0) {
      --left_;
      return;
    }
    ++failures;
    throw Error(what + L" " + reason_);
  }
  int failures = 0;  // operations refused so far

private:
  int left_ = -1;
  std::wstring reason_;
};

// HKEY_CURRENT_USER in memory. Key paths and value names are compared
// without regard to case, folded as the registry folds them (name_fold.h);
// values enumerate in the order they were first written, and a write to a
// value keeps the name it was created with. Opening a key with create also
// creates its missing parents. Every open handle of a key sees the same
// values.
class HeadlessRegistry final : public Registry {
public:
  struct Value {
    std::wstring name;
    RegType type = RegType::String;
    std::wstring text;                 // String
    std::uint32_t dword = 0;           // Dword
    std::vector<std::uint8_t> bytes;   // Binary and Other
  };
  struct KeyData {
    std::wstring path;  // as first created
    std::vector<Value> values;
  };

  std::unique_ptr<RegistryKey> open(const std::wstring& path, bool create) override;

  bool keyExists(const std::wstring& path) const;
  // Test set-up shortcuts (create the key as needed).
  void setString(const std::wstring& path, const std::wstring& name, const std::wstring& value);
  void setDword(const std::wstring& path, const std::wstring& name, std::uint32_t value);
  void setBinary(const std::wstring& path, const std::wstring& name, std::vector<std::uint8_t> value);
  // A value of a type the interface does not read (REG_MULTI_SZ, ...).
  void setOther(const std::wstring& path, const std::wstring& name);
  // nullptr when the key or the value is missing.
  const Value* value(const std::wstring& path, const std::wstring& name) const;
  // Paths of every key, in creation order.
  std::vector<std::wstring> keyPaths() const;

  // Value writes and deletions through open keys (the set-up shortcuts
  // above always succeed).
  HeadlessFault writes;

private:
  std::shared_ptr<KeyData> key(const std::wstring& path, bool create);
  std::map<std::wstring, std::shared_ptr<KeyData>> keys_;  // folded path -> key
  std::vector<std::wstring> order_;
};

class HeadlessShell final : public Shell {
public:
  struct Launch {
    std::wstring program;
    std::wstring parameters;
  };
  // Records the start, or fails as a refused start does when starts is
  // armed (nothing recorded).
  void execute(const std::wstring& program, const std::wstring& parameters) override;
  std::vector<Launch> launches;
  HeadlessFault starts;
};

class HeadlessSystemUi final : public SystemUi {
public:
  struct Box {
    WindowHandle owner = 0;
    std::wstring text;
    std::wstring caption;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    Answer answer = Answer::Ok;
  };
  struct BeepCall {
    unsigned frequencyHz = 0;
    unsigned durationMs = 0;
  };

  void beep(unsigned frequencyHz, unsigned durationMs) override;
  WindowHandle activeWindow() override { return active; }

  // Answers given in order. When the queue is empty, onBox decides when
  // set; otherwise an OK box answers Ok and a yes/no box No.
  std::deque<Answer> answers;
  std::function<Answer(const Box&)> onBox;

  std::vector<Box> boxes;  // every box shown, with the answer it got

  // File dialogs: answered in order from fileAnswers, then by
  // onFileDialog when set; otherwise cancelled. Every request is recorded
  // with the answer it got.
  struct FileDialogCall {
    bool save = false;
    WindowHandle owner = 0;  // as Owner() chose it
    FileDialogRequest request;
    FileDialogResult answer;
  };
  std::deque<FileDialogResult> fileAnswers;
  std::function<FileDialogResult(const FileDialogCall&)> onFileDialog;
  std::vector<FileDialogCall> fileDialogs;
  std::vector<BeepCall> beeps;
  WindowHandle active = 0;

protected:
  // Box::owner and FileDialogCall::owner record the owner Owner() chose.
  Answer showMessageBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption, Buttons buttons,
                        Icon icon) override;
  FileDialogResult showFileDialog(WindowHandle owner, bool save, const FileDialogRequest& request) override;
};

// Files in memory. Paths compare without regard to case; "/" and "\" are
// the same. 8-bit text decodes as Windows-1252.
class HeadlessFileSystem final : public FileSystem {
public:
  bool fileExists(const std::wstring& path) override;
  // An added folder, or a folder that holds an added file.
  bool folderExists(const std::wstring& path) override;
  std::vector<std::uint8_t> readFile(const std::wstring& path) override;
  std::wstring windowsDirectory() override { return windowsDir; }
  std::wstring decodeAnsi(const std::uint8_t* data, std::size_t size) override;

  void addFile(const std::wstring& path, std::vector<std::uint8_t> bytes);
  void addFile(const std::wstring& path, const std::string& bytes);
  void removeFile(const std::wstring& path);
  // A file that exists but cannot be read (fileExists true, readFile fails).
  void addUnreadableFile(const std::wstring& path);
  void addFolder(const std::wstring& path);

  std::wstring windowsDir = L"C:\\windows";

private:
  struct Entry {
    std::vector<std::uint8_t> bytes;
    bool readable = true;
  };
  std::map<std::wstring, Entry> files_;  // normalised path -> file
  std::vector<std::wstring> folders_;    // normalised, no trailing "\"
};

// A clock that moves only when the test says so.
class HeadlessClock final : public Clock {
public:
  std::uint64_t milliseconds() override { return now; }
  void advance(std::uint64_t ms) { now += ms; }
  std::uint64_t now = 1000;
};

// A clipboard of one text. Writes fail as a busy clipboard does when
// writes is armed (the content stays).
class HeadlessClipboard final : public Clipboard {
public:
  void setText(WindowHandle owner, const std::wstring& text) override;
  std::wstring text(WindowHandle) override { return content; }
  std::wstring content;
  WindowHandle lastOwner = 0;
  HeadlessFault writes;
};

// The services bundled; platform refers to them.
struct HeadlessPlatform {
  HeadlessPlatform() = default;
  HeadlessPlatform(const HeadlessPlatform&) = delete;
  HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

  HeadlessRegistry registry;
  HeadlessShell shell;
  HeadlessSystemUi system;
  HeadlessFileSystem files;
  HeadlessClock clock;
  HeadlessClipboard clipboard;
  Platform platform{registry, shell, system, files, clock, clipboard};
};

}  // namespace topaline
