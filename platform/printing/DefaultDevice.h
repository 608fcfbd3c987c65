#pragma once

#include <functional>
#include <optional>
#include <string>

#include "Printers.h"

namespace veltrane {

// The queue of a destination named "queue" or "queue/instance".
std::string queueOf(const std::string& destination);

// The device `lp` prints to without -d: the user's own choice (LPDEST, PRINTER,
// lpoptions) wins over the server's default, and is shown in the server's
// spelling, which `serversSpelling` finds; a choice naming a queue the server lacks leaves no
// default. `serverDefault` is asked only when the user made no choice.
DefaultChoice chooseDefault(
    const std::optional<std::string>& localDefault,
    const std::function<std::optional<std::string>(const std::string& queue)>& serversSpelling,
    const std::function<std::optional<std::string>()>& serverDefault);

}  // namespace veltrane
