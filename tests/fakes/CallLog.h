#pragma once

#include <string>
#include <vector>

#include "PlatformError.h"

namespace veltrane::testing {

// Every call the fakes receive, in order, as "Control.Member=value" or
// "Service.Member". A test can make the n-th occurrence of one call fail.
class CallLog {
public:
    void record(const std::string& call) {
        calls.push_back(call);
        if (call != failing_ || --failAfter_ > 0) return;
        if (!persists_) failing_.clear();
        throw PlatformError(kind_, "injected failure at " + call);
    }

    // The n-th occurrence of the call fails; with `persists`, every later one
    // too, as a service that failed in an event fails alike for the rest of it.
    void failAt(const std::string& call, int occurrence = 1, bool persists = false,
                ErrorKind kind = ErrorKind::ServiceFailure) {
        failing_ = call;
        failAfter_ = occurrence;
        persists_ = persists;
        kind_ = kind;
    }
    void stopFailing() { failing_.clear(); }

    int count(const std::string& call) const {
        int n = 0;
        for (const auto& c : calls) n += c == call ? 1 : 0;
        return n;
    }

    std::vector<std::string> calls;

private:
    std::string failing_;
    int failAfter_ = 0;
    bool persists_ = false;
    ErrorKind kind_ = ErrorKind::ServiceFailure;
};

}  // namespace veltrane::testing
