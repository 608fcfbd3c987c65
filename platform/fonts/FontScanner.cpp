#include "FontScanner.h"

#include <sys/eventfd.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "Descriptor.h"
#include "FontFolderWatch.h"

namespace veltrane {

namespace {

constexpr int kMostGivenUp = 2;
// A scan gives way to the user-interface thread, which it would otherwise slow
// down at tens of thousands of fonts on a machine of few cores.
constexpr int kScanNiceness = 10;
// Scans are handed to the window at most this often, so that a burst of
// installs is a few reloads, not one a font.
constexpr auto kHandOverEvery = std::chrono::seconds(2);
// A configuration the window no longer uses is freed once its reload is over.
constexpr auto kReleaseAfter = std::chrono::seconds(1);

int millisecondsUntil(FontScanner::Clock::time_point when) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(when - FontScanner::Clock::now());
    return static_cast<int>(std::max<std::int64_t>(0, left.count()));
}

}  // namespace

// What the scanner, its watch thread and its scan threads share; the threads
// keep it alive for as long as they run. All but finish() and watchFonts()
// are called with the mutex held.
struct FontScanner::Shared : std::enable_shared_from_this<Shared> {
    Shared(Scan reader, Clock::duration bound) : scan(std::move(reader)), firstScanBound(bound) {}
    Clock::time_point firstScanDue() const { return firstAsked + firstScanBound; }

    void change();
    void requestScan();
    void startScan();
    void finish(std::uint64_t number, std::optional<fontconfig::Scan> result);
    Clock::time_point handOverDue() const;
    void handOverIfDue();
    int millisecondsToWait() const;
    void watchFonts();
    void wakeWatch() { ::eventfd_write(wake.get(), 1); }

    const Scan scan;
    const Clock::duration firstScanBound;
    const Descriptor wake{::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)};
    std::mutex mutex;
    std::condition_variable completion;
    bool scanning = false;
    bool pending = false;
    bool ending = false;
    Clock::time_point started{};
    std::uint64_t generation = 0;
    int givenUp = 0;
    Clock::time_point firstAsked{};
    bool firstMissed = false;                   // the start stopped waiting for its scan
    bool windowReloading = false;               // since a hand-over, until the window asks again
    std::optional<fontconfig::Scan> completed;  // handed over, for the window to take
    std::optional<fontconfig::Scan> held;       // completed, to be handed over when due
    std::optional<std::uint64_t> kept;          // the digest of the fonts last held
    Clock::time_point handedOverAt{};
    bool changing = false;  // changes seen since the last hand-over
    Clock::time_point changesBegan{};
    std::vector<std::string> newPaths;                // for the watch to add
    std::vector<fontconfig::Configuration> released;  // for the watch to free
    Clock::time_point releaseDue{};
    std::function<void()> tellHandOver;
    std::string defaultFamily;
};

void FontScanner::Shared::change() {
    if (!changing) changesBegan = Clock::now();
    changing = true;
    requestScan();
}

void FontScanner::Shared::requestScan() {
    if (ending) return;
    if (windowReloading) {
        pending = true;
        return;
    }
    if (scanning && (Clock::now() - started < kStuckAfter || givenUp >= kMostGivenUp)) {
        pending = true;
        return;
    }
    if (scanning) ++givenUp;
    startScan();
}

// Should no thread start, the next change tries again.
void FontScanner::Shared::startScan() {
    const std::uint64_t number = generation + 1;
    try {
        std::thread([self = shared_from_this(), number, family = defaultFamily] {
            // On Linux a thread's niceness is its own.
            ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kScanNiceness);
            std::optional<fontconfig::Scan> result;
            try {
                result = self->scan(number > 1, family);
            } catch (const std::exception&) {
                // Nothing may leave a thread: a scan that fails changes nothing.
            }
            self->finish(number, std::move(result));
        }).detach();
    } catch (const std::system_error&) {
        pending = true;
        return;
    }
    generation = number;
    scanning = true;
    pending = false;
    started = Clock::now();
}

void FontScanner::Shared::finish(std::uint64_t number, std::optional<fontconfig::Scan> result) {
    const std::lock_guard lock(mutex);
    if (number != generation) {  // a scan given up on
        --givenUp;
        return;
    }
    scanning = false;
    if (result) {
        newPaths.insert(newPaths.end(), result->watched.begin(), result->watched.end());
        // A change that leaves the fonts as they were, such as a file that is
        // no font, reloads nothing.
        if (result->digest != kept) {
            kept = result->digest;
            held = std::move(result);
        }
    }
    // The start's scan has no font to refill Qt's database with: when the
    // start stopped waiting for it, the fonts are read again for the window.
    if (number == 1 && firstMissed) {
        held.reset();
        kept.reset();
        pending = true;
    }
    // A scan beside the window's reload would slow it down by as much as it
    // takes, on a machine of few cores: what changed meanwhile is read once the
    // window has taken this one and asks again.
    handOverIfDue();
    if (pending) requestScan();
    completion.notify_all();  // the watch waits for the first paths
    wakeWatch();
}

// A scan that changes came during is handed over only
// once changes have kept coming a while, so that the window reloads for what
// the folders hold once they are quiet; and never within a while of the last.
FontScanner::Clock::time_point FontScanner::Shared::handOverDue() const {
    const Clock::time_point spaced = handedOverAt + kHandOverEvery;
    if (!scanning && !pending) return spaced;
    return std::max(spaced, changesBegan + kHandOverEvery);
}

void FontScanner::Shared::handOverIfDue() {
    if (!held || Clock::now() < handOverDue()) return;
    completed = std::move(held);
    held.reset();
    windowReloading = true;
    handedOverAt = Clock::now();
    changing = scanning || pending;
    changesBegan = handedOverAt;
    completion.notify_all();
    if (tellHandOver) tellHandOver();
}

// Until a scan is handed over or the configurations released are freed.
int FontScanner::Shared::millisecondsToWait() const {
    std::optional<Clock::time_point> due;
    if (held) due = handOverDue();
    if (!released.empty()) due = std::min(due.value_or(releaseDue), releaseDue);
    return due ? millisecondsUntil(*due) : -1;
}

// The start's scan tells what to watch; without it in time, the configuration.
void FontScanner::Shared::watchFonts() {
    std::vector<std::string> paths;
    {
        std::unique_lock lock(mutex);
        completion.wait_until(lock, firstScanDue(), [&] { return !newPaths.empty() || ending; });
        if (ending) return;
        paths = std::exchange(newPaths, {});
    }
    if (paths.empty()) paths = fontconfig::configurationPaths();
    FontFolderWatch watch;
    watch.add(std::move(paths));
    int timeout = -1;
    for (;;) {
        watch.wait(wake.get(), timeout);
        eventfd_t woken = 0;
        ::eventfd_read(wake.get(), &woken);
        std::vector<fontconfig::Configuration> freed;  // outside the lock
        {
            const std::lock_guard lock(mutex);
            if (ending) return;
            paths = std::exchange(newPaths, {});
            handOverIfDue();
            if (Clock::now() >= releaseDue) freed = std::exchange(released, {});
            timeout = millisecondsToWait();
        }
        if (!paths.empty()) watch.add(std::move(paths));
        if (watch.changed()) {
            const std::lock_guard lock(mutex);
            change();
        }
    }
}

FontScanner::FontScanner(Scan scan, Clock::duration firstScanBound)
    : shared_(std::make_shared<Shared>(std::move(scan), firstScanBound)) {}

void FontScanner::start() {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->firstAsked = Clock::now();
        shared_->change();
    }
    try {
        std::thread([shared = shared_] { shared->watchFonts(); }).detach();
    } catch (const std::system_error&) {
        // No watch: the fonts stay as they were read.
    }
}

FontScanner::~FontScanner() {
    const std::lock_guard lock(shared_->mutex);
    shared_->ending = true;
    shared_->wakeWatch();
}

std::optional<fontconfig::Scan> FontScanner::takeFirstScan() {
    std::unique_lock lock(shared_->mutex);
    shared_->firstMissed = !shared_->completion.wait_until(
        lock, shared_->firstScanDue(), [&] { return shared_->completed.has_value(); });
    return std::exchange(shared_->completed, std::nullopt);
}

// The window asks at every redraw: one with nothing to take comes after the
// reload for the last hand-over, if there was one.
std::optional<fontconfig::Scan> FontScanner::takeCompleted() {
    const std::lock_guard lock(shared_->mutex);
    if (shared_->completed) return std::exchange(shared_->completed, std::nullopt);
    if (shared_->windowReloading) {
        shared_->windowReloading = false;
        if (shared_->pending) shared_->requestScan();
    }
    return std::nullopt;
}

// Under the scanner's lock: once this returns, the last one is never called again.
void FontScanner::onHandOver(std::function<void()> handedOver) {
    const std::lock_guard lock(shared_->mutex);
    shared_->tellHandOver = std::move(handedOver);
}

void FontScanner::release(fontconfig::Configuration configuration) {
    if (!configuration) return;
    const std::lock_guard lock(shared_->mutex);
    shared_->released.push_back(std::move(configuration));
    shared_->releaseDue = Clock::now() + kReleaseAfter;
    shared_->wakeWatch();
}

void FontScanner::resolveDefaultFamily(std::string family) {
    const std::lock_guard lock(shared_->mutex);
    shared_->defaultFamily = std::move(family);
}

}  // namespace veltrane
