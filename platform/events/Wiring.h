#pragma once

#include "FormDesign.h"
#include "FormProcedures.h"

namespace veltrane {

// Checks the program's procedures against the window's design before any is
// wired: each must belong to a control the design has, for an event that kind
// of control raises. Throws PlatformError(Wiring) naming the first that does
// not, so a misspelt name stops the start instead of never being raised.
void checkWiring(const FormDesign& design, const FormProcedures& procedures);

}  // namespace veltrane
