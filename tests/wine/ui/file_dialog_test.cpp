// The system's open-file and save-file dialogs as the platform shows them:
// found and answered by the test driver as a person would (a name typed
// into the field, Open / Save pressed), the chosen path coming back.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/files.h"
#include "tests/wine/driver/window_driver.h"
#include "tests/wine/ui/driver.h"
#include "win32/platform/win32_platform.h"

using namespace topaline;

namespace {

std::wstring CurrentFolder() {
  wchar_t buffer[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, buffer);
  return buffer;
}

// A fresh folder under the temporary one, with one points file in it.
struct Folder {
  Folder() {
    wchar_t tmp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, tmp);
    path = std::wstring(tmp) + L"topaline_files_" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(path.c_str(), nullptr);
    HANDLE h = CreateFileW((path + L"\\pts.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, "1 2 3\r\n", 7, &written, nullptr);
    CloseHandle(h);
  }
  ~Folder() {
    DeleteFileW((path + L"\\pts.txt").c_str());
    RemoveDirectoryW(path.c_str());
  }
  std::wstring path;
};

bool SamePath(const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) == 0; }

TEST(Win32FileDialogs, OpenAndSaveAppearAndReturnTheTypedFile) {
  Folder folder;
  Win32SystemUi ui;
  Win32FileSystem files;
  EXPECT_TRUE(files.folderExists(folder.path));
  EXPECT_FALSE(files.folderExists(folder.path + L"\\pts.txt"));
  EXPECT_FALSE(files.fileExists(folder.path));
  const std::wstring before = CurrentFolder();

  FileDialogRequest open;
  open.title = L"Charger un fichier de points";
  open.filters = ParseFileFilter(L"Fichiers texte|*.txt|Tous les fichiers|*.*");
  open.initialFolder = folder.path;
  FileDialogResult opened;
  std::wstring failure;
  wine_ui::RunScripted(
      [&] {
        try {
          topaline::winedriver::AnswerFileDialog(L"Charger un fichier", L"pts.txt");
        } catch (const topaline::winedriver::Failure& f) {
          failure = f.what;
        }
      },
      [&] { opened = ui.openFileDialog(open); });
  EXPECT_EQ(failure, L"");
  EXPECT_TRUE(opened.chosen);
  EXPECT_TRUE(SamePath(opened.path, folder.path + L"\\pts.txt")) << opened.path;
  EXPECT_EQ(opened.filterIndex, 1);

  FileDialogRequest save;
  save.title = L"Enregistrer des points";
  save.filters = ParseFileFilter(L"GSI|*.gsi|Tous les fichiers|*.*");
  save.filterIndex = 1;
  save.initialFolder = folder.path;
  save.defaultExtension = L"gsi";
  FileDialogResult saved;
  wine_ui::RunScripted(
      [&] {
        try {
          topaline::winedriver::AnswerFileDialog(L"Enregistrer des points", L"nouveau");
        } catch (const topaline::winedriver::Failure& f) {
          failure = f.what;
        }
      },
      [&] { saved = ui.saveFileDialog(save); });
  EXPECT_EQ(failure, L"");
  EXPECT_TRUE(saved.chosen);
  EXPECT_TRUE(SamePath(saved.path, folder.path + L"\\nouveau.gsi")) << saved.path;
  EXPECT_FALSE(files.fileExists(saved.path));  // nothing is written
  EXPECT_EQ(CurrentFolder(), before);          // the host's current folder stays
}

}  // namespace
