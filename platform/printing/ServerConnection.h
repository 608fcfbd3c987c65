#pragma once

#include <cups/cups.h>

#include <cstddef>
#include <memory>
#include <string>

#include "CHandle.h"
#include "Cancellation.h"
#include "CupsSettings.h"
#include "ServerFault.h"

namespace veltrane {

using IppMessage = CHandle<ipp_t, ippDelete>;

// One connection to the print server, for the thread that talks to it. A request
// goes out once, without libcups' own retries and reconnections, so that a
// cancellation ends the exchange for good, within a quarter of a second. Each
// failure is thrown as its ServerFault. A server that requires encryption has
// the connection upgraded to TLS, as lp does.
class ServerConnection {
public:
    // Empty when no print server is running there at all (no socket, connection refused).
    static std::unique_ptr<ServerConnection> open(const CupsSettings& settings, Deadline deadline,
                                                  Cancellation& cancellation);
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    // Sends the request and returns the response, whose status must be success or
    // `tolerated`. What follows the response goes into `data` when it is given:
    // more than `dataCap` bytes of it are Oversized.
    IppMessage exchange(IppMessage request, ipp_status_t tolerated, std::string* data = nullptr,
                        std::size_t dataCap = 0);

private:
    ServerConnection(const CupsSettings& settings, Deadline deadline, Cancellation& cancellation);

    // Connects anew and watches the socket; false when no server runs there.
    bool connect();
    int post(ipp_t* request);
    void upgradeToTls();
    void send(ipp_t* request);
    // Raises Dropped when the connection is no longer on `socket`.
    void requireSocket(int socket);
    IppMessage receive(int status, ipp_status_t tolerated);
    void receiveData(std::string& data, std::size_t cap);

    const CupsSettings settings_;
    const Deadline deadline_;
    Cancellation& cancellation_;
    CHandle<http_t, httpClose> http_;
};

}  // namespace veltrane
