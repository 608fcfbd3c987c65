#pragma once

#include "FormDesign.h"

namespace veltrane {

// The window Veltrane and its thirteen controls, exactly as designed.
FormDesign veltraneDesign();

}  // namespace veltrane
