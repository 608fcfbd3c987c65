#pragma once

#include "InstalledFonts.h"
#include "Veltrane.h"
#include "VeltraneDesign.h"
#include "VeltraneWindow.h"

namespace veltrane::bench {

// The shipped window on the given services, with its logic at hand.
class VeltraneUnderTest {
public:
    VeltraneUnderTest(Services& services, EventCounter& events, InstalledFonts& fonts)
        : window_(design_, fonts, events), logic_(window_.controls(), services) {}

    void start() { window_.start(logic_); }
    VeltraneWindow& window() { return window_; }
    Veltrane& logic() { return logic_; }

    void clearLists() {
        window_.controls().List1.Clear();
        window_.controls().List2.Clear();
    }

private:
    // As the program makes its window: with the default font's family first.
    const FormDesign design_ = [] {
        InstalledFonts::useInstalledDefaultFamily();
        return veltraneDesign();
    }();
    VeltraneWindow window_;
    Veltrane logic_;
};

}  // namespace veltrane::bench
