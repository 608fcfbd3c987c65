#pragma once

#include "CupsPrinting.h"
#include "EventEpoch.h"
#include "QtClipboard.h"
#include "QtScreen.h"
#include "Services.h"

namespace veltrane {

// The real services of the desktop, with the event epoch they share: the screen
// and clipboard through Qt, printing through the CUPS server.
class DesktopServices {
public:
    DesktopServices() : printing_(epoch_) {}

    // The print server is asked, on its own thread, for what the window's
    // start-up will want, while Qt starts and the window is built.
    void askPrintServerAhead() { printing_.askAhead(); }
    DesktopServices(const DesktopServices&) = delete;
    DesktopServices& operator=(const DesktopServices&) = delete;

    EventEpoch& epoch() { return epoch_; }
    Services& services() { return services_; }

private:
    EventEpoch epoch_;
    QtScreen screen_;
    CupsPrinting printing_;
    QtClipboard clipboard_;
    Services services_{screen_, printing_, printing_, clipboard_};
};

}  // namespace veltrane
