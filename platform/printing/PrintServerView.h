#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veltrane {

// What the print server said about its queues at one moment.
struct PrintServerView {
    std::vector<std::string> queues;  // each queue once
    // The destination `lp` would print to: "queue" or "queue/instance".
    std::optional<std::string> defaultDevice;
    std::string whyNoDefault;  // set when defaultDevice is empty
};

}  // namespace veltrane
