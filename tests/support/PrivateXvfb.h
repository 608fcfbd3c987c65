#pragma once

#include <memory>
#include <string>

#include "Process.h"

namespace veltrane::testing {

// An X server of the test's own, on a display number no other server holds.
class PrivateXvfb {
public:
    PrivateXvfb();

    // ":N", for DISPLAY.
    const std::string& display() const { return display_; }

private:
    std::string display_;
    std::unique_ptr<Process> xvfb_;
};

}  // namespace veltrane::testing
