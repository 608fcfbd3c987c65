#pragma once

#include <string>
#include <vector>

#include "Printers.h"

namespace veltrane {

// What a print server that is not running tells.
inline const char* const kNoServer = "no print server is running";

// Every queue of the print server and its default device, at one moment.
struct QueuesSnapshot {
    std::vector<std::string> queues;  // each queue once
    DefaultChoice defaultDevice{std::nullopt, kNoServer};
};

// Whether the print server has any queue, and its default device: what a
// paint's check needs, read without listing every queue.
struct DefaultSnapshot {
    bool anyQueue = false;
    DefaultChoice defaultDevice{std::nullopt, kNoServer};
};

}  // namespace veltrane
