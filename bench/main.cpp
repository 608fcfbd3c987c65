// Veltrane's benchmarks: each figure is the median (and where it matters the
// 99th percentile and the worst) of repeated runs, next to the figure to reach
// or beside a yardstick measured in the same run. Set FONTCONFIG_FILE to run
// them with the fonts of bench/make-scale-fonts.
#include <QApplication>

#include <cstdio>
#include <cstdlib>

#include "Benches.h"
#include "TempDir.h"

namespace {

// The offscreen platform's remarks (it cannot raise a window) are no figures.
void quietly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const veltrane::testing::TempDir runtime("veltrane-bench");
    qputenv("XDG_RUNTIME_DIR", runtime.path().c_str());
    qInstallMessageHandler(quietly);
    QApplication application(argc, argv);
    const char* fonts = std::getenv("FONTCONFIG_FILE");
    std::printf("Fonts: %s\n", fonts != nullptr ? fonts : "the machine's own");
    const veltrane::bench::Timings lightRequest = veltrane::bench::benchPrinting();
    veltrane::bench::benchPopulation(lightRequest);
    veltrane::bench::benchSamples();
    return 0;
}
