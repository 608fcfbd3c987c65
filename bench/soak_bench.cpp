// A soak run, not a test: 600 redraws of the shipped window on a private print
// server, the default switched every 30 among a small device, one of 32,767
// fonts, one whose description is unreadable and one with too many fonts. It
// prints resident memory and open descriptors at the start and after each round
// of 120: flat means under 2 MB more after the last round than after the
// second, and the same descriptors.
#include <unistd.h>

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchServices.h"
#include "DesktopServices.h"
#include "FontconfigFamilies.h"
#include "PrivateCupsd.h"
#include "ProcessFigures.h"
#include "QuietApplication.h"
#include "VeltraneUnderTest.h"

namespace {

using namespace veltrane;

void report(const char* when) {
    std::printf("%-40s resident %7.1f MB   descriptors %ld\n", when,
                testing::residentMegabytes(::getpid()), testing::openDescriptors(::getpid()));
}

}  // namespace

int main(int argc, char** argv) {
    const bench::QuietApplication application(argc, argv);
    testing::PrivateCupsd server;
    const int systemFamilies =
        static_cast<int>(testing::fontconfigFamilies(":scalable=true").firstNames.size());
    server.addQueue("small", testing::testPpd(bench::residentFonts("Small", 10)));
    server.addQueue("full", testing::testPpd(bench::residentFonts("Full", 32767 - systemFamilies)));
    server.addQueue("unreadable", testing::testPpd({"Unreadable"}));
    server.spoilPpd("unreadable");
    server.addQueue("overfull", testing::testPpd(bench::residentFonts("Overfull", 32767)));
    server.setDefault("small");
    server.useInThisProcess();

    DesktopServices desktop;
    bench::VeltraneUnderTest window(desktop.services(), desktop.fonts());
    bench::takeServersAnswer(desktop.printing());
    window.start();
    QApplication::processEvents();
    report("start");

    // Each round shows every default once, so rounds end with the same lists
    // shown and their figures compare like with like.
    const std::vector<std::string> defaults = {"full", "unreadable", "small", "overfull"};
    for (int round = 1; round <= 5; ++round) {
        for (const std::string& name : defaults) {
            server.setDefault(name);
            bench::takeServersAnswer(desktop.printing());
            for (int redraw = 0; redraw < 30; ++redraw) {
                window.logic().Form_Paint();
                QApplication::processEvents();
            }
        }
        report(("after " + std::to_string(round * 120) + " redraws").c_str());
    }
    return 0;
}
