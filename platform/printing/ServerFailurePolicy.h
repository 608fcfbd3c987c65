#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <variant>

#include "EventEpoch.h"
#include "PlatformError.h"

namespace veltrane {

using Deadline = std::chrono::steady_clock::time_point;

// What a job on the print server's thread gave: its result, or the failure it raised.
template <typename Result>
using Outcome = std::variant<Result, PlatformError>;

// Every way a talk with the print server can fail.
enum class ServerFault {
    Unreachable,  // its host cannot be found or reached
    Dropped,      // it took no request, dropped the connection or broke off its answer
    NotSecure,    // it requires encryption that could not be had
    TimedOut,     // it had not answered when the event's deadline passed
    Refused,      // it answered with an error status, or asked for what we cannot give
    Oversized,    // a printer description larger than we read
    Unreadable,   // a printer description no reader can parse
    Stopped,      // it stopped running between two requests of one event
};

// How the print server fails, in one place:
// - All of one event's print server work shares one deadline, 0.8 s after the
//   event first asks, so no event waits on the server for longer.
// - Each fault is the server's or the device's. The server's (unreachable,
//   dropped, not secure, timed out) raise NoAnswer; the device's (refused, oversized,
//   unreadable) raise ServiceFailure; a server that stopped has no devices
//   (DeviceUnavailable).
// - After the server's fault the server is backed off: not asked for 2 s,
//   doubling while it keeps failing, at most 60 s; while backed off every
//   question raises NoAnswer at once. An event whose work all completed resets
//   the back-off.
// Whether the window then tries a device again is the window's rule, through
// these error kinds: Veltrane::Form_Paint in app/Veltrane.cpp.
class ServerFailurePolicy {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr auto kEventDeadline = std::chrono::milliseconds(800);
    static constexpr auto kFirstBackOff = std::chrono::seconds(2);
    static constexpr auto kLongestBackOff = std::chrono::seconds(60);

    explicit ServerFailurePolicy(const EventEpoch& epoch,
                                 std::function<Clock::time_point()> now = Clock::now)
        : epoch_(epoch), now_(std::move(now)) {}

    // The error a fault raises.
    static PlatformError failure(ServerFault fault, const std::string& what);
    [[noreturn]] static void fail(ServerFault fault, const std::string& what);

    // The deadline of the calling event's print server work. While the server is
    // backed off, throws NoAnswer at once.
    Deadline eventDeadline();
    // The result of a job, or its failure thrown: the server's fault backs it off first.
    template <typename Result>
    Result resultOf(Outcome<Result> outcome) {
        if (auto* error = std::get_if<PlatformError>(&outcome)) {
            if (error->kind() == ErrorKind::NoAnswer) backOff();
            throw *error;
        }
        return std::get<0>(std::move(outcome));
    }

private:
    void backOff();
    void beginEvent(Clock::time_point now);

    const EventEpoch& epoch_;
    std::function<Clock::time_point()> now_;
    std::uint64_t event_ = 0;
    bool eventAsked_ = false;
    bool eventCompleted_ = true;
    Deadline deadline_{};
    Clock::duration backOff_{};
    Clock::time_point backedOffUntil_{};
};

}  // namespace veltrane
