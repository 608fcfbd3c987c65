#pragma once

#include <QFont>

#include "FormDesign.h"
#include "InstalledFonts.h"

namespace veltrane {

// The font of a control as designed. A design font that is not installed, a
// Windows face, is replaced by its metric-compatible Liberation face.
QFont designFont(const FontDesign& design, InstalledFonts& fonts);

}  // namespace veltrane
