// The per-event cache: one fetch an event, and one that failed fails alike.
#include <gmock/gmock.h>

#include "EventCache.h"
#include "PlatformError.h"

namespace veltrane {
namespace {

TEST(EventCacheTest, OneFetchPerEventAndTheSameErrorWithinIt) {
    EventCounter events;
    EventCache<int> cache(events);
    int fetches = 0;
    auto fetch = [&] { return ++fetches; };
    EXPECT_EQ(cache.get(fetch), 1);
    EXPECT_EQ(cache.get(fetch), 1);
    events.next();
    EXPECT_EQ(cache.get(fetch), 2);

    events.next();
    auto failing = [&]() -> int {
        ++fetches;
        throw PlatformError(ErrorKind::ServiceFailure, "down");
    };
    EXPECT_THROW(cache.get(failing), PlatformError);
    EXPECT_THROW(cache.get(fetch), PlatformError) << "no second try within the event";
    EXPECT_EQ(fetches, 3);
}

}  // namespace
}  // namespace veltrane
