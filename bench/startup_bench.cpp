// Process start to the window shown, under a private Xvfb with a window manager
// and a private print server: Veltrane (its lists filled from the real fonts)
// paired with a bare Qt window of the same size showing one line of text, run
// one after the other, alternating which goes first. Shown means mapped: the X
// server's MapNotify. After it, the CPU time the process used until it went
// idle, and its resident memory then. Set FONTCONFIG_FILE to measure with the
// fonts of bench/make-scale-fonts.
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "CHandle.h"
#include "PrivateCupsd.h"
#include "PrivateWindowManager.h"
#include "PrivateXvfb.h"
#include "ResidentMemory.h"
#include "Timing.h"

using veltrane::CHandle;
using veltrane::bench::residentMegabytes;
using veltrane::bench::Timings;
using veltrane::testing::Process;
using Clock = std::chrono::steady_clock;

namespace {

// Watches the X server for the next top-level window to be mapped.
class MapWatcher {
public:
    explicit MapWatcher(const std::string& display)
        : connection_(xcb_connect(display.c_str(), nullptr)) {
        if (xcb_connection_has_error(connection_.get())) throw std::runtime_error("no X server");
        const xcb_screen_t* screen =
            xcb_setup_roots_iterator(xcb_get_setup(connection_.get())).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_.get(), screen->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_.get());
    }

    void waitForMap() {
        while (
            const CHandle<xcb_generic_event_t, free> event{xcb_wait_for_event(connection_.get())}) {
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) return;
        }
        throw std::runtime_error("the X server went away");
    }

private:
    CHandle<xcb_connection_t, xcb_disconnect> connection_;
};

struct Start {
    double shownMs = 0;
    double cpuMs = 0;
    double residentMb = 0;
};

Start startUntilIdle(const std::vector<std::string>& command,
                     const std::map<std::string, std::string>& environment,
                     const std::string& display) {
    MapWatcher watcher(display);
    const auto launched = Clock::now();
    Process process(command, environment);
    watcher.waitForMap();
    Start start;
    start.shownMs = std::chrono::duration<double, std::milli>(Clock::now() - launched).count();
    start.cpuMs = process.cpuMillisecondsOnceIdle(60);
    start.residentMb = residentMegabytes(process.pid());
    return start;
}

void report(const char* what, const Timings& veltrane, const Timings& bare, double target,
            const char* unit) {
    std::printf(
        "%-34s Veltrane %8.1f %s   bare window with text %8.1f %s   ratio %5.2f"
        "  (target < %g)\n",
        what, veltrane.median(), unit, bare.median(), unit, veltrane.median() / bare.median(),
        target);
}

}  // namespace

int main() {
    veltrane::testing::PrivateXvfb xvfb;
    veltrane::testing::PrivateWindowManager openbox(xvfb.display());
    veltrane::testing::PrivateCupsd server;
    server.addQueue("office", veltrane::testing::testPpd({"AAA-Office", "Courier", "Helvetica"}));
    server.setDefault("office");
    auto environment = server.environment();
    environment["DISPLAY"] = xvfb.display();
    environment["QT_QPA_PLATFORM"] = "xcb";
    const char* fonts = std::getenv("FONTCONFIG_FILE");
    std::printf("Start-up under openbox, %s\n",
                fonts != nullptr ? fonts : "the machine's own fonts");

    Timings shown[2];
    Timings cpu[2];
    Timings resident[2];
    Timings ratios;
    const std::vector<std::string> commands[2] = {{VELTRANE_EXECUTABLE},
                                                  {BARE_WINDOW_EXECUTABLE, "text"}};
    for (int pair = 0; pair < 21; ++pair) {
        Start starts[2];
        for (int turn = 0; turn < 2; ++turn) {
            const int which = (pair + turn) % 2;
            starts[which] = startUntilIdle(commands[which], environment, xvfb.display());
        }
        for (int which = 0; which < 2; ++which) {
            shown[which].add(starts[which].shownMs);
            cpu[which].add(starts[which].cpuMs);
            resident[which].add(starts[which].residentMb);
        }
        ratios.add(starts[0].shownMs / starts[1].shownMs);
        std::printf("pair %2d: Veltrane %7.1f ms, bare window with text %7.1f ms, ratio %5.2f\n",
                    pair + 1, starts[0].shownMs, starts[1].shownMs,
                    starts[0].shownMs / starts[1].shownMs);
    }
    report("process start to window shown", shown[0], shown[1], 1.25, "ms");
    std::printf("%-34s %5.2f\n", "median of the pairs' ratios", ratios.median());
    report("CPU time to idle", cpu[0], cpu[1], 1.5, "ms");
    std::printf(
        "%-34s Veltrane %8.1f MB   bare window with text %8.1f MB   more by %5.1f MB"
        "  (target < 10)\n",
        "resident memory at idle", resident[0].median(), resident[1].median(),
        resident[0].median() - resident[1].median());
    return 0;
}
