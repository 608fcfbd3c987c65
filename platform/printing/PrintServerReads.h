#pragma once

#include <cstddef>

#include "CupsSettings.h"
#include "ServerAnswer.h"
#include "ServerConnection.h"

namespace veltrane {

// A printer description larger than this is the device's fault, never read.
inline constexpr std::size_t kLargestPpd = 16 * 1024 * 1024;

// One read of the print server, on its thread and its kept connection: the
// check of the default (one request; two where there is none), and where that
// finds anything other than `last` said, or the connection is new (the server
// may have restarted answering otherwise), the rest of what a load of the
// window shows, in the same read: the queue list and the default's
// description. A part the server did not answer is the answer's part; a check
// it refuses is an answer of no default, saying why; a check it did not answer
// is thrown.
ServerAnswer readServer(ServerConnection& connection, const CupsSettings& settings,
                        const ServerAnswer& last);

}  // namespace veltrane
