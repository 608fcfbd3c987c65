// Process start until the window, as a screen reader reads it over the
// accessibility bus, holds both counts and both lists of a complete start,
// under a private Xvfb with a window manager and a private print server; then
// whether the window reloaded after that. The complete start is what a window
// holds once idle. Set XDG_DATA_HOME and XDG_CACHE_HOME as
// bench/make-scale-fonts says to measure with its fonts.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "FontSet.h"
#include "PrivateAccessibilityBus.h"
#include "PrivateCupsd.h"
#include "PrivateWindowManager.h"
#include "PrivateXvfb.h"
#include "ProcessFigures.h"
#include "ReloadCounter.h"
#include "RunningProgram.h"
#include "TempDir.h"
#include "Timing.h"

using veltrane::bench::Timings;
using veltrane::testing::Process;
using veltrane::testing::RunningProgram;

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

bool fileHolds(const std::string& path, const std::string& text) {
    std::ifstream file(path);
    std::string line;
    return std::getline(file, line) && line == text;
}

}  // namespace

int main(int argc, char** argv) {
    // Another build of the program to measure, as for a comparison in one run.
    const std::string program = argc > 1 ? argv[1] : VELTRANE_EXECUTABLE;
    veltrane::testing::PrivateXvfb xvfb;
    veltrane::testing::PrivateWindowManager openbox(xvfb.display());
    veltrane::testing::PrivateAccessibilityBus bus(xvfb.display());
    veltrane::testing::PrivateCupsd server;
    server.addQueue("office", veltrane::testing::testPpd({"AAA-Office", "Courier", "Helvetica"}));
    server.setDefault("office");
    auto environment = server.environment();
    for (const auto& [name, value] : bus.environment()) environment[name] = value;
    environment["DISPLAY"] = xvfb.display();
    environment["QT_QPA_PLATFORM"] = "xcb";
    environment["LANG"] = "en_US.UTF-8";
    std::printf("A complete start read over the accessibility bus, under openbox, %s\n",
                veltrane::bench::fontSet().c_str());

    std::vector<std::string> complete;
    {
        RunningProgram reference(program, environment, "/dev/null");
        reference.waitUntilIdle(120);
        complete = lines(
            Process::capture({"/usr/bin/python3", COMPLETE_START_SCRIPT, "read"}, environment));
    }
    if (complete.size() != 6) {
        std::printf("the window could not be read over the bus\n");
        return 1;
    }
    std::printf("complete: %s screen fonts, %s printer fonts\n", complete[0].c_str(),
                complete[1].c_str());

    Timings held;
    Timings resident;
    int laterReloads = 0;
    for (int round = 0; round < 7; ++round) {
        veltrane::testing::TempDir folder("veltrane-complete-start");
        const std::string go = folder / "go";
        const std::string answer = folder / "answer";
        std::vector<std::string> command{"/usr/bin/python3", COMPLETE_START_SCRIPT, "until", go};
        command.insert(command.end(), complete.begin(), complete.end());
        Process reader(command, environment, answer, false);
        while (!fileHolds(answer, "ready")) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        // The moment of the start, in the reader's clock: CLOCK_MONOTONIC.
        const auto launched = std::chrono::steady_clock::now().time_since_epoch();
        std::ofstream(go) << std::chrono::duration<double>(launched).count() << std::flush;
        RunningProgram started(program, environment, "/dev/null");
        // Counted from the window's map on: a reload before the complete start
        // counts too, which only overstates.
        veltrane::testing::ReloadCounter counter(xvfb.display(), started.window());
        if (reader.wait(90) != 0) {
            std::printf("round %d: the window never held the complete start\n", round + 1);
            return 1;
        }
        std::ifstream file(answer);
        const std::vector<std::string> answered =
            lines(std::string(std::istreambuf_iterator<char>(file), {}));
        started.waitUntilIdle(120);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const int reloads = counter.reloads();
        laterReloads += reloads;
        held.add(std::stod(answered.at(1)) * 1000);
        resident.add(veltrane::testing::residentMegabytes(started.pid()));
        std::printf("round %d: complete after %s s, %d later reloads\n", round + 1,
                    answered.at(1).c_str(), reloads);
    }
    std::printf(
        "start to a complete window read over the bus: median %.0f ms (worst %.0f ms), "
        "later reloads %d (target: 800 ms, none)\nresident memory at idle %.1f MB\n",
        held.median(), held.worst(), laterReloads, resident.median());
    return 0;
}
