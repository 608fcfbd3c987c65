#pragma once

namespace veltrane::bench {

// The print server's view and the screen's font list.
void benchPrinting();
// Form_Load, a paint that finds no change, and a reload.
void benchPopulation();
// From a key release in List1 to the sample and Text2 rendered in the new font.
void benchSamples();

}  // namespace veltrane::bench
