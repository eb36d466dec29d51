// A host with several windows on the thread that calls lance, as the CAD
// program has: a main window A, a palette B owned by A, a second
// top-level window C, and a window D that the host itself keeps
// disabled. While a dialog of lance is open none of A, B and C can be
// used, whichever was active; afterwards exactly those come back (D stays
// disabled), also when the dialog ends without the user closing it. A
// lance arriving from the host's window procedure while the dialog is
// open is refused and changes nothing.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

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

  // Runs lance(command) on this thread while script works the dialog from
  // a second thread; returns lance's status.
  HRESULT LanceWhile(const wchar_t* command, const std::function<void(HWND dialog)>& script) {
    std::thread worker([&] {
      HWND dialog = nullptr;
      wd::WaitFor([&] { return (dialog = wd::FindTopLevelByName(L"frmOptions")) != nullptr; }, 15000);
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
