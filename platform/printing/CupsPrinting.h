#pragma once

#include <cstdint>
#include <functional>
#include <optional>
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
        std::function<ServerAllowance::Clock::time_point()> now = ServerAllowance::Clock::now);
    ~CupsPrinting() override;
    CupsPrinting(const CupsPrinting&) = delete;
    CupsPrinting& operator=(const CupsPrinting&) = delete;

    // Starts asking, on the server's thread, for what the next event will ask
    // first (the view and the default device's fonts), so that the answers
    // arrive while the program starts; the next event takes them as its view.
    void askAhead();

    std::int64_t Count() override;
    std::int64_t FontCount() override;
    std::string Fonts(Int16& index) override;
    std::string DeviceName() override;

    // A printer description larger than this is the device's fault, never read.
    static constexpr std::size_t kLargestPpd = 16 * 1024 * 1024;

    // The view with the default device's fonts, as asked ahead.
    struct ViewAndFonts {
        PrintServerView view;
        std::string queue;
        Outcome<std::vector<std::string>> fonts;
    };

private:
    const PrintServerView& server();
    const std::string& defaultDevice();
    const std::vector<std::string>& defaultFonts();
    PrintServerView takeAhead();
    template <typename Result>
    Result settle(Outcome<Result> outcome);

    const EventEpoch& epoch_;
    ServerAllowance allowance_;
    ServerThread thread_;
    std::shared_ptr<SystemFonts> systemFonts_;
    std::optional<ServerThread::Question<ViewAndFonts>> ahead_;
    std::optional<ViewAndFonts> takenAhead_;
    std::uint64_t takenInEvent_ = 0;
    EventCache<PrintServerView> server_;
    EventCache<std::vector<std::string>> fonts_;
};

}  // namespace veltrane
