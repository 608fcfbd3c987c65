#include "ServerFailurePolicy.h"

#include <algorithm>

namespace veltrane {

Deadline ServerFailurePolicy::eventDeadline() {
    const Clock::time_point now = now_();
    if (event_ != events_.current()) beginEvent(now);
    eventAsked_ = true;
    if (now < backedOffUntil_) {
        eventCompleted_ = false;
        throw PlatformError(ErrorKind::NoAnswer,
                            "the print server did not answer lately and is backed off a while");
    }
    return deadline_;
}

std::optional<Deadline> ServerFailurePolicy::deadlineFromNow() const {
    const Clock::time_point now = now_();
    if (now < backedOffUntil_) return std::nullopt;
    return now + kEventDeadline;
}

void ServerFailurePolicy::backOff() {
    eventCompleted_ = false;
    backOff_ = backOff_ == Clock::duration::zero()
                   ? Clock::duration(kFirstBackOff)
                   : std::min<Clock::duration>(backOff_ * 2, Clock::duration(kLongestBackOff));
    backedOffUntil_ = now_() + backOff_;
}

void ServerFailurePolicy::beginEvent(Clock::time_point now) {
    if (eventAsked_ && eventCompleted_) backOff_ = Clock::duration::zero();
    event_ = events_.current();
    eventAsked_ = false;
    eventCompleted_ = true;
    deadline_ = now + kEventDeadline;
}

}  // namespace veltrane
