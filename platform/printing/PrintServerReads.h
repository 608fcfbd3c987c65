#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "Cancellation.h"
#include "CupsSettings.h"
#include "DeviceFonts.h"
#include "Printers.h"
#include "ServerFault.h"

namespace veltrane {

// What the print server's thread reads in one job, on a connection of its own:
// never on the user-interface thread.

// What a print server that is not running tells.
inline const char* const kNoServer = "no print server is running";

// Every queue of the print server and its default device, at one moment.
struct QueuesSnapshot {
    std::vector<std::string> queues;  // each queue once
    DefaultChoice defaultDevice{std::nullopt, kNoServer};
};

// Whether the print server has any queue, and its default device: what a
// paint's check needs, read without listing every queue.
struct DefaultSnapshot {
    bool anyQueue = false;
    DefaultChoice defaultDevice{std::nullopt, kNoServer};
};

// A printer description larger than this is the device's fault, never read.
inline constexpr std::size_t kLargestPpd = 16 * 1024 * 1024;

// Every queue and the default device; no queues when no print server runs.
QueuesSnapshot readQueues(const CupsSettings& settings, Deadline deadline,
                          Cancellation& cancellation);

// Whether there is any queue, and the default device: at most two requests and
// one queue's record, however many queues the server has.
DefaultSnapshot readDefault(const CupsSettings& settings, Deadline deadline,
                            Cancellation& cancellation);

// The fonts of the queue's device; none for a queue without a description (a
// raw queue).
std::vector<std::string> readFonts(const std::string& queue, const ScalableFamilies& families,
                                   const CupsSettings& settings, Deadline deadline,
                                   Cancellation& cancellation);

// Every queue together with the default device's fonts, as a prefetch reads them.
struct QueuesAndFonts {
    QueuesSnapshot queues;
    std::string queue;  // the default device's queue; empty without a default
    JobResult<std::vector<std::string>> fonts;
};
QueuesAndFonts readQueuesAndFonts(const ScalableFamilies& families, const CupsSettings& settings,
                                  Deadline deadline, Cancellation& cancellation);

}  // namespace veltrane
