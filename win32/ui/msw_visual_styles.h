// Visual styles (common controls version 6) for windows created by this
// module. The module carries its own manifest as a resource; since it may
// be a DLL inside a host that has no such manifest, the activation context
// is activated explicitly around window creation and the modal loops.
#pragma once

#include <windows.h>

namespace topaline::msw {

// Resource id of the module's common-controls manifest (RT_MANIFEST).
// Not 1 or 2, so that the loader leaves it to us and a program's own
// manifest never collides with it.
#define TOPALINE_MSW_MANIFEST_ID 7401

// The module's activation context (created once); INVALID_HANDLE_VALUE
// when the module has no manifest or the system refused it.
HANDLE MSWActivationContext();

// Activates the module's context for the scope's lifetime and makes sure
// the common control classes are registered within it.
class MSWVisualStylesScope {
public:
  MSWVisualStylesScope();
  ~MSWVisualStylesScope();
  MSWVisualStylesScope(const MSWVisualStylesScope&) = delete;
  MSWVisualStylesScope& operator=(const MSWVisualStylesScope&) = delete;
  bool active() const { return cookie_ != 0; }

private:
  ULONG_PTR cookie_ = 0;
};

// Whether windows created inside the scope get common controls 6.
bool MSWVisualStylesInEffect();

}  // namespace topaline::msw
