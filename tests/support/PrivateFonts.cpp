#include "PrivateFonts.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "Process.h"

namespace veltrane::testing {

PrivateFonts::PrivateFonts(const std::string& generated) : folder_("veltrane-fonts") {
    std::filesystem::create_directory(folder_ / "fonts");
    // The folder's own cache first, so that fontconfig never writes the machine's;
    // the generated families' cache after it, which fontconfig reads as it is.
    std::ofstream conf(folder_ / "fonts.conf");
    conf << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
         << "<fontconfig>\n  <cachedir>" << folder_ / "cache"
         << "</cachedir>\n";
    if (!generated.empty()) {
        conf << "  <cachedir>" << generated << "/cache/fontconfig</cachedir>\n  <dir>" << generated
             << "/data/fonts</dir>\n";
    }
    conf << "  <include>/etc/fonts/fonts.conf</include>\n  <dir>" << folder_ / "fonts"
         << "</dir>\n</fontconfig>\n";
}

std::map<std::string, std::string> PrivateFonts::environment() const {
    return {{"FONTCONFIG_FILE", folder_ / "fonts.conf"}};
}

void PrivateFonts::install(const std::string& source, const std::vector<std::string>& families) {
    copyFontFamilies(source, folder(), families);
    Process::run({"fc-cache", folder()}, environment());
}

void PrivateFonts::removeAll() {
    for (const auto& font : std::filesystem::directory_iterator(folder_ / "fonts")) {
        std::filesystem::remove(font.path());
    }
    Process::run({"fc-cache", folder_ / "fonts"}, environment());
}

void copyFontFamilies(const std::string& source, const std::string& folder,
                      const std::vector<std::string>& families) {
    std::filesystem::create_directories(folder);
    std::vector<std::string> argv{VELTRANE_MAKE_FONT_FAMILIES, source, folder};
    argv.insert(argv.end(), families.begin(), families.end());
    if (Process::run(argv) != 0) throw std::runtime_error("the fonts could not be made");
}

}  // namespace veltrane::testing
