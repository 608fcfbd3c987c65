// A soak run, not a test: 600 redraws of the shipped window on a private print
// server, the default switched every 30 among a small device, one of 32,767
// fonts, one whose description is unreadable and one with too many fonts. It
// prints resident memory and open descriptors at the start, after 300 redraws
// and after 600: flat means under 2 MB more at 600 than at 300, and the same
// descriptors.
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
#include "VeltraneUnderTest.h"

namespace {

using namespace veltrane;

double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

long openDescriptors() {
    const auto entries = std::filesystem::directory_iterator("/proc/self/fd");
    return std::distance(begin(entries), end(entries));
}

void report(const char* when) {
    std::printf("%-40s resident %7.1f MB   descriptors %ld\n", when, residentMegabytes(),
                openDescriptors());
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
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
    bench::VeltraneUnderTest window(desktop.services(), desktop.epoch());
    window.engine().start();
    QApplication::processEvents();
    report("start");

    const std::vector<std::string> defaults = {"full", "unreadable", "small", "overfull"};
    for (int redraw = 1; redraw <= 600; ++redraw) {
        if (redraw % 30 == 1) {
            server.setDefault(defaults[static_cast<std::size_t>(redraw / 30) % defaults.size()]);
        }
        desktop.epoch().begin();
        window.logic().Form_Paint();
        QApplication::processEvents();
        if (redraw == 300) report("after 300 redraws");
    }
    report("after 600 redraws");
    return 0;
}
