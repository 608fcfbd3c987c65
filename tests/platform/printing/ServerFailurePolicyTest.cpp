// The print server's failure policy: the back-off after the server's fault,
// and each fault's kind.
#include <gmock/gmock.h>

#include "ErrorKindOf.h"
#include "ServerFailurePolicy.h"
#include "ServerFault.h"

namespace veltrane {
namespace {

using namespace std::chrono_literals;
using testing::kindOf;

class ServerFailurePolicyTest : public ::testing::Test {
protected:
    // How long the server is left alone after a failure now.
    ServerFailurePolicy::Clock::duration backOffAfterFailure() {
        policy.failed();
        ServerFailurePolicy::Clock::duration backOff{};
        for (; !policy.mayAsk(); backOff += 1s) now += 1s;
        return backOff;
    }

    ServerFailurePolicy::Clock::time_point now{};
    ServerFailurePolicy policy{[this] { return now; }};
};

TEST_F(ServerFailurePolicyTest, TheBackOffDoublesWhileTheServerFailsUpToAMinuteAndAnAnswerEndsIt) {
    EXPECT_TRUE(policy.mayAsk());
    for (const auto expected : {2s, 4s, 8s, 16s, 32s, 60s, 60s}) {
        EXPECT_EQ(backOffAfterFailure(), expected);
    }
    policy.answered();
    EXPECT_EQ(backOffAfterFailure(), 2s);
}

TEST_F(ServerFailurePolicyTest, OnlyTheServersFaultsAreNoAnswer) {
    for (const ServerFault fault :
         {ServerFault::Dropped, ServerFault::Unreachable, ServerFault::NotSecure,
          ServerFault::Silent, ServerFault::TooSlow}) {
        EXPECT_EQ(kindOf([&] { throwServerError(fault, ""); }), ErrorKind::NoAnswer);
    }
    for (const ServerFault fault :
         {ServerFault::Refused, ServerFault::Oversized, ServerFault::Unreadable}) {
        EXPECT_EQ(kindOf([&] { throwServerError(fault, ""); }), ErrorKind::ServiceFailure);
    }
}

}  // namespace
}  // namespace veltrane
