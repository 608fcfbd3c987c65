#include "LocalDefault.h"

#include <pwd.h>
#include <strings.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace veltrane {

namespace {

std::optional<std::string> chosenInEnvironment() {
    if (const char* lpdest = std::getenv("LPDEST"); lpdest != nullptr && *lpdest != '\0') {
        return std::string(lpdest);
    }
    // PRINTER=lp is the historical placeholder, which CUPS ignores too.
    const char* printer = std::getenv("PRINTER");
    if (printer != nullptr && *printer != '\0' && std::string(printer) != "lp") {
        return std::string(printer);
    }
    return std::nullopt;
}

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    const passwd* user = getpwuid(getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

std::optional<std::string> fromFile(const std::string& path) {
    std::ifstream file(path);
    if (!file) return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return lpoptionsDefault(text.str());
}

}  // namespace

std::string userCupsFolder() {
    return homeFolder() + "/.cups";
}

std::string systemCupsFolder() {
    const char* root = std::getenv("CUPS_SERVERROOT");
    return root != nullptr && *root != '\0' ? root : "/etc/cups";
}

std::optional<std::string> lpoptionsDefault(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    std::optional<std::string> found;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string keyword;
        std::string name;
        // The last Default line wins, as lpoptions itself writes only one.
        if (words >> keyword >> name && strcasecmp(keyword.c_str(), "Default") == 0) found = name;
    }
    return found;
}

LocalDefault LocalDefault::fromEnvironment() {
    return {chosenInEnvironment(),
            {userCupsFolder() + "/lpoptions", systemCupsFolder() + "/lpoptions"}};
}

std::optional<std::string> LocalDefault::read() const {
    if (chosen) return chosen;
    for (const std::string& file : lpoptions) {
        if (auto found = fromFile(file)) return found;
    }
    return std::nullopt;
}

}  // namespace veltrane
