#pragma once

#include <string>

#include "Descriptor.h"

namespace veltrane::testing {

// A socket listening on the path, taking connections into a queue it never
// empties unless asked; invalid when it cannot listen there.
Descriptor listenOn(const std::string& path);
// A socket connected to the path; invalid when nothing listens there.
Descriptor connectTo(const std::string& path);

}  // namespace veltrane::testing
