// The floor of a first paint: what this Wine takes to create and paint the
// windows a dialog created, with none of the server's code. Capture notes
// every window of a painted dialog (class, styles, place, text, parent);
// Floor makes the same windows again with a bare loop of CreateWindowExW
// (the server's own window classes registered again over DefWindowProcW,
// with the same class styles and brush), shows them and waits until every
// paint has been handled, then destroys them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <string>
#include <vector>

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
};

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

// Milliseconds to create, show and paint the windows once.
inline double Floor(const std::vector<WindowShape>& shapes) {
  if (shapes.empty()) return 0;
  static std::map<std::wstring, std::wstring> registered;  // server class -> stand-in
  const HINSTANCE self = GetModuleHandleW(nullptr);
  std::vector<std::wstring> names(shapes.size());
  for (std::size_t i = 0; i < shapes.size(); ++i) {
    const WindowShape& s = shapes[i];
    if (!s.own) {
      names[i] = s.cls;
      continue;
    }
    auto it = registered.find(s.cls);
    if (it == registered.end()) {
      std::wstring name = L"floor " + s.cls;
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof wc;
      wc.style = s.classStyle;
      wc.lpfnWndProc = DefWindowProcW;
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
  for (std::size_t i = 0; i < shapes.size(); ++i) {
    const WindowShape& s = shapes[i];
    HWND parent = s.parent >= 0 ? made[static_cast<std::size_t>(s.parent)] : nullptr;
    // A child needs its parent; a top-level window is made hidden and
    // shown once its children exist, as a dialog is.
    DWORD style = s.parent >= 0 ? s.style : (s.style & ~WS_VISIBLE);
    made[i] = CreateWindowExW(s.exStyle, names[i].c_str(), s.text.c_str(), style, s.rect.left, s.rect.top,
                              s.rect.right - s.rect.left, s.rect.bottom - s.rect.top, parent,
                              s.parent >= 0 ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(i + 100)) : nullptr,
                              self, nullptr);
  }
  g_missing = static_cast<int>(std::count(made.begin(), made.end(), nullptr));
  if (made[0]) {
    ShowWindow(made[0], SW_SHOWNORMAL);
    UpdateWindow(made[0]);
  }
  DrainPaints();
  const auto t1 = std::chrono::steady_clock::now();
  if (made[0]) DestroyWindow(made[0]);
  DrainPaints();
  return std::chrono::duration<double, std::milli>(t1 - t0).count();
}

}  // namespace floor_bench
