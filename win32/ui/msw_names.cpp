#include "win32/ui/msw_names.h"

#include <map>

namespace topaline::msw {

namespace {

// One global atom per name, added once per thread and kept while the
// process runs: the names are the program's own, a bounded set. Naming a
// window is then one request to the window server, not three (the old
// property removed, the atom added, the property set), and a name read
// by another process never names a freed atom.
ATOM atomFor(const std::wstring& name) {
  static thread_local std::map<std::wstring, ATOM> atoms;
  auto it = atoms.find(name);
  if (it != atoms.end()) return it->second;
  ATOM atom = GlobalAddAtomW(name.c_str());
  if (atom) {
    try {
      atoms.emplace(name, atom);
    } catch (...) {
      // Not kept: the next window of that name adds it again.
    }
  }
  return atom;
}

}  // namespace

void MSWSetComponentName(HWND hwnd, const std::wstring& name) {
  if (!hwnd || name.empty()) return;
  if (ATOM atom = atomFor(name))
    SetPropW(hwnd, kComponentNameProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
}

void MSWClearComponentName(HWND hwnd) {
  if (hwnd) RemovePropW(hwnd, kComponentNameProp);
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
