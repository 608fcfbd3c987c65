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

void benchRealServices(const Timings& lightRequest) {
    testing::PrivateCupsd server;
    server.addQueue("first", testing::testPpd(residentFonts("First", 1000)));
    server.addQueue("second", testing::testPpd(residentFonts("Second", 1000)));
    server.setDefault("first");
    server.useInThisProcess();

    DesktopServices desktop;
    EventEpoch& epoch = desktop.epoch();
    VeltraneUnderTest window(desktop.services(), epoch, desktop.fonts());
    window.engine().start();
    QApplication::processEvents();

    Timings::of(50, [&] {
        window.clearLists();
        epoch.begin();
        return Timings::time([&] { window.logic().Form_Load(); });
    }).report("Form_Load, private cupsd, default queue of 1,000 fonts", 10);

    Timings::of(200,
                [&] {
                    epoch.begin();
                    return Timings::time([&] { window.logic().Form_Paint(); });
                })
        .reportAgainst("paint that finds no change (target <= 0.35 ms)", lightRequest,
                       "one light request");

    bool second = false;
    Timings::of(30, [&] {
        second = !second;
        server.setDefault(second ? "second" : "first");
        epoch.begin();
        const double ms = Timings::time([&] { window.logic().Form_Paint(); });
        QApplication::processEvents();
        return ms;
    }).report("paint that reloads to a device of 1,000 fonts", 15);
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
