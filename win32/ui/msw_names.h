// Component names on control windows, for UI automation: every control
// window carries its component's name as a global atom in the window
// property "ComponentName".
#pragma once

#include <windows.h>

#include <string>

namespace topaline::msw {

inline constexpr const wchar_t kComponentNameProp[] = L"ComponentName";

// Stores name on hwnd (nothing for an empty name), replacing any other.
// The atoms of names stay in the table while the process runs.
void MSWSetComponentName(HWND hwnd, const std::wstring& name);
// Removes the property.
void MSWClearComponentName(HWND hwnd);
// The same for hwnd and every descendant (call when a window goes whose
// children carry names no window procedure of ours clears).
void MSWClearComponentNames(HWND hwnd);
// The name stored on hwnd, empty when none. Works across processes.
std::wstring MSWComponentName(HWND hwnd);
// The first descendant of root (root included) carrying name, or nullptr.
HWND MSWFindComponent(HWND root, const std::wstring& name);

}  // namespace topaline::msw
