#include "ServerAllowance.h"

#include <algorithm>

#include "PlatformError.h"

namespace veltrane {

Deadline ServerAllowance::admit() {
    const Clock::time_point now = now_();
    if (event_ != epoch_.current()) beginEvent(now);
    eventAsked_ = true;
    if (now < restUntil_) {
        eventAnswered_ = false;
        throw PlatformError(ErrorKind::NoAnswer,
                            "the print server did not answer lately and is left alone a while");
    }
    return deadline_;
}

void ServerAllowance::noAnswer() {
    eventAnswered_ = false;
    rest_ = rest_ == Clock::duration::zero()
                ? Clock::duration(kFirstRest)
                : std::min<Clock::duration>(rest_ * 2, Clock::duration(kLongestRest));
    restUntil_ = now_() + rest_;
}

void ServerAllowance::beginEvent(Clock::time_point now) {
    if (eventAsked_ && eventAnswered_) rest_ = Clock::duration::zero();
    event_ = epoch_.current();
    eventAsked_ = false;
    eventAnswered_ = true;
    deadline_ = now + kPerEvent;
}

}  // namespace veltrane
