#pragma once

#include <map>
#include <string>
#include <vector>

#include "TempDir.h"

namespace veltrane::testing {

// A font folder of the test's own, added to the system's fonts by a fontconfig
// configuration of its own (FONTCONFIG_FILE), its cache in the folder too.
class PrivateFonts {
public:
    // With the font families bench/make-scale-fonts made in `generated`, where given.
    explicit PrivateFonts(const std::string& generated = "");

    // What a program needs to see the system's fonts and these.
    std::map<std::string, std::string> environment() const;
    // Installs one font family for each name, renamed copies of the font file
    // `source`, and brings fontconfig's cache up to date as fc-cache does.
    void install(const std::string& source, const std::vector<std::string>& families);
    // Removes every family installed here.
    void removeAll();
    // The folder the families are installed in.
    std::string folder() const { return folder_ / "fonts"; }

private:
    TempDir folder_;
};

// Writes one font family for each name into `folder` (made if missing),
// renamed copies of the font file `source`, as a file manager copies fonts in:
// fontconfig's cache is left as it is.
void copyFontFamilies(const std::string& source, const std::string& folder,
                      const std::vector<std::string>& families);

}  // namespace veltrane::testing
