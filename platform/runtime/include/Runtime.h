#pragma once

#include "Project.h"

namespace veltrane {

// The runtime's entry: opens the project's window on the desktop with the real
// services behind it and runs it until the user closes it; the process's exit
// status.
int runProject(const Project& project, int argc, char** argv);

}  // namespace veltrane
