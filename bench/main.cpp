// Veltrane's benchmarks: each figure is the median (and where it matters the
// 99th percentile and the worst) of repeated runs, next to the figure to reach
// or beside a yardstick measured in the same run. Set FONTCONFIG_FILE to run
// them with the fonts of bench/make-scale-fonts.
#include <cstdio>
#include <cstdlib>

#include "Benches.h"
#include "QuietApplication.h"

int main(int argc, char** argv) {
    const veltrane::bench::QuietApplication application(argc, argv);
    const char* fonts = std::getenv("FONTCONFIG_FILE");
    std::printf("Fonts: %s\n", fonts != nullptr ? fonts : "the machine's own");
    const veltrane::bench::Timings lightRequest = veltrane::bench::benchPrinting();
    veltrane::bench::benchPopulation(lightRequest);
    veltrane::bench::benchSamples();
    return 0;
}
