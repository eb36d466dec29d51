#include "win32/ui/msw_visual_styles.h"

#include <commctrl.h>
#include <shlwapi.h>

#include "win32/ui/msw_module.h"

namespace topaline::msw {

HANDLE MSWActivationContext() {
  static HANDLE context = [] {
    ACTCTXW ac{};
    ac.cbSize = sizeof ac;
    ac.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    ac.hModule = MSWInstance();
    ac.lpResourceName = MAKEINTRESOURCEW(TOPALINE_MSW_MANIFEST_ID);
    return CreateActCtxW(&ac);
  }();
  return context;
}

MSWVisualStylesScope::MSWVisualStylesScope() {
  HANDLE ctx = MSWActivationContext();
  if (ctx != INVALID_HANDLE_VALUE && !ActivateActCtx(ctx, &cookie_)) cookie_ = 0;
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof icc;
  icc.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES;
  InitCommonControlsEx(&icc);
}

MSWVisualStylesScope::~MSWVisualStylesScope() {
  if (cookie_) DeactivateActCtx(0, cookie_);
}

unsigned MSWCommonControlsVersion() {
  MSWVisualStylesScope scope;
  HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
  if (!comctl) comctl = LoadLibraryW(L"comctl32.dll");
  if (!comctl) return 0;
  auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void (*)()>(GetProcAddress(comctl, "DllGetVersion")));
  if (!getVersion) return 0;
  DLLVERSIONINFO info{};
  info.cbSize = sizeof info;
  if (FAILED(getVersion(&info))) return 0;
  return info.dwMajorVersion * 100 + info.dwMinorVersion;
}

}  // namespace topaline::msw
