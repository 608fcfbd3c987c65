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
        if (call == failing_ && --failAfter_ == 0) {
            failing_.clear();
            throw PlatformError(ErrorKind::ServiceFailure, "injected failure at " + call);
        }
    }

    void failAt(const std::string& call, int occurrence = 1) {
        failing_ = call;
        failAfter_ = occurrence;
    }

    int count(const std::string& call) const {
        int n = 0;
        for (const auto& c : calls) n += c == call ? 1 : 0;
        return n;
    }

    std::vector<std::string> calls;

private:
    std::string failing_;
    int failAfter_ = 0;
};

}  // namespace veltrane::testing
