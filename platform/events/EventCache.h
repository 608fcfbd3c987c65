#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "EventCounter.h"
#include "PlatformError.h"

namespace veltrane {

// A value fetched at its first use in an event and given to every later use in
// the same event, or the same error: within one event a service answers from
// one view of the outside world, and one that failed fails alike without
// asking again. The next event fetches afresh.
template <typename T>
class EventCache {
public:
    explicit EventCache(const EventCounter& events) : events_(events) {}

    template <typename Fetch>
    const T& get(Fetch&& fetch) {
        if (fetchedIn_ != events_.current()) {
            value_.reset();
            error_.reset();
            try {
                value_.emplace(std::forward<Fetch>(fetch)());
            } catch (const PlatformError& error) {
                error_.emplace(error);
            }
            // Only now: a fetch that raised anything else is tried again.
            fetchedIn_ = events_.current();
        }
        if (error_) throw *error_;
        return *value_;
    }

    // Whether the current event has fetched the value (or its error) already.
    bool fetchedInThisEvent() const { return fetchedIn_ == events_.current(); }

private:
    const EventCounter& events_;
    std::uint64_t fetchedIn_ = 0;
    std::optional<T> value_;
    std::optional<PlatformError> error_;
};

}  // namespace veltrane
