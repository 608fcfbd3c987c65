// The entries of a sorted list box: the order and the selection's place in it.
#include <gmock/gmock.h>

#include "SortedEntries.h"

namespace veltrane {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> merged(SortedEntries& entries) {
    std::optional<std::size_t> none;
    entries.mergePending(none);
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < entries.size(); ++i) texts.push_back(entries.text(i));
    return texts;
}

TEST(SortedEntriesTest, SortsIgnoringCaseAndKeepsCaseTwinsInTheOrderAdded) {
    ListCollation collation(QLocale::c());
    SortedEntries entries(collation);
    for (const char* name : {"beta", "Alpha", "BETA", "alpha", "Beta", "Ärger", "zeta"}) {
        entries.add(name);
    }
    EXPECT_THAT(merged(entries),
                ElementsAre("Alpha", "alpha", "Ärger", "beta", "BETA", "Beta", "zeta"));
    entries.add("ALPHA");
    EXPECT_THAT(merged(entries),
                ElementsAre("Alpha", "alpha", "ALPHA", "Ärger", "beta", "BETA", "Beta", "zeta"))
        << "a later twin goes after the earlier ones";
}

TEST(SortedEntriesTest, TheSelectionMovesWithItsEntryWhenOthersAreMergedIn) {
    ListCollation collation(QLocale::c());
    SortedEntries entries(collation);
    entries.add("m");
    entries.add("x");
    std::optional<std::size_t> selected;
    entries.mergePending(selected);
    selected = 0;  // "m"
    for (const char* name : {"a", "M", "b", "z"}) entries.add(name);
    entries.mergePending(selected);
    ASSERT_TRUE(selected);
    EXPECT_EQ(entries.text(*selected), "m");
    EXPECT_EQ(*selected, 2U);
}

}  // namespace
}  // namespace veltrane
