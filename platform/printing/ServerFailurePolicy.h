#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "EventCounter.h"
#include "ServerFault.h"

namespace veltrane {

// How long the print server may take, in one place: one event's work shares
// one deadline, 0.8 s after the event first asks. After the server's fault it
// is backed off, not asked for 2 s, doubling to at most 60 s while it keeps
// failing, and every question raises NoAnswer at once; an event whose work all
// completed ends the back-off. Whether the window tries a device again is its
// own rule: PrinterSide::needsReload in app/PrinterSide.cpp.
class ServerFailurePolicy {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr auto kEventDeadline = std::chrono::milliseconds(800);
    static constexpr auto kFirstBackOff = std::chrono::seconds(2);
    static constexpr auto kLongestBackOff = std::chrono::seconds(60);

    explicit ServerFailurePolicy(const EventCounter& events,
                                 std::function<Clock::time_point()> now = Clock::now)
        : events_(events), now_(std::move(now)) {}

    // The deadline of the calling event's print server work. While the server is
    // backed off, throws NoAnswer at once.
    Deadline eventDeadline();
    // The deadline of work asked before any event, as the start's: none while
    // the server is backed off.
    std::optional<Deadline> deadlineFromNow() const;
    // The result of a job, or its failure thrown: the server's fault backs it off first.
    template <typename Result>
    Result resultOf(JobResult<Result> result) {
        if (auto* error = std::get_if<PlatformError>(&result)) {
            if (error->kind() == ErrorKind::NoAnswer) backOff();
            throw *error;
        }
        return std::get<0>(std::move(result));
    }

private:
    void backOff();
    void beginEvent(Clock::time_point now);

    const EventCounter& events_;
    std::function<Clock::time_point()> now_;
    std::uint64_t event_ = 0;
    bool eventAsked_ = false;
    bool eventCompleted_ = true;
    Deadline deadline_{};
    Clock::duration backOff_{};
    Clock::time_point backedOffUntil_{};
};

}  // namespace veltrane
