#pragma once

#include "CupsPrinting.h"
#include "EventCounter.h"
#include "InstalledFonts.h"
#include "QtClipboard.h"
#include "QtScreen.h"
#include "Services.h"

namespace veltrane {

// The real services of the desktop, with the count of events and the installed
// fonts they share: the screen and clipboard through Qt, printing through the
// CUPS server.
class DesktopServices {
public:
    DesktopServices() : screen_(fonts_), printing_(events_, fonts_.scalableFamilies()) {}
    DesktopServices(const DesktopServices&) = delete;
    DesktopServices& operator=(const DesktopServices&) = delete;

    // The print server is asked, on its own thread, for what the window's
    // start-up will want, while Qt starts and the window is built.
    void prefetchPrinting() { printing_.prefetch(); }

    EventCounter& events() { return events_; }
    InstalledFonts& fonts() { return fonts_; }
    Services& services() { return services_; }

private:
    EventCounter events_;
    InstalledFonts fonts_;
    QtScreen screen_;
    CupsPrinting printing_;
    QtClipboard clipboard_;
    Services services_{screen_, printing_, printing_, clipboard_};
};

}  // namespace veltrane
