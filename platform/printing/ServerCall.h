#pragma once

#include <chrono>
#include <exception>
#include <future>
#include <memory>
#include <thread>
#include <utility>
#include <variant>

#include "Hangup.h"
#include "PlatformError.h"

namespace veltrane {

using Deadline = std::chrono::steady_clock::time_point;

// What a call to the print server gave: its result, or the error it raised.
template <typename Result>
using Outcome = std::variant<Result, PlatformError>;

// Runs `work` (which talks to the print server) on a thread of its own and waits
// for its outcome until the deadline, no longer: the user-interface thread never
// waits on the network without a bound, and handles nothing else meanwhile.
// When the deadline passes first, the call hangs up and its outcome is NoAnswer;
// the work then ends on its own, its connection shut, and what it gives is dropped.
template <typename Work, typename Result = std::invoke_result_t<Work, Hangup&>>
Outcome<Result> callServer(Deadline deadline, Work work) {
    auto hangup = std::make_shared<Hangup>();
    std::promise<Outcome<Result>> promise;
    std::future<Outcome<Result>> answer = promise.get_future();
    std::thread([promise = std::move(promise), hangup, work = std::move(work)]() mutable {
        // Whatever the work raises is handed over as a value: nothing may leave a thread.
        try {
            promise.set_value(work(*hangup));
        } catch (const PlatformError& error) {
            promise.set_value(error);
        } catch (const std::exception& error) {
            promise.set_value(PlatformError(ErrorKind::ServiceFailure, error.what()));
        }
    }).detach();
    if (answer.wait_until(deadline) != std::future_status::ready) {
        hangup->hangUp();
        return PlatformError(ErrorKind::NoAnswer, "the print server did not answer in time");
    }
    return answer.get();
}

}  // namespace veltrane
