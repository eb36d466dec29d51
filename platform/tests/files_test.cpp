#include "platform/files.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"

namespace topaline {
namespace {

TEST(FileFilter, LabelTextBecomesPairs) {
  struct Case {
    const wchar_t* text;
    std::vector<FileFilter> filters;
  };
  const Case cases[] = {
      {L"Fichiers texte (*.txt)|*.txt|Tous les fichiers|*.*",
       {{L"Fichiers texte (*.txt)", L"*.txt"}, {L"Tous les fichiers", L"*.*"}}},
      {L"Points|*.txt;*.csv", {{L"Points", L"*.txt;*.csv"}}},
      {L"GSI|*.gsi|Orphan", {{L"GSI", L"*.gsi"}}},  // a description with no pattern is dropped
      {L"Only", {}},
      {L"", {}},
      {L"a||c|d", {{L"a", L""}, {L"c", L"d"}}},
      {L"|*.x", {{L"", L"*.x"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseFileFilter(c.text), c.filters);
  }
}

TEST(FileFilter, FolderPartOfAPath) {
  EXPECT_EQ(FolderOf(L"C:\\data\\pts.txt"), L"C:\\data\\");
  EXPECT_EQ(FolderOf(L"C:pts.txt"), L"C:");
  EXPECT_EQ(FolderOf(L"d:/a/b.gsi"), L"d:/a/");
  EXPECT_EQ(FolderOf(L"pts.txt"), L"");
  EXPECT_EQ(FolderOf(L""), L"");
}

TEST(FileViewer, NotepadByFullPathWithTheFileQuoted) {
  ShellCommand c = FileViewerCommand(L"C:\\windows", L"C:\\Program Files\\pts 1.txt");
  EXPECT_EQ(c.program, L"C:\\windows\\notepad.exe");
  EXPECT_EQ(c.parameters, L"\"C:\\Program Files\\pts 1.txt\"");
  EXPECT_EQ(FileViewerCommand(L"D:\\WINNT\\", L"a.txt").program, L"D:\\WINNT\\notepad.exe");
}

TEST(FileViewer, StartsOnlyForAnExistingFile) {
  HeadlessPlatform hp;
  hp.files.windowsDir = L"C:\\win";
  hp.files.addFile(L"C:\\data\\pts.txt", std::string("1 2 3"));
  hp.files.addFolder(L"C:\\empty");
  for (const wchar_t* missing : {L"", L"C:\\data\\none.txt", L"C:\\data", L"C:\\empty", L"C:\\data\\pts.txt\" x"})
    ViewFile(hp.platform, missing);
  EXPECT_TRUE(hp.shell.launches.empty());
  ViewFile(hp.platform, L"C:\\data\\pts.txt");
  ASSERT_EQ(hp.shell.launches.size(), 1u);
  EXPECT_EQ(hp.shell.launches[0].program, L"C:\\win\\notepad.exe");
  EXPECT_EQ(hp.shell.launches[0].parameters, L"\"C:\\data\\pts.txt\"");
}

TEST(HeadlessFiles, FoldersExistWhenAddedOrHoldingAFile) {
  HeadlessFileSystem fs;
  fs.addFile(L"C:\\data\\sub\\pts.txt", std::string());
  fs.addFolder(L"D:\\empty\\");
  for (const wchar_t* p : {L"C:\\data", L"c:\\DATA\\", L"C:/data/sub", L"D:\\empty"}) EXPECT_TRUE(fs.folderExists(p)) << p;
  for (const wchar_t* p : {L"C:\\dat", L"C:\\data\\sub\\pts.txt", L"D:\\empty\\x", L""}) EXPECT_FALSE(fs.folderExists(p)) << p;
  EXPECT_FALSE(fs.fileExists(L"C:\\data"));
}

TEST(HeadlessFileDialogs, AnswersFromTheScriptAndRecordsEveryRequest) {
  HeadlessSystemUi ui;
  FileDialogRequest req;
  req.title = L"Ouvrir";
  req.filters = ParseFileFilter(L"T|*.txt|G|*.gsi");
  req.filterIndex = 2;
  req.initialFolder = L"C:\\data\\";
  req.defaultExtension = L"gsi";
  ui.fileAnswers.push_back({true, L"C:\\data\\a.gsi", 2});
  FileDialogResult first = ui.openFileDialog(req);
  EXPECT_TRUE(first.chosen);
  EXPECT_EQ(first.path, L"C:\\data\\a.gsi");
  // With the queue empty: the callback, then cancel.
  ui.onFileDialog = [](const HeadlessSystemUi::FileDialogCall& call) {
    return FileDialogResult{true, call.request.initialFolder + L"new.gsi", 1};
  };
  EXPECT_EQ(ui.saveFileDialog(req).path, L"C:\\data\\new.gsi");
  ui.onFileDialog = nullptr;
  EXPECT_FALSE(ui.saveFileDialog(req).chosen);
  ASSERT_EQ(ui.fileDialogs.size(), 3u);
  EXPECT_FALSE(ui.fileDialogs[0].save);
  EXPECT_TRUE(ui.fileDialogs[1].save);
  EXPECT_EQ(ui.fileDialogs[0].request.filters.size(), 2u);
  EXPECT_EQ(ui.fileDialogs[0].request.filterIndex, 2);
  EXPECT_EQ(ui.fileDialogs[2].request.defaultExtension, L"gsi");
  EXPECT_FALSE(ui.fileDialogs[2].answer.chosen);
}

}  // namespace
}  // namespace topaline
