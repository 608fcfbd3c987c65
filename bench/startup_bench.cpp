// Process start to the window shown, under a private Xvfb: Veltrane (its lists
// filled from the real fonts and a private print server) beside a bare Qt window.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <vector>

#include "PrivateCupsd.h"
#include "PrivateXvfb.h"
#include "Timing.h"

using veltrane::bench::Timings;
using veltrane::testing::Process;

namespace {

// Watches the X server for the first top-level window to be mapped.
class MapWatcher {
public:
    explicit MapWatcher(const std::string& display)
        : connection_(xcb_connect(display.c_str(), nullptr)) {
        if (xcb_connection_has_error(connection_)) throw std::runtime_error("no X server");
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, screen->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
    }
    ~MapWatcher() { xcb_disconnect(connection_); }
    MapWatcher(const MapWatcher&) = delete;
    MapWatcher& operator=(const MapWatcher&) = delete;

    void waitForMap() {
        while (xcb_generic_event_t* event = xcb_wait_for_event(connection_)) {
            const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
            std::free(event);
            if (mapped) return;
        }
        throw std::runtime_error("the X server went away");
    }

private:
    xcb_connection_t* connection_;
};

double startToShown(const std::vector<std::string>& command,
                    const std::map<std::string, std::string>& environment,
                    const std::string& display) {
    MapWatcher watcher(display);
    const auto start = std::chrono::steady_clock::now();
    Process process(command, environment);
    watcher.waitForMap();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace

int main() {
    veltrane::testing::PrivateXvfb xvfb;
    veltrane::testing::PrivateCupsd server;
    server.addQueue("office", veltrane::testing::testPpd({"AAA-Office", "Courier", "Helvetica"}));
    server.setDefault("office");
    auto environment = server.environment();
    environment["DISPLAY"] = xvfb.display();
    environment["QT_QPA_PLATFORM"] = "xcb";

    // Shown means mapped: the X server reports the window's MapNotify.
    Timings veltrane;
    Timings bare;
    Timings withText;
    for (int run = 0; run < 21; ++run) {
        veltrane.add(startToShown({VELTRANE_EXECUTABLE}, environment, xvfb.display()));
        bare.add(startToShown({BARE_WINDOW_EXECUTABLE}, environment, xvfb.display()));
        withText.add(startToShown({BARE_WINDOW_EXECUTABLE, "text"}, environment, xvfb.display()));
    }
    bare.report("process start to a bare Qt window shown", 50);
    withText.report("process start to a bare Qt window with one line of text", 50);
    veltrane.report("process start to Veltrane shown with its lists filled", 1.3 * bare.median());
    std::printf("%-68s %8.2f   (target < 1.3)\n", "ratio to the bare window",
                veltrane.median() / bare.median());
    std::printf("%-68s %8.2f\n", "ratio to the window with text",
                veltrane.median() / withText.median());
    return 0;
}
