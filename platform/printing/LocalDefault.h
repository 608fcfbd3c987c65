#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veltrane {

// The default destination the user chose on this machine, as `lp` honours it
// before the server's default: LPDEST, then PRINTER, then the user's and the
// system's lpoptions files. Taken in two steps, so that the user-interface
// thread opens no file: the environment where it is kept, the files on the
// thread that talks to the print server.
struct LocalDefault {
    std::optional<std::string> chosen;   // by LPDEST or PRINTER
    std::vector<std::string> lpoptions;  // the files to read otherwise, in turn

    static LocalDefault fromEnvironment();
    // "queue" or "queue/instance"; empty when none is set.
    std::optional<std::string> read() const;
};

// Where the user's own CUPS files are (~/.cups), and the system's (CUPS_SERVERROOT).
std::string userCupsFolder();
std::string systemCupsFolder();

// The "Default" line of an lpoptions file's text, if it has one.
std::optional<std::string> lpoptionsDefault(const std::string& text);

}  // namespace veltrane
