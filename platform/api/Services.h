#pragma once

#include "Clipboard.h"
#include "Printer.h"
#include "Printers.h"
#include "Screen.h"

namespace veltrane {

// The runtime's objects as the window reaches them; none is owned here.
struct Services {
    Screen& screen;
    Printer& printer;
    Printers& printers;
    Clipboard& clipboard;
};

}  // namespace veltrane
