#pragma once

#include <string>

#include "IconSource.h"

namespace veltrane {

// The icon as a Windows ICO file: one icon group of 4-bit images with the
// standard palette and a transparency mask, in the order of the source.
std::string icoFile(const IconSource& source);

}  // namespace veltrane
