#pragma once

#include <cups/cups.h>

#include <string>
#include <vector>

#include "LocalDefault.h"

namespace veltrane {

// What the user's CUPS settings say: the print server to ask (CUPS_SERVER,
// client.conf, else the local one) and the default destination chosen on this
// machine. Read on the print server's thread, anew for every read: the
// environment of a running program cannot change, but its files can.
struct CupsSettings {
    std::string host;  // a host name, or the path of a local socket
    int port = 0;
    http_encryption_t encryption = HTTP_ENCRYPTION_IF_REQUESTED;
    LocalDefault localDefault;
    std::vector<std::string> files;  // whose change changes the settings

    // The settings as the files say now, read at the start of a thread of its
    // own: libcups keeps what it read once a thread.
    static CupsSettings read();

    // The server as a user names it.
    std::string server() const;
    bool sameServer(const CupsSettings& other) const {
        return host == other.host && port == other.port && encryption == other.encryption;
    }
    // What the settings' files are now, to tell a change of them.
    std::string filesState() const;
};

}  // namespace veltrane
