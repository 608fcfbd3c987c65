#pragma once

#include <cups/cups.h>

#include <string>

#include "LocalDefault.h"

namespace veltrane {

// What the user's CUPS settings say: the print server to ask (CUPS_SERVER,
// client.conf, else the local one) and the default destination chosen on this
// machine. Read on the calling thread, where libcups keeps them, and handed to
// the thread that asks the server, which must not read the environment itself.
struct CupsSettings {
    std::string host;  // a host name, or the path of a local socket
    int port = 0;
    http_encryption_t encryption = HTTP_ENCRYPTION_IF_REQUESTED;
    LocalDefault localDefault;

    static CupsSettings current() {
        return {cupsServer(), ippPort(), cupsEncryption(), LocalDefault::fromEnvironment()};
    }
};

}  // namespace veltrane
