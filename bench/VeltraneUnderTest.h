#pragma once

#include <chrono>
#include <thread>

#include "CupsPrinting.h"
#include "InstalledFonts.h"
#include "Veltrane.h"
#include "VeltraneDesign.h"
#include "VeltraneWindow.h"

namespace veltrane::bench {

// The shipped window on the given services, with its logic at hand.
class VeltraneUnderTest {
public:
    VeltraneUnderTest(Services& services, InstalledFonts& fonts)
        : design_(designAfterDefaultFont(fonts)),
          window_(design_, fonts),
          logic_(window_.controls(), services) {}

    void start() { window_.start(logic_); }
    VeltraneWindow& window() { return window_; }
    Veltrane& logic() { return logic_; }

    void clearLists() {
        window_.controls().List1.Clear();
        window_.controls().List2.Clear();
    }

private:
    // As the program makes its window: with the fonts read and the default
    // font's family first.
    static FormDesign designAfterDefaultFont(InstalledFonts& fonts) {
        fonts.startScans();
        fonts.useFirstScan();
        fonts.useInstalledDefaultFamily();
        return veltraneDesign();
    }

    const FormDesign design_;
    VeltraneWindow window_;
    Veltrane logic_;
};

// Asks the print server as a redraw does, a moment after the last question,
// and takes what the read brings, as the program takes it between events.
inline void takeServersAnswer(CupsPrinting& printing) {
    std::this_thread::sleep_for(ServerFailurePolicy::kQuiet);
    try {
        printing.Any();
    } catch (const PlatformError&) {
        // The answer at hand failed; the read asked for brings the next.
    }
    for (int wait = 0; wait < 1000 && !printing.takeAnswer(); ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace veltrane::bench
