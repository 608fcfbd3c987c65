#include "ServerFailurePolicy.h"

#include <algorithm>

namespace veltrane {

namespace {

ErrorKind kindOf(ServerFault fault) {
    switch (fault) {
        case ServerFault::Unreachable:
        case ServerFault::Dropped:
        case ServerFault::NotSecure:
        case ServerFault::TimedOut:
            return ErrorKind::NoAnswer;
        case ServerFault::Refused:
        case ServerFault::Oversized:
        case ServerFault::Unreadable:
            return ErrorKind::ServiceFailure;
        case ServerFault::Stopped:
            return ErrorKind::DeviceUnavailable;
    }
    return ErrorKind::ServiceFailure;
}

}  // namespace

PlatformError ServerFailurePolicy::failure(ServerFault fault, const std::string& what) {
    return PlatformError(kindOf(fault), what);
}

void ServerFailurePolicy::fail(ServerFault fault, const std::string& what) {
    throw failure(fault, what);
}

Deadline ServerFailurePolicy::eventDeadline() {
    const Clock::time_point now = now_();
    if (event_ != epoch_.current()) beginEvent(now);
    eventAsked_ = true;
    if (now < backedOffUntil_) {
        eventCompleted_ = false;
        throw PlatformError(ErrorKind::NoAnswer,
                            "the print server did not answer lately and is backed off a while");
    }
    return deadline_;
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
    event_ = epoch_.current();
    eventAsked_ = false;
    eventCompleted_ = true;
    deadline_ = now + kEventDeadline;
}

}  // namespace veltrane
