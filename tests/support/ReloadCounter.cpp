#include "ReloadCounter.h"

#include <stdlib.h>

namespace veltrane::testing {

ReloadCounter::ReloadCounter(const std::string& display, const std::string& window)
    : connection_(xcb_connect(display.c_str(), nullptr)) {
    const auto id = static_cast<xcb_window_t>(std::stoul(window));
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_.get(), id, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_.get());
}

int ReloadCounter::reloads() {
    while (const CHandle<xcb_generic_event_t, free> event{xcb_poll_for_event(connection_.get())}) {
        if ((event->response_type & 0x7F) == XCB_UNMAP_NOTIFY) ++unmaps_;
    }
    return unmaps_;
}

}  // namespace veltrane::testing
