#pragma once

#include <chrono>
#include <functional>
#include <utility>

namespace veltrane {

// How long the print server may take, and how it is left alone after failing,
// in one place. A read goes on while the server sends something: it is given
// up only after kSilence without a byte, or after kLongestRead in all, or when
// the connection fails, so a far server that answers slowly is read to the
// end. After such a failure the server is not asked for 2 s, doubling to at
// most 60 s while it keeps failing; a read that completes ends the back-off.
// A redraw while a read is under way, or while the server is left alone, is
// read for once that read or the back-off ends; one within kQuiet of a load of
// the window, which its own Show follows with redraws, asks nothing; a redraw the window
// asks for itself to show an answer asks nothing either, so that a server
// whose every answer differs makes one reload a redraw, not a loop. Whether
// the window reloads for an answer is its own rule: PrinterSide::needsReload
// in app/PrinterSide.cpp.
class ServerFailurePolicy {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr auto kSilence = std::chrono::seconds(5);
    static constexpr auto kLongestRead = std::chrono::seconds(60);
    static constexpr auto kFirstBackOff = std::chrono::seconds(2);
    static constexpr auto kLongestBackOff = std::chrono::seconds(60);
    static constexpr auto kQuiet = std::chrono::milliseconds(500);
    // Once the window is made, its start waits at most this for the server's
    // first answer, before the window is shown: a local server's is back by
    // then, and a far one's follows in one reload.
    static constexpr auto kFirstAnswer = std::chrono::milliseconds(20);

    explicit ServerFailurePolicy(std::function<Clock::time_point()> now = Clock::now)
        : now_(std::move(now)) {}

    Clock::time_point now() const { return now_(); }
    // Whether the server may be asked now: not while it is backed off.
    bool mayAsk() const { return now_() >= backedOffUntil_; }
    // A read the server failed: it is left alone a while.
    void failed();
    // A read that completed: the server is asked whenever needed again.
    void answered() { backOff_ = Clock::duration::zero(); }

private:
    std::function<Clock::time_point()> now_;
    Clock::duration backOff_{};
    Clock::time_point backedOffUntil_{};
};

}  // namespace veltrane
