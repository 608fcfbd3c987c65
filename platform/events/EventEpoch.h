#pragma once

#include <cstdint>

namespace veltrane {

// Marks the start of each event the window engine raises. Services that answer
// from a view of the outside world fetch a fresh view once per epoch, so that
// every answer within one event agrees with the others.
class EventEpoch {
public:
    void begin() noexcept { ++current_; }
    std::uint64_t current() const noexcept { return current_; }

private:
    std::uint64_t current_ = 1;
};

}  // namespace veltrane
