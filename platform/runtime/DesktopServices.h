#pragma once

#include "CupsPrinting.h"
#include "InstalledFonts.h"
#include "QtClipboard.h"
#include "QtScreen.h"
#include "Services.h"

namespace veltrane {

// The real services of the desktop, with the installed fonts they share: the
// screen and clipboard through Qt, printing through the CUPS server.
class DesktopServices {
public:
    DesktopServices() : screen_(fonts_), printing_(fonts_.scalableFamilies()) {}
    DesktopServices(const DesktopServices&) = delete;
    DesktopServices& operator=(const DesktopServices&) = delete;

    InstalledFonts& fonts() { return fonts_; }
    CupsPrinting& printing() { return printing_; }
    Services& services() { return services_; }

private:
    InstalledFonts fonts_;
    QtScreen screen_;
    CupsPrinting printing_;
    QtClipboard clipboard_;
    Services services_{screen_, printing_, printing_, clipboard_};
};

}  // namespace veltrane
