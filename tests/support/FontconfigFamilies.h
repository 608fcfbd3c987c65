#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace veltrane::testing {

// fontconfig's own account of the installed families, as fc-list prints it.
struct FontconfigFamilies {
    std::set<std::string> names;       // every family name a font has
    std::set<std::string> firstNames;  // each font's first family name
};

// The families of the fonts that match `pattern` (fc-list's, such as ":scalable=true"),
// as a program sees them that runs with `environment` and through `launcher`.
FontconfigFamilies fontconfigFamilies(const std::string& pattern = ":",
                                      const std::map<std::string, std::string>& environment = {},
                                      const std::vector<std::string>& launcher = {});

}  // namespace veltrane::testing
