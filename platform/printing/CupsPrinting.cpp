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

CupsPrinting::CupsPrinting(const EventEpoch& epoch, ScalableFamilies families,
                           std::function<ServerFailurePolicy::Clock::time_point()> now)
    : epoch_(epoch),
      families_(std::move(families)),
      policy_(epoch, std::move(now)),
      server_(epoch),
      lightView_(epoch),
      fonts_(epoch) {}

CupsPrinting::~CupsPrinting() {
    if (prefetch_) prefetch_->cancellation->cancel();
}

void CupsPrinting::prefetch() {
    prefetch_ = thread_.submit(
        [families = families_, settings = CupsSettings::current(),
         deadline = ServerFailurePolicy::Clock::now() +
                    ServerFailurePolicy::kEventDeadline](Cancellation& cancellation) {
            return readViewAndFonts(families, settings, deadline, cancellation);
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

PrintServerView CupsPrinting::takePrefetched() {
    const Deadline deadline = policy_.eventDeadline();
    auto job = std::move(*prefetch_);
    prefetch_.reset();
    ViewAndFonts answer = policy_.resultOf(thread_.await(job, deadline));
    prefetched_ = ViewAndFonts{{}, std::move(answer.queue), std::move(answer.fonts)};
    prefetchedInEvent_ = epoch_.current();
    return std::move(answer.view);
}

const PrintServerView& CupsPrinting::server() {
    return server_.get([this] {
        if (prefetch_) return takePrefetched();
        return runForEvent(readView);
    });
}

const LightView& CupsPrinting::lightView() {
    return lightView_.get([this] { return runForEvent(readLightView); });
}

const std::vector<std::string>& CupsPrinting::defaultFonts() {
    const std::string queue = queueOf(deviceOf(server().defaultDevice));
    return fonts_.get([&] {
        if (prefetched_ && prefetchedInEvent_ == epoch_.current() && prefetched_->queue == queue) {
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
    return lightView().anyQueue;
}

std::int64_t CupsPrinting::FontCount() {
    return static_cast<std::int64_t>(defaultFonts().size());
}

std::string CupsPrinting::Fonts(Int16& index) {
    const auto& fonts = defaultFonts();
    return fonts[entryIndex(index, fonts.size(), "the default device's font list")];
}

// In a check, before the event reads the full view, from the light view.
DefaultChoice CupsPrinting::Default() {
    const bool inCheck = lightView_.fetchedInThisEvent() && !server_.fetchedInThisEvent();
    return inCheck ? lightView().defaultDevice : server().defaultDevice;
}

}  // namespace veltrane
