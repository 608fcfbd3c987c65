#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DeviceFonts.h"
#include "EventCache.h"
#include "EventCounter.h"
#include "PrintServerReads.h"
#include "Printer.h"
#include "Printers.h"
#include "ServerFailurePolicy.h"
#include "ServerThread.h"

namespace veltrane {

// The default device and the device collection, read from the CUPS server.
// Within one event every answer comes from one snapshot of the server, read
// when the event first asks, so a load never mixes two devices. An event that
// begins with Any() is a check: it and the default come from a light snapshot,
// whose cost does not grow with the number of queues, until the event asks
// anything else. No event waits on the server longer than the policy allows.
class CupsPrinting : public Printer, public Printers {
public:
    CupsPrinting(const EventCounter& events, ScalableFamilies families,
                 std::function<ServerFailurePolicy::Clock::time_point()> now =
                     ServerFailurePolicy::Clock::now);
    ~CupsPrinting() override;
    CupsPrinting(const CupsPrinting&) = delete;
    CupsPrinting& operator=(const CupsPrinting&) = delete;

    // Starts reading what the next event asks first (every queue and the
    // default's fonts), so the answers arrive while the program starts.
    void prefetch();

    std::int64_t Count() override;
    bool Any() override;
    DefaultChoice Default() override;
    std::int64_t FontCount() override;
    std::string Fonts(Int16& index) override;

private:
    const QueuesSnapshot& server();
    const DefaultSnapshot& defaultSnapshot();
    const std::vector<std::string>& defaultFonts();
    QueuesSnapshot takePrefetched();
    template <typename Read>
    auto runForEvent(Read read);

    const EventCounter& events_;
    ScalableFamilies families_;
    ServerFailurePolicy policy_;
    ServerThread thread_;
    std::optional<ServerThread::Job<QueuesAndFonts>> prefetch_;
    // The default device's fonts of the prefetch, for the event that took its queues.
    std::optional<QueuesAndFonts> prefetched_;
    std::uint64_t prefetchedInEvent_ = 0;
    EventCache<QueuesSnapshot> server_;
    EventCache<DefaultSnapshot> defaultSnapshot_;
    EventCache<std::vector<std::string>> fonts_;
};

}  // namespace veltrane
