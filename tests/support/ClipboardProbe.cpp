#include "ClipboardProbe.h"

#include <poll.h>
#include <stdlib.h>
#include <xcb/xcb.h>

#include <cstring>

#include "CHandle.h"

namespace veltrane::testing {

namespace {

using Clock = std::chrono::steady_clock;

xcb_atom_t atom(xcb_connection_t* x, const char* name) {
    const CHandle<xcb_intern_atom_reply_t, free> reply(xcb_intern_atom_reply(
        x, xcb_intern_atom(x, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// Waits, at most `limit`, for the answer to a conversion.
bool answered(xcb_connection_t* x, Clock::duration limit) {
    for (const auto until = Clock::now() + limit; Clock::now() < until;) {
        while (const CHandle<xcb_generic_event_t, free> event{xcb_poll_for_event(x)}) {
            if ((event->response_type & 0x7F) == XCB_SELECTION_NOTIFY) return true;
        }
        pollfd connection{xcb_get_file_descriptor(x), POLLIN, 0};
        ::poll(&connection, 1, 10);
    }
    return false;
}

}  // namespace

ClipboardProbe::ClipboardProbe(const std::string& display)
    : thread_([this, display] { probe(display); }) {}

ClipboardProbe::~ClipboardProbe() {
    stopping_ = true;
    thread_.join();
}

void ClipboardProbe::probe(const std::string& display) {
    const CHandle<xcb_connection_t, xcb_disconnect> x(xcb_connect(display.c_str(), nullptr));
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x.get())).data;
    const xcb_window_t window = xcb_generate_id(x.get());
    xcb_create_window(x.get(), XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t clipboard = atom(x.get(), "CLIPBOARD");
    const xcb_atom_t text = atom(x.get(), "UTF8_STRING");
    const xcb_atom_t property = atom(x.get(), "VELTRANE_PROBE");
    while (!stopping_) {
        const auto asked = Clock::now();
        xcb_convert_selection(x.get(), window, clipboard, text, property, XCB_CURRENT_TIME);
        xcb_flush(x.get());
        if (answered(x.get(), std::chrono::seconds(10))) ++answers_;
        const auto waited =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - asked).count();
        if (waited > longest_) longest_ = waited;
        xcb_delete_property(x.get(), window, property);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace veltrane::testing
