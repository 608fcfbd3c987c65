#include "CupsPrinting.h"

#include "DefaultDevice.h"
#include "PlatformError.h"

namespace veltrane {

namespace {

const std::string& deviceOf(const DefaultChoice& choice) {
    if (!choice.device) throw PlatformError(ErrorKind::DeviceUnavailable, choice.whyNone);
    return *choice.device;
}

}  // namespace

CupsPrinting::CupsPrinting(const EventCounter& events, ScalableFamilies families,
                           std::function<ServerFailurePolicy::Clock::time_point()> now)
    : events_(events),
      families_(std::move(families)),
      policy_(events, std::move(now)),
      server_(events),
      defaultSnapshot_(events),
      fonts_(events) {}

CupsPrinting::~CupsPrinting() {
    if (prefetch_) prefetch_->cancellation->cancel();
}

// While the server is backed off, the next event asks it itself.
void CupsPrinting::prefetch() {
    const std::optional<Deadline> deadline = policy_.deadlineFromNow();
    if (!deadline) return;
    prefetch_ = thread_.submit([families = families_, settings = CupsSettings::current(),
                                deadline = *deadline](Cancellation& cancellation) {
        return readQueuesAndFonts(families, settings, deadline, cancellation);
    });
}

// Reads on the server's thread with the settings of now, within the event's
// deadline; the read's failure is thrown, after the failure policy has seen it.
template <typename Read>
auto CupsPrinting::runForEvent(Read read) {
    const Deadline deadline = policy_.eventDeadline();
    return policy_.resultOf(thread_.run(
        deadline,
        [read = std::move(read), settings = CupsSettings::current(),
         deadline](Cancellation& cancellation) { return read(settings, deadline, cancellation); }));
}

QueuesSnapshot CupsPrinting::takePrefetched() {
    const Deadline deadline = policy_.eventDeadline();
    auto job = std::move(*prefetch_);
    prefetch_.reset();
    QueuesAndFonts answer = policy_.resultOf(thread_.await(job, deadline));
    prefetched_ = QueuesAndFonts{{}, std::move(answer.queue), std::move(answer.fonts)};
    prefetchedInEvent_ = events_.current();
    return std::move(answer.queues);
}

const QueuesSnapshot& CupsPrinting::server() {
    return server_.get([this] {
        if (prefetch_) return takePrefetched();
        return runForEvent(readQueues);
    });
}

const DefaultSnapshot& CupsPrinting::defaultSnapshot() {
    return defaultSnapshot_.get([this] { return runForEvent(readDefault); });
}

const std::vector<std::string>& CupsPrinting::defaultFonts() {
    const std::string queue = queueOf(deviceOf(server().defaultDevice));
    return fonts_.get([&] {
        if (prefetched_ && prefetchedInEvent_ == events_.current() && prefetched_->queue == queue) {
            auto fonts = std::move(prefetched_->fonts);
            prefetched_.reset();
            return policy_.resultOf(std::move(fonts));
        }
        return runForEvent([queue, families = families_](const CupsSettings& settings,
                                                         Deadline deadline,
                                                         Cancellation& cancellation) {
            return readFonts(queue, families, settings, deadline, cancellation);
        });
    });
}

std::int64_t CupsPrinting::Count() {
    return static_cast<std::int64_t>(server().queues.size());
}

bool CupsPrinting::Any() {
    if (server_.fetchedInThisEvent()) return !server().queues.empty();
    return defaultSnapshot().anyQueue;
}

std::int64_t CupsPrinting::FontCount() {
    return static_cast<std::int64_t>(defaultFonts().size());
}

std::string CupsPrinting::Fonts(Int16& index) {
    const auto& fonts = defaultFonts();
    return fonts[entryIndex(index, fonts.size(), "the default device's font list")];
}

// In a check, until the event asks anything else, from the snapshot of the default.
DefaultChoice CupsPrinting::Default() {
    const bool inCheck = defaultSnapshot_.fetchedInThisEvent() && !server_.fetchedInThisEvent();
    return inCheck ? defaultSnapshot().defaultDevice : server().defaultDevice;
}

}  // namespace veltrane
