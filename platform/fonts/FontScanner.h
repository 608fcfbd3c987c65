#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "Fontconfig.h"

namespace veltrane {

// Reads the installed fonts anew, never on the user-interface thread, as soon
// as they may have changed: a thread of its own watches the paths fontconfig
// reads (FontFolderWatch) and starts a scan, on a thread of its own, at the
// first change, so that it has usually completed by the next redraw. Changes
// that come while a scan runs start one more once it has completed; the
// window is handed the latest completed scan once no change is left unread,
// or, while fonts keep coming, a couple of seconds on, and scans a couple of
// seconds apart at most, so that a burst of installs is a few reloads. A scan
// that has run for a while when a change comes is taken to be stuck (a folder
// whose file system never answers) and given up: a new one starts, and the
// stuck one's answer, should it ever come, is dropped; a few stuck scans at
// most are given up on at once. Neither thread keeps the program from ending.
class FontScanner {
public:
    using Scan = std::function<fontconfig::Scan()>;
    using Clock = std::chrono::steady_clock;
    // How long a scan runs before a change takes it to be stuck.
    static constexpr auto kStuckAfter = std::chrono::seconds(10);
    // How long the start waits for its scan: some tens of milliseconds with
    // fontconfig's caches up to date, seconds without at tens of thousands of
    // fonts; only a file system that does not answer takes longer.
    static constexpr auto kFirstScanBound = std::chrono::seconds(15);

    // Scans with `scan`; the start waits for its first scan `firstScanBound` at most.
    explicit FontScanner(Scan scan = fontconfig::scan,
                         Clock::duration firstScanBound = kFirstScanBound);
    ~FontScanner();
    FontScanner(const FontScanner&) = delete;
    FontScanner& operator=(const FontScanner&) = delete;

    // Starts the first scan, and the watch of the paths it reads.
    void start();
    // The first scan, waited for until its bound after the start; once given
    // up on, it is handed over as any other when it completes.
    std::optional<fontconfig::Scan> takeFirstScan();
    // The latest scan that has completed since the last one was taken; never waits.
    std::optional<fontconfig::Scan> takeCompleted();

private:
    struct Shared;

    std::shared_ptr<Shared> shared_;
};

}  // namespace veltrane
