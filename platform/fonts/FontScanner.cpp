#include "FontScanner.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

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
// How often paths that cannot be watched are looked at.
constexpr int kLookEveryMs = 5000;

}  // namespace

// What the scanner, its watch thread and its scan threads share; the threads
// keep it alive for as long as they run.
struct FontScanner::Shared : std::enable_shared_from_this<Shared> {
    explicit Shared(Scan reader) : scan(std::move(reader)) {}

    void requestScan();
    void startScan();
    void finish(std::uint64_t number, std::optional<fontconfig::Scan> result);
    void watchFonts();
    void wakeWatch() { ::eventfd_write(wake.get(), 1); }

    const Scan scan;
    const Descriptor wake{::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)};
    std::mutex mutex;
    std::condition_variable completion;
    bool scanning = false;
    bool pending = false;
    bool ending = false;
    Clock::time_point started{};
    std::uint64_t generation = 0;
    int givenUp = 0;
    std::optional<fontconfig::Scan> completed;
    std::vector<std::string> newPaths;  // for the watch to add
};

// With the mutex held.
void FontScanner::Shared::requestScan() {
    if (ending) return;
    if (scanning && (Clock::now() - started < kStuckAfter || givenUp >= kMostGivenUp)) {
        pending = true;
        return;
    }
    if (scanning) ++givenUp;
    startScan();
}

// With the mutex held. Should no thread start, the next change tries again.
void FontScanner::Shared::startScan() {
    const std::uint64_t number = generation + 1;
    try {
        std::thread([self = shared_from_this(), number] {
            std::optional<fontconfig::Scan> result;
            try {
                result = self->scan();
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
        completed = std::move(result);
        completion.notify_all();
        wakeWatch();
    }
    if (pending) requestScan();
}

void FontScanner::Shared::watchFonts() {
    FontFolderWatch watch;
    watch.add(fontconfig::configurationPaths());
    for (;;) {
        pollfd ready[] = {{watch.descriptor(), POLLIN, 0}, {wake.get(), POLLIN, 0}};
        ::poll(ready, 2, watch.looking() ? kLookEveryMs : -1);
        eventfd_t woken = 0;
        ::eventfd_read(wake.get(), &woken);
        std::vector<std::string> paths;
        {
            const std::lock_guard lock(mutex);
            if (ending) return;
            paths = std::exchange(newPaths, {});
        }
        if (!paths.empty()) watch.add(std::move(paths));
        if (watch.changed()) {
            const std::lock_guard lock(mutex);
            requestScan();
        }
    }
}

FontScanner::FontScanner(Scan scan) : shared_(std::make_shared<Shared>(std::move(scan))) {
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

std::optional<fontconfig::Scan> FontScanner::scanWithin(Clock::duration bound) {
    std::unique_lock lock(shared_->mutex);
    shared_->requestScan();
    shared_->completion.wait_for(lock, bound, [&] { return shared_->completed.has_value(); });
    return std::exchange(shared_->completed, std::nullopt);
}

std::optional<fontconfig::Scan> FontScanner::takeCompleted() {
    const std::lock_guard lock(shared_->mutex);
    return std::exchange(shared_->completed, std::nullopt);
}

}  // namespace veltrane
