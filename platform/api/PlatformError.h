#pragma once

#include <stdexcept>
#include <string>

namespace veltrane {

// What went wrong in a platform operation; the window's traps and the engine's
// handler catch every kind alike, tests tell them apart.
enum class ErrorKind {
    Overflow,           // a 16-bit count or index left -32768..32767
    InvalidOperation,   // a floating-point result that is not a number or infinite
    NoSuchEntry,        // an index past the end of a list
    DeviceUnavailable,  // no default printer/fax device to ask
    ServiceFailure,     // a service answered with an error
    NoAnswer,           // a service did not answer in time, or dropped the connection
};

// The one error type of the runtime layer: every platform operation either does
// its work or throws this.
class PlatformError : public std::runtime_error {
public:
    PlatformError(ErrorKind kind, const std::string& what)
        : std::runtime_error(what), kind_(kind) {}

    ErrorKind kind() const noexcept { return kind_; }

private:
    ErrorKind kind_;
};

}  // namespace veltrane
