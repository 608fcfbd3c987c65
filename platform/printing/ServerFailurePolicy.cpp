#include "ServerFailurePolicy.h"

#include <algorithm>

namespace veltrane {

void ServerFailurePolicy::failed() {
    backOff_ = backOff_ == Clock::duration::zero()
                   ? Clock::duration(kFirstBackOff)
                   : std::min<Clock::duration>(backOff_ * 2, Clock::duration(kLongestBackOff));
    backedOffUntil_ = now_() + backOff_;
}

}  // namespace veltrane
