#pragma once

#include <string>

namespace veltrane::testing {

// The display of the run's private X server.
const std::string& testDisplay();

}  // namespace veltrane::testing
