#pragma once

namespace veltrane {

// Tells a screen reader what the window and its labels are, which it cannot see
// from their classes alone: the window is a frame named by its caption, and a
// label is static text named by its caption.
void installAccessibleKinds();

}  // namespace veltrane
