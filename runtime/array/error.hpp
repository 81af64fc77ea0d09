#pragma once
// Runtime errors. Every failure of the runtime or of the system is an
// rt::Error carrying the message text exactly as it was raised; there are no
// error codes. A guarded region (runtime/call/guard.hpp) catches it.

#include <exception>
#include <string>

namespace rt {

class Error : public std::exception {
public:
    explicit Error(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& message() const noexcept { return message_; }

private:
    std::string message_;
};

// Throws rt::Error with the given text.
[[noreturn]] void raise(std::string message);

}  // namespace rt
