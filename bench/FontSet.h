#pragma once

#include <cstdlib>
#include <string>

namespace veltrane::bench {

// Which fonts a benchmark runs with: bench/run adds the generated families of
// bench/make-scale-fonts to the user's font folder through XDG_DATA_HOME.
inline std::string fontSet() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data == nullptr) return "the machine's own fonts";
    return std::string("the machine's fonts and those in ") + data + "/fonts";
}

}  // namespace veltrane::bench
