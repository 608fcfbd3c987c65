#pragma once

#include <string>

#include "IconSource.h"

namespace veltrane {

// The icon image as a scalable SVG picture: one square a pixel, the runs of one
// colour in a row drawn as one rectangle, transparent pixels left out.
std::string svgFile(const IconImage& image);

}  // namespace veltrane
