#pragma once

#include "Project.h"

namespace veltrane {

// The runtime's entry: opens the project's start-up window on the desktop with
// the real services behind it, runs it until the user closes it, and returns
// the process's exit status, 0.
int runProject(const Project& project, int argc, char** argv);

}  // namespace veltrane
