#pragma once

#include <string>
#include <variant>

#include "PlatformError.h"

namespace veltrane {

// What a print server that is not running tells.
inline const char* const kNoServer = "no print server is running";

// What a read on the print server's thread gave: its result, or the failure it raised.
template <typename Result>
using JobResult = std::variant<Result, PlatformError>;

// Every way a talk with the print server can fail, each the server's or the
// device's. The server's (unreachable, dropped, not secure, silent, too slow)
// raise NoAnswer, which backs the server off (ServerFailurePolicy); the
// device's (refused, oversized, unreadable) raise ServiceFailure; a server
// that stopped has no devices (DeviceUnavailable).
enum class ServerFault {
    Unreachable,  // its host cannot be found or reached
    Dropped,      // it took no request, dropped the connection or broke off its answer
    NotSecure,    // it requires encryption that could not be had
    Silent,       // it sent nothing for ServerFailurePolicy::kSilence
    TooSlow,      // a read ran ServerFailurePolicy::kLongestRead in all
    Refused,      // it answered with an error status, or asked for what we cannot give
    Oversized,    // a printer description larger than we read
    Unreadable,   // a printer description no reader can parse
    Stopped,      // it stopped running during a read
};

// The error a fault raises. Every fault is listed, so that the compiler asks
// for the kind of any fault added later.
inline PlatformError serverError(ServerFault fault, const std::string& what) {
    switch (fault) {
        case ServerFault::Unreachable:
        case ServerFault::Dropped:
        case ServerFault::NotSecure:
        case ServerFault::Silent:
        case ServerFault::TooSlow:
            break;
        case ServerFault::Refused:
        case ServerFault::Oversized:
        case ServerFault::Unreadable:
            return {ErrorKind::ServiceFailure, what};
        case ServerFault::Stopped:
            return {ErrorKind::DeviceUnavailable, what};
    }
    return {ErrorKind::NoAnswer, what};
}

[[noreturn]] inline void throwServerError(ServerFault fault, const std::string& what) {
    throw serverError(fault, what);
}

}  // namespace veltrane
