// The print server's failure policy: one deadline an event, a back-off after
// the server's fault, and each fault's kind.
#include <gmock/gmock.h>

#include "ErrorKindOf.h"
#include "ServerFailurePolicy.h"

namespace veltrane {
namespace {

using namespace std::chrono_literals;
using testing::kindOf;

class ServerFailurePolicyTest : public ::testing::Test {
protected:
    // Moves the clock on and begins the next event.
    void nextEventAfter(ServerFailurePolicy::Clock::duration wait) {
        now += wait;
        events.next();
    }
    bool asked() {
        try {
            policy.eventDeadline();
            return true;
        } catch (const PlatformError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::NoAnswer);
            return false;
        }
    }
    // A job of the event's that failed with `fault`.
    void jobFailed(ServerFault fault) {
        EXPECT_ANY_THROW(policy.resultOf(JobResult<int>(serverError(fault, "the job's failure"))));
    }
    // How long the server is backed off after it did not answer now: the wait
    // until the first event that may ask it.
    ServerFailurePolicy::Clock::duration backOffAfterNoAnswer() {
        jobFailed(ServerFault::TimedOut);
        ServerFailurePolicy::Clock::duration backOff{};
        do {
            nextEventAfter(1s);
            backOff += 1s;
        } while (!asked());
        return backOff;
    }

    ServerFailurePolicy::Clock::time_point now{};
    EventCounter events;
    ServerFailurePolicy policy{events, [this] { return now; }};
};

TEST_F(ServerFailurePolicyTest, AllOfAnEventsWorkSharesOneDeadline) {
    EXPECT_EQ(policy.eventDeadline(), now + ServerFailurePolicy::kEventDeadline);
    now += 300ms;
    EXPECT_EQ(policy.eventDeadline(), now - 300ms + ServerFailurePolicy::kEventDeadline)
        << "the same event";
    nextEventAfter(1s);
    EXPECT_EQ(policy.eventDeadline(), now + ServerFailurePolicy::kEventDeadline);
}

TEST_F(ServerFailurePolicyTest, TheBackOffDoublesWhileTheServerFailsUpToAMinute) {
    policy.eventDeadline();
    EXPECT_EQ(backOffAfterNoAnswer(), 2s);
    EXPECT_EQ(backOffAfterNoAnswer(), 4s);
    EXPECT_EQ(backOffAfterNoAnswer(), 8s);
    EXPECT_EQ(backOffAfterNoAnswer(), 16s);
    EXPECT_EQ(backOffAfterNoAnswer(), 32s);
    EXPECT_EQ(backOffAfterNoAnswer(), 60s);
    EXPECT_EQ(backOffAfterNoAnswer(), 60s);
}

TEST_F(ServerFailurePolicyTest, AnEventWhoseWorkAllCompletedResetsTheBackOff) {
    policy.eventDeadline();
    EXPECT_EQ(backOffAfterNoAnswer(), 2s);
    EXPECT_EQ(backOffAfterNoAnswer(), 4s);
    nextEventAfter(1s);
    policy.eventDeadline();  // answered
    nextEventAfter(1s);
    policy.eventDeadline();
    EXPECT_EQ(backOffAfterNoAnswer(), 2s);

    // An event that got one answer and then none does not reset it.
    policy.eventDeadline();
    EXPECT_EQ(backOffAfterNoAnswer(), 4s);
}

TEST_F(ServerFailurePolicyTest, OnlyTheServersFaultsBackItOff) {
    for (const ServerFault fault :
         {ServerFault::Dropped, ServerFault::Unreachable, ServerFault::NotSecure}) {
        EXPECT_EQ(kindOf([&] { throwServerError(fault, ""); }), ErrorKind::NoAnswer);
    }
    EXPECT_EQ(kindOf([] { throwServerError(ServerFault::Stopped, ""); }),
              ErrorKind::DeviceUnavailable);
    for (const ServerFault fault :
         {ServerFault::Refused, ServerFault::Oversized, ServerFault::Unreadable}) {
        EXPECT_EQ(kindOf([&] { throwServerError(fault, ""); }), ErrorKind::ServiceFailure);
        policy.eventDeadline();
        jobFailed(fault);
        nextEventAfter(1ms);
        EXPECT_TRUE(asked()) << "the device's fault: the server is asked again at once";
    }
}

}  // namespace
}  // namespace veltrane
