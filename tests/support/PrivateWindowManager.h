#pragma once

#include <memory>
#include <string>

#include "Process.h"
#include "TempDir.h"

namespace veltrane::testing {

// openbox managing a private X server, as a user's desktop frames every window,
// with a home of its own; stopped by its process id when the object goes.
class PrivateWindowManager {
public:
    explicit PrivateWindowManager(const std::string& display);

private:
    TempDir home_;
    std::unique_ptr<Process> openbox_;
};

}  // namespace veltrane::testing
