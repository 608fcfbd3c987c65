#pragma once

#include <map>
#include <memory>
#include <string>

#include "Process.h"
#include "TempDir.h"

namespace veltrane::testing {

// A Wayland desktop of the test's own: weston with its headless back end, on a
// socket in a private folder, and no X server; stopped by its process id.
class PrivateCompositor {
public:
    PrivateCompositor();

    // What a Qt program needs to show its windows there, and only there.
    std::map<std::string, std::string> environment() const;

private:
    TempDir folder_;
    std::unique_ptr<Process> weston_;
};

}  // namespace veltrane::testing
