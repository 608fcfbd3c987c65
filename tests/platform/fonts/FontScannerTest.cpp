// The installed fonts read anew off the user-interface thread.
#include <gmock/gmock.h>

#include <chrono>
#include <future>

#include "Eventually.h"
#include "FontScanner.h"

namespace veltrane {
namespace {

using namespace std::chrono_literals;

// A scan that runs until the test lets it complete, as one of a slow folder.
TEST(FontScannerTest, AScanStillRunningIsNeitherWaitedForNorTakenAndCompletesLater) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    FontScanner scanner([released] {
        released.wait();
        return fontconfig::Scan{fontconfig::noFonts(), {}, "font"};
    });
    const auto asked = std::chrono::steady_clock::now();
    EXPECT_FALSE(scanner.scanWithin(50ms));
    EXPECT_FALSE(scanner.takeCompleted());
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 2s) << "a paint never waits for a scan";

    release.set_value();
    std::optional<fontconfig::Scan> completed;
    EXPECT_TRUE(
        testing::eventually(5, [&] { return (completed = scanner.takeCompleted()).has_value(); }));
    EXPECT_EQ(completed->someFont, "font");
    EXPECT_FALSE(scanner.takeCompleted()) << "taken once";
}

}  // namespace
}  // namespace veltrane
