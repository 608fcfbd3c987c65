#include "Coverer.h"

#include <stdlib.h>

#include <chrono>
#include <thread>

namespace veltrane::testing {

Coverer::Coverer(const std::string& display) : connection_(xcb_connect(display.c_str(), nullptr)) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_.get())).data;
    window_ = xcb_generate_id(connection_.get());
    const uint32_t values[] = {screen->black_pixel, 1};
    xcb_create_window(connection_.get(), XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0,
                      screen->width_in_pixels, screen->height_in_pixels, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
}

void Coverer::pass() {
    xcb_map_window(connection_.get(), window_);
    roundTrip();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    xcb_unmap_window(connection_.get(), window_);
    roundTrip();
}

// A reply comes once the X server has handled every request before it.
void Coverer::roundTrip() {
    const CHandle<xcb_get_input_focus_reply_t, free> focus(xcb_get_input_focus_reply(
        connection_.get(), xcb_get_input_focus(connection_.get()), nullptr));
}

}  // namespace veltrane::testing
