// Errors of the class library: every failure is an exception carrying its text.
#pragma once
#include <stdexcept>
#include <string>

namespace ui {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A system resource (a timer, a window) could not be had.
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

} // namespace ui
