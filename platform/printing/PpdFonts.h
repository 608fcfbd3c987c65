#pragma once

#include <string>
#include <vector>

namespace veltrane {

// The resident fonts (*Font entries) of a printer description's text, each once
// and in its order; throws ServiceFailure when the text is no description.
std::vector<std::string> residentFonts(const std::string& ppd);

}  // namespace veltrane
