#include "win32/ui/msw_guard.h"

#include <windows.h>

#include <exception>

#include "platform/error.h"

namespace topaline::msw {

namespace {

MSWErrorReporter& reporter() {
  static MSWErrorReporter r;
  return r;
}

void systemBox(const std::wstring& message) noexcept {
  // Top-most, owned by the desktop: it must be seen above the host.
  MessageBoxW(nullptr, message.c_str(), L"Message Norvel", MB_OK | MB_ICONERROR | MB_TOPMOST | MB_TASKMODAL);
}

std::wstring widen(const char* text) {
  std::wstring out;
  int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (n > 1) {
    out.resize(static_cast<size_t>(n));
    MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), n);
    out.resize(static_cast<size_t>(n - 1));
  }
  return out;
}

}  // namespace

void MSWSetErrorReporter(MSWErrorReporter r) { reporter() = std::move(r); }

std::wstring MSWCurrentExceptionMessage() {
  try {
    throw;
  } catch (const Error& e) {
    return e.message();
  } catch (const std::bad_alloc&) {
    return L"Not enough memory.";
  } catch (const std::exception& e) {
    std::wstring m = widen(e.what());
    return m.empty() ? L"Unexpected error." : m;
  } catch (...) {
    return L"Unexpected error.";
  }
}

void MSWReportCurrentException() noexcept {
  std::wstring message;
  try {
    message = MSWCurrentExceptionMessage();
  } catch (...) {
    message = L"Unexpected error.";
  }
  // A reporter that fails (or reports while reporting) must not loop.
  static thread_local int depth = 0;
  if (depth == 0 && reporter()) {
    ++depth;
    try {
      reporter()(message);
      --depth;
      return;
    } catch (...) {
    }
    --depth;
  }
  systemBox(message);
}

}  // namespace topaline::msw
