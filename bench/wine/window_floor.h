// The floor of a first paint: what this Wine takes to create and paint the
// windows a dialog created, with none of the server's code. Capture notes
// every window of a painted dialog (class, styles, place, text, font,
// parent, and what a list view or a tab control shows); Floor makes the
// same windows again with a bare loop of CreateWindowExW, shows them and
// waits until every paint has been handled, then destroys them.
//
// The same windows means:
//   - the same classes: system controls are made in the server's own
//     activation context, so a button is the common controls 6 button
//     the dialog shows, not the system's older one; each class is made by
//     its atom, the quickest way this Wine makes it;
//   - the server's own classes are registered again over a bare window
//     procedure (same class styles and brush) that only answers a list
//     view's requests for the texts captured;
//   - a list view has the same columns, row count and the texts of the
//     rows that were on screen; a tab control the same tabs; every window
//     the same font;
//   - windows a system control made itself (a list view's header, a combo
//     box's edit) are left to that control, as in the dialog.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "win32/ui/msw_visual_styles.h"  // TOPALINE_MSW_MANIFEST_ID

namespace floor_bench {

struct WindowShape {
  std::wstring cls;
  bool own = false;  // a class of the server's module, not a system one
  DWORD style = 0, exStyle = 0;
  RECT rect{};     // in the parent's client coordinates (screen for the root)
  int parent = -1;  // index in the list; -1 for the root
  std::wstring text;
  UINT classStyle = 0;
  HBRUSH background = nullptr;
  HFONT font = nullptr;
  bool madeByParent = false;  // a part of a system control (made by it)
  // A list view: its columns and rows, the texts of the rows shown.
  struct Column {
    std::wstring caption;
    int width = 0, format = 0;
  };
  std::vector<Column> columns;
  int rowCount = 0, topRow = 0;
  std::vector<std::vector<std::wstring>> shownRows;
  // A tab control: its tabs.
  std::vector<std::wstring> tabs;
};

inline HMODULE g_module = nullptr;  // the server's module, for its activation context

inline bool IsClass(const std::wstring& cls, const wchar_t* name) { return lstrcmpiW(cls.c_str(), name) == 0; }

inline std::wstring ItemText(HWND list, int row, int column) {
  wchar_t buf[512] = {};
  LVITEMW it{};
  it.iSubItem = column;
  it.pszText = buf;
  it.cchTextMax = 512;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
  return buf;
}

inline void CaptureContents(HWND h, WindowShape& s) {
  if (IsClass(s.cls, WC_LISTVIEWW)) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(h, LVM_GETHEADER, 0, 0));
    const int n = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int c = 0; c < n; ++c) {
      wchar_t buf[256] = {};
      LVCOLUMNW col{};
      col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
      col.pszText = buf;
      col.cchTextMax = 256;
      SendMessageW(h, LVM_GETCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
      s.columns.push_back(WindowShape::Column{buf, col.cx, col.fmt});
    }
    s.rowCount = static_cast<int>(SendMessageW(h, LVM_GETITEMCOUNT, 0, 0));
    s.topRow = static_cast<int>(SendMessageW(h, LVM_GETTOPINDEX, 0, 0));
    const int page = static_cast<int>(SendMessageW(h, LVM_GETCOUNTPERPAGE, 0, 0)) + 1;
    for (int r = s.topRow; r < s.rowCount && r < s.topRow + page; ++r) {
      std::vector<std::wstring> row;
      for (int c = 0; c < n; ++c) row.push_back(ItemText(h, r, c));
      s.shownRows.push_back(std::move(row));
    }
  } else if (IsClass(s.cls, WC_TABCONTROLW)) {
    const int n = static_cast<int>(SendMessageW(h, TCM_GETITEMCOUNT, 0, 0));
    for (int t = 0; t < n; ++t) {
      wchar_t buf[256] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = buf;
      item.cchTextMax = 256;
      SendMessageW(h, TCM_GETITEMW, static_cast<WPARAM>(t), reinterpret_cast<LPARAM>(&item));
      s.tabs.push_back(buf);
    }
  }
}

// A left click on a list view's column header, as the list reports it to
// its parent (what the benchmarks time a sort with).
inline void ClickHeader(HWND list, int column) {
  NMLISTVIEW nm{};
  nm.hdr.hwndFrom = list;
  nm.hdr.idFrom = GetDlgCtrlID(list);
  nm.hdr.code = LVN_COLUMNCLICK;
  nm.iItem = -1;
  nm.iSubItem = column;
  SendMessageW(GetParent(list), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

inline BOOL CALLBACK CaptureChild(HWND hwnd, LPARAM lp) {
  auto& all = *reinterpret_cast<std::vector<HWND>*>(lp);
  all.push_back(hwnd);
  return TRUE;
}

// The root and all its descendants, each parent before its children.
inline std::vector<WindowShape> Capture(HWND root, HMODULE serverModule) {
  g_module = serverModule;
  std::vector<HWND> all{root};
  EnumChildWindows(root, CaptureChild, reinterpret_cast<LPARAM>(&all));
  std::map<HWND, int> index;
  std::vector<WindowShape> shapes;
  for (HWND h : all) {
    WindowShape s;
    wchar_t cls[256] = {};
    GetClassNameW(h, cls, 256);
    s.cls = cls;
    s.own = reinterpret_cast<HMODULE>(GetClassLongPtrW(h, GCLP_HMODULE)) == serverModule;
    s.style = static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE));
    s.exStyle = static_cast<DWORD>(GetWindowLongPtrW(h, GWL_EXSTYLE));
    s.classStyle = static_cast<UINT>(GetClassLongPtrW(h, GCL_STYLE));
    s.background = reinterpret_cast<HBRUSH>(GetClassLongPtrW(h, GCLP_HBRBACKGROUND));
    GetWindowRect(h, &s.rect);
    HWND parent = h == root ? nullptr : GetParent(h);
    auto it = parent ? index.find(parent) : index.end();
    s.parent = it == index.end() ? -1 : it->second;
    s.madeByParent = s.parent >= 0 && !shapes[static_cast<std::size_t>(s.parent)].own;
    s.font = reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0));
    CaptureContents(h, s);
    if (s.parent >= 0) MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&s.rect), 2);
    const int n = GetWindowTextLengthW(h);
    if (n > 0 && n < 4096) {
      s.text.resize(static_cast<std::size_t>(n) + 1);
      s.text.resize(static_cast<std::size_t>(GetWindowTextW(h, s.text.data(), n + 1)));
    }
    index[h] = static_cast<int>(shapes.size());
    shapes.push_back(std::move(s));
  }
  return shapes;
}

// Windows of the last Floor that could not be made (a class unknown
// outside the server's activation context, say): they are missing from
// the floor, which then reads low.
inline int g_missing = 0;

inline void DrainPaints() {
  MSG m;
  for (int k = 0; k < 100000 && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT); ++k) DispatchMessageW(&m);
}

// The lists of the floor being made, with the shapes whose texts they show.
inline std::map<HWND, const WindowShape*> g_lists;

// The stand-in of the server's classes: nothing but the texts a list view
// asks for.
inline LRESULT CALLBACK StandInProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NOTIFY && lp) {
    auto* hdr = reinterpret_cast<NMHDR*>(lp);
    auto it = hdr->code == LVN_GETDISPINFOW ? g_lists.find(hdr->hwndFrom) : g_lists.end();
    if (it != g_lists.end()) {
      auto* di = reinterpret_cast<NMLVDISPINFOW*>(lp);
      const WindowShape& s = *it->second;
      if ((di->item.mask & LVIF_TEXT) && di->item.pszText && di->item.cchTextMax > 0) {
        const auto r = static_cast<std::size_t>(di->item.iItem), c = static_cast<std::size_t>(di->item.iSubItem);
        const bool known = di->item.iItem >= 0 && r < s.shownRows.size() && c < s.shownRows[r].size();
        lstrcpynW(di->item.pszText, known ? s.shownRows[r][c].c_str() : L"", di->item.cchTextMax);
      }
      return 0;
    }
  }
  return DefWindowProcW(h, msg, wp, lp);
}

// The server's activation context (its common controls 6 manifest).
inline HANDLE ServerContext() {
  static HANDLE context = [] {
    ACTCTXW ac{};
    ac.cbSize = sizeof ac;
    ac.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    ac.hModule = g_module;
    ac.lpResourceName = MAKEINTRESOURCEW(TOPALINE_MSW_MANIFEST_ID);
    return g_module ? CreateActCtxW(&ac) : INVALID_HANDLE_VALUE;
  }();
  return context;
}

struct ContextScope {
  ULONG_PTR cookie = 0;
  ContextScope() {
    if (ServerContext() != INVALID_HANDLE_VALUE && !ActivateActCtx(ServerContext(), &cookie)) cookie = 0;
  }
  ~ContextScope() {
    if (cookie) DeactivateActCtx(0, cookie);
  }
  ContextScope(const ContextScope&) = delete;
  ContextScope& operator=(const ContextScope&) = delete;
};

// The atom of a system class as its name gives it in the server's context.
inline ATOM SystemClassAtom(const std::wstring& cls) {
  static std::map<std::wstring, ATOM> atoms;
  auto it = atoms.find(cls);
  if (it != atoms.end()) return it->second;
  ContextScope scope;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                           ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  HWND probe = CreateWindowExW(0, cls.c_str(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ATOM atom = probe ? static_cast<ATOM>(GetClassLongPtrW(probe, GCW_ATOM)) : 0;
  if (probe) DestroyWindow(probe);
  atoms[cls] = atom;
  return atom;
}

// What a list view or a tab control shows, given as the dialog gave it.
inline void FillContents(HWND h, const WindowShape& s) {
  if (IsClass(s.cls, WC_LISTVIEWW)) {
    for (std::size_t c = 0; c < s.columns.size(); ++c) {
      LVCOLUMNW col{};
      col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
      col.pszText = const_cast<wchar_t*>(s.columns[c].caption.c_str());
      col.cx = s.columns[c].width;
      col.fmt = s.columns[c].format;
      col.iSubItem = static_cast<int>(c);
      SendMessageW(h, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&col));
    }
    if (s.style & LVS_OWNERDATA) {
      g_lists[h] = &s;
      SendMessageW(h, LVM_SETITEMCOUNT, static_cast<WPARAM>(s.rowCount), LVSICF_NOSCROLL);
    } else {
      for (std::size_t r = 0; r < s.shownRows.size(); ++r)
        for (std::size_t c = 0; c < s.shownRows[r].size(); ++c) {
          LVITEMW it{};
          it.mask = LVIF_TEXT;
          it.iItem = static_cast<int>(r);
          it.iSubItem = static_cast<int>(c);
          it.pszText = const_cast<wchar_t*>(s.shownRows[r][c].c_str());
          SendMessageW(h, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
        }
    }
  } else if (IsClass(s.cls, WC_TABCONTROLW)) {
    for (std::size_t t = 0; t < s.tabs.size(); ++t) {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<wchar_t*>(s.tabs[t].c_str());
      SendMessageW(h, TCM_INSERTITEMW, t, reinterpret_cast<LPARAM>(&item));
    }
  }
}

// Milliseconds to create, show and paint the windows once.
inline double Floor(const std::vector<WindowShape>& shapes) {
  if (shapes.empty()) return 0;
  static std::map<std::wstring, std::wstring> registered;  // server class -> stand-in
  const HINSTANCE self = GetModuleHandleW(nullptr);
  std::vector<std::wstring> names(shapes.size());
  std::vector<ATOM> atoms(shapes.size(), 0);
  for (std::size_t i = 0; i < shapes.size(); ++i) {
    const WindowShape& s = shapes[i];
    if (!s.own) {
      names[i] = s.cls;
      atoms[i] = SystemClassAtom(s.cls);
      continue;
    }
    auto it = registered.find(s.cls);
    if (it == registered.end()) {
      std::wstring name = L"floor " + s.cls;
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof wc;
      wc.style = s.classStyle;
      wc.lpfnWndProc = StandInProc;
      wc.hInstance = self;
      wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
      wc.hbrBackground = s.background;
      wc.lpszClassName = name.c_str();
      RegisterClassExW(&wc);
      it = registered.emplace(s.cls, name).first;
    }
    names[i] = it->second;
  }
  DrainPaints();
  const auto t0 = std::chrono::steady_clock::now();
  std::vector<HWND> made(shapes.size(), nullptr);
  int skipped = 0;
  {
    ContextScope scope;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
      const WindowShape& s = shapes[i];
      HWND parent = s.parent >= 0 ? made[static_cast<std::size_t>(s.parent)] : nullptr;
      if (s.madeByParent || (s.parent >= 0 && !parent)) {
        ++skipped;  // made by its system control, or under a window left out
        continue;
      }
      // A child needs its parent; a top-level window is made hidden and
      // shown once its children exist, as a dialog is.
      DWORD style = s.parent >= 0 ? s.style : (s.style & ~WS_VISIBLE);
      const wchar_t* cls = atoms[i] ? reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(atoms[i])) : names[i].c_str();
      made[i] = CreateWindowExW(s.exStyle, cls, s.text.c_str(), style, s.rect.left, s.rect.top,
                                s.rect.right - s.rect.left, s.rect.bottom - s.rect.top, parent,
                                s.parent >= 0 ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(i + 100)) : nullptr,
                                self, nullptr);
      if (!made[i]) continue;
      if (s.font) SendMessageW(made[i], WM_SETFONT, reinterpret_cast<WPARAM>(s.font), FALSE);
      FillContents(made[i], s);
    }
    g_missing = static_cast<int>(std::count(made.begin(), made.end(), nullptr)) - skipped;
    if (made[0]) {
      ShowWindow(made[0], SW_SHOWNORMAL);
      UpdateWindow(made[0]);
    }
    DrainPaints();
  }
  const auto t1 = std::chrono::steady_clock::now();
  if (made[0]) DestroyWindow(made[0]);
  DrainPaints();
  g_lists.clear();
  return std::chrono::duration<double, std::milli>(t1 - t0).count();
}

}  // namespace floor_bench
