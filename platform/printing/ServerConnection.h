#pragma once

#include <cups/cups.h>

#include <cstddef>
#include <string>

#include "CHandle.h"
#include "Cancellation.h"
#include "CupsSettings.h"
#include "ServerFailurePolicy.h"
#include "ServerFault.h"

namespace veltrane {

using IppMessage = CHandle<ipp_t, ippDelete>;

// The one connection to the print server that its thread keeps between reads
// (HTTP keep-alive, as the CUPS tools use it, and TLS kept where the server
// requires it), opened again when the server has closed it or the settings
// name another server. A request goes out without libcups's own retries and
// reconnections, so that a cancellation ends the exchange for good; a server
// that closed the kept connection meanwhile is asked again once, on a new one.
// Each failure is thrown as its ServerFault; a wait for the server goes on as
// long as something arrives, and ends after ServerFailurePolicy::kSilence
// without a byte.
class ServerConnection {
public:
    explicit ServerConnection(Cancellation& cancellation);
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    // Reaches the server the settings name, on the kept connection where it is
    // still that server's; false when no print server runs there (no socket,
    // connection refused). A read's exchanges follow.
    bool reach(const CupsSettings& settings);
    // Whether the connection was opened during this read: the server may have
    // restarted since the last, and answer otherwise.
    bool openedInRead() const { return openedInRead_; }
    void close();

    // Sends the request and returns the response, whose status must be success or
    // `tolerated`. What follows the response goes into `data` when it is given:
    // more than `dataCap` bytes of it are Oversized.
    IppMessage exchange(IppMessage request, ipp_status_t tolerated, std::string* data = nullptr,
                        std::size_t dataCap = 0);

private:
    // Connects anew and watches the socket; false when no server runs there.
    bool connect();
    IppMessage attempt(ipp_t* request, ipp_status_t tolerated, std::string* data,
                       std::size_t dataCap);
    int post(ipp_t* request);
    void upgradeToTls();
    void encrypt();
    void send(ipp_t* request);
    // Raises Dropped when the connection is no longer on `socket`.
    void requireSocket(int socket);
    IppMessage receive(int status, ipp_status_t tolerated);
    void receiveData(std::string& data, std::size_t cap);
    // Readies the connection for the next request, or closes it.
    void finishExchange();
    [[noreturn]] void failed(const std::string& what);
    static int giveUp(http_t* http, void* connection);

    Cancellation& cancellation_;
    CupsSettings settings_;
    bool encrypted_ = false;  // the server asked for TLS: a new connection starts with it
    bool answering_ = false;  // something of the current answer has arrived
    bool exchanged_ = false;  // on this connection: the server may close it since
    bool openedInRead_ = false;
    bool silent_ = false;  // the last wait ended for want of a byte
    CHandle<http_t, httpClose> http_;
};

}  // namespace veltrane
