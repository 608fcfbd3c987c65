// The installed fonts read anew off the user-interface thread.
#include <gmock/gmock.h>

#include <chrono>
#include <future>

#include "Eventually.h"
#include "FontScanner.h"

namespace veltrane {
namespace {

using namespace std::chrono_literals;

// A scan that runs until the test lets it complete, as one of a folder whose
// file system is slow: the start gives up on it within its bound, a paint
// never waits for it, and it is handed over once it completes.
TEST(FontScannerTest, AScanStillRunningIsNeitherWaitedForNorTakenAndCompletesLater) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    FontScanner scanner(
        [released](bool, const std::string&) {
            released.wait();
            return fontconfig::Scan{fontconfig::noFonts(), {}, {}, "font", {}};
        },
        100ms);
    const auto started = std::chrono::steady_clock::now();
    scanner.start();
    EXPECT_FALSE(scanner.takeFirstScan());
    EXPECT_FALSE(scanner.takeCompleted());
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s) << "the bound, not the scan";

    release.set_value();
    std::optional<fontconfig::Scan> completed;
    EXPECT_TRUE(
        testing::eventually(5, [&] { return (completed = scanner.takeCompleted()).has_value(); }));
    EXPECT_EQ(completed->someFont, "font");
    EXPECT_FALSE(scanner.takeCompleted()) << "taken once";
}

}  // namespace
}  // namespace veltrane
