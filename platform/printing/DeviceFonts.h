#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace veltrane {

// The system's scalable font families, which the print pipeline embeds in every
// job, as the installed fonts know them now; the printing layer cannot see Qt.
using ScalableFamilies = std::function<std::shared_ptr<const std::vector<std::string>>()>;

// The resident fonts (*Font entries) of a printer description's text, each once
// and in its order; raises Unreadable when the text is no description.
std::vector<std::string> residentFonts(const std::string& ppd);

// A device's fonts: its resident fonts, then each of the system's families that
// is not one of them.
std::vector<std::string> deviceFonts(std::vector<std::string> resident,
                                     const std::vector<std::string>& families);

}  // namespace veltrane
