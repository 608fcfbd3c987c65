#pragma once

#include <vector>

#include "HeardWindow.h"

namespace veltrane::testing {

// The differences the README declares between a window open a while and a
// fresh start: the rows of the table in Differences.cpp.
enum class Difference {
    None,                  // the fresh start as it is
    StoppedServer,         // a redraw that cannot reach the print server changes nothing
    EveryPrinterGone,      // only the device's name changes
    BesideTheSameDefault,  // a queue added or removed beside it changes nothing until a reload
    FontsAlone,            // a reload for fonts alone keeps each list's selected name
};

const char* nameOf(Difference difference);

// What the driver knows from outside the program when it compares.
struct Facts {
    bool serverStopped = false;  // the server client.conf names is paused
    bool noPrinters = false;     // it runs no queue a client may list, or does not run
};

// What the open window may show, each as good as another.
struct Expected {
    std::vector<HeardWindow> windows;
    Difference difference = Difference::None;

    bool accepts(const HeardWindow& shown) const;
};

// What the open window must show once redrawn, `before` what it showed until
// now: what the fresh start shows, but for the first declared difference that
// applies, each decided from outside facts alone (the fresh start beside what
// the window showed), never from what the window does.
Expected expectedWindow(const HeardWindow& before, const HeardWindow& fresh, const Facts& facts);

}  // namespace veltrane::testing
