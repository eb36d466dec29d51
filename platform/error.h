// The one exception type of the product, and the one way of turning any
// exception into the message a user or a host reads. Boundaries (COM
// members, window procedures, event dispatch, the dialogs' creation steps)
// catch everything and report CurrentExceptionMessage().
#pragma once

#include <new>
#include <stdexcept>
#include <string>

namespace topaline {

class Error : public std::exception {
public:
  explicit Error(std::wstring message) : message_(std::move(message)) {}
  const std::wstring& message() const noexcept { return message_; }
  const char* what() const noexcept override { return "topaline::Error"; }

private:
  std::wstring message_;
};

// The message of the exception being handled; call it inside a catch
// block. An Error gives its own message; a failed allocation "Not enough
// memory."; any other exception "Internal error: " and its text (Latin-1);
// anything else "Unexpected error.".
inline std::wstring CurrentExceptionMessage() noexcept {
  try {
    try {
      throw;
    } catch (const Error& e) {
      return e.message();
    } catch (const std::bad_alloc&) {
      return L"Not enough memory.";
    } catch (const std::exception& e) {
      std::wstring text = L"Internal error: ";
      for (const char* p = e.what(); p && *p; ++p) text.push_back(static_cast<unsigned char>(*p));
      return text;
    } catch (...) {
      return L"Unexpected error.";
    }
  } catch (...) {
    // No exception being handled, or no memory left for the text.
  }
  return std::wstring();
}

}  // namespace topaline
