#pragma once

#include <cups/cups.h>

#include <optional>
#include <string>

#include "CHandle.h"

namespace veltrane {

using IppMessage = CHandle<ipp_t, ippDelete>;

// One connection to the print server that the user's CUPS settings name.
// Connecting and every request give up well within two seconds, so a server
// that accepts and never answers cannot freeze the window.
class CupsConnection {
public:
    // Empty when no print server is running at all (no socket, connection refused).
    static std::optional<CupsConnection> open();

    // Sends the request and returns the response; throws ServiceFailure when the
    // server fails to answer or answers with an error other than `tolerated`.
    IppMessage request(IppMessage request, const char* resource,
                       ipp_status_t tolerated = IPP_STATUS_OK);

    http_t* handle() const { return http_.get(); }

private:
    explicit CupsConnection(http_t* http) : http_(http) {}

    CHandle<http_t, httpClose> http_;
};

}  // namespace veltrane
