#include "win32/ui/msw_class_atoms.h"

#include <string>
#include <utility>
#include <vector>

namespace topaline::msw {

namespace {

struct Learnt {
  std::wstring name;
  HANDLE context;  // the activation context it was resolved in; the entry holds a reference
  ATOM atom;
};

// Per thread: windows are made on the thread of their message loop, and
// no lock is needed. A handful of classes, so a plain list.
std::vector<Learnt>& learnt() {
  static thread_local std::vector<Learnt> list;
  return list;
}

// The context now in effect, with a reference the caller owns (none for
// the process's default context).
HANDLE currentContext() {
  HANDLE h = nullptr;
  return GetCurrentActCtx(&h) ? h : nullptr;
}

// A reference that is given back unless an entry keeps it: a context an
// entry names can never be freed and its handle reused for another.
struct ContextRef {
  HANDLE h;
  ~ContextRef() {
    if (h) ReleaseActCtx(h);
  }
};

}  // namespace

HWND MSWCreateSystemWindow(DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
                           int h, HWND parent, HMENU idOrMenu, HINSTANCE instance, void* param) {
  if (IS_INTRESOURCE(cls))
    return CreateWindowExW(exStyle, cls, text, style, x, y, w, h, parent, idOrMenu, instance, param);
  ContextRef ref{currentContext()};
  const HANDLE context = ref.h;
  auto& list = learnt();
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (it->context != context || it->name != cls) continue;
    const auto byAtom = reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(it->atom));
    if (HWND hwnd = CreateWindowExW(exStyle, byAtom, text, style, x, y, w, h, parent, idOrMenu, instance, param))
      return hwnd;
    if (it->context) ReleaseActCtx(it->context);
    list.erase(it);  // learnt again below
    break;
  }
  HWND hwnd = CreateWindowExW(exStyle, cls, text, style, x, y, w, h, parent, idOrMenu, instance, param);
  if (!hwnd) return nullptr;
  if (auto atom = static_cast<ATOM>(GetClassLongPtrW(hwnd, GCW_ATOM))) {
    try {
      list.push_back(Learnt{cls, context, atom});
      ref.h = nullptr;  // kept by the entry
    } catch (...) {
      // Not learnt: the next window of the class is made by name again.
    }
  }
  return hwnd;
}

}  // namespace topaline::msw
