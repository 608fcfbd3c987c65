// The print server's allowance: one deadline an event, and a rest after no answer.
#include <gmock/gmock.h>

#include "ErrorKindOf.h"
#include "ServerAllowance.h"

namespace veltrane {
namespace {

using namespace std::chrono_literals;
using testing::kindOf;

class ServerAllowanceTest : public ::testing::Test {
protected:
    // Moves the clock on and begins the next event.
    void nextEventAfter(ServerAllowance::Clock::duration wait) {
        now += wait;
        epoch.begin();
    }
    bool admitted() {
        try {
            allowance.admit();
            return true;
        } catch (const PlatformError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::NoAnswer);
            return false;
        }
    }
    // How long the server is left alone after failing now: the first admission's wait.
    ServerAllowance::Clock::duration restAfterNoAnswer() {
        allowance.noAnswer();
        ServerAllowance::Clock::duration rest{};
        do {
            nextEventAfter(1s);
            rest += 1s;
        } while (!admitted());
        return rest;
    }

    ServerAllowance::Clock::time_point now{};
    EventEpoch epoch;
    ServerAllowance allowance{epoch, [this] { return now; }};
};

TEST_F(ServerAllowanceTest, AllOfAnEventsWorkSharesOneDeadline) {
    EXPECT_EQ(allowance.admit(), now + ServerAllowance::kPerEvent);
    now += 300ms;
    EXPECT_EQ(allowance.admit(), now - 300ms + ServerAllowance::kPerEvent) << "the same event";
    nextEventAfter(1s);
    EXPECT_EQ(allowance.admit(), now + ServerAllowance::kPerEvent);
}

TEST_F(ServerAllowanceTest, TheRestDoublesWhileTheServerFailsUpToAMinute) {
    allowance.admit();
    EXPECT_EQ(restAfterNoAnswer(), 2s);
    EXPECT_EQ(restAfterNoAnswer(), 4s);
    EXPECT_EQ(restAfterNoAnswer(), 8s);
    EXPECT_EQ(restAfterNoAnswer(), 16s);
    EXPECT_EQ(restAfterNoAnswer(), 32s);
    EXPECT_EQ(restAfterNoAnswer(), 60s);
    EXPECT_EQ(restAfterNoAnswer(), 60s);
}

TEST_F(ServerAllowanceTest, AnEventWhoseWorkAllGotAnswersEndsTheDoubling) {
    allowance.admit();
    EXPECT_EQ(restAfterNoAnswer(), 2s);
    EXPECT_EQ(restAfterNoAnswer(), 4s);
    nextEventAfter(1s);
    allowance.admit();  // answered
    nextEventAfter(1s);
    allowance.admit();
    EXPECT_EQ(restAfterNoAnswer(), 2s);

    // An event that got one answer and then none does not end it.
    allowance.admit();
    EXPECT_EQ(restAfterNoAnswer(), 4s);
}

}  // namespace
}  // namespace veltrane
