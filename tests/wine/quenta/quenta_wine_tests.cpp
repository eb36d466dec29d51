// quenta.exe driven as a user would, under Wine: a CAD stand-in plays the
// target window and its command line, controls are found by their
// "ComponentName" property and operated through window messages.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/wine/driver/window_driver.h"

namespace {

constexpr wchar_t kKeyPath[] = L"Software\\Norvel\\topaline3";
const std::wstring kTwelve = L"(tpx:point \"12\") ";

std::wstring Here() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p = path;
  return p.substr(0, p.find_last_of(L"\\/") + 1);
}

bool WaitFor(const std::function<bool()>& condition, int ms = 5000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    Sleep(20);
  }
  return condition();
}

// The product key ----------------------------------------------------------

HKEY Key() {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  return key;
}

void SetDword(const wchar_t* name, DWORD value) {
  HKEY k = Key();
  RegSetValueExW(k, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(k);
}

void SetString(const wchar_t* name, const std::wstring& value) {
  HKEY k = Key();
  RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(k);
}

bool GetDword(const wchar_t* name, DWORD& value) {
  HKEY k = Key();
  DWORD size = sizeof value, type = 0;
  const LONG rc = RegQueryValueExW(k, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(k);
  return rc == ERROR_SUCCESS && type == REG_DWORD;
}

void ResetKey() {
  HKEY k = Key();
  for (const wchar_t* name : {L"xpos", L"ypos", L"tempo", L"tempook", L"increment", L"langue"})
    RegDeleteValueW(k, name);
  RegCloseKey(k);
}

// Windows of other processes --------------------------------------------------

using topaline::winedriver::FindControl;
using topaline::winedriver::ScreenReaderFaults;

std::wstring Text(HWND w) {
  wchar_t buffer[1024] = {};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(w, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, &result);
  return buffer;
}

std::vector<std::wstring> ComboItems(HWND combo) {
  std::vector<std::wstring> items;
  const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t buffer[256] = {};
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
    items.emplace_back(buffer);
  }
  return items;
}

void Click(HWND button, UINT down, UINT up, POINT at = {6, 6}) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  if (down) PostMessageW(button, down, MK_LBUTTON, where);
  PostMessageW(button, up, 0, where);
}
void LeftClick(HWND button) { Click(button, WM_LBUTTONDOWN, WM_LBUTTONUP); }
void RightClick(HWND button, POINT at = {6, 6}) { Click(button, WM_RBUTTONDOWN, WM_RBUTTONUP, at); }

std::wstring StoredIncrement() {
  HKEY k = Key();
  wchar_t value[64] = {};
  DWORD size = sizeof value;
  RegQueryValueExW(k, L"increment", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(k);
  return value;
}

struct Process {
  PROCESS_INFORMATION info{};
  bool start(const std::wstring& exe, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + Here() + exe + L"\" " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    // Wine now and then refuses a start while the previous test's
    // processes are still going away: try again before giving up.
    for (int attempt = 0; attempt < 5; ++attempt) {
      if (CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info))
        return true;
      lastError = GetLastError();
      Sleep(300);
    }
    return false;
  }
  DWORD lastError = 0;
  bool running() const { return info.hProcess && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT; }
  bool waitExit(int ms) const { return !info.hProcess || WaitForSingleObject(info.hProcess, ms) == WAIT_OBJECT_0; }
  DWORD exitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    return code;
  }
  void kill() {
    if (running()) {
      TerminateProcess(info.hProcess, 1);
      WaitForSingleObject(info.hProcess, 5000);
    }
  }
  ~Process() {
    kill();
    if (info.hProcess) CloseHandle(info.hProcess);
    if (info.hThread) CloseHandle(info.hThread);
  }
};

// A window of the given class that belongs to the process.
HWND FindProcessWindow(const Process& p, const wchar_t* cls) {
  struct Search {
    DWORD pid;
    const wchar_t* cls;
    HWND found;
  } search{p.info.dwProcessId, cls, nullptr};
  EnumWindows(
      [](HWND w, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        wchar_t cls[64] = {};
        GetClassNameW(w, cls, 64);
        if (pid == s->pid && lstrcmpW(cls, s->cls) == 0) {
          s->found = w;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The process's top-level windows, for failure messages.
std::string Describe(const Process& p) {
  struct Search {
    DWORD pid;
    std::wstring text;
  } search{p.info.dwProcessId, L""};
  EnumWindows(
      [](HWND w, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid != s->pid) return TRUE;
        wchar_t cls[64] = {}, title[256] = {};
        GetClassNameW(w, cls, 64);
        GetWindowTextW(w, title, 256);
        s->text += std::wstring(L"\n  ") + cls + L" \"" + title + L"\"" + (IsWindowVisible(w) ? L" visible" : L"");
        HWND child = GetDlgItem(w, 0xFFFF);
        if (child) {
          wchar_t message[512] = {};
          GetWindowTextW(child, message, 512);
          s->text += std::wstring(L": ") + message;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return testing::PrintToString(search.text);
}

std::string DesktopName() {
  wchar_t name[256] = {};
  GetUserObjectInformationW(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name, sizeof name, nullptr);
  return testing::PrintToString(std::wstring(name));
}

int CountWindows(const wchar_t* cls) {
  int count = 0;
  HWND w = nullptr;
  while ((w = FindWindowExW(nullptr, w, cls, nullptr)) != nullptr) ++count;
  return count;
}

// The fixture: a CAD stand-in, then quenta targeting it ----------------------

class Quenta : public ::testing::Test {
protected:
  void SetUp() override { ResetKey(); }

  void TearDown() override {
    if (quenta.running() && form) PostMessageW(form, WM_CLOSE, 0, 0);
    quenta.waitExit(3000);
    quenta.kill();
    if (cad) PostMessageW(cad, WM_CLOSE, 0, 0);
    standin.waitExit(3000);
    standin.kill();
  }

  void startCad(const std::wstring& arguments = L"") {
    ASSERT_TRUE(standin.start(L"cad_standin.exe", arguments)) << "error " << standin.lastError;
    ASSERT_TRUE(WaitFor([&] { return (cad = FindProcessWindow(standin, L"TopalineCadStandin")) != nullptr; }))
        << "stand-in running: " << standin.running() << " exit code " << standin.exitCode() << " desktop "
        << DesktopName() << " windows " << Describe(standin);
    ASSERT_TRUE(WaitFor([&] { return (commandLine = FindControl(cad, L"CommandLine")) != nullptr; }));
    other = FindProcessWindow(standin, L"TopalineOtherProgram");
    ASSERT_TRUE(other) << "no other program window";
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == cad; }));
  }

  void startQuenta() {
    ASSERT_TRUE(quenta.start(L"quenta.exe", std::to_wstring(reinterpret_cast<ULONG_PTR>(cad))));
    ASSERT_TRUE(WaitFor([&] { return (form = FindProcessWindow(quenta, L"TForm1")) != nullptr; }));
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(form) != FALSE; }));
    ASSERT_TRUE(WaitFor([&] { return (edit1 = FindControl(form, L"Edit1")) != nullptr; }));
    edNum = FindControl(form, L"edNum");
    ASSERT_TRUE(edNum && edit1);
    for (const wchar_t* name : {L"ToolButton1", L"ToolButton12", L"ToolButton14", L"ToolButton15"})
      ASSERT_TRUE(FindControl(form, name)) << "missing " << std::string(name, name + lstrlenW(name));
  }

  HWND button(const wchar_t* name) { return FindControl(form, name); }
  HWND digit(int index) { return button((L"ToolButton" + std::to_wstring(index + 1)).c_str()); }

  void setNumber(const std::wstring& text) { SendMessageW(edNum, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); }

  bool typed(const std::wstring& text, int ms = 5000) {
    return WaitFor([&] { return Text(commandLine) == text; }, ms);
  }

  Process standin;
  Process quenta;
  HWND cad = nullptr;
  HWND commandLine = nullptr;
  HWND other = nullptr;
  HWND form = nullptr;
  HWND edNum = nullptr;
  HWND edit1 = nullptr;
};

using Typing = Quenta;
using Lifetime = Quenta;
using Dpi = Quenta;

TEST_F(Typing, ValidNumberIsTypedIntoTheCommandLine) {
  SetString(L"increment", L"5");
  ASSERT_NO_FATAL_FAILURE(startCad());
  ASSERT_NO_FATAL_FAILURE(startQuenta());
  EXPECT_EQ(Text(edit1), L"5");
  setNumber(L"12");
  LeftClick(button(L"ToolButton14"));
  EXPECT_TRUE(typed(kTwelve)) << "got: " << testing::PrintToString(Text(commandLine)) << Describe(quenta);
  EXPECT_EQ(Text(edNum), L"");
  EXPECT_EQ(ComboItems(edNum), std::vector<std::wstring>{L"12"});
  EXPECT_EQ(Text(FindControl(other, L"OtherEdit")), L"");
}

TEST_F(Typing, HistoryEnterAndDigitButtons) {
  ASSERT_NO_FATAL_FAILURE(startCad());
  ASSERT_NO_FATAL_FAILURE(startQuenta());
  HWND edit = GetWindow(edNum, GW_CHILD);
  ASSERT_TRUE(edit);
  setNumber(L"12");
  PostMessageW(edit, WM_KEYUP, VK_RETURN, 0xC0000001);  // Enter released
  ASSERT_TRUE(typed(kTwelve));
  setNumber(L"12");
  LeftClick(button(L"ToolButton14"));
  ASSERT_TRUE(typed(kTwelve + kTwelve));
  setNumber(L"  7 ");
  LeftClick(button(L"ToolButton14"));
  ASSERT_TRUE(typed(kTwelve + kTwelve + L"(tpx:point \"7\") "));
  EXPECT_EQ(ComboItems(edNum), (std::vector<std::wstring>{L"12", L"7"}));

  // "1", "2", "," and "5" clicked in turn, then a right-click on a digit sends.
  for (int index : {1, 2, 10, 5}) LeftClick(digit(index));
  ASSERT_TRUE(WaitFor([&] { return Text(edNum) == L"12,5"; })) << testing::PrintToString(Text(edNum));
  RightClick(digit(9));
  ASSERT_TRUE(typed(kTwelve + kTwelve + L"(tpx:point \"7\") (tpx:point \"12,5\") "));
  EXPECT_EQ(ComboItems(edNum), (std::vector<std::wstring>{L"12", L"7", L"12,5"}));

  // A right-click in the number field sends it too (no context menu), on
  // its text part as on its drop-down button.
  setNumber(L"8");
  RightClick(edit);
  ASSERT_TRUE(typed(kTwelve + kTwelve + L"(tpx:point \"7\") (tpx:point \"12,5\") (tpx:point \"8\") "));
  EXPECT_EQ(ComboItems(edNum), (std::vector<std::wstring>{L"12", L"7", L"12,5", L"8"}));
  RECT combo{};
  GetClientRect(edNum, &combo);
  setNumber(L"9");
  RightClick(edNum, {combo.right - 5, combo.bottom / 2});
  ASSERT_TRUE(typed(kTwelve + kTwelve + L"(tpx:point \"7\") (tpx:point \"12,5\") (tpx:point \"8\") (tpx:point \"9\") "))
      << testing::PrintToString(Text(commandLine));
  EXPECT_EQ(ComboItems(edNum), (std::vector<std::wstring>{L"12", L"7", L"12,5", L"8", L"9"}));
}

// Automation and accessibility tools press buttons with BM_CLICK: the tool
// buttons answer it as a left click does.
TEST_F(Typing, ToolButtonsAnswerBmClick) {
  ASSERT_NO_FATAL_FAILURE(startCad());
  ASSERT_NO_FATAL_FAILURE(startQuenta());
  for (int index : {1, 2, 10, 5}) PostMessageW(digit(index), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return Text(edNum) == L"12,5"; })) << testing::PrintToString(Text(edNum));
  PostMessageW(button(L"ToolButton14"), BM_CLICK, 0, 0);
  ASSERT_TRUE(typed(L"(tpx:point \"12,5\") ")) << testing::PrintToString(Text(commandLine));
  EXPECT_EQ(ComboItems(edNum), std::vector<std::wstring>{L"12,5"});

  PostMessageW(button(L"ToolButton15"), BM_CLICK, 0, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    dialog = FindProcessWindow(quenta, L"TForm2");
    return dialog && IsWindowVisible(dialog);
  }));
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog) && IsWindowEnabled(form); }));
}

TEST_F(Typing, IncrementFieldAndEnglishTexts) {
  SetString(L"langue", L"en");
  SetString(L"increment", L"2");
  ASSERT_NO_FATAL_FAILURE(startCad());
  ASSERT_NO_FATAL_FAILURE(startQuenta());
  HWND dialog = FindProcessWindow(quenta, L"TForm2");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(Text(dialog), L"Adjust temporization");
  EXPECT_EQ(Text(FindControl(dialog, L"BitBtn1")), L"Close");
  EXPECT_EQ(Text(FindControl(dialog, L"Label1")), L"Min");

  // Clicking into Edit1 then back into edNum leaves the increment field.
  HWND numberEdit = GetWindow(edNum, GW_CHILD);
  const auto leaveWith = [&](const std::wstring& text) {
    PostMessageW(edit1, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageW(edit1, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    Sleep(100);
    SendMessageW(edit1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    PostMessageW(numberEdit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageW(numberEdit, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  };
  const auto stored = StoredIncrement;
  leaveWith(L" 5 ");
  EXPECT_TRUE(WaitFor([&] { return stored() == L"5"; })) << testing::PrintToString(stored());
  EXPECT_EQ(Text(edit1), L"5");
  leaveWith(L"0");
  EXPECT_TRUE(WaitFor([&] { return Text(edit1) == L"1"; })) << testing::PrintToString(Text(edit1));
  EXPECT_EQ(stored(), L"5");
}

// Screen readers: both windows name each field after the label just
// before it and every picture button by its text, in the interface
// language; the labels take no room.
TEST_F(Typing, ScreenReadersNameEveryControl) {
  SetString(L"langue", L"es");
  ASSERT_NO_FATAL_FAILURE(startCad());
  ASSERT_NO_FATAL_FAILURE(startQuenta());
  HWND dialog = FindProcessWindow(quenta, L"TForm2");
  ASSERT_TRUE(dialog);
  for (HWND w : {form, dialog})
    for (const std::wstring& fault : ScreenReaderFaults(w)) ADD_FAILURE() << testing::PrintToString(fault);
  EXPECT_EQ(Text(GetWindow(edNum, GW_HWNDPREV)), L"Número del punto");
  EXPECT_EQ(Text(GetWindow(edit1, GW_HWNDPREV)), L"Incremento");
  EXPECT_EQ(Text(GetWindow(FindControl(dialog, L"TrackBar1"), GW_HWNDPREV)), L"Retardo de escritura");
  EXPECT_EQ(Text(button(L"ToolButton14")), L"Escribir el número");
  RECT r{};
  GetWindowRect(FindControl(form, L"LabNum"), &r);
  EXPECT_TRUE(IsRectEmpty(&r));
  EXPECT_EQ(Text(dialog), L" Réglage de la temporisation");  // the texts shown stay French
}

// The pointer passing over the window and away makes the timer give the
// keyboard to the tool window and back to the CAD window. Losing the
// activation is not leaving Edit1, and the "1" the program puts back after
// a refused increment is never stored as if the user had typed it.
TEST_F(Typing, IncrementIsNotLeftWhenTheWindowLosesTheKeyboard) {
  SetString(L"increment", L"5");
  ASSERT_NO_FATAL_FAILURE(startCad());
  ASSERT_NO_FATAL_FAILURE(startQuenta());
  RECT r{};
  GetWindowRect(form, &r);
  const POINT over{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  const POINT away{r.left - 100 > 0 ? r.left - 100 : r.right + 100, r.top};
  const auto pointerTo = [&](POINT p, HWND expectedFront) {
    SetCursorPos(p.x, p.y);
    return WaitFor([&] { return GetForegroundWindow() == expectedFront; });
  };
  const auto passOverAndAway = [&] {
    EXPECT_TRUE(pointerTo(over, form));
    EXPECT_TRUE(pointerTo(away, cad));
    Sleep(300);
  };
  const auto clickInto = [&](HWND field) {
    PostMessageW(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageW(field, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    Sleep(100);
  };

  ASSERT_TRUE(pointerTo(over, form));
  clickInto(edit1);
  SendMessageW(edit1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"0"));
  // A digit button takes no focus: the field is not left by it either.
  LeftClick(digit(3));
  ASSERT_TRUE(WaitFor([&] { return Text(edNum) == L"3"; }));
  EXPECT_EQ(Text(edit1), L"0");
  ASSERT_TRUE(pointerTo(away, cad));
  Sleep(300);
  EXPECT_EQ(Text(edit1), L"0");  // still being typed: not left
  EXPECT_EQ(StoredIncrement(), L"5");
  passOverAndAway();
  EXPECT_EQ(Text(edit1), L"0");
  EXPECT_EQ(StoredIncrement(), L"5");

  // Clicking into edNum leaves it: refused, "1" shown, 5 kept.
  ASSERT_TRUE(pointerTo(over, form));
  clickInto(GetWindow(edNum, GW_CHILD));
  EXPECT_TRUE(WaitFor([&] { return Text(edit1) == L"1"; })) << testing::PrintToString(Text(edit1));
  EXPECT_EQ(StoredIncrement(), L"5");
  ASSERT_TRUE(pointerTo(away, cad));
  passOverAndAway();
  passOverAndAway();
  EXPECT_EQ(Text(edit1), L"1");
  EXPECT_EQ(StoredIncrement(), L"5");
}

TEST_F(Typing, CapsLockIsSwitchedOffWhileTyping) {
  ASSERT_NO_FATAL_FAILURE(startCad());
  ASSERT_NO_FATAL_FAILURE(startQuenta());
  const auto capsOn = [] { return (GetKeyState(VK_CAPITAL) & 1) != 0; };
  if (!capsOn()) {
    keybd_event(VK_CAPITAL, 0, 0, 0);
    keybd_event(VK_CAPITAL, 0, KEYEVENTF_KEYUP, 0);
  }
  ASSERT_TRUE(WaitFor([&] { return capsOn(); }));
  setNumber(L"12");
  LeftClick(button(L"ToolButton14"));
  EXPECT_TRUE(typed(kTwelve)) << testing::PrintToString(Text(commandLine));
  EXPECT_TRUE(WaitFor([&] { return capsOn(); }));  // restored
  keybd_event(VK_CAPITAL, 0, 0, 0);
  keybd_event(VK_CAPITAL, 0, KEYEVENTF_KEYUP, 0);
  EXPECT_TRUE(WaitFor([&] { return !capsOn(); }));
}

TEST_F(Typing, RefusedNumberIsNotTyped) {
  ASSERT_NO_FATAL_FAILURE(startCad());
  ASSERT_NO_FATAL_FAILURE(startQuenta());
  for (const wchar_t* refused : {L"-3", L"5,", L"1 2"}) {
    setNumber(refused);
    LeftClick(button(L"ToolButton14"));
    Sleep(600);
    EXPECT_EQ(Text(commandLine), L"");
    EXPECT_EQ(Text(edNum), refused);
  }
  EXPECT_TRUE(ComboItems(edNum).empty());
}

TEST_F(Typing, StopsWhenAnotherWindowComesToTheFront) {
  SetDword(L"tempo", 40);
  ASSERT_NO_FATAL_FAILURE(startCad(L"--steal-after 5"));
  ASSERT_NO_FATAL_FAILURE(startQuenta());
  setNumber(L"44");
  LeftClick(button(L"ToolButton14"));
  ASSERT_TRUE(WaitFor([&] { return Text(commandLine).size() >= 5; }));
  // The number goes back into the field once typing has stopped.
  ASSERT_TRUE(WaitFor([&] { return Text(edNum) == L"44"; })) << testing::PrintToString(Text(commandLine));
  Sleep(300);
  const std::wstring received = Text(commandLine);
  EXPECT_GE(received.size(), 5u);
  EXPECT_LT(received.size(), 10u) << testing::PrintToString(received);
  EXPECT_EQ(std::wstring(L"(tpx:point \"44\") ").rfind(received, 0), 0u) << testing::PrintToString(received);
  EXPECT_EQ(Text(FindControl(other, L"OtherEdit")), L"");
  EXPECT_TRUE(ComboItems(edNum).empty());
}

TEST_F(Typing, DelayDialogSetsTheDelay) {
  SetString(L"langue", L"es");
  ASSERT_NO_FATAL_FAILURE(startCad());
  ASSERT_NO_FATAL_FAILURE(startQuenta());
  HWND dialog = nullptr;
  const auto open = [&] {
    LeftClick(button(L"ToolButton15"));
    return WaitFor([&] {
      dialog = FindProcessWindow(quenta, L"TForm2");
      return dialog && IsWindowVisible(dialog);
    });
  };
  ASSERT_TRUE(open());
  EXPECT_EQ(Text(dialog), L" Réglage de la temporisation");
  HWND track = FindControl(dialog, L"TrackBar1");
  HWND close = FindControl(dialog, L"BitBtn1");
  ASSERT_TRUE(track && close);
  EXPECT_EQ(Text(close), L"Fermer");
  EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), 10);  // nothing stored yet
  EXPECT_FALSE(IsWindowEnabled(form));
  SendMessageW(track, TBM_SETPOS, TRUE, 0);
  PostMessageW(close, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
  DWORD tempo = 99, tempook = 0;
  EXPECT_TRUE(GetDword(L"tempo", tempo));
  EXPECT_TRUE(GetDword(L"tempook", tempook));
  EXPECT_EQ(tempo, 0u);
  EXPECT_EQ(tempook, 1u);

  // Moved then abandoned with the close box: nothing changes.
  ASSERT_TRUE(open());
  SendMessageW(track, TBM_SETPOS, TRUE, 70);
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
  EXPECT_TRUE(GetDword(L"tempo", tempo));
  EXPECT_EQ(tempo, 0u);
  ASSERT_TRUE(open());
  EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), 0);
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog) && IsWindowEnabled(form); }));

  // Typing goes on with no delay.
  setNumber(L"12");
  LeftClick(button(L"ToolButton14"));
  EXPECT_TRUE(typed(kTwelve));
}

TEST_F(Lifetime, SecondStartBringsTheRunningWindowForward) {
  ASSERT_NO_FATAL_FAILURE(startCad());
  ASSERT_NO_FATAL_FAILURE(startQuenta());
  Process second;
  ASSERT_TRUE(second.start(L"quenta.exe", L"not-a-handle"));
  ASSERT_TRUE(second.waitExit(10000));
  EXPECT_EQ(second.exitCode(), 0u);  // no message, no window of its own
  EXPECT_EQ(CountWindows(L"TForm1"), 1);
  EXPECT_TRUE(quenta.running());
  // The running instance keeps its target.
  setNumber(L"12");
  LeftClick(button(L"ToolButton14"));
  EXPECT_TRUE(typed(kTwelve));
}

TEST_F(Lifetime, UserCloseStoresThePosition) {
  SetDword(L"xpos", 300);
  SetDword(L"ypos", 150);
  ASSERT_NO_FATAL_FAILURE(startCad());
  ASSERT_NO_FATAL_FAILURE(startQuenta());
  RECT r{};
  GetWindowRect(form, &r);
  EXPECT_EQ(r.left, 300);
  EXPECT_EQ(r.top, 150);
  SetWindowPos(form, nullptr, 310, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(quenta.waitExit(5000));
  DWORD x = 0, y = 0;
  EXPECT_TRUE(GetDword(L"xpos", x));
  EXPECT_TRUE(GetDword(L"ypos", y));
  EXPECT_EQ(x, 310u);
  EXPECT_EQ(y, 160u);
}

TEST_F(Lifetime, EndsWhenTheCadWindowDisappears) {
  ASSERT_NO_FATAL_FAILURE(startCad());
  ASSERT_NO_FATAL_FAILURE(startQuenta());
  PostMessageW(cad, WM_CLOSE, 0, 0);
  ASSERT_TRUE(quenta.waitExit(3000));
  DWORD x = 0;
  EXPECT_FALSE(GetDword(L"xpos", x));  // not a user close: nothing stored
}

TEST_F(Lifetime, DesignPositionAndKeptOnScreen) {
  ASSERT_NO_FATAL_FAILURE(startCad());
  ASSERT_NO_FATAL_FAILURE(startQuenta());
  RECT r{};
  GetWindowRect(form, &r);
  EXPECT_EQ(r.left, 592);
  EXPECT_EQ(r.top, 197);
  PostMessageW(form, WM_CLOSE, 0, 0);
  ASSERT_TRUE(quenta.waitExit(5000));

  SetDword(L"xpos", 50000);
  SetDword(L"ypos", static_cast<DWORD>(-40000));
  Process again;
  ASSERT_TRUE(again.start(L"quenta.exe", std::to_wstring(reinterpret_cast<ULONG_PTR>(cad))));
  HWND moved = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (moved = FindProcessWindow(again, L"TForm1")) != nullptr; }));
  GetWindowRect(moved, &r);
  RECT screen{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
  EXPECT_GE(r.left, screen.left);
  EXPECT_GE(r.top, screen.top);
  EXPECT_LE(r.right, screen.right);
  EXPECT_LE(r.bottom, screen.bottom);
  PostMessageW(moved, WM_CLOSE, 0, 0);
  EXPECT_TRUE(again.waitExit(5000));
}

TEST_F(Lifetime, BadArgumentsAreReported) {
  SetString(L"langue", L"en");
  ASSERT_NO_FATAL_FAILURE(startCad());
  const struct {
    std::wstring argument;
    std::wstring expected;
  } cases[] = {
      {L"", L"must be started with the handle of the CAD window"},
      {L"CAD", L"must be started with the handle of the CAD window"},
      {L"4242424", L"The handle 4242424 does not designate an open window"},
  };
  for (const auto& c : cases) {
    Process p;
    ASSERT_TRUE(p.start(L"quenta.exe", c.argument));
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = FindProcessWindow(p, L"#32770")) != nullptr; }));
    EXPECT_EQ(Text(box), L"Topaline3");
    HWND message = GetDlgItem(box, 0xFFFF);
    ASSERT_TRUE(message);
    EXPECT_NE(Text(message).find(c.expected), std::wstring::npos) << testing::PrintToString(Text(message));
    EXPECT_EQ(FindProcessWindow(p, L"TForm1"), nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(p.waitExit(5000));
    EXPECT_NE(p.exitCode(), 0u);
  }
}

// The entry window at the screen's DPI, and after a change of DPI while it
// runs. The suite runs at 96 DPI in its own prefix; the high-DPI prefix
// (tests/wine/dpi) runs this test again at 144 and 192 DPI and names the
// DPI it set in TOPALINE_TEST_DPI.
TEST_F(Dpi, EntryWindowTakesItsDpiAndFollowsAChange) {
  const char* wanted = std::getenv("TOPALINE_TEST_DPI");
  const UINT dpi = wanted && *wanted ? static_cast<UINT>(std::atoi(wanted)) : 96;
  HDC screen = GetDC(nullptr);
  ASSERT_EQ(static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX)), dpi) << "the prefix runs at another DPI";
  ReleaseDC(nullptr, screen);
  ASSERT_NO_FATAL_FAILURE(startCad());
  ASSERT_NO_FATAL_FAILURE(startQuenta());

  struct Place {
    const wchar_t* name;
    int x, y, w, h;  // design pixels; h 0: the control's own height (a combo box's follows its font)
  };
  const std::vector<Place> places{{L"ToolButton1", 1, 1, 18, 22},   {L"ToolButton12", 199, 1, 18, 22},
                          {L"ToolButton14", 217, 1, 22, 22}, {L"ToolButton15", 245, 1, 22, 22},
                          {L"edNum", 1, 26, 228, 0},         {L"Edit1", 234, 27, 26, 20}};
  const auto scaled = [](int v, UINT at) { return MulDiv(v, static_cast<int>(at), 96); };
  // The ideal size the picture buttons answer: the picture with a border
  // of 3/16 of it on each side.
  const auto idealFor = [](UINT at) {
    const int picture = at >= 192 ? 32 : at >= 144 ? 24 : 16;
    return picture + 2 * (picture * 3 / 16);
  };
  const auto idealSize = [&](HWND button) {
    topaline::winedriver::RemoteMemory memory(button, sizeof(SIZE));
    const SIZE none{0, 0};
    memory.write(&none, sizeof none);
    DWORD_PTR answered = 0;
    SendMessageTimeoutW(button, BCM_GETIDEALSIZE, 0, memory.address(), SMTO_ABORTIFHUNG, 2000, &answered);
    SIZE got{};
    memory.read(&got, sizeof got);
    return got;
  };
  // Every control of a window at its design place scaled to at.
  const auto checkPlacesAt = [&](HWND window, const std::vector<Place>& controls, UINT at) {
    SCOPED_TRACE("at " + std::to_string(at) + " DPI");
    for (const Place& p : controls) {
      SCOPED_TRACE(testing::PrintToString(std::wstring(p.name)));
      HWND c = FindControl(window, p.name);
      ASSERT_TRUE(c);
      RECT r{};
      GetWindowRect(c, &r);
      MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
      EXPECT_EQ(r.left, scaled(p.x, at));
      EXPECT_EQ(r.top, scaled(p.y, at));
      EXPECT_EQ(r.right - r.left, scaled(p.x + p.w, at) - scaled(p.x, at));
      if (p.h) EXPECT_EQ(r.bottom - r.top, scaled(p.y + p.h, at) - scaled(p.y, at));
    }
  };
  // And the picture buttons with pictures of the size made for at.
  const auto checkControlsAt = [&](UINT at) {
    checkPlacesAt(form, places, at);
    for (const wchar_t* name : {L"ToolButton14", L"ToolButton15"}) {
      const SIZE ideal = idealSize(button(name));
      EXPECT_EQ(ideal.cx, idealFor(at)) << "picture of " << testing::PrintToString(std::wstring(name));
      EXPECT_EQ(ideal.cy, idealFor(at));
    }
  };
  RECT client{};
  GetClientRect(form, &client);
  EXPECT_EQ(client.right, scaled(269, dpi));
  EXPECT_EQ(client.bottom, scaled(50, dpi));
  checkControlsAt(dpi);
  const auto fieldHeight = [&] { return static_cast<int>(SendMessageW(edNum, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0)); };
  const int heightBefore = fieldHeight();

  // Moved to a monitor of another DPI: the system suggests a rectangle.
  const UINT next = dpi == 144 ? 192 : 144;
  RECT outer{};
  GetWindowRect(form, &outer);
  const RECT suggested{outer.left + 40, outer.top + 30, outer.left + 40 + MulDiv(outer.right - outer.left, next, dpi),
                       outer.top + 30 + MulDiv(outer.bottom - outer.top, next, dpi)};
  // The message carries a pointer to the rectangle, in the window's process.
  const auto sendDpiChanged = [&](HWND window, UINT to, const RECT& rect) {
    topaline::winedriver::RemoteMemory memory(window, sizeof rect);
    memory.write(&rect, sizeof rect);
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(to, to), memory.address(), SMTO_ABORTIFHUNG, 5000,
                               &result) != 0;
  };
  ASSERT_TRUE(sendDpiChanged(form, next, suggested));
  RECT now{};
  GetWindowRect(form, &now);
  EXPECT_EQ(now.left, suggested.left);
  EXPECT_EQ(now.top, suggested.top);
  EXPECT_EQ(now.right, suggested.right);
  EXPECT_EQ(now.bottom, suggested.bottom);
  // The controls take their places and pictures at the new DPI.
  checkControlsAt(next);
  // The number field's height follows its font: it grows by what the
  // product's font, Tahoma 8 points, grows.
  const auto fontHeight = [](UINT at) {
    HFONT font = CreateFontW(-MulDiv(8, static_cast<int>(at), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, 0, 0, DEFAULT_QUALITY, 0, L"Tahoma");
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return static_cast<int>(tm.tmHeight);
  };
  const int heightAfter = fieldHeight();
  EXPECT_NEAR(heightAfter - heightBefore, fontHeight(next) - fontHeight(dpi), 1)
      << "number field " << heightBefore << " px high at " << dpi << " DPI, " << heightAfter << " at " << next;

  // The delay dialog follows a change of its own DPI the same way.
  HWND dialog = FindProcessWindow(quenta, L"TForm2");
  ASSERT_TRUE(dialog);
  RECT dialogOuter{};
  GetWindowRect(dialog, &dialogOuter);
  const RECT dialogSuggested{dialogOuter.left, dialogOuter.top,
                             dialogOuter.left + MulDiv(dialogOuter.right - dialogOuter.left, next, dpi),
                             dialogOuter.top + MulDiv(dialogOuter.bottom - dialogOuter.top, next, dpi)};
  ASSERT_TRUE(sendDpiChanged(dialog, next, dialogSuggested));
  RECT dialogNow{};
  GetWindowRect(dialog, &dialogNow);
  EXPECT_EQ(dialogNow.right - dialogNow.left, dialogSuggested.right - dialogSuggested.left);
  EXPECT_EQ(dialogNow.bottom - dialogNow.top, dialogSuggested.bottom - dialogSuggested.top);
  checkPlacesAt(dialog, {{L"Label1", 8, 16, 26, 16}, {L"TrackBar1", 36, 8, 264, 34}, {L"BitBtn1", 127, 50, 85, 27}}, next);

  // And it still works: a number typed at the new scale.
  setNumber(L"12");
  PostMessageW(button(L"ToolButton14"), BM_CLICK, 0, 0);
  EXPECT_TRUE(typed(kTwelve)) << testing::PrintToString(Text(commandLine));
}

}  // namespace
