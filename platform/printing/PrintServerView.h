#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veltrane {

// The destination `lp` would print to, "queue" or "queue/instance", or why there
// is none.
struct DefaultChoice {
    std::optional<std::string> device;
    std::string whyNone;  // set when there is no device
};

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
