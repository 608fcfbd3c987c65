#pragma once

#include <string>
#include <vector>

namespace veltrane::fontconfig {

// What fontconfig itself says of the installed fonts; no Qt.

// The scalable font families, each once, by first family name, sorted by byte.
std::vector<std::string> scalableFamilies();

// The families fontconfig would draw an upright font named `family` in, best first.
std::vector<std::string> fallbacks(const std::string& family);

// The paths fontconfig's own up-to-date check looks at: its configuration files
// and folders, and its font folders.
std::vector<std::string> configurationAndFontFolders();

// Loads the configuration and the fonts anew, as they are now.
void reload();

// The file of the font fontconfig would draw plain text in; empty without fonts.
std::string defaultFontFile();

}  // namespace veltrane::fontconfig
