#include "win32/ui/msw_guard.h"

#include <windows.h>

#include <exception>

#include "platform/error.h"

namespace topaline::msw {

namespace {

thread_local const MSWErrorReporter* current = nullptr;

void systemBox(const std::wstring& message) noexcept {
  // Top-most, owned by the desktop: it must be seen above the host.
  MessageBoxW(nullptr, message.c_str(), L"Message Norvel", MB_OK | MB_ICONERROR | MB_TOPMOST | MB_TASKMODAL);
}

}  // namespace

MSWErrorReporterScope::MSWErrorReporterScope(const MSWErrorReporter* reporter) noexcept
    : previous_(current), installed_(reporter && *reporter) {
  if (installed_) current = reporter;
}

MSWErrorReporterScope::~MSWErrorReporterScope() {
  if (installed_) current = previous_;
}

std::wstring MSWCurrentExceptionMessage() { return CurrentExceptionMessage(); }

void MSWReportCurrentException() noexcept {
  std::wstring message;
  try {
    message = MSWCurrentExceptionMessage();
  } catch (...) {
    message = L"Unexpected error.";
  }
  // A reporter that fails (or reports while reporting) must not loop.
  static thread_local int depth = 0;
  if (depth == 0 && current) {
    ++depth;
    try {
      (*current)(message);
      --depth;
      return;
    } catch (...) {
    }
    --depth;
  }
  systemBox(message);
}

}  // namespace topaline::msw
