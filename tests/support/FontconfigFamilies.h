#pragma once

#include <set>
#include <string>

namespace veltrane::testing {

// fontconfig's own account of the installed families, as fc-list prints it.
struct FontconfigFamilies {
    std::set<std::string> names;       // every family name a font has
    std::set<std::string> firstNames;  // each font's first family name
};

// The families of the fonts that match `pattern` (fc-list's, such as ":scalable=true").
FontconfigFamilies fontconfigFamilies(const std::string& pattern = ":");

}  // namespace veltrane::testing
