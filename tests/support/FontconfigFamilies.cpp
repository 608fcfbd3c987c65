#include "FontconfigFamilies.h"

#include <sstream>

#include "Process.h"

namespace veltrane::testing {

namespace {

// One line a font; `separator` splits a line into its names.
std::set<std::string> listed(const std::string& pattern, const char* format, char separator) {
    std::set<std::string> names;
    std::istringstream lines(Process::capture({"fc-list", "--format", format, pattern}));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream parts(line);
        for (std::string name; std::getline(parts, name, separator);) names.insert(name);
    }
    return names;
}

}  // namespace

FontconfigFamilies fontconfigFamilies(const std::string& pattern) {
    return {listed(pattern, "%{family}\n", ','), listed(pattern, "%{family[0]}\n", '\n')};
}

}  // namespace veltrane::testing
