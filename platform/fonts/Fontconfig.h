#pragma once

#include <string>
#include <vector>

namespace veltrane::fontconfig {

// What fontconfig itself says of the installed fonts; no Qt.

// The scalable font families, each once, by first family name, sorted by byte.
std::vector<std::string> scalableFamilies();

// The families fontconfig would draw an upright font named `family` in, best first.
std::vector<std::string> fallbacks(const std::string& family);

}  // namespace veltrane::fontconfig
