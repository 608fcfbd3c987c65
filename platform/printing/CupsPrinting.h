#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "EventCache.h"
#include "EventEpoch.h"
#include "PrintServerView.h"
#include "Printer.h"
#include "Printers.h"

namespace veltrane {

// The default device and the device collection, read from the CUPS server.
// Within one event every answer comes from one view of the server, fetched when
// the event first asks, so a population never mixes two devices; the next event
// fetches a fresh view and so sees a change of default made meanwhile.
class CupsPrinting : public Printer, public Printers {
public:
    explicit CupsPrinting(const EventEpoch& epoch) : server_(epoch), fonts_(epoch) {}

    std::int64_t Count() override;
    std::int64_t FontCount() override;
    std::string Fonts(Int16& index) override;
    std::string DeviceName() override;

private:
    const PrintServerView& server();
    const std::string& defaultDevice();
    const std::vector<std::string>& defaultFonts();

    EventCache<PrintServerView> server_;
    EventCache<std::vector<std::string>> fonts_;
};

}  // namespace veltrane
