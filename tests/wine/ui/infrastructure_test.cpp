// The binding's groundwork under Wine: visual styles through the module's
// activation context, the exception boundary of the window procedure,
// component names, DPI scaling and the product's font.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <stdexcept>

#include "platform/error.h"
#include "tests/wine/ui/driver.h"
#include "win32/ui/msw_class_atoms.h"
#include "win32/ui/msw_guard.h"
#include "win32/ui/msw_metrics.h"
#include "win32/ui/msw_module.h"
#include "win32/ui/msw_names.h"
#include "win32/ui/msw_visual_styles.h"
#include "win32/ui/msw_window.h"

using namespace topaline;
using namespace topaline::msw;

namespace {

class ThrowingWindow : public MSWWindow {
public:
  void create() {
    MSWCreateOwn(0, kContainerClass, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
  }
  int handled = 0;

protected:
  LRESULT MSWHandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_APP) throw Error(L"reaction failed");
    if (msg == WM_APP + 1) throw std::runtime_error("plain failure");
    if (msg == WM_APP + 2) return ++handled;
    return MSWWindow::MSWHandleMessage(msg, wp, lp);
  }
};

struct ReporterCapture {
  std::vector<std::wstring> messages;
  MSWErrorReporter reporter{[this](const std::wstring& m) { messages.push_back(m); }};
  MSWErrorReporterScope scope{&reporter};
};

}  // namespace

TEST(Win32Groundwork, ActivationContextGivesCommonControls6) {
  EXPECT_NE(MSWActivationContext(), INVALID_HANDLE_VALUE);
  EXPECT_TRUE(MSWVisualStylesInEffect());
}

namespace {

ATOM ClassAtom(HWND h) { return static_cast<ATOM>(GetClassLongPtrW(h, GCW_ATOM)); }

}  // namespace

// Windows made again by the class atom learnt at the first are of the
// class their name gives in the context in effect: the common controls 6
// class under the module's context, the system's own outside it.
TEST(Win32Groundwork, SystemWindowsMadeByTheirAtomAreOfTheClassTheirNameGives) {
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  auto make = [&](const wchar_t* cls) {
    return MSWCreateSystemWindow(0, cls, L"x", WS_CHILD, 0, 0, 80, 20, parent, nullptr, MSWInstance());
  };
  ATOM styled = 0, plain = 0;
  {
    MSWVisualStylesScope scope;
    for (const wchar_t* cls : {L"BUTTON", L"STATIC", L"EDIT", L"COMBOBOX", WC_LISTVIEWW, TOOLTIPS_CLASSW}) {
      SCOPED_TRACE(testing::Message() << static_cast<const void*>(cls));
      HWND byName = CreateWindowExW(0, cls, L"x", WS_CHILD, 0, 0, 80, 20, parent, nullptr, MSWInstance(), nullptr);
      HWND first = make(cls), second = make(cls);
      ASSERT_TRUE(byName && first && second);
      EXPECT_EQ(ClassAtom(first), ClassAtom(byName));
      EXPECT_EQ(ClassAtom(second), ClassAtom(byName));
    }
    HWND button = make(L"BUTTON");
    SIZE ideal{};
    EXPECT_TRUE(SendMessageW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));  // common controls 6
    styled = ClassAtom(button);
  }
  HWND byName = CreateWindowExW(0, L"BUTTON", L"x", WS_CHILD, 0, 0, 80, 20, parent, nullptr, nullptr, nullptr);
  HWND first = make(L"BUTTON"), second = make(L"BUTTON");
  plain = ClassAtom(byName);
  EXPECT_EQ(ClassAtom(first), plain);
  EXPECT_EQ(ClassAtom(second), plain);
  EXPECT_NE(plain, styled);
  DestroyWindow(parent);
}

TEST(Win32Groundwork, ExceptionInWindowProcedureIsReportedAndWindowGoesOn) {
  ReporterCapture capture;
  ThrowingWindow w;
  w.create();
  ASSERT_NE(w.MSWHandle(), nullptr);
  EXPECT_EQ(SendMessageW(w.MSWHandle(), WM_APP, 0, 0), 0);
  EXPECT_EQ(SendMessageW(w.MSWHandle(), WM_APP + 1, 0, 0), 0);
  ASSERT_EQ(capture.messages.size(), 2u);
  EXPECT_EQ(capture.messages[0], L"reaction failed");
  EXPECT_EQ(capture.messages[1], L"Internal error: plain failure");
  // Still alive and answering.
  EXPECT_EQ(SendMessageW(w.MSWHandle(), WM_APP + 2, 0, 0), 1);
  EXPECT_EQ(MSWWindow::MSWFromHandle(w.MSWHandle()), &w);
  HWND h = w.MSWHandle();
  w.MSWDestroy();
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(MSWWindow::MSWFromHandle(h), nullptr);
}

TEST(Win32Groundwork, ReporterThatThrowsFallsBackToTheSystemBoxWithoutLooping) {
  ThrowingWindow w;
  w.create();
  {
    const MSWErrorReporter broken = [](const std::wstring&) { throw Error(L"reporter broken"); };
    MSWErrorReporterScope scope(&broken);
    // Answer the fallback system box the way a person would.
    wine_ui::RunScripted(
        [] {
          HWND box = nullptr;
          wine_ui::WaitFor([&] { return (box = FindWindowW(L"#32770", L"Message Norvel")) != nullptr; });
          ASSERT_NE(box, nullptr);
          PostMessageW(box, WM_COMMAND, IDOK, 0);
        },
        [&] { SendMessageW(w.MSWHandle(), WM_APP, 0, 0); });
  }
  EXPECT_EQ(SendMessageW(w.MSWHandle(), WM_APP + 2, 0, 0), 1);
}

TEST(Win32Groundwork, ComponentNameIsAGlobalAtomProperty) {
  ThrowingWindow w;
  w.create();
  MSWSetComponentName(w.MSWHandle(), L"btAppliquer");
  EXPECT_EQ(wine_ui::ComponentName(w.MSWHandle()), L"btAppliquer");
  EXPECT_EQ(MSWComponentName(w.MSWHandle()), L"btAppliquer");
  ATOM atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(w.MSWHandle(), L"ComponentName")));
  ASSERT_NE(atom, 0);
  MSWClearComponentName(w.MSWHandle());
  EXPECT_EQ(GetPropW(w.MSWHandle(), L"ComponentName"), nullptr);
  EXPECT_EQ(wine_ui::ComponentName(w.MSWHandle()), L"");
  // Named again, and renamed: the property names the last name given.
  MSWSetComponentName(w.MSWHandle(), L"btAppliquer");
  EXPECT_EQ(GetPropW(w.MSWHandle(), L"ComponentName"), reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
  MSWSetComponentName(w.MSWHandle(), L"btAnnule");
  EXPECT_EQ(wine_ui::ComponentName(w.MSWHandle()), L"btAnnule");
  // The atom of a name outlives the windows that carried it: a reader in
  // another process never meets a freed atom.
  w.MSWDestroy();
  ThrowingWindow other;
  other.create();
  MSWSetComponentName(other.MSWHandle(), L"btAppliquer");
  wchar_t text[64] = {};
  EXPECT_GT(GlobalGetAtomNameW(atom, text, 64), 0u);
  EXPECT_STREQ(text, L"btAppliquer");
}

TEST(Win32Groundwork, DesignPixelsScaleWithDpi) {
  EXPECT_EQ(MSWScale(100, 96), 100);
  EXPECT_EQ(MSWScale(100, 144), 150);
  EXPECT_EQ(MSWScale(557, 120), 696);
  EXPECT_EQ(MSWUnscale(150, 144), 100);
  EXPECT_GE(MSWDpiFor(nullptr), 96u);
}

TEST(Win32Groundwork, FontIsTahoma8PointAtTheDpi) {
  HFONT f = MSWFont(96);
  LOGFONTW lf{};
  ASSERT_TRUE(GetObjectW(f, sizeof lf, &lf));
  EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
  EXPECT_EQ(lf.lfHeight, -11);
  LOGFONTW big{};
  GetObjectW(MSWFont(192), sizeof big, &big);
  EXPECT_EQ(big.lfHeight, -21);
  EXPECT_EQ(MSWFont(96), f);  // cached
  EXPECT_GT(MSWTextWidth(f, L"Appliquer"), MSWTextWidth(f, L"Ok"));
  EXPECT_EQ(MSWTextWidth(f, L""), 0);
}

TEST(Win32Groundwork, WorkAreaOfNearestMonitorIsNotEmpty) {
  RECT away{100000, 100000, 100100, 100100};
  RECT work = MSWWorkAreaNear(away);
  EXPECT_GT(work.right - work.left, 0);
  EXPECT_GT(work.bottom - work.top, 0);
}
