// The binding's module: its own instance handle (this code may live in a
// DLL loaded into someone else's process) and the window classes it
// registers with it.
#pragma once

#include <windows.h>

namespace topaline::msw {

// The instance handle of the module this code is linked into, found from
// an address inside it (never GetModuleHandle(NULL), the host's program).
HINSTANCE MSWInstance();

// Window classes of the product, registered once per module with
// MSWInstance(). Names are unique to the product so that two copies of
// the binding (the server DLL and another program) never collide.
inline constexpr const wchar_t kFormClass[] = L"topaline3.Form";
inline constexpr const wchar_t kContainerClass[] = L"topaline3.Container";
inline constexpr const wchar_t kSwatchClass[] = L"topaline3.Swatch";

// Registers the product's classes (idempotent). Throws Error on failure.
void MSWRegisterClasses();

}  // namespace topaline::msw
