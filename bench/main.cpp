// Veltrane's benchmarks: each figure is the median (and where it matters the
// 99th percentile and the worst) of repeated runs, next to the figure to reach
// or beside a yardstick measured in the same run. Set XDG_DATA_HOME and
// XDG_CACHE_HOME as bench/make-scale-fonts says to run them with its fonts.
#include <cstdio>

#include "Benches.h"
#include "FontSet.h"
#include "QuietApplication.h"

int main(int argc, char** argv) {
    const veltrane::bench::QuietApplication application(argc, argv);
    std::printf("Fonts: %s\n", veltrane::bench::fontSet().c_str());
    const veltrane::bench::Timings lightRequest = veltrane::bench::benchPrinting();
    veltrane::bench::benchFormLoad(lightRequest);
    veltrane::bench::benchSamples();
    return 0;
}
