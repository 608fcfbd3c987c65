#pragma once

#include <functional>
#include <string>

#include "EventEpoch.h"

namespace veltrane {

// Raises each event into its procedure. It marks the start of the event for the
// services first, and it is the engine's handler for whatever error a procedure
// hands on: one line on standard error, and the program goes on.
class EventDispatcher {
public:
    EventDispatcher(EventEpoch& epoch, std::function<void()> afterEvent)
        : epoch_(epoch), afterEvent_(std::move(afterEvent)) {}

    void raise(const std::string& event, const std::function<void()>& procedure);

private:
    EventEpoch& epoch_;
    std::function<void()> afterEvent_;
};

}  // namespace veltrane
