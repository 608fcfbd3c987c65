#pragma once

#include <cups/cups.h>

#include <optional>
#include <string>
#include <vector>

#include "ServerConnection.h"

namespace veltrane {

// The queues a CUPS-Get-Printers reply lists.
struct QueueList {
    std::vector<std::string> names;            // each once, in the reply's order
    std::optional<std::string> serverDefault;  // the queue whose type carries the default bit
};

// One light CUPS-Get-Printers asking only each queue's name and type; a queue
// without a name is skipped.
QueueList requestQueues(ServerConnection& connection);

// The requests below each receive at most one queue's record, however many the
// server has.

// Whether the server has any queue.
bool requestAnyQueue(ServerConnection& connection);
// The server's default queue, if it has one.
std::optional<std::string> requestServerDefault(ServerConnection& connection);
// The server's spelling of the queue named `queue`, if it has one.
std::optional<std::string> requestQueueName(ServerConnection& connection, const std::string& queue);

// The queue's printer description as the server keeps it; empty for a queue
// without one (a raw queue). More than `largest` bytes of it are Oversized.
std::optional<std::string> requestPpd(ServerConnection& connection, const std::string& queue,
                                      std::size_t largest);

}  // namespace veltrane
