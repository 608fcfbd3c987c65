#pragma once

#include "Timing.h"

namespace veltrane::bench {

// One light request to the print server, the yardstick of a paint; the print
// server's view with its fonts; the screen's family list. Returns the yardstick.
Timings benchPrinting();
// Form_Load, a paint that finds no change (beside the light request), a reload.
void benchFormLoad(const Timings& lightRequest);
// From a key release in List1 to the sample and Text2 rendered in the new font.
void benchSamples();

}  // namespace veltrane::bench
