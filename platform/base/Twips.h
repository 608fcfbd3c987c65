#pragma once

#include <cmath>

namespace veltrane {

// The window engine measures in twips, 1/1440 inch; the screen in pixels at its
// logical dots per inch (15 twips a pixel at 96 DPI).
constexpr double kTwipsPerInch = 1440.0;

inline double pixelsToTwips(double pixels, double dpi) {
    return pixels * kTwipsPerInch / dpi;
}

inline int twipsToPixels(double twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

}  // namespace veltrane
