#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "EventCache.h"
#include "EventEpoch.h"
#include "PrintServerView.h"
#include "Printer.h"
#include "Printers.h"
#include "ServerAllowance.h"
#include "ServerThread.h"
#include "SystemFonts.h"

namespace veltrane {

// The default device and the device collection, read from the CUPS server.
// Within one event every answer comes from one view of the server, fetched when
// the event first asks, so a population never mixes two devices; the next event
// fetches a fresh view and so sees a change of default made meanwhile. No event
// waits on the server longer than its allowance.
class CupsPrinting : public Printer, public Printers {
public:
    explicit CupsPrinting(
        const EventEpoch& epoch,
        std::function<ServerAllowance::Clock::time_point()> now = ServerAllowance::Clock::now)
        : allowance_(epoch, std::move(now)), server_(epoch), fonts_(epoch) {}

    std::int64_t Count() override;
    std::int64_t FontCount() override;
    std::string Fonts(Int16& index) override;
    std::string DeviceName() override;

    // A printer description larger than this is the device's fault, never read.
    static constexpr std::size_t kLargestPpd = 16 * 1024 * 1024;

private:
    const PrintServerView& server();
    const std::string& defaultDevice();
    const std::vector<std::string>& defaultFonts();
    std::vector<std::string> fontsOfQueue(const std::string& queue);
    template <typename Work>
    auto ask(Work work);

    ServerAllowance allowance_;
    ServerThread thread_;
    SystemFonts systemFonts_;
    EventCache<PrintServerView> server_;
    EventCache<std::vector<std::string>> fonts_;
};

}  // namespace veltrane
