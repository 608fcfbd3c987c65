// Process start to the window shown, under a private Xvfb with a window manager
// and a private print server: Veltrane beside two yardsticks, run one after the
// other in turns: the same window doing the same job written straight in Qt,
// libcups and fontconfig (same_job_window), and a bare Qt window of the same
// size showing one line of text. Shown means mapped: the X server's MapNotify.
// After it, the CPU time the process used until it went idle, and its resident
// memory then. Set XDG_DATA_HOME and XDG_CACHE_HOME as bench/make-scale-fonts
// says to measure with its fonts.
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
#include "FontSet.h"
#include "PrivateCupsd.h"
#include "PrivateWindowManager.h"
#include "PrivateXvfb.h"
#include "ProcessFigures.h"
#include "Timing.h"

using veltrane::CHandle;
using veltrane::bench::Timings;
using veltrane::testing::Process;
using veltrane::testing::residentMegabytes;
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

enum Program { kVeltrane, kSameJob, kBare, kPrograms };
const char* const kNames[kPrograms] = {"Veltrane", "the same job", "bare window with text"};

// The medians of each program's figures, and the medians of Veltrane's
// per-round ratios to each yardstick.
void report(const char* what, const Timings (&figures)[kPrograms],
            const Timings (&ratios)[kPrograms], const char* unit) {
    std::printf("%-30s", what);
    for (int program = 0; program < kPrograms; ++program) {
        std::printf("  %s %7.1f %s", kNames[program], figures[program].median(), unit);
    }
    std::printf(
        "\n%-30s  Veltrane / the same job %5.2f (middle half %4.2f to %4.2f, target <= 1.00)"
        "   / bare window %5.2f (middle half %4.2f to %4.2f)\n",
        "  medians of per-round ratios", ratios[kSameJob].median(), ratios[kSameJob].at(0.25),
        ratios[kSameJob].at(0.75), ratios[kBare].median(), ratios[kBare].at(0.25),
        ratios[kBare].at(0.75));
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
    // A user's desktop has a language, whose order both windows' lists follow.
    environment["LANG"] = "en_US.UTF-8";
    std::printf("Start-up under openbox, %s\n", veltrane::bench::fontSet().c_str());

    Timings shown[kPrograms];
    Timings cpu[kPrograms];
    Timings resident[kPrograms];
    Timings shownRatios[kPrograms];
    Timings cpuRatios[kPrograms];
    const std::vector<std::string> commands[kPrograms] = {
        {VELTRANE_EXECUTABLE}, {SAME_JOB_EXECUTABLE}, {BARE_WINDOW_EXECUTABLE, "text"}};
    // 21 rounds, or as many as 5 minutes allow past the 7th at large sizes.
    const auto began = Clock::now();
    for (int round = 0; round < 21 && (round < 7 || Clock::now() - began < std::chrono::minutes(5));
         ++round) {
        Start starts[kPrograms];
        for (int turn = 0; turn < kPrograms; ++turn) {
            const int which = (round + turn) % kPrograms;
            starts[which] = startUntilIdle(commands[which], environment, xvfb.display());
        }
        for (int which = 0; which < kPrograms; ++which) {
            shown[which].add(starts[which].shownMs);
            cpu[which].add(starts[which].cpuMs);
            resident[which].add(starts[which].residentMb);
            shownRatios[which].add(starts[kVeltrane].shownMs / starts[which].shownMs);
            cpuRatios[which].add(starts[kVeltrane].cpuMs / starts[which].cpuMs);
        }
        std::printf("round %2d: Veltrane %7.1f ms, the same job %7.1f ms, bare %7.1f ms\n",
                    round + 1, starts[kVeltrane].shownMs, starts[kSameJob].shownMs,
                    starts[kBare].shownMs);
    }
    report("process start to window shown", shown, shownRatios, "ms");
    report("CPU time to idle", cpu, cpuRatios, "ms");
    std::printf(
        "%-30s  Veltrane %5.1f MB  the same job %5.1f MB  more by %4.1f MB"
        "  bare window %5.1f MB\n",
        "resident memory at idle", resident[kVeltrane].median(), resident[kSameJob].median(),
        resident[kVeltrane].median() - resident[kSameJob].median(), resident[kBare].median());
    return 0;
}
