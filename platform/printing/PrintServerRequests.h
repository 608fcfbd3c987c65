#pragma once

#include <cups/cups.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "ServerConnection.h"

namespace veltrane {

// A queue as a light request names it: the server's spelling of its name, and
// when its configuration (its printer description among it) last changed, as
// the server tells; empty where it does not. The server tells the time to the
// second: a change told within its own second may be followed by another in
// the same second, which shows no other time; it is settled once told later.
struct NamedQueue {
    std::string name;
    std::string configured;
    bool settled = true;
    // A class without members has no description; cupsd dies when asked for it.
    bool described = true;
};

// Each request below receives at most one queue's record, however many queues
// the server has, but the queue list.

// The server's default queue, if it has one.
std::optional<NamedQueue> requestServerDefault(ServerConnection& connection);
// The queue named `queue` (letter case ignored, as CUPS matches names), if the server has it.
std::optional<NamedQueue> requestQueue(ServerConnection& connection, const std::string& queue);
// Whether the server has any queue.
bool requestAnyQueue(ServerConnection& connection);
// The names of every queue, each once.
std::vector<std::string> requestQueueNames(ServerConnection& connection);

// The queue's printer description as the server keeps it; empty for a queue
// without one (a raw queue). More than `largest` bytes of it are Oversized.
std::optional<std::string> requestPpd(ServerConnection& connection, const std::string& queue,
                                      std::size_t largest);

}  // namespace veltrane
