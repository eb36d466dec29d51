#include "win32/ui/msw_module.h"

#include "platform/error.h"
#include "win32/ui/msw_window.h"

namespace topaline::msw {

namespace {
// Any address inside this module will do.
const int kModuleAnchor = 0;
}  // namespace

HINSTANCE MSWInstance() {
  static HINSTANCE instance = [] {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&kModuleAnchor), &module))
      module = nullptr;
    return static_cast<HINSTANCE>(module);
  }();
  return instance;
}

namespace {

void registerOne(const wchar_t* name, UINT style, HBRUSH background, HCURSOR cursor) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(MSWInstance(), name, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = MSWWindowProc;
  wc.hInstance = MSWInstance();
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw Error(L"Cannot register the window class " + std::wstring(name) + L".");
}

}  // namespace

void MSWRegisterClasses() {
  HCURSOR arrow = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  registerOne(kFormClass, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), arrow);
  registerOne(kContainerClass, CS_DBLCLKS, nullptr, arrow);
  registerOne(kSwatchClass, CS_DBLCLKS, nullptr, arrow);
}

}  // namespace topaline::msw
