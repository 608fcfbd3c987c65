#pragma once

#include "Project.h"

namespace veltrane {

// The project as the entry point hands it to the runtime.
Project veltraneProject();

}  // namespace veltrane
