#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace veltrane {

// The destination `lp` prints to without -d, "queue" or "queue/instance", or
// why there is none. No default is an answer of its own, not a failure. The
// same name from another print server, or with its description replaced or
// read otherwise than before, is another default to the window.
struct DefaultChoice {
    std::optional<std::string> device;
    std::string whyNone;   // set when there is no device
    std::string server{};  // which print server told
    // How the server answers for the device: the fonts of its description, in
    // brief, and what of it could not be read.
    std::string revision{};

    bool operator==(const DefaultChoice&) const = default;
};

// The collection of installed printer/fax devices.
class Printers {
public:
    virtual ~Printers() = default;

    // An ordinary number, never narrowed to 16 bits; 0 when no print server runs.
    virtual std::int64_t Count() = 0;
    // Whether any device is installed: all a check needs to know, which a large
    // print server answers without listing every device.
    virtual bool Any() = 0;
    // Which device is the default, or that none is; throws only when the print
    // server cannot tell. From the same answer of the server as every other
    // question of the same event.
    virtual DefaultChoice Default() = 0;
};

}  // namespace veltrane
