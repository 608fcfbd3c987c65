#pragma once

#include <xcb/xcb.h>

#include <string>

#include "CHandle.h"

namespace veltrane::testing {

// Counts the window's unmaps: a reload hides the window and shows it again.
class ReloadCounter {
public:
    ReloadCounter(const std::string& display, const std::string& window);

    // The reloads seen since the counter was made.
    int reloads();

private:
    CHandle<xcb_connection_t, xcb_disconnect> connection_;
    int unmaps_ = 0;
};

}  // namespace veltrane::testing
