// The runtime layer's own logic: 16-bit arithmetic, the sorted entries of a list
// box, the per-event cache, and the local default destination.
#include <gmock/gmock.h>

#include <cstdlib>
#include <limits>

#include "ErrorKindOf.h"
#include "EventCache.h"
#include "Int16.h"
#include "LocalDefault.h"
#include "PlatformError.h"
#include "SortedEntries.h"

namespace veltrane {
namespace {

using testing::kindOf;

using ::testing::ElementsAre;

TEST(Int16Test, ArithmeticRaisesOverflowAtBothEdgesInsteadOfWrapping) {
    EXPECT_EQ(add16(32766, 1), 32767);
    EXPECT_EQ(subtract16(-32767, 1), -32768);
    EXPECT_EQ(kindOf([] { add16(32767, 1); }), ErrorKind::Overflow);
    EXPECT_EQ(kindOf([] { subtract16(-32768, 1); }), ErrorKind::Overflow);
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_EQ(kindOf([] { toInt16(32768); }), ErrorKind::Overflow);
    EXPECT_EQ(kindOf([] { toInt16(std::numeric_limits<std::int64_t>::min()); }),
              ErrorKind::Overflow);
    EXPECT_EQ(kindOf([] { toInt16(65536); }), ErrorKind::Overflow) << "would wrap to 0";
}

std::vector<std::string> settled(SortedEntries& entries) {
    std::optional<std::size_t> none;
    entries.settle(none);
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < entries.size(); ++i) texts.push_back(entries.text(i));
    return texts;
}

TEST(SortedEntriesTest, SortsIgnoringCaseAndKeepsCaseTwinsInTheOrderAdded) {
    SortedEntries entries;
    for (const char* name : {"beta", "Alpha", "BETA", "alpha", "Beta", "Ärger", "zeta"}) {
        entries.add(name);
    }
    EXPECT_THAT(settled(entries),
                ElementsAre("Alpha", "alpha", "beta", "BETA", "Beta", "zeta", "Ärger"));
    entries.add("ALPHA");
    EXPECT_THAT(settled(entries),
                ElementsAre("Alpha", "alpha", "ALPHA", "beta", "BETA", "Beta", "zeta", "Ärger"))
        << "a later twin goes after the earlier ones";
}

TEST(SortedEntriesTest, TheSelectionMovesWithItsEntryWhenOthersAreMergedIn) {
    SortedEntries entries;
    entries.add("m");
    entries.add("x");
    std::optional<std::size_t> selected;
    entries.settle(selected);
    selected = 0;  // "m"
    for (const char* name : {"a", "M", "b", "z"}) entries.add(name);
    entries.settle(selected);
    ASSERT_TRUE(selected);
    EXPECT_EQ(entries.text(*selected), "m");
    EXPECT_EQ(*selected, 2U);
}

TEST(EventCacheTest, OneFetchPerEventAndTheSameErrorWithinIt) {
    EventEpoch epoch;
    EventCache<int> cache(epoch);
    int fetches = 0;
    auto fetch = [&] { return ++fetches; };
    EXPECT_EQ(cache.get(fetch), 1);
    EXPECT_EQ(cache.get(fetch), 1);
    epoch.begin();
    EXPECT_EQ(cache.get(fetch), 2);

    epoch.begin();
    auto failing = [&]() -> int {
        ++fetches;
        throw PlatformError(ErrorKind::ServiceFailure, "down");
    };
    EXPECT_THROW(cache.get(failing), PlatformError);
    EXPECT_THROW(cache.get(fetch), PlatformError) << "no second try within the event";
    EXPECT_EQ(fetches, 3);
}

TEST(LocalDefaultTest, TheDefaultLineOfAnLpoptionsFileNamesQueueAndInstance) {
    EXPECT_EQ(lpoptionsDefault("Dest other media=A4\nDefault office/duplex sides=two\n"),
              "office/duplex");
    EXPECT_EQ(lpoptionsDefault("default lab\n"), "lab");
    EXPECT_EQ(lpoptionsDefault("Dest office\n"), std::nullopt);
    EXPECT_EQ(lpoptionsDefault(""), std::nullopt);
}

TEST(LocalDefaultTest, LpdestComesBeforePrinterAndPrinterLpIsIgnored) {
    const char* home = std::getenv("HOME");
    ::setenv("HOME", "/nonexistent", 1);
    ::setenv("CUPS_SERVERROOT", "/nonexistent", 1);
    ::setenv("PRINTER", "lp", 1);
    ::unsetenv("LPDEST");
    EXPECT_EQ(readLocalDefault(), std::nullopt);
    ::setenv("PRINTER", "second", 1);
    EXPECT_EQ(readLocalDefault(), "second");
    ::setenv("LPDEST", "first", 1);
    EXPECT_EQ(readLocalDefault(), "first");
    ::unsetenv("LPDEST");
    ::unsetenv("PRINTER");
    ::unsetenv("CUPS_SERVERROOT");
    if (home != nullptr) ::setenv("HOME", home, 1);
}

}  // namespace
}  // namespace veltrane
