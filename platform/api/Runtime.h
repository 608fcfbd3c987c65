#pragma once

#include "Project.h"

namespace veltrane {

// The runtime's entry: opens the project's start-up window on the desktop with
// the real services behind it and runs it until the user closes it. Returns the
// process's exit status: 0, or 1 when the window cannot be built from the
// project (the reason goes to standard error).
int runProject(const Project& project, int argc, char** argv);

}  // namespace veltrane
