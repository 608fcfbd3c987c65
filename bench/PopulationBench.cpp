#include <QApplication>

#include <cstdio>

#include "BenchServices.h"
#include "Benches.h"
#include "DesktopServices.h"
#include "PrivateCupsd.h"
#include "Timing.h"
#include "VeltraneUnderTest.h"

namespace veltrane::bench {

namespace {

struct QueueFigures {
    Timings formLoad;
    Timings paint;
    Timings reload;
};

// A print server of `queues` queues: two of 1,000 resident fonts, the rest raw.
QueueFigures benchQueues(int queues) {
    testing::PrivateCupsd server;
    server.addQueue("first", testing::testPpd(residentFonts("First", 1000)));
    server.addQueue("second", testing::testPpd(residentFonts("Second", 1000)));
    server.setDefault("first");
    if (queues > 2) server.addRawQueues("raw", queues - 2);
    server.useInThisProcess();

    DesktopServices desktop;
    EventEpoch& epoch = desktop.epoch();
    VeltraneUnderTest window(desktop.services(), epoch, desktop.fonts());
    window.engine().start();
    QApplication::processEvents();

    QueueFigures figures;
    figures.formLoad = Timings::of(50, [&] {
        window.clearLists();
        epoch.begin();
        return Timings::time([&] { window.logic().Form_Load(); });
    });
    figures.paint = Timings::of(200, [&] {
        epoch.begin();
        return Timings::time([&] { window.logic().Form_Paint(); });
    });
    bool second = false;
    figures.reload = Timings::of(30, [&] {
        second = !second;
        server.setDefault(second ? "second" : "first");
        epoch.begin();
        const double ms = Timings::time([&] { window.logic().Form_Paint(); });
        QApplication::processEvents();
        return ms;
    });
    return figures;
}

void benchRealServices(const Timings& lightRequest) {
    const QueueFigures two = benchQueues(2);
    two.formLoad.report("Form_Load, private cupsd, default queue of 1,000 fonts", 10);
    two.paint.reportAgainst("paint that finds no change (target <= 0.35 ms)", lightRequest,
                            "one light request");
    two.reload.report("paint that reloads to a device of 1,000 fonts", 15);
    for (const int queues : {300, 2000}) {
        const QueueFigures many = benchQueues(queues);
        const std::string at = ", " + std::to_string(queues) + " queues";
        many.paint.reportAgainst("paint that finds no change" + at + " (target <= 1.5 x)",
                                 two.paint, "2 queues");
        many.formLoad.reportAgainst("Form_Load" + at, two.formLoad, "2 queues");
        many.reload.reportAgainst("paint that reloads" + at, two.reload, "2 queues");
    }
}

void benchLargeLists() {
    EventEpoch epoch;
    MemoryScreen screen(randomNames(32767, 1));
    MemoryPrinter printer(randomNames(32767, 2));
    NullClipboard clipboard;
    InstalledFonts fonts;
    Services services{screen, printer, printer, clipboard};
    VeltraneUnderTest window(services, epoch, fonts);
    Timings::of(10, [&] {
        window.clearLists();
        epoch.begin();
        return Timings::time([&] { window.logic().Form_Load(); });
    }).report("Form_Load, 32,767 screen and 32,767 printer names in random order", 100);
}

}  // namespace

void benchPopulation(const Timings& lightRequest) {
    benchRealServices(lightRequest);
    benchLargeLists();
}

}  // namespace veltrane::bench
