#pragma once

#include <optional>
#include <string>
#include <vector>

#include "PrintServerView.h"

namespace veltrane {

// The queue of a destination named "queue" or "queue/instance".
std::string queueOf(const std::string& destination);

// The device `lp` prints to without -d: the user's own choice (LPDEST, PRINTER,
// lpoptions) wins over the server's default, and is shown in the server's
// spelling; a choice naming a queue the server lacks leaves no default, and
// the view says why.
void chooseDefault(PrintServerView& view, const std::string& serverDefault,
                   const std::optional<std::string>& localDefault);

}  // namespace veltrane
