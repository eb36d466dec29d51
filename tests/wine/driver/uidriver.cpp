// Works the windows of another process (the server inside the script host)
// as a person would, for the Wine tests and the demo.
//
//   uidriver box CAPTION yes|no|ok|cancel REPORT [--shot REQUEST] [--timeout MS]
//   uidriver click CAPTION COMPONENT REPORT [--shot REQUEST] [--timeout MS]
//   uidriver answer CAPTION STEP+STEP+... REPORT [--shot REQUEST] [--timeout MS]
//   uidriver steps REPORT STEP...
//   uidriver points edit ROW COLUMN TEXT REPORT
//   uidriver points view REPORT
//   uidriver handle CAPTION REPORT   (decimal handle of a top-level window)
//   uidriver sleep MS                (Wine's script host has no WScript.Sleep)
//   uidriver text REPORT HEX...      (REPORT receives the UTF-16 code units
//                                    given in hexadecimal: the texts a script
//                                    cannot spell, Wine's having no ChrW)
//
// box waits for the system message box with that exact caption, writes
// "caption=", "text=" and "buttons=" lines, then clicks the button and
// waits until the box is gone.
//
// click waits for a visible top-level window whose title contains CAPTION,
// lists the component names of its controls in REPORT as "components=",
// then clicks COMPONENT.
//
// answer does the same with several steps, as a person fills a dialog:
// each STEP is a component name (BM_CLICK: tick a box, pick a radio
// button) or NAME=TEXT (WM_SETTEXT into a field, or the item picked in a
// drop-down list); the last step (usually Apply) comes after the report
// and the screenshot, so the picture shows the dialog filled in.
//
// With --shot, the file REQUEST is created and the final click waits until
// someone deletes it (the demo takes a screenshot meanwhile).
//
// steps runs its steps in order (each waits up to 10 s for what it needs):
//   form=TITLE       the visible, enabled top-level window whose title
//                    contains TITLE becomes the current form; writes
//                    "caption=<its whole title>"
//   click=NAME       BM_CLICK on the control, once it is enabled (posted: a
//                    reaction may open a modal window)
//   settext=NAME,T   WM_SETTEXT of T to the control
//   type=NAME,T      selects the control's text, deletes it (Delete key)
//                    and types T with WM_CHAR ("\r" in T types Enter)
//   key=VK           key down and up (decimal virtual key) posted to the
//                    form's focused control (the form itself if none)
//   key=NAME,VK      the same, posted to the named control (keyto= too)
//   close            the close box: WM_SYSCOMMAND SC_CLOSE to the form
//   closed           waits until the form's window is gone
//   a11y             writes "a11y=ok", or the faults of what screen
//                    readers need (window_driver.h, ScreenReaderFaults)
//   tabs=N           presses Tab N times and writes "tabs=" with the
//                    component focused after each, comma-separated
//   alive            writes "alive=1" when the form is still open and
//                    enabled 500 ms later, "alive=0" otherwise
//   text=NAME        writes "NAME.text=<window text>" ("form" for the form)
//   check=NAME       writes "NAME.check=0|1"
//   enabled=NAME     writes "NAME.enabled=0|1"
//   box=N            waits for the message box "Message Norvel", writes
//                    "box.text=", "box.buttons=" (the shown ones),
//                    "box.topmost=" and "box.desktop=" (1 when its parent
//                    is the desktop), then clicks ButtonN and waits until
//                    the box is gone
//   row=LIST,R,C     left click on cell (R, C) of a list view
//   row=LIST,R,C,MOD the same with shift, ctrl or ctrlshift held
//   keys=K ...       keys struck on the keyboard (SendInput) for the
//                    foreground form's focused control, one after the
//                    other: each K a decimal virtual key, with "ctrl+"
//                    and "shift+" before it for the modifiers held
//   focus=LIST       writes "LIST.focus=<the focused row>"
//   clipboard        writes "clipboard=<the clipboard's text>", each line
//                    break written as "|"
//   at=NAME,X,Y      left click at (X, Y) inside the control, in design
//                    pixels (scaled to the screen's DPI): a cell of a grid
//                    that draws its cells in one window
//   dblat=NAME,X,Y   a double-click at (X, Y) inside the control, in design
//                    pixels: the place of a list below its last row
//   tab=NAME,I       left click on tab I of the page control NAME
//   tick=LIST,R      left click on the check box of row R
//   header=LIST,C    left click on the header of column C
//   edit=EDITOR,T    waits for the in-place editor EDITOR to show, replaces
//                    its text with T and presses Enter
//   status=NAME      writes "NAME=<status bar text>"
//   rows=LIST        writes "LIST=<column-0 texts in display order, | >"
//   file=TITLE,NAME  waits for the system's open-file or save-file dialog
//                    whose title contains TITLE, writes "file.owner=<the
//                    title of its owner window>" and "file.beneath=0|1"
//                    (whether the current form can be used meanwhile),
//                    types NAME into its name field, presses Open / Save
//                    and waits until it is gone
//   sysbox=CAPTION   waits for the system message box titled CAPTION,
//                    writes "sysbox.text=", "sysbox.owner=<the title of its
//                    owner window>" and "sysbox.beneath=0|1" (whether the
//                    current form can be used meanwhile), presses its
//                    first button and waits until it is gone
//   shot=REQUEST     creates the file REQUEST and waits until someone
//                    deletes it (the demo takes a screenshot meanwhile)
//   sleep=MS
// The report receives the lines written, "error=STEP: why" on a failure
// (the exit code is then 1, and the form and any message box are closed
// so that the host is never left waiting), and "done" at the end.
//
// points works the points list (form frmListePoints): edit clicks the
// cell, types TEXT into the cell editor, Enter, then clicks btAppliquer;
// view clicks a coordinate cell, reports, then Escape. REPORT receives
// "rows=", "apply=" (shown or hidden), "editor=" (opened or none) and, for
// edit, "cell=" (the cell's text after the commit).
//
// Every REPORT is UTF-16 with a byte-order mark. Exit code 0 when every
// step was done.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/wine/driver/window_driver.h"

namespace wd = topaline::winedriver;
using wd::Failure;

namespace {

std::vector<std::wstring> Split(const std::wstring& s, wchar_t sep) {
  std::vector<std::wstring> out;
  for (std::size_t start = 0;;) {
    const std::size_t at = s.find(sep, start);
    out.push_back(s.substr(start, at == std::wstring::npos ? std::wstring::npos : at - start));
    if (at == std::wstring::npos) return out;
    start = at + 1;
  }
}

std::wstring Joined(const std::vector<std::wstring>& items) {
  std::wstring out;
  for (std::size_t i = 0; i < items.size(); ++i) out += (i ? L"," : L"") + items[i];
  return out;
}

std::wstring ComponentList(const std::vector<std::pair<std::wstring, HWND>>& all) {
  std::vector<std::wstring> names;
  for (const auto& item : all) names.push_back(item.first);
  return Joined(names);
}

HWND Named(const std::vector<std::pair<std::wstring, HWND>>& all, const std::wstring& name) {
  for (const auto& item : all)
    if (item.first == name) return item.second;
  return nullptr;
}

// ---- box, click, answer: one dialog answered in one go (host tests, demo)

struct Options {
  std::wstring shot;
  DWORD timeout = 20000;
};

HWND WaitForDialog(const std::wstring& caption, DWORD timeout) {
  HWND w = wd::WaitForTopLevel({caption, wd::TitleMatch::Contains, false}, timeout);
  if (!w) fwprintf(stderr, L"uidriver: no window \"%ls\" within %lu ms\n", caption.c_str(), timeout);
  return w;
}

int AnswerSystemBox(const std::wstring& caption, const std::wstring& reply, const std::wstring& report,
                    const Options& options) {
  const int id = lstrcmpiW(reply.c_str(), L"yes") == 0      ? IDYES
                 : lstrcmpiW(reply.c_str(), L"no") == 0     ? IDNO
                 : lstrcmpiW(reply.c_str(), L"ok") == 0     ? IDOK
                 : lstrcmpiW(reply.c_str(), L"cancel") == 0 ? IDCANCEL
                                                            : 0;
  if (!id) return 64;
  HWND box = nullptr;
  if (!wd::WaitFor([&] { return (box = FindWindowW(L"#32770", caption.c_str())) != nullptr; }, options.timeout)) {
    fwprintf(stderr, L"uidriver: no box \"%ls\" within %lu ms\n", caption.c_str(), options.timeout);
    return 2;
  }
  // The box is found as soon as it exists: wait until it is shown with
  // its text in place.
  wd::MessageBoxContent shown;
  wd::WaitFor([&] {
    shown = wd::ReadMessageBox(box);
    return IsWindowVisible(box) && !shown.text.empty();
  }, 3000);
  Sleep(100);
  wd::WriteReport(report, L"caption=" + caption + L"\r\ntext=" + shown.text + L"\r\nbuttons=" + Joined(shown.buttons) +
                              L"\r\n");
  wd::WaitForShot(options.shot);
  HWND button = GetDlgItem(box, id);
  if (!button) {
    fwprintf(stderr, L"uidriver: the box has no button %d\n", id);
    return 3;
  }
  SendMessageW(button, BM_CLICK, 0, 0);
  if (!wd::WaitFor([&] { return !IsWindow(box); }, 5000)) {
    fwprintf(stderr, L"uidriver: the box did not close\n");
    return 4;
  }
  return 0;
}

int ClickOnce(const std::wstring& caption, const std::wstring& component, const std::wstring& report,
              const Options& options) {
  HWND dialog = WaitForDialog(caption, options.timeout);
  if (!dialog) return 2;
  Sleep(200);
  const auto all = wd::Components(dialog);
  wd::WriteReport(report, L"caption=" + caption + L"\r\ncomponents=" + ComponentList(all) + L"\r\n");
  wd::WaitForShot(options.shot);
  HWND target = Named(all, component);
  if (!target) {
    fwprintf(stderr, L"uidriver: no component \"%ls\"\n", component.c_str());
    return 3;
  }
  SendMessageW(target, BM_CLICK, 0, 0);
  return 0;
}

// One step of answer: "NAME" clicks, "NAME=TEXT" sets the text or picks
// the item.
bool AnswerStep(const std::vector<std::pair<std::wstring, HWND>>& all, const std::wstring& step) {
  const std::size_t eq = step.find(L'=');
  HWND target = Named(all, step.substr(0, eq));
  if (!target) {
    fwprintf(stderr, L"uidriver: no component \"%ls\"\n", step.substr(0, eq).c_str());
    return false;
  }
  if (eq == std::wstring::npos) {
    SendMessageW(target, BM_CLICK, 0, 0);
  } else if (lstrcmpiW(wd::ClassName(target).c_str(), L"ComboBox") == 0) {
    // A pick in a drop-down list: the item, then the notification the
    // list sends its parent when the user picks.
    const std::wstring item = step.substr(eq + 1);
    SendMessageW(target, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(GetParent(target), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(target), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(target));
  } else {
    const std::wstring text = step.substr(eq + 1);
    SendMessageW(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  Sleep(150);
  return true;
}

int AnswerDialog(const std::wstring& caption, const std::wstring& steps, const std::wstring& report,
                 const Options& options) {
  const std::vector<std::wstring> list = Split(steps, L'+');
  HWND dialog = WaitForDialog(caption, options.timeout);
  if (!dialog) return 2;
  Sleep(200);
  const auto all = wd::Components(dialog);
  for (std::size_t i = 0; i + 1 < list.size(); ++i) {
    if (!AnswerStep(all, list[i])) {
      PostMessageW(dialog, WM_CLOSE, 0, 0);  // never leave the host waiting
      return 3;
    }
  }
  wd::WriteReport(report, L"caption=" + caption + L"\r\ncomponents=" + ComponentList(all) + L"\r\nsteps=" + steps +
                              L"\r\n");
  wd::WaitForShot(options.shot);
  return AnswerStep(all, list.back()) ? 0 : 3;
}

// ---- steps: a dialog worked step by step, its state written as it goes

class StepRunner {
public:
  void Run(const std::wstring& step);
  void Recover();
  std::wstring report;

private:
  HWND Control(const std::wstring& name, bool mustBeVisible = false) {
    if (!form_) throw Failure{L"no form for " + name};
    if (name == L"form") return form_;
    return wd::WaitForControl(form_, name, 10000, mustBeVisible);
  }
  void Write(const std::wstring& name, const std::wstring& value) { report += name + L"=" + value + L"\r\n"; }
  void AnswerProductBox(int button);
  // "NAME.owner=" and "NAME.beneath=" of a system window: its owner's
  // title, and whether the current form is enabled while it is open.
  void WriteModality(const std::wstring& name, HWND system) {
    Sleep(300);  // let the showing finish
    HWND owner = GetWindow(system, GW_OWNER);
    Write(name + L".owner", owner ? wd::WindowText(owner) : L"(none)");
    Write(name + L".beneath", form_ && IsWindowEnabled(form_) ? L"1" : L"0");
  }

  HWND form_ = nullptr;
};

void StepRunner::AnswerProductBox(int button) {
  HWND box = wd::WaitForTopLevel({L"Message Norvel", wd::TitleMatch::Exact, true}, 10000);
  if (!box) throw Failure{L"no window Message Norvel"};
  HWND label = wd::WaitForControl(box, L"LabMsg");
  std::wstring shown;
  for (const wchar_t* name : {L"Button1", L"Button2", L"Button3"}) {
    HWND b = wd::WaitForControl(box, name);
    if (IsWindowVisible(b)) shown += (shown.empty() ? L"" : L",") + wd::WindowText(b);
  }
  Write(L"box.text", wd::WindowText(label));
  Write(L"box.buttons", shown);
  Write(L"box.topmost", (GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) ? L"1" : L"0");
  Write(L"box.desktop", GetAncestor(box, GA_PARENT) == GetDesktopWindow() ? L"1" : L"0");
  HWND target = wd::WaitForControl(box, L"Button" + std::to_wstring(button));
  PostMessageW(target, BM_CLICK, 0, 0);
  if (!wd::WaitFor([&] { return !IsWindow(box); }, 5000)) throw Failure{L"the message box did not close"};
  Sleep(200);
}

void StepRunner::Run(const std::wstring& step) {
  const std::size_t eq = step.find(L'=');
  const std::wstring verb = step.substr(0, eq);
  const std::wstring arg = eq == std::wstring::npos ? L"" : step.substr(eq + 1);
  const std::size_t comma = arg.find(L',');
  const bool pair = comma != std::wstring::npos;
  const std::wstring first = arg.substr(0, comma);
  const std::wstring rest = pair ? arg.substr(comma + 1) : L"";
  const std::vector<std::wstring> a = Split(arg, L',');
  if (verb == L"form") {
    form_ = wd::WaitForTopLevel({arg, wd::TitleMatch::Contains, true}, 10000);
    if (!form_) throw Failure{L"no window " + arg};
    Sleep(300);  // let the showing finish
    Write(L"caption", wd::WindowText(form_));
  } else if (verb == L"click") {
    HWND b = Control(arg);
    if (!wd::WaitFor([&] { return IsWindowEnabled(b) != FALSE; }, 3000)) throw Failure{arg + L" stays disabled"};
    PostMessageW(b, BM_CLICK, 0, 0);
    Sleep(300);
  } else if (verb == L"settext" && pair) {
    SendMessageW(Control(first), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rest.c_str()));
    Sleep(100);
  } else if (verb == L"type" && pair) {
    // Select the whole text and delete it, as a person does before typing
    // a new number: the key tells the model where the selection is.
    HWND edit = Control(first);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    wd::PostKey(edit, VK_DELETE);
    Sleep(300);
    std::wstring typed;
    for (std::size_t i = 0; i < rest.size(); ++i) {
      if (rest[i] == L'\\' && i + 1 < rest.size() && rest[i + 1] == L'r') {
        typed += L'\r';
        ++i;
      } else {
        typed += rest[i];
      }
    }
    wd::TypeChars(edit, typed);
    Sleep(100);
  } else if ((verb == L"key" && !pair) && !arg.empty()) {
    if (!form_) throw Failure{L"no form for a key"};
    wd::PostKey(wd::FocusedIn(form_), static_cast<UINT>(_wtoi(arg.c_str())));
    Sleep(300);
  } else if ((verb == L"key" || verb == L"keyto") && pair) {
    wd::PostKey(Control(first), static_cast<UINT>(_wtoi(rest.c_str())));
    Sleep(300);
  } else if (verb == L"close") {
    if (!form_) throw Failure{L"no form to close"};
    PostMessageW(form_, WM_SYSCOMMAND, SC_CLOSE, 0);
    Sleep(300);
  } else if (verb == L"closed") {
    if (!form_) throw Failure{L"no form"};
    if (!wd::WaitFor([&] { return !IsWindow(form_); }, 5000)) throw Failure{L"the form stays open"};
  } else if (verb == L"a11y") {
    // What screen readers need, over the whole form.
    if (!form_) throw Failure{L"no form"};
    std::wstring faults;
    for (const std::wstring& f : wd::ScreenReaderFaults(form_)) faults += (faults.empty() ? L"" : L"; ") + f;
    Write(L"a11y", faults.empty() ? L"ok" : faults);
  } else if (verb == L"tabs" && !arg.empty()) {
    // Tab pressed N times: the component that has the focus after each.
    if (!form_) throw Failure{L"no form for Tab"};
    std::wstring order;
    for (int i = 0; i < _wtoi(arg.c_str()); ++i) {
      wd::PostKey(wd::FocusedIn(form_), VK_TAB);
      Sleep(300);
      HWND f = wd::FocusedIn(form_);
      std::wstring name = wd::ComponentName(f);
      if (name.empty() && GetParent(f)) name = wd::ComponentName(GetParent(f));  // a combo box's edit
      order += (order.empty() ? L"" : L",") + name;
    }
    Write(L"tabs", order);
  } else if (verb == L"alive") {
    Sleep(500);
    Write(L"alive", IsWindow(form_) && IsWindowVisible(form_) && IsWindowEnabled(form_) ? L"1" : L"0");
  } else if (verb == L"text" && !arg.empty()) {
    Write(arg + L".text", wd::WindowText(Control(arg)));
  } else if (verb == L"check" && !arg.empty() && !pair) {
    Write(arg + L".check", SendMessageW(Control(arg), BM_GETCHECK, 0, 0) == BST_CHECKED ? L"1" : L"0");
  } else if (verb == L"enabled" && !arg.empty()) {
    Write(arg + L".enabled", IsWindowEnabled(Control(arg)) ? L"1" : L"0");
  } else if (verb == L"box" && !arg.empty()) {
    AnswerProductBox(_wtoi(arg.c_str()));
  } else if (verb == L"row" && (a.size() == 3 || a.size() == 4)) {
    HWND list = Control(a[0]);
    const RECT r = wd::ListCellRect(list, _wtoi(a[1].c_str()), _wtoi(a[2].c_str()));
    WPARAM keys = 0;
    if (a.size() == 4) {
      if (a[3] == L"shift") keys = MK_SHIFT;
      else if (a[3] == L"ctrl") keys = MK_CONTROL;
      else if (a[3] == L"ctrlshift") keys = MK_SHIFT | MK_CONTROL;
      else throw Failure{L"bad key " + a[3]};
    }
    wd::PostClick(list, r.left + 24, (r.top + r.bottom) / 2, keys);
    Sleep(250);
  } else if (verb == L"keys" && !arg.empty()) {
    if (!form_) throw Failure{L"no form for keys"};
    if (GetForegroundWindow() != form_ && !wd::WaitFor([&] { return GetForegroundWindow() == form_; }, 3000))
      throw Failure{L"the form is not in the foreground"};
    for (const std::wstring& k : Split(arg, L' ')) {
      std::vector<UINT> mods;
      std::wstring rest = k;
      for (;;) {
        if (rest.rfind(L"ctrl+", 0) == 0) {
          mods.push_back(VK_CONTROL);
          rest = rest.substr(5);
        } else if (rest.rfind(L"shift+", 0) == 0) {
          mods.push_back(VK_SHIFT);
          rest = rest.substr(6);
        } else {
          break;
        }
      }
      const int vk = _wtoi(rest.c_str());
      if (vk <= 0 || vk > 254) throw Failure{L"bad key " + k};
      wd::PressKey(mods, static_cast<UINT>(vk));
      Sleep(60);
    }
    Sleep(300);
  } else if (verb == L"focus" && !arg.empty()) {
    Write(arg + L".focus", std::to_wstring(wd::ListFocusedRow(Control(arg))));
  } else if (verb == L"clipboard") {
    std::wstring text = wd::ClipboardText();
    std::wstring line;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
      line += text[i] == L'\n' || text[i] == L'\r' ? L'|' : text[i];
    }
    Write(L"clipboard", line);
  } else if ((verb == L"at" || verb == L"dblat") && a.size() == 3) {
    HWND target = Control(a[0], true);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    const int x = MulDiv(_wtoi(a[1].c_str()), dpi, 96), y = MulDiv(_wtoi(a[2].c_str()), dpi, 96);
    if (verb == L"at")
      wd::PostClick(target, x, y);
    else
      wd::PostDoubleClick(target, x, y);
    Sleep(250);
  } else if (verb == L"tab" && a.size() == 2) {
    // The tabs are a window of their own inside the page control.
    HWND tabs = FindWindowExW(Control(a[0], true), nullptr, WC_TABCONTROLW, nullptr);
    if (!tabs) throw Failure{a[0] + L" has no tabs"};
    wd::RemoteMemory mem(tabs, sizeof(RECT));
    RECT r{};
    if (!SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(_wtoi(a[1].c_str())), mem.address()))
      throw Failure{L"no tab " + a[1]};
    mem.read(&r, sizeof r);
    wd::PostClick(tabs, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    Sleep(300);
  } else if (verb == L"shot" && !arg.empty()) {
    wd::WaitForShot(arg);
  } else if (verb == L"tick" && a.size() == 2) {
    HWND list = Control(a[0]);
    const RECT r = wd::ListItemBounds(list, _wtoi(a[1].c_str()));
    // The check box is the state image at the row's left edge.
    wd::PostClick(list, r.left + 10, (r.top + r.bottom) / 2);
    Sleep(250);
  } else if (verb == L"header" && a.size() == 2) {
    HWND list = Control(a[0]);
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    if (!header) throw Failure{a[0] + L" has no header"};
    RECT hr{};
    GetClientRect(header, &hr);
    wd::PostClick(header, wd::ListColumnLeft(list, _wtoi(a[1].c_str())) + 12, (hr.top + hr.bottom) / 2);
    Sleep(250);
  } else if (verb == L"edit" && pair) {
    // The list's own editor, shown over the cell when editing begins.
    HWND editor = Control(first, true);
    SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rest.c_str()));
    Sleep(100);
    wd::PostKey(editor, VK_RETURN);
    Sleep(300);
  } else if (verb == L"status" && !arg.empty()) {
    Write(arg, wd::StatusText(Control(arg)));
  } else if (verb == L"rows" && !arg.empty()) {
    HWND list = Control(arg);
    std::wstring line;
    for (int r = 0, n = wd::ListRowCount(list); r < n; ++r) line += (r ? L"|" : L"") + wd::ListCellText(list, r, 0);
    Write(arg, line);
  } else if (verb == L"file" && pair) {
    HWND shown = wd::WaitForTopLevel({first, wd::TitleMatch::Contains, true}, 10000);
    if (!shown) throw Failure{L"no file dialog " + first};
    WriteModality(L"file", shown);
    HWND dlg = wd::AnswerFileDialog(first, rest);
    if (!wd::WaitFor([&] { return !IsWindow(dlg); }, 5000)) throw Failure{L"the file dialog stays open"};
    Sleep(300);
  } else if (verb == L"sysbox" && !arg.empty()) {
    HWND box = wd::WaitForTopLevel({arg, wd::TitleMatch::Exact, true}, 10000);
    if (!box) throw Failure{L"no message box " + arg};
    WriteModality(L"sysbox", box);
    Write(L"sysbox.text", wd::ReadMessageBox(box).text);
    HWND ok = GetDlgItem(box, IDOK);
    if (!ok) ok = FindWindowExW(box, nullptr, L"Button", nullptr);
    if (!ok) throw Failure{L"the message box has no button"};
    PostMessageW(ok, BM_CLICK, 0, 0);
    if (!wd::WaitFor([&] { return !IsWindow(box); }, 5000)) throw Failure{L"the message box did not close"};
    Sleep(200);
  } else if (verb == L"sleep") {
    Sleep(static_cast<DWORD>(_wtoi(arg.c_str())));
  } else {
    throw Failure{L"bad step"};
  }
}

namespace {
BOOL CALLBACK CloseEnabled(HWND w, LPARAM shown) {
  if (!IsWindowVisible(w)) return TRUE;
  ++*reinterpret_cast<int*>(shown);
  if (IsWindowEnabled(w)) PostMessageW(w, WM_CLOSE, 0, 0);
  return TRUE;
}
}  // namespace

// Never leave the host waiting: a step that failed may leave a message box
// or a second dialog in front of the form, which then cannot close. Close
// the enabled windows of the form's thread, innermost first, until the form
// and the dialogs under it are gone, so that the command returns.
void StepRunner::Recover() {
  if (HWND box = FindWindowW(nullptr, L"Message Norvel")) PostMessageW(box, WM_CLOSE, 0, 0);
  Sleep(300);
  if (!form_) return;
  const DWORD thread = GetWindowThreadProcessId(form_, nullptr);
  for (int round = 0; round < 20; ++round) {
    int shown = 0;
    EnumThreadWindows(thread, CloseEnabled, reinterpret_cast<LPARAM>(&shown));
    if (!shown) return;
    Sleep(300);
  }
}

int RunSteps(const std::wstring& path, int count, wchar_t** steps) {
  StepRunner runner;
  int code = 0;
  for (int i = 0; i < count; ++i) {
    try {
      runner.Run(steps[i]);
    } catch (const Failure& f) {
      runner.report += L"error=" + std::wstring(steps[i]) + L": " + f.what + L"\r\n";
      code = 1;
      runner.Recover();
      break;
    }
  }
  runner.report += L"done\r\n";
  wd::WriteReport(path, runner.report);
  return code;
}

// ---- points: the points list, edited in a cell or only viewed

int PointsFail(const wchar_t* what) {
  fwprintf(stderr, L"uidriver points: %ls\n", what);
  return 2;
}

LPARAM CellCentre(HWND list, int row, int column) {
  const RECT cell = wd::ListSubItemRect(list, row, column, LVIR_LABEL);
  return MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
}

int WorkPointsList(bool edit, int row, int column, const std::wstring& text, const std::wstring& report) {
  HWND form = nullptr;
  if (!wd::WaitFor([&] { return (form = wd::FindTopLevelByName(L"frmListePoints")) != nullptr; }, 20000))
    return PointsFail(L"no list");
  HWND list = nullptr;
  wd::WaitFor([&] { return (list = wd::FindControl(form, L"TVPoints")) != nullptr; }, 5000);
  HWND apply = wd::FindControl(form, L"btAppliquer");
  if (!list || !apply) return PointsFail(L"no TVPoints or btAppliquer");
  Sleep(300);  // let the list settle (first paint, focus)

  std::wstring body = L"rows=" + std::to_wstring(wd::ListRowCount(list)) + L"\r\n";
  body += std::wstring(L"apply=") + (IsWindowVisible(apply) ? L"shown" : L"hidden") + L"\r\n";

  if (!edit) {
    // A click on a coordinate cell opens no editor in viewing mode.
    const LPARAM at = CellCentre(list, 0, 1);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    Sleep(800);
    HWND editor = wd::FindControl(form, L"EditLink");
    body += std::wstring(L"editor=") + (editor && IsWindowVisible(editor) ? L"opened" : L"none") + L"\r\n";
    wd::WriteReport(report, body);
    wd::PostKey(list, VK_ESCAPE);
    return wd::WaitFor([&] { return !IsWindow(form); }, 5000) ? 0 : PointsFail(L"the list did not close");
  }

  const LPARAM at = CellCentre(list, row, column);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  HWND editor = nullptr;
  const bool opened = wd::WaitFor([&] {
    editor = wd::FindControl(form, L"EditLink");
    return editor && IsWindowVisible(editor);
  }, 5000);
  body += std::wstring(L"editor=") + (opened ? L"opened" : L"none") + L"\r\n";
  if (!opened) {
    wd::WriteReport(report, body);
    PostMessageW(form, WM_CLOSE, 0, 0);
    return PointsFail(L"the cell editor did not open");
  }
  SendMessageW(editor, EM_SETSEL, 0, -1);
  wd::TypeChars(editor, text);
  wd::PostKey(editor, VK_RETURN);
  wd::WaitFor([&] { return !IsWindowVisible(editor); }, 5000);
  body += L"cell=" + wd::ListCellText(list, row, column) + L"\r\n";
  wd::WriteReport(report, body);
  PostMessageW(apply, BM_CLICK, 0, 0);
  return wd::WaitFor([&] { return !IsWindow(form); }, 5000) ? 0 : PointsFail(L"Apply did not close the list");
}

int Points(int argc, wchar_t** argv) {
  const bool edit = argc == 7 && lstrcmpiW(argv[2], L"edit") == 0;
  const bool view = argc == 4 && lstrcmpiW(argv[2], L"view") == 0;
  if (!edit && !view) return 64;
  const std::wstring report = argv[argc - 1];
  try {
    if (view) return WorkPointsList(false, 0, 0, L"", report);
    return WorkPointsList(true, _wtoi(argv[3]), _wtoi(argv[4]), argv[5], report);
  } catch (const Failure& f) {
    // Never leave the host waiting on the list.
    if (HWND form = wd::FindTopLevelByName(L"frmListePoints")) PostMessageW(form, WM_CLOSE, 0, 0);
    return PointsFail(f.what.c_str());
  }
}

int Usage() {
  fwprintf(stderr, L"usage: uidriver box CAPTION yes|no|ok|cancel REPORT [--shot REQUEST] [--timeout MS]\n"
                   L"       uidriver click CAPTION COMPONENT REPORT [--shot REQUEST] [--timeout MS]\n"
                   L"       uidriver answer CAPTION STEP+STEP+... REPORT [--shot REQUEST] [--timeout MS]\n"
                   L"       uidriver steps REPORT STEP...\n"
                   L"       uidriver points edit ROW COLUMN TEXT REPORT | uidriver points view REPORT\n"
                   L"       uidriver handle CAPTION REPORT\n"
                   L"       uidriver text REPORT HEX...\n"
                   L"       uidriver sleep MS\n");
  return 64;
}

int Main(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const std::wstring verb = argv[1];
  if (verb == L"sleep" && argc == 3) {
    Sleep(wcstoul(argv[2], nullptr, 10));
    return 0;
  }
  if (verb == L"handle" && argc == 4) {
    HWND w = wd::WaitForTopLevel({argv[2], wd::TitleMatch::Contains, false}, 20000);
    if (!w) return 2;
    wd::WriteReport(argv[3], std::to_wstring(reinterpret_cast<ULONG_PTR>(w)));
    return 0;
  }
  if (verb == L"text" && argc >= 3) {
    std::wstring text;
    for (int i = 3; i < argc; ++i) {
      wchar_t* end = nullptr;
      const unsigned long unit = wcstoul(argv[i], &end, 16);
      if (!*argv[i] || *end || unit == 0 || unit > 0xFFFF) return Usage();
      text += static_cast<wchar_t>(unit);
    }
    wd::WriteReport(argv[2], text);
    return 0;
  }
  if (verb == L"steps" && argc >= 4) return RunSteps(argv[2], argc - 3, argv + 3);
  if (verb == L"points") {
    const int code = Points(argc, argv);
    return code == 64 ? Usage() : code;
  }
  if ((verb != L"box" && verb != L"click" && verb != L"answer") || argc < 5) return Usage();
  Options options;
  for (int i = 5; i < argc; i += 2) {
    if (i + 1 >= argc) return Usage();
    if (lstrcmpiW(argv[i], L"--shot") == 0) options.shot = argv[i + 1];
    else if (lstrcmpiW(argv[i], L"--timeout") == 0) options.timeout = wcstoul(argv[i + 1], nullptr, 10);
    else return Usage();
  }
  if (verb == L"click") return ClickOnce(argv[2], argv[3], argv[4], options);
  if (verb == L"answer") return AnswerDialog(argv[2], argv[3], argv[4], options);
  const int code = AnswerSystemBox(argv[2], argv[3], argv[4], options);
  return code == 64 ? Usage() : code;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    return Main(argc, argv);
  } catch (const Failure& f) {
    fwprintf(stderr, L"uidriver: %ls\n", f.what.c_str());
    return 2;
  }
}
