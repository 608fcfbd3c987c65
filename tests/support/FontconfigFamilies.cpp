#include "FontconfigFamilies.h"

#include <sstream>

#include "Process.h"

namespace veltrane::testing {

namespace {

// One line a font; `separator` splits a line into its names.
std::set<std::string> listed(const std::string& pattern, const char* format, char separator,
                             const std::map<std::string, std::string>& environment,
                             std::vector<std::string> argv) {
    argv.insert(argv.end(), {"fc-list", "--format", format, pattern});
    std::set<std::string> names;
    std::istringstream lines(Process::capture(argv, environment));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream parts(line);
        for (std::string name; std::getline(parts, name, separator);) names.insert(name);
    }
    return names;
}

}  // namespace

FontconfigFamilies fontconfigFamilies(const std::string& pattern,
                                      const std::map<std::string, std::string>& environment,
                                      const std::vector<std::string>& launcher) {
    return {listed(pattern, "%{family}\n", ',', environment, launcher),
            listed(pattern, "%{family[0]}\n", '\n', environment, launcher)};
}

}  // namespace veltrane::testing
