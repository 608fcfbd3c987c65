#pragma once

#include "DesktopServices.h"
#include "VeltraneWindow.h"

namespace veltrane {

// What the print server's reads and the font scans bring, handed to the
// window on its own thread between events, and shown at a redraw the window
// asks for itself. Once this is gone, neither tells anything more.
class NewsForWindow {
public:
    NewsForWindow(VeltraneWindow& window, DesktopServices& desktop);
    ~NewsForWindow();
    NewsForWindow(const NewsForWindow&) = delete;
    NewsForWindow& operator=(const NewsForWindow&) = delete;

private:
    DesktopServices& desktop_;
};

}  // namespace veltrane
