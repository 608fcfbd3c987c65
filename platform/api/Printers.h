#pragma once

#include <cstdint>

namespace veltrane {

// The collection of installed printer/fax devices.
class Printers {
public:
    virtual ~Printers() = default;

    // An ordinary number, never narrowed to 16 bits; 0 when no print server runs.
    virtual std::int64_t Count() = 0;
    // Whether any device is installed: all a check needs to know, which a large
    // print server answers without listing every device.
    virtual bool Any() = 0;
};

}  // namespace veltrane
