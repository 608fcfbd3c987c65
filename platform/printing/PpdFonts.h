#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CupsConnection.h"

namespace veltrane {

// The resident fonts (*Font entries) of a queue's PPD, fetched from the print
// server; empty when the queue has no PPD (a raw queue).
std::optional<std::vector<std::string>> fetchResidentFonts(CupsConnection& connection,
                                                           const std::string& queue);

}  // namespace veltrane
