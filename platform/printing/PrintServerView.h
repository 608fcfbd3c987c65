#pragma once

#include <string>
#include <vector>

#include "Printers.h"

namespace veltrane {

// What the print server said about all its queues at one moment.
struct PrintServerView {
    std::vector<std::string> queues;  // each queue once
    DefaultChoice defaultDevice;
};

// What a paint's check needs, read without listing every queue.
struct LightView {
    bool anyQueue = false;
    DefaultChoice defaultDevice;
};

}  // namespace veltrane
