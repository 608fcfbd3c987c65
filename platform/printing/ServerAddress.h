#pragma once

#include <cups/cups.h>

#include <string>

namespace veltrane {

// The print server the user's CUPS settings name (CUPS_SERVER, client.conf, else
// the local one), read on the calling thread, where libcups keeps them.
struct ServerAddress {
    std::string host;  // a host name, or the path of a local socket
    int port = 0;
    http_encryption_t encryption = HTTP_ENCRYPTION_IF_REQUESTED;

    static ServerAddress current() { return {cupsServer(), ippPort(), cupsEncryption()}; }
};

}  // namespace veltrane
