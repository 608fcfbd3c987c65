#include <QApplication>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BenchServices.h"
#include "Benches.h"
#include "DesktopServices.h"
#include "PrivateCupsd.h"
#include "Timing.h"
#include "VeltraneUnderTest.h"

namespace veltrane::bench {

namespace {

// The shipped window on a print server of its own with `queues` queues: two of
// 1,000 resident fonts, the rest raw. Each step points the process at this
// server first, so that windows on servers of several sizes take turns.
class WindowOnQueues {
public:
    explicit WindowOnQueues(int queues) {
        server_.addQueue("first", testing::testPpd(residentFonts("First", 1000)));
        server_.addQueue("second", testing::testPpd(residentFonts("Second", 1000)));
        server_.setDefault("first");
        if (queues > 2) server_.addRawQueues("raw", queues - 2);
        server_.useInThisProcess();
        takeServersAnswer(desktop_.printing());
        window_.start();
        QApplication::processEvents();
    }

    double formLoad() {
        window_.clearLists();
        return timedEvent([&] { window_.logic().Form_Load(); });
    }
    double paint() {
        return timedEvent([&] { window_.logic().Form_Paint(); });
    }
    double reload() {
        second_ = !second_;
        server_.setDefault(second_ ? "second" : "first");
        server_.useInThisProcess();
        takeServersAnswer(desktop_.printing());
        const double ms = paint();
        QApplication::processEvents();
        return ms;
    }

private:
    template <typename Work>
    double timedEvent(Work&& work) {
        return Timings::time(std::forward<Work>(work));
    }

    testing::PrivateCupsd server_;
    DesktopServices desktop_;
    VeltraneUnderTest window_{desktop_.services(), desktop_.fonts()};
    bool second_ = false;
};

void benchRealServices(const Timings& lightRequest) {
    const int sizes[] = {2, 300, 2000};
    std::vector<std::unique_ptr<WindowOnQueues>> windows;
    for (const int queues : sizes) windows.push_back(std::make_unique<WindowOnQueues>(queues));
    Timings formLoad[3];
    Timings paint[3];
    Timings reload[3];
    const auto inTurns = [&](int rounds, Timings(&figures)[3], auto step) {
        for (int round = 0; round < rounds; ++round) {
            for (std::size_t size = 0; size < windows.size(); ++size) {
                figures[size].add(step(*windows[size]));
            }
        }
    };
    inTurns(50, formLoad, [](WindowOnQueues& window) { return window.formLoad(); });
    inTurns(200, paint, [](WindowOnQueues& window) { return window.paint(); });
    inTurns(30, reload, [](WindowOnQueues& window) { return window.reload(); });

    formLoad[0].report("Form_Load, private cupsd, default queue of 1,000 fonts", 10);
    paint[0].reportAgainst("paint that finds no change (target <= 0.35 ms)", lightRequest,
                           "one light request");
    reload[0].report("paint that reloads to a device of 1,000 fonts", 15);
    for (std::size_t size = 1; size < windows.size(); ++size) {
        const std::string at = ", " + std::to_string(sizes[size]) + " queues";
        paint[size].reportAgainst("paint that finds no change" + at + " (target <= 1.5 x)",
                                  paint[0], "2 queues");
        formLoad[size].reportAgainst("Form_Load" + at, formLoad[0], "2 queues");
        reload[size].reportAgainst("paint that reloads" + at, reload[0], "2 queues");
    }
}

void benchLargeLists() {
    MemoryScreen screen(randomNames(32767, 1));
    MemoryPrinter printer(randomNames(32767, 2));
    NullClipboard clipboard;
    InstalledFonts fonts;
    Services services{screen, printer, printer, clipboard};
    VeltraneUnderTest window(services, fonts);
    Timings::of(10, [&] {
        window.clearLists();
        return Timings::time([&] { window.logic().Form_Load(); });
    }).report("Form_Load, 32,767 screen and 32,767 printer names in random order", 100);
}

}  // namespace

void benchFormLoad(const Timings& lightRequest) {
    benchRealServices(lightRequest);
    benchLargeLists();
}

}  // namespace veltrane::bench
