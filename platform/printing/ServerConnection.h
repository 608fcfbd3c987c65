#pragma once

#include <cups/cups.h>

#include <cstddef>
#include <memory>
#include <string>

#include "CHandle.h"
#include "CupsSettings.h"
#include "Hangup.h"
#include "ServerThread.h"

namespace veltrane {

using IppMessage = CHandle<ipp_t, ippDelete>;

// One connection to the print server, for the thread that talks to it. A request
// goes out once, without the retries and reconnections of libcups' own request
// functions, so that a hang-up ends the exchange for good: any wait for the
// server is given up a quarter of a second after the hang-up at the latest, and
// a wait on the connection's socket at once. A server that does not answer, or
// drops the connection, raises NoAnswer; one that answers with an error, or
// asks for authentication or for encryption the user's settings do not ask for
// (client.conf's Encryption Required does), raises ServiceFailure.
class ServerConnection {
public:
    // Empty when no print server is running there at all (no socket, connection refused).
    static std::unique_ptr<ServerConnection> open(const CupsSettings& settings, Deadline deadline,
                                                  Hangup& hangup);
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    // Sends the request and returns the response, whose status must be success or
    // `tolerated`. What follows the response goes into `data` when it is given:
    // more than `dataCap` bytes of it raise ServiceFailure.
    IppMessage exchange(IppMessage request, ipp_status_t tolerated, std::string* data = nullptr,
                        std::size_t dataCap = 0);

private:
    ServerConnection(CHandle<http_t, httpClose> http, Hangup& hangup);

    void send(ipp_t* request);
    IppMessage receive(ipp_status_t tolerated);
    void receiveData(std::string& data, std::size_t cap);

    CHandle<http_t, httpClose> http_;
    Hangup& hangup_;
};

}  // namespace veltrane
