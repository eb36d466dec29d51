// Driving the windows of another process through window messages, as a
// person or an accessibility tool would: top-level windows found by
// caption or by component name, controls found by the binding's
// "ComponentName" window property (a global atom, readable from any
// process), clicks, keys, text, states, list-view rows and status-bar text
// read through memory lent in the owner process, and UTF-16 reports.
// Used by the uidriver program of the Wine tests and of the demo.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace topaline::winedriver {

// A step that could not be done; the program reports it.
struct Failure {
  std::wstring what;
};

// Calls pred every 50 ms until it holds or it has slept ms milliseconds
// (time spent in pred does not count: a slow machine gets longer).
template <class Pred>
bool WaitFor(Pred pred, DWORD ms = 10000) {
  for (DWORD slept = 0;; slept += 50) {
    if (pred()) return true;
    if (slept >= ms) return false;
    Sleep(50);
  }
}

// The "ComponentName" property of a window; empty when it has none.
std::wstring ComponentName(HWND w);

// The text the window answers to WM_GETTEXT (GetWindowText does not ask
// a control of another process: it gives the text it was created with).
std::wstring WindowText(HWND w);

// The class name of a window.
std::wstring ClassName(HWND w);

enum class TitleMatch { Contains, Exact };

struct TopLevelQuery {
  std::wstring title;
  TitleMatch match = TitleMatch::Contains;
  bool mustBeEnabled = true;  // a window behind a modal one is disabled
};

// The first visible top-level window whose title matches; null if none.
HWND FindTopLevel(const TopLevelQuery& query);
// The same, waiting up to ms; null if none came.
HWND WaitForTopLevel(const TopLevelQuery& query, DWORD ms);
// The first visible top-level window with the component name; null if none.
HWND FindTopLevelByName(const std::wstring& name);

// Every descendant with a component name, in window order.
std::vector<std::pair<std::wstring, HWND>> Components(HWND parent);
// The first descendant with the component name; null if none.
HWND FindControl(HWND parent, const std::wstring& name);
// The same, waiting up to ms (and, if asked, until it is visible).
// Throws Failure "no control NAME" when it does not come.
HWND WaitForControl(HWND parent, const std::wstring& name, DWORD ms = 10000, bool mustBeVisible = false);

// Where a window breaks what screen readers need, one line per fault
// ("NAME: why"), over its shown descendants with a component name: a field (edit,
// combo box) whose previous sibling in the window order is not a label (a
// static with a text); a track bar or list view with neither such a label
// nor a window text of its own; a button (push, check, radio, owner-drawn
// swatch or tool button) or palette without a window text. Group boxes,
// separators and containers name nothing and are left out.
std::vector<std::wstring> ScreenReaderFaults(HWND window);

// The control that has the keyboard focus in the window's thread, when
// it is the window or one of its children; the window otherwise.
HWND FocusedIn(HWND w);

// Key down and up (virtual key vk) posted to the window.
void PostKey(HWND w, UINT vk);
// A left click at client coordinates (x, y), posted.
void PostClick(HWND w, int x, int y);
// The same with mouse-message key flags (MK_SHIFT, MK_CONTROL) held.
void PostClick(HWND w, int x, int y, WPARAM keys);
// A key struck on the keyboard with modifiers held (virtual keys, e.g.
// VK_CONTROL), through SendInput: the foreground window's focused control
// receives it, and the system's key state shows the modifiers down.
void PressKey(const std::vector<UINT>& modifiers, UINT vk);
// The text on the clipboard (CF_UNICODETEXT); empty when none.
std::wstring ClipboardText();
// The focused row of a list view (-1: none).
int ListFocusedRow(HWND list);
// A left double-click there: down, up, double-click, up, posted.
void PostDoubleClick(HWND w, int x, int y);
// Each character sent as WM_CHAR.
void TypeChars(HWND w, const std::wstring& text);

// The system message box: its static texts and its buttons' texts.
struct MessageBoxContent {
  std::wstring text;
  std::vector<std::wstring> buttons;
};
MessageBoxContent ReadMessageBox(HWND box);

// The system's open-file or save-file dialog whose title contains title:
// waits up to ms for it, types name into its file name field (WM_CHAR
// each) and presses its Open / Save button (BM_CLICK on IDOK, posted).
// Returns the dialog; throws Failure when it does not come or has no name
// field.
HWND AnswerFileDialog(const std::wstring& title, const std::wstring& name, DWORD ms = 10000);

// Memory in the process that owns a window, for the common controls'
// messages that carry a pointer.
class RemoteMemory {
public:
  RemoteMemory(HWND w, SIZE_T size);
  ~RemoteMemory();
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  LPARAM address(SIZE_T offset = 0) const;
  void write(const void* data, SIZE_T size, SIZE_T offset = 0);
  void read(void* data, SIZE_T size, SIZE_T offset = 0) const;

private:
  HANDLE process_ = nullptr;
  void* memory_ = nullptr;
  SIZE_T size_ = 0;
};

// List views of another process. ListSubItemRect gives the rectangle the
// list answers LVM_GETSUBITEMRECT with (code LVIR_BOUNDS or LVIR_LABEL);
// ListCellRect the whole cell, column 0 included (the item's bounds cut
// at the first column's width). Both throw Failure for a missing cell.
int ListRowCount(HWND list);
RECT ListSubItemRect(HWND list, int row, int column, int code);
RECT ListCellRect(HWND list, int row, int column);
RECT ListItemBounds(HWND list, int row);
std::wstring ListCellText(HWND list, int row, int column);
// The x of the left edge of column c in the list's header.
int ListColumnLeft(HWND list, int column);

// The text of a status bar's first part.
std::wstring StatusText(HWND bar);

// Writes body as UTF-16 with a byte-order mark, through a temporary file
// renamed at the end, so that a reader never sees half a report.
void WriteReport(const std::wstring& path, const std::wstring& body);

// Creates the file request and waits (15 s at most) until someone deletes
// it: the demo takes a screenshot meanwhile. Nothing when request is empty.
void WaitForShot(const std::wstring& request);

}  // namespace topaline::winedriver
