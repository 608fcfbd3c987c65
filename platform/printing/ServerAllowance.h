#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "EventEpoch.h"
#include "ServerThread.h"

namespace veltrane {

// How long the print server may take in each event, and whether it is asked at
// all. All of one event's print server work shares one deadline, so no event
// waits on the server for longer. A server that did not answer, or dropped the
// connection, is left alone for a while: 2 s, doubling while it keeps failing,
// at most 60 s; an event whose work all got its answers ends that.
class ServerAllowance {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr auto kPerEvent = std::chrono::milliseconds(800);
    static constexpr auto kFirstRest = std::chrono::seconds(2);
    static constexpr auto kLongestRest = std::chrono::seconds(60);

    explicit ServerAllowance(const EventEpoch& epoch,
                             std::function<Clock::time_point()> now = Clock::now)
        : epoch_(epoch), now_(std::move(now)) {}

    // The deadline of the calling event's print server work. While the server is
    // left alone, throws NoAnswer at once, as a server that did not answer does.
    Deadline admit();
    // The server did not answer, or dropped the connection.
    void noAnswer();

private:
    void beginEvent(Clock::time_point now);

    const EventEpoch& epoch_;
    std::function<Clock::time_point()> now_;
    std::uint64_t event_ = 0;
    bool eventAsked_ = false;
    bool eventAnswered_ = true;
    Deadline deadline_{};
    Clock::duration rest_{};
    Clock::time_point restUntil_{};
};

}  // namespace veltrane
