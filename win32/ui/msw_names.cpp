#include "win32/ui/msw_names.h"

namespace topaline::msw {

void MSWSetComponentName(HWND hwnd, const std::wstring& name) {
  if (!hwnd || name.empty()) return;
  MSWClearComponentName(hwnd);
  ATOM atom = GlobalAddAtomW(name.c_str());
  if (!atom) return;
  if (!SetPropW(hwnd, kComponentNameProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom))))
    GlobalDeleteAtom(atom);
}

void MSWClearComponentName(HWND hwnd) {
  if (!hwnd) return;
  HANDLE h = RemovePropW(hwnd, kComponentNameProp);
  if (h) GlobalDeleteAtom(static_cast<ATOM>(reinterpret_cast<UINT_PTR>(h)));
}

void MSWClearComponentNames(HWND hwnd) {
  if (!hwnd) return;
  EnumChildWindows(
      hwnd,
      [](HWND child, LPARAM) -> BOOL {
        MSWClearComponentName(child);
        return TRUE;
      },
      0);
  MSWClearComponentName(hwnd);
}

std::wstring MSWComponentName(HWND hwnd) {
  auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(hwnd, kComponentNameProp)));
  if (!atom) return {};
  wchar_t buffer[256];
  UINT n = GlobalGetAtomNameW(atom, buffer, 256);
  return std::wstring(buffer, n);
}

namespace {
struct FindState {
  const std::wstring* name;
  HWND found;
};
BOOL CALLBACK findChild(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<FindState*>(lp);
  if (MSWComponentName(hwnd) == *s->name) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND MSWFindComponent(HWND root, const std::wstring& name) {
  if (!root || name.empty()) return nullptr;
  if (MSWComponentName(root) == name) return root;
  FindState s{&name, nullptr};
  EnumChildWindows(root, findChild, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

}  // namespace topaline::msw
