#pragma once

#include <optional>
#include <string>

namespace veltrane {

// The default destination the user chose on this machine, as `lp` honours it
// before the server's default: LPDEST, then PRINTER, then the user's and the
// system's lpoptions files. "queue" or "queue/instance"; empty when none is set.
std::optional<std::string> readLocalDefault();

// The "Default" line of an lpoptions file's text, if it has one.
std::optional<std::string> lpoptionsDefault(const std::string& text);

}  // namespace veltrane
