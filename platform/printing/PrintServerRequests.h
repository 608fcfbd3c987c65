#pragma once

#include <cups/cups.h>

#include <optional>
#include <string>
#include <vector>

#include "ServerConnection.h"

namespace veltrane {

// The queues a CUPS-Get-Printers reply lists.
struct QueueList {
    std::vector<std::string> names;  // each once, in the reply's order
    std::string serverDefault;       // the queue whose type carries the default bit
};

// One light CUPS-Get-Printers asking only each queue's name and type.
QueueList requestQueues(ServerConnection& connection);
// The queues of a CUPS-Get-Printers reply: a queue without a name is skipped.
QueueList queuesIn(ipp_t* reply);

// The queue's printer description as the server keeps it; empty for a queue
// without one (a raw queue). More than `largest` bytes of it are Oversized.
std::optional<std::string> requestPpd(ServerConnection& connection, const std::string& queue,
                                      std::size_t largest);

}  // namespace veltrane
