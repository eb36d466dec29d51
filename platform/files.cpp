#include "platform/files.h"

namespace topaline {

std::vector<FileFilter> ParseFileFilter(std::wstring_view text) {
  std::vector<FileFilter> filters;
  if (text.empty()) return filters;
  std::vector<std::wstring> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t bar = text.find(L'|', start);
    parts.emplace_back(text.substr(start, bar == std::wstring_view::npos ? std::wstring_view::npos : bar - start));
    if (bar == std::wstring_view::npos) break;
    start = bar + 1;
  }
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) filters.push_back({parts[i], parts[i + 1]});
  return filters;
}

std::wstring FolderOf(std::wstring_view path) {
  const std::size_t at = path.find_last_of(L"\\/:");
  return at == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, at + 1));
}

ShellCommand FileViewerCommand(const std::wstring& windowsDirectory, const std::wstring& path) {
  std::wstring dir = windowsDirectory;
  while (!dir.empty() && (dir.back() == L'\\' || dir.back() == L'/')) dir.pop_back();
  return {dir + L"\\notepad.exe", L"\"" + path + L"\""};
}

void ViewFile(Platform& platform, const std::wstring& path) {
  // Windows file names never hold a quote: such a text could only break
  // out of the quoted parameter.
  if (path.empty() || path.find(L'"') != std::wstring::npos) return;
  if (!platform.files.fileExists(path)) return;
  const ShellCommand cmd = FileViewerCommand(platform.files.windowsDirectory(), path);
  platform.shell.execute(cmd.program, cmd.parameters);
}

}  // namespace topaline
