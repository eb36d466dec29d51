// Portable helpers around the file services of the platform: the type
// list of a file dialog from a label text, the folder part of a path,
// and the viewer the "view in Notepad" buttons start.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace topaline {

// "Text files|*.txt|All files|*.*" -> (Text files, *.txt), (All files, *.*).
// A last description with no pattern after it is dropped (the system
// dialog would ignore it); empty parts are kept as they are.
std::vector<FileFilter> ParseFileFilter(std::wstring_view text);

// The folder part of a path, up to and including its last "\", "/" or
// ":" ("C:\data\pts.txt" -> "C:\data\"); empty when it has none.
std::wstring FolderOf(std::wstring_view path);

struct ShellCommand {
  std::wstring program;
  std::wstring parameters;
};

// Notepad by its full path in the Windows folder (never by bare name,
// which a writable current folder could shadow), the file quoted as its
// only parameter.
ShellCommand FileViewerCommand(const std::wstring& windowsDirectory, const std::wstring& path);

// Opens the file in Notepad when a file exists at path (exactly as
// given); otherwise nothing happens. Neither waits nor checks the start.
// A path with a quote in it names no file and starts nothing.
void ViewFile(Platform& platform, const std::wstring& path);

}  // namespace topaline
