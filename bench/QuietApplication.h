#pragma once

#include <QApplication>

#include "TempDir.h"

namespace veltrane::bench {

// A QApplication for a benchmark: on Qt's offscreen platform unless another is
// chosen, with a runtime folder of its own, and quiet: the platform's remarks
// (the offscreen platform cannot raise a window) are no figures.
class QuietApplication {
public:
    QuietApplication(int& argc, char** argv);

private:
    testing::TempDir runtime_{"veltrane-bench"};
    QApplication application_;
};

}  // namespace veltrane::bench
