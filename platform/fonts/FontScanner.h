#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "Fontconfig.h"

namespace veltrane {

// Reads the installed fonts anew, off the user-interface thread, as soon as
// they may have changed: a thread of its own watches the paths fontconfig
// reads and starts a scan, on a thread of its own, at the first change. The
// window is handed the latest completed scan once no change is left unread
// (while fonts keep coming, a couple of seconds on), and scans a couple of
// seconds apart at most: a burst of installs is a few reloads. A scan still
// running a while when a change comes is taken to be stuck (a file system that
// never answers) and given up; its answer, should it come, is dropped. Neither
// thread keeps the program from ending.
class FontScanner {
public:
    using Scan = std::function<fontconfig::Scan()>;
    using Clock = std::chrono::steady_clock;
    static constexpr auto kStuckAfter = std::chrono::seconds(10);
    // Tens of milliseconds with fontconfig's caches up to date, seconds
    // without at tens of thousands of fonts: longer only where a file system
    // does not answer.
    static constexpr auto kFirstScanBound = std::chrono::seconds(15);

    // Scans with `scan`; the start waits for its first scan `firstScanBound` at most.
    explicit FontScanner(Scan scan = fontconfig::scan,
                         Clock::duration firstScanBound = kFirstScanBound);
    ~FontScanner();
    FontScanner(const FontScanner&) = delete;
    FontScanner& operator=(const FontScanner&) = delete;

    // Starts the first scan, and the watch of the paths it reads.
    void start();
    // The first scan, waited for until its bound; past it, it is handed over
    // as any other.
    std::optional<fontconfig::Scan> takeFirstScan();
    // The latest scan handed over since the last one was taken; never waits.
    std::optional<fontconfig::Scan> takeCompleted();

private:
    struct Shared;

    std::shared_ptr<Shared> shared_;
};

}  // namespace veltrane
