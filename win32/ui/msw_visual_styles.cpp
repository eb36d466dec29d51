#include "win32/ui/msw_visual_styles.h"

#include <commctrl.h>

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

bool MSWVisualStylesInEffect() {
  // Buttons of common controls 6 answer BCM_GETIDEALSIZE; the system's
  // older button class does not know the message.
  MSWVisualStylesScope scope;
  HWND probe = CreateWindowExW(0, L"BUTTON", L"Ok", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
  if (!probe) return false;
  SIZE size{};
  bool v6 = SendMessageW(probe, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&size)) != 0;
  DestroyWindow(probe);
  return v6;
}

}  // namespace topaline::msw
