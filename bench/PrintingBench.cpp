#include <cstdio>

#include "BenchServices.h"
#include "Benches.h"
#include "CupsPrinting.h"
#include "PrivateCupsd.h"
#include "QtScreen.h"
#include "Timing.h"

namespace veltrane::bench {

void benchPrinting() {
    testing::PrivateCupsd server;
    server.addQueue("thousand", testing::testPpd(residentFonts("Thousand", 1000)));
    server.setDefault("thousand");
    server.useInThisProcess();

    EventEpoch epoch;
    CupsPrinting printing(epoch);
    Timings::of(100, [&] {
        epoch.begin();
        return Timings::time([&] {
            printing.Count();
            printing.DeviceName();
            printing.FontCount();
        });
    }).report("print server view, default queue of 1,000 resident fonts", 5);

    QtScreen screen;
    Timings::of(100,
                [&] {
                    epoch.begin();
                    return Timings::time([&] { screen.FontCount(); });
                })
        .report("screen font list (" + std::to_string(QtScreen::installedFamilies().size()) +
                    " families)",
                5);
}

}  // namespace veltrane::bench
