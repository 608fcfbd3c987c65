#include "CupsConnection.h"

#include <cerrno>
#include <cstring>

#include "PlatformError.h"

namespace veltrane {

namespace {

constexpr int kConnectTimeoutMs = 500;
// libcups waits about a second more than this before it gives a request up,
// which keeps a call to a server that never answers under two seconds.
constexpr double kRequestTimeoutSeconds = 0.7;

// Called by libcups when a request has waited kRequestTimeoutSeconds: give up.
int abandonRequest(http_t*, void*) {
    return 0;
}

bool noServerListening(int error) {
    // libcups reports a refused or missing socket as "host is down".
    return error == EHOSTDOWN || error == ECONNREFUSED || error == ENOENT;
}

}  // namespace

std::optional<CupsConnection> CupsConnection::open() {
    // Created unconnected, so that a failed connect leaves its reason in the
    // connection rather than in an errno that closing has overwritten.
    http_t* http =
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 0, nullptr);
    if (http == nullptr) {
        throw PlatformError(ErrorKind::ServiceFailure,
                            std::string("cannot find the print server ") + cupsServer());
    }
    CupsConnection connection(http);
    if (httpReconnect2(http, kConnectTimeoutMs, nullptr) != 0) {
        const int error = httpError(http);
        if (noServerListening(error)) return std::nullopt;
        throw PlatformError(ErrorKind::ServiceFailure,
                            std::string("cannot reach the print server ") + cupsServer() + ": " +
                                std::strerror(error));
    }
    httpSetTimeout(http, kRequestTimeoutSeconds, abandonRequest, nullptr);
    return connection;
}

IppMessage CupsConnection::request(IppMessage request, const char* resource,
                                   ipp_status_t tolerated) {
    IppMessage response(cupsDoRequest(http_.get(), request.release(), resource));
    if (!response) {
        throw PlatformError(ErrorKind::ServiceFailure, "the print server did not answer");
    }
    const ipp_status_t status = ippGetStatusCode(response.get());
    if (status > IPP_STATUS_OK_EVENTS_COMPLETE && status != tolerated) {
        throw PlatformError(
            ErrorKind::ServiceFailure,
            std::string("the print server refused a request: ") + ippErrorString(status));
    }
    return response;
}

}  // namespace veltrane
