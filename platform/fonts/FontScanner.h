#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "Fontconfig.h"

namespace veltrane {

// Reads the installed fonts anew, off the user-interface thread, as soon as
// they may have changed: a watch thread starts a scan thread at each change.
// The window is handed the latest completed scan once changes are quiet, at
// most every couple of seconds, so a burst of installs is a few reloads; a
// scan that found the fonts as the last one did is not handed over. A
// scan still running a while at a change is taken to be stuck (a file system
// that never answers) and given up. Neither thread keeps the program open.
class FontScanner {
public:
    // Reads the fonts, for a refill of Qt's font database or for the start,
    // and resolves the application's default family where one is given.
    using Scan = std::function<fontconfig::Scan(bool forRefill, const std::string& defaultFamily)>;
    using Clock = std::chrono::steady_clock;
    static constexpr auto kStuckAfter = std::chrono::seconds(10);
    // Seconds at most at tens of thousands of uncached fonts; longer only
    // where a file system does not answer.
    static constexpr auto kFirstScanBound = std::chrono::seconds(15);

    explicit FontScanner(Scan scan = fontconfig::scan,
                         Clock::duration firstScanBound = kFirstScanBound);
    ~FontScanner();
    FontScanner(const FontScanner&) = delete;
    FontScanner& operator=(const FontScanner&) = delete;

    // Starts the first scan, and the watch of the paths it reads.
    void start();
    // The first scan, waited for until its bound; later, handed over as any.
    std::optional<fontconfig::Scan> takeFirstScan();
    // The latest scan handed over since the last one was taken; never waits.
    std::optional<fontconfig::Scan> takeCompleted();
    // Called on the scanner's threads when a scan is handed over.
    void onHandOver(std::function<void()> handedOver);
    // The application's default family, which the scans from now on resolve.
    void resolveDefaultFamily(std::string family);
    // Frees a configuration the window no longer uses a while later, on the
    // watch thread, once the reload that replaced it is over.
    void release(fontconfig::Configuration configuration);

private:
    struct Shared;

    std::shared_ptr<Shared> shared_;
};

}  // namespace veltrane
