// A host with several windows on the thread that calls lance, as the CAD
// program has: a main window A, a palette B owned by A, a second
// top-level window C, and a window D that the host itself keeps
// disabled. While a dialog of lance is open none of A, B and C can be
// used, whichever was active; afterwards exactly those come back (D stays
// disabled), also when the dialog ends without the user closing it. A
// lance arriving from the host's window procedure while the dialog is
// open is refused and changes nothing. A system window that a dialog
// opens (a file dialog, the colour picker's refusal box) is modal over
// that dialog, not over A.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <initguid.h>
#include "server/com/topaline3.h"
#include "tests/wine/driver/window_driver.h"

namespace wd = topaline::winedriver;

namespace {

constexpr UINT kMsgLanceAgain = WM_APP + 1;

Ikovar3* g_object = nullptr;
struct Reentry {
  HRESULT hr = S_OK;
  std::wstring description;
} g_reentry;

std::wstring ErrorDescription() {
  std::wstring text;
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) == S_OK && info) {
    BSTR d = nullptr;
    if (SUCCEEDED(info->GetDescription(&d)) && d) text.assign(d, SysStringLen(d));
    SysFreeString(d);
    info->Release();
  }
  return text;
}

HRESULT Lance(const wchar_t* command) {
  BSTR b = SysAllocString(command);
  SetErrorInfo(0, nullptr);
  HRESULT hr = g_object->lance(b);
  SysFreeString(b);
  return hr;
}

// The host's window procedure: a palette click running the host's script
// again is stood in for by kMsgLanceAgain.
LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kMsgLanceAgain) {
    g_reentry.hr = Lance(L"25");
    g_reentry.description = ErrorDescription();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

struct State {
  bool a, b, c, d;
};

class HostWindows : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(L"topaline3.kovar3", &clsid), S_OK);
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_Ikovar3, reinterpret_cast<void**>(&g_object)),
              S_OK);
    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TopalineTestHost";
    RegisterClassW(&wc);
    auto make = [&](const wchar_t* title, DWORD style, DWORD ex, HWND owner, int x) {
      HWND h = CreateWindowExW(ex, wc.lpszClassName, title, style, x, 40, 220, 160, owner, nullptr, wc.hInstance,
                               nullptr);
      ShowWindow(h, SW_SHOW);
      return h;
    };
    a = make(L"CAD main", WS_OVERLAPPEDWINDOW, 0, nullptr, 0);
    b = make(L"CAD palette", WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, a, 240);  // owned by A
    c = make(L"CAD second", WS_OVERLAPPEDWINDOW, 0, nullptr, 480);
    d = make(L"CAD busy", WS_OVERLAPPEDWINDOW, 0, nullptr, 720);
    EnableWindow(d, FALSE);
  }
  void TearDown() override {
    for (HWND h : {b, a, c, d}) DestroyWindow(h);
    if (g_object) g_object->Release();
    g_object = nullptr;
    CoUninitialize();
  }

  State Now() const { return State{!!IsWindowEnabled(a), !!IsWindowEnabled(b), !!IsWindowEnabled(c), !!IsWindowEnabled(d)}; }

  // Runs lance(command) on this thread while script works the dialog (the
  // form of that name) from a second thread; returns lance's status.
  HRESULT LanceWhile(const wchar_t* command, const std::function<void(HWND dialog)>& script,
                     const wchar_t* form = L"frmOptions") {
    std::thread worker([&] {
      HWND dialog = nullptr;
      wd::WaitFor([&] { return (dialog = wd::FindTopLevelByName(form)) != nullptr; }, 15000);
      script(dialog);
      // Whatever the script did, the dialog goes.
      if (dialog && IsWindow(dialog)) PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    HRESULT hr = Lance(command);
    worker.join();
    return hr;
  }

public:
  HWND a = nullptr, b = nullptr, c = nullptr, d = nullptr;
};

}  // namespace

TEST_F(HostWindows, EveryHostWindowIsDisabledWhileTheDialogIsOpenAndExactlyThoseComeBack) {
  struct Case {
    const char* active;
    HWND HostWindows::*window;
  };
  const Case cases[] = {{"A", &HostWindows::a}, {"C", &HostWindows::c}, {"none", nullptr}};
  for (const Case& k : cases) {
    if (k.window) {
      SetForegroundWindow(this->*k.window);
      SetActiveWindow(this->*k.window);
      ASSERT_EQ(GetActiveWindow(), this->*k.window) << k.active;
    } else {
      SetActiveWindow(nullptr);
      ASSERT_EQ(GetActiveWindow(), nullptr);
    }
    State during{true, true, true, true};
    HRESULT hr = LanceWhile(L"16", [&](HWND dialog) {
      ASSERT_NE(dialog, nullptr) << k.active;
      during = Now();
      PostMessageW(wd::FindControl(dialog, L"btAnnule"), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(hr, S_OK) << k.active;
    EXPECT_FALSE(during.a) << "active " << k.active;
    EXPECT_FALSE(during.b) << "active " << k.active;
    EXPECT_FALSE(during.c) << "active " << k.active;
    const State after = Now();
    EXPECT_TRUE(after.a && after.b && after.c) << "active " << k.active;
    EXPECT_FALSE(after.d) << "the host's own disabled window stays disabled, active " << k.active;
  }

  // A dialog that ends without the user (the thread is told to quit): the
  // host's windows come back all the same.
  SetActiveWindow(a);
  State during{true, true, true, true};
  const DWORD thread = GetCurrentThreadId();
  LanceWhile(L"16", [&](HWND dialog) {
    ASSERT_NE(dialog, nullptr);
    during = Now();
    PostThreadMessageW(thread, WM_QUIT, 0, 0);
    wd::WaitFor([&] { return !IsWindowVisible(dialog); }, 10000);
  });
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request is handed back";
  EXPECT_FALSE(during.a || during.b || during.c);
  const State after = Now();
  EXPECT_TRUE(after.a && after.b && after.c);
  EXPECT_FALSE(after.d);
}

TEST_F(HostWindows, ALanceFromTheHostWhileTheDialogIsOpenIsRefusedAndChangesNothing) {
  // alldata as the host set it; resultat is 0 while the options dialog is
  // open and becomes 1 on its Apply.
  SAFEARRAYBOUND bound{1, 0};
  SAFEARRAY* psa = SafeArrayCreate(VT_VARIANT, 1, &bound);
  LONG index = 0;
  VARIANT e;
  VariantInit(&e);
  V_VT(&e) = VT_BSTR;
  V_BSTR(&e) = SysAllocString(L"12");
  SafeArrayPutElement(psa, &index, &e);
  VariantClear(&e);
  VARIANT all;
  VariantInit(&all);
  V_VT(&all) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&all) = psa;
  ASSERT_EQ(g_object->put_alldata(all), S_OK);
  VariantClear(&all);

  SetActiveWindow(a);
  g_reentry = Reentry{};
  bool dialogStayed = false;
  HRESULT hr = LanceWhile(L"16", [&](HWND dialog) {
    ASSERT_NE(dialog, nullptr);
    SendMessageW(a, kMsgLanceAgain, 0, 0);  // the host's procedure runs inside the dialog's loop
    dialogStayed = IsWindowVisible(dialog) != FALSE;
    PostMessageW(wd::FindControl(dialog, L"btAppliquer"), BM_CLICK, 0, 0);
    wd::WaitFor([&] { return !IsWindowVisible(dialog); }, 10000);
  });
  EXPECT_EQ(g_reentry.hr, E_UNEXPECTED);
  EXPECT_NE(g_reentry.description.find(L"still open"), std::wstring::npos) << std::string(
      g_reentry.description.begin(), g_reentry.description.end());
  EXPECT_TRUE(dialogStayed);
  EXPECT_EQ(hr, S_OK) << "the first call goes on to its end";
  int resultat = -1;
  ASSERT_EQ(g_object->get_resultat(&resultat), S_OK);
  EXPECT_EQ(resultat, 1) << "the dialog's Apply, not reset by the refused call";
  VARIANT got;
  VariantInit(&got);
  ASSERT_EQ(g_object->get_alldata(&got), S_OK);
  ASSERT_EQ(V_VT(&got), VT_ARRAY | VT_VARIANT);
  VariantInit(&e);
  SafeArrayGetElement(V_ARRAY(&got), &index, &e);
  EXPECT_EQ(std::wstring(V_BSTR(&e)), L"12");
  VariantClear(&e);
  VariantClear(&got);

  // Once the dialog is gone, lance works again.
  EXPECT_EQ(Lance(L"25"), S_OK);
}

namespace {

// The product key's configuration for the dialogs' own labels (the French
// ones of the test installation), put back as it was afterwards.
class FrenchInstallation {
public:
  FrenchInstallation() {
    RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
    for (const auto& [name, value] : kValues) {
      wchar_t old[1024] = {};
      DWORD size = sizeof old, type = 0;
      const bool had = RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
      saved_.push_back({name, had, old});
      Set(name, value);
    }
  }
  ~FrenchInstallation() {
    for (const Saved& s : saved_) {
      if (s.had)
        Set(s.name, s.value.c_str());
      else
        RegDeleteValueW(key_, s.name);
    }
    RegCloseKey(key_);
  }

private:
  static constexpr const wchar_t* kKey = L"Software\\Norvel\\topaline3";
  static constexpr std::pair<const wchar_t*, const wchar_t*> kValues[] = {
      {L"installpath", L"C:\\topaline test"}, {L"appname", L"topaline3"}, {L"langue", L"fr"}};
  struct Saved {
    const wchar_t* name;
    bool had;
    std::wstring value;
  };
  void Set(const wchar_t* name, const wchar_t* value) {
    RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
  }
  HKEY key_ = nullptr;
  std::vector<Saved> saved_;
};

// A one-dimensional array of strings, lower bound 0, put through put.
void PutStrings(HRESULT (STDMETHODCALLTYPE Ikovar3::*put)(VARIANT), const std::vector<std::wstring>& items) {
  SAFEARRAYBOUND bound{static_cast<ULONG>(items.size()), 0};
  SAFEARRAY* psa = SafeArrayCreate(VT_VARIANT, 1, &bound);
  for (LONG i = 0; i < static_cast<LONG>(items.size()); ++i) {
    VARIANT e;
    VariantInit(&e);
    V_VT(&e) = VT_BSTR;
    V_BSTR(&e) = SysAllocString(items[static_cast<std::size_t>(i)].c_str());
    SafeArrayPutElement(psa, &i, &e);
    VariantClear(&e);
  }
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&v) = psa;
  (g_object->*put)(v);
  VariantClear(&v);
}

// What the window beneath a system window was while that was open.
struct Beneath {
  bool opened = false;       // the system window came
  bool ownedByIt = false;    // its owner is the window beneath
  bool enabledDuring = true;  // the window beneath could be used meanwhile
  bool hostDuring = true;    // the host's main window could be used meanwhile
  bool enabledAfter = false;  // the window beneath is usable again afterwards
  std::wstring text;         // a message box's text
};

// Clicks opener in beneath, waits for the system window titled title,
// notes the state of beneath and of host, closes the system window with
// its button close (IDOK, IDCANCEL) and notes beneath again.
Beneath WhileSystemWindowIsOpen(HWND beneath, const wchar_t* opener, const wd::TopLevelQuery& title, int close,
                                HWND host) {
  Beneath seen;
  PostMessageW(wd::FindControl(beneath, opener), BM_CLICK, 0, 0);
  HWND sys = wd::WaitForTopLevel(title, 10000);
  if (!sys) return seen;
  seen.opened = true;
  Sleep(500);  // let the showing finish
  seen.ownedByIt = GetWindow(sys, GW_OWNER) == beneath;
  seen.enabledDuring = IsWindowEnabled(beneath) != FALSE;
  seen.hostDuring = IsWindowEnabled(host) != FALSE;
  seen.text = wd::ReadMessageBox(sys).text;
  PostMessageW(GetDlgItem(sys, close), BM_CLICK, 0, 0);
  wd::WaitFor([&] { return !IsWindow(sys) || !IsWindowVisible(sys); }, 5000);
  wd::WaitFor([&] { return IsWindowEnabled(beneath) != FALSE; }, 3000);
  seen.enabledAfter = IsWindowEnabled(beneath) != FALSE;
  return seen;
}

}  // namespace

// Parts 1.1, 3.2, 3.5 and 4.2: the save-file dialog of command 9, the
// open-file dialog of command 11 and the colour picker's refusal box are
// modal over the dialog that opened them. With A active as lance began,
// a window owned by A (which the runner has disabled already) would leave
// the dialog beneath live: Apply or Browse could be pressed meanwhile.
TEST_F(HostWindows, ASystemWindowIsModalOverTheDialogThatOpenedIt) {
  FrenchInstallation french;
  PutStrings(&Ikovar3::put_alldata, {L"Groupe", L"10"});
  PutStrings(&Ikovar3::put_AXCalques, {});
  const struct {
    const wchar_t* command;
    const wchar_t* form;
    const wchar_t* title;  // of the file dialog
  } files[] = {
      {L"9", L"frmSauvePt", L"Enregistrer les points dans un fichier"},
      {L"11", L"frmImportFic", L"Ouvrir un fichier de points"},
  };
  for (const auto& f : files) {
    SetForegroundWindow(a);
    SetActiveWindow(a);
    Beneath seen;
    bool alive = false;
    HRESULT hr = LanceWhile(
        f.command,
        [&](HWND dialog) {
          ASSERT_NE(dialog, nullptr) << "command " << f.command[0];
          seen = WhileSystemWindowIsOpen(dialog, L"BitBtn1", {f.title, wd::TitleMatch::Contains, true}, IDCANCEL, a);
          alive = IsWindowVisible(dialog) != FALSE;
          PostMessageW(wd::FindControl(dialog, L"btAnnule"), BM_CLICK, 0, 0);
          wd::WaitFor([&] { return !IsWindow(dialog); }, 10000);
        },
        f.form);
    const std::string what = std::string("command ") + (f.command[1] ? "11" : "9");
    EXPECT_EQ(hr, S_OK) << what;
    ASSERT_TRUE(seen.opened) << what << ": the file dialog came";
    EXPECT_TRUE(seen.ownedByIt) << what << ": the file dialog is owned by the dialog";
    EXPECT_FALSE(seen.enabledDuring) << what << ": the dialog is disabled while its file dialog is open";
    EXPECT_FALSE(seen.hostDuring) << what << ": the host stays disabled";
    EXPECT_TRUE(seen.enabledAfter) << what << ": the dialog comes back once the file dialog is gone";
    EXPECT_TRUE(alive) << what;
    EXPECT_TRUE(IsWindowEnabled(a)) << what << ": the host comes back after lance";
  }

  // Command 4: the frame colour's picker refuses "0" in the system's own
  // box.
  SetForegroundWindow(a);
  SetActiveWindow(a);
  Beneath seen;
  bool framesDuring = true, pickerAlive = false;
  HRESULT hr = LanceWhile(
      L"4",
      [&](HWND frames) {
        ASSERT_NE(frames, nullptr);
        PostMessageW(wd::FindControl(frames, L"cadcolor"), BM_CLICK, 0, 0);
        HWND picker = nullptr;
        wd::WaitFor([&] { return (picker = wd::FindTopLevelByName(L"FormGetACCol")) != nullptr; }, 10000);
        ASSERT_NE(picker, nullptr);
        Sleep(300);
        SendMessageW(wd::FindControl(picker, L"Edit1"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"0"));
        seen = WhileSystemWindowIsOpen(picker, L"Button4", {L"Topaline", wd::TitleMatch::Exact, true}, IDOK, a);
        framesDuring = IsWindowEnabled(frames) != FALSE;
        pickerAlive = IsWindowVisible(picker) != FALSE;
        PostMessageW(wd::FindControl(picker, L"Button5"), BM_CLICK, 0, 0);
        wd::WaitFor([&] { return !IsWindow(picker); }, 10000);
        PostMessageW(wd::FindControl(frames, L"btAnnule"), BM_CLICK, 0, 0);
        wd::WaitFor([&] { return !IsWindow(frames); }, 10000);
      },
      L"frmEncadre");
  EXPECT_EQ(hr, S_OK);
  ASSERT_TRUE(seen.opened) << "the refusal box came";
  EXPECT_EQ(seen.text, L"Nom ou valeur de couleur incorrect");
  EXPECT_TRUE(seen.ownedByIt) << "the refusal box is owned by the picker";
  EXPECT_FALSE(seen.enabledDuring) << "the picker is disabled while its refusal box is open";
  EXPECT_FALSE(seen.hostDuring);
  EXPECT_TRUE(seen.enabledAfter) << "the picker comes back once the box is gone";
  EXPECT_TRUE(pickerAlive) << "a refused text keeps the picker open";
  EXPECT_FALSE(framesDuring) << "the frames dialog stays disabled under the picker";
  EXPECT_TRUE(IsWindowEnabled(a));
}
