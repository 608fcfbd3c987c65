// The installed fonts read anew off the user-interface thread.
#include <gmock/gmock.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <future>
#include <thread>

#include "Eventually.h"
#include "FontScanner.h"
#include "TempDir.h"

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

// A scan beside the window's reload would slow it down: a change that comes
// after a hand-over is read once the window has taken it and asks again.
TEST(FontScannerTest, AChangeAfterAHandOverIsScannedOnceTheWindowAsksAgain) {
    const testing::TempDir fonts("veltrane-scanner");
    std::atomic<int> scans = 0;
    FontScanner scanner([&](bool, const std::string&) {
        const int number = ++scans;
        fontconfig::Scan scan{fontconfig::noFonts(), {fonts.path()}, {}, "font", {}};
        scan.digest = static_cast<std::uint64_t>(number);  // other fonts each time
        return scan;
    });
    scanner.start();
    ASSERT_TRUE(scanner.takeFirstScan());
    // Files written while the window reloads, for long enough that the watch,
    // set up beside the start, has seen some.
    for (int file = 0; file < 15; ++file) {
        std::ofstream(fonts / ("new-" + std::to_string(file) + ".ttf")) << "font";
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_EQ(scans, 1) << "not while the window reloads";
    EXPECT_FALSE(scanner.takeCompleted());
    EXPECT_TRUE(testing::eventually(5, [&] { return scans == 2; }));
    EXPECT_TRUE(testing::eventually(10, [&] { return scanner.takeCompleted().has_value(); }));
}

}  // namespace
}  // namespace veltrane
