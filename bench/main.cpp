// Veltrane's benchmarks: each figure is the median (and where it matters the
// 99th percentile and the worst) of repeated runs, next to the figure to reach.
#include <QApplication>

#include <cstdio>

#include "Benches.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    veltrane::bench::benchPrinting();
    veltrane::bench::benchPopulation();
    veltrane::bench::benchSamples();
    return 0;
}
