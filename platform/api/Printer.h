#pragma once

#include <cstdint>
#include <string>

#include "Int16.h"

namespace veltrane {

// The default printer/fax device, whichever it is at the moment of the call
// (Printers::Default names it). Every operation throws DeviceUnavailable when
// there is no default device.
class Printer {
public:
    virtual ~Printer() = default;

    // Not narrowed: the caller converts it to 16 bits.
    virtual std::int64_t FontCount() = 0;
    // Takes the index by reference, as the load loop hands over its
    // own counter, and leaves it unchanged.
    virtual std::string Fonts(Int16& index) = 0;
};

}  // namespace veltrane
