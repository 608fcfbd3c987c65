#pragma once

#include <cstdint>

namespace veltrane {

// Counts the events the window raises. Services that answer from a snapshot
// of the outside world take a fresh one once an event, so that every answer
// within one event agrees with the others.
class EventCounter {
public:
    void next() noexcept { ++current_; }
    std::uint64_t current() const noexcept { return current_; }

private:
    std::uint64_t current_ = 1;
};

}  // namespace veltrane
