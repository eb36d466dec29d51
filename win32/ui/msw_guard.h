// The exception boundary of the binding. Nothing may leave a window
// procedure or a reaction by an exception: it is caught where it happens,
// shown in the error message box, and the form goes on.
#pragma once

#include <functional>
#include <string>

namespace topaline::msw {

// Shows an error message to the user. A form runner given one installs it
// for the length of its modal loop (the server's: its own message box, for
// one call of lance); outside a modal loop a top-most system message box
// is used.
using MSWErrorReporter = std::function<void(const std::wstring& message)>;

// Installs reporter (when not null) on this thread until the scope ends;
// the reporter installed before comes back then.
class MSWErrorReporterScope {
public:
  explicit MSWErrorReporterScope(const MSWErrorReporter* reporter) noexcept;
  ~MSWErrorReporterScope();
  MSWErrorReporterScope(const MSWErrorReporterScope&) = delete;
  MSWErrorReporterScope& operator=(const MSWErrorReporterScope&) = delete;

private:
  const MSWErrorReporter* previous_;
  bool installed_;
};

// The message of the exception being handled: Error's message, or the
// text of another std::exception, or a generic message.
std::wstring MSWCurrentExceptionMessage();

// Call only from inside a catch block: shows the current exception's
// message through the reporter. Never throws; a reporter that throws
// falls back to the system message box.
void MSWReportCurrentException() noexcept;

// Runs f, reporting any exception. Returns false when f threw.
template <class F>
bool MSWGuard(F&& f) noexcept {
  try {
    f();
    return true;
  } catch (...) {
    MSWReportCurrentException();
    return false;
  }
}

}  // namespace topaline::msw
