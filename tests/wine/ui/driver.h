// A small automation driver for the tests: finds windows by their
// "ComponentName" property, from another thread, and talks to them with
// window messages only, as an accessibility tool or a host author's own
// test script would.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace wine_ui {

// Name stored on a window by the binding, read the cross-process way.
std::wstring ComponentName(HWND hwnd);

// Polls until pred returns true or the timeout (ms) passes.
bool WaitFor(const std::function<bool()>& pred, int timeoutMs = 5000);

// A visible top-level window of this process carrying the component name
// (a form), or nullptr.
HWND FindForm(const std::wstring& name);
HWND WaitForForm(const std::wstring& name, int timeoutMs = 5000);
// A descendant of form carrying the name, or nullptr.
HWND FindControl(HWND form, const std::wstring& name);

std::wstring WindowText(HWND hwnd);

// Messages the way a tool sends them. Posted where the reaction may open
// a modal window (which would block a sent message until it closes).
void Click(HWND hwnd);               // BM_CLICK, posted
void ClickAndWait(HWND hwnd);        // BM_CLICK, sent
void SetText(HWND hwnd, const std::wstring& text);  // WM_SETTEXT, sent
void TypeChars(HWND hwnd, const std::wstring& text);  // WM_CHAR each, sent
void Key(HWND hwnd, UINT vk);        // WM_KEYDOWN + WM_KEYUP, posted
void Focus(HWND hwnd);               // moves the focus the way Tab would
// A left click at a point of the window's client area: button down and
// up, posted (they pass through the form's message loop like real ones).
void ClickAt(HWND hwnd, int x, int y);
// The same, sent: returns when the window has handled both.
void ClickAtAndWait(HWND hwnd, int x, int y);
// A drag with the left button held, sent: down at (x0, y0), a few moves,
// up at (x1, y1).
void DragAndWait(HWND hwnd, int x0, int y0, int x1, int y1);
// The window that has the keyboard focus on the thread owning hwnd.
HWND FocusOf(HWND hwnd);
// Paints the window into a 32-bit bitmap (WM_PRINTCLIENT) and returns the
// pixels, 0x00RRGGBB, top row first.
std::vector<unsigned> Snapshot(HWND hwnd, int* width = nullptr, int* height = nullptr);

// Runs script on a second thread while the calling thread runs a modal
// loop (body). Whatever the script does, it closes every window of the
// process that is still open afterwards so that body always returns.
void RunScripted(const std::function<void()>& script, const std::function<void()>& body);

// Waits until the thread's message queue is idle (all sent and posted
// messages handled) by a round trip through the given window.
void Sync(HWND hwnd);

}  // namespace wine_ui
