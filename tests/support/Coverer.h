#pragma once

#include <xcb/xcb.h>

#include <string>

#include "CHandle.h"

namespace veltrane::testing {

// A window of its own over the whole screen, shown for a moment and taken away,
// as another window passing over the others does: they see only the X
// server's expose. No window manager manages it, so it takes no focus.
class Coverer {
public:
    explicit Coverer(const std::string& display);

    // Covers the screen and uncovers it; returns once the X server has done both.
    void pass();

private:
    void roundTrip();

    CHandle<xcb_connection_t, xcb_disconnect> connection_;
    xcb_window_t window_ = 0;
};

}  // namespace veltrane::testing
