// The one exception type of the product. Boundaries (COM members, window
// procedures, event dispatch) catch it and report its message.
#pragma once

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

}  // namespace topaline
