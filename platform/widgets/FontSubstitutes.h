#pragma once

namespace veltrane {

// The window's design fonts are Windows faces; on Linux the metric-compatible
// Liberation faces stand in for them.
void installFontSubstitutes();

}  // namespace veltrane
