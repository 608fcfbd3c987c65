#pragma once

#include <string>
#include <vector>

namespace veltrane {

// The scalable font families that fontconfig knows, each once, by first family name.
std::vector<std::string> scalableFontFamilies();

}  // namespace veltrane
