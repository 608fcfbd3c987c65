#include "PrintServerReads.h"

#include "DefaultDevice.h"
#include "PrintServerRequests.h"
#include "ServerConnection.h"

namespace veltrane {

namespace {

// What `read` reads on a connection of its own; the snapshot of no server
// where none runs.
template <typename Snapshot, typename Read>
Snapshot onConnection(const CupsSettings& settings, Deadline deadline, Cancellation& cancellation,
                      Read read) {
    const auto connection = ServerConnection::open(settings, deadline, cancellation);
    return connection ? read(*connection) : Snapshot{};
}

}  // namespace

QueuesSnapshot readQueues(const CupsSettings& settings, Deadline deadline,
                          Cancellation& cancellation) {
    return onConnection<QueuesSnapshot>(settings, deadline, cancellation, [&](auto& connection) {
        QueueList queues = requestQueues(connection);
        DefaultChoice choice = chooseDefault(
            settings.localDefault.read(),
            [&](const std::string& queue) { return spellingIn(queues.names, queue); },
            [&] { return queues.serverDefault; });
        return QueuesSnapshot{std::move(queues.names), std::move(choice)};
    });
}

DefaultSnapshot readDefault(const CupsSettings& settings, Deadline deadline,
                            Cancellation& cancellation) {
    return onConnection<DefaultSnapshot>(settings, deadline, cancellation, [&](auto& connection) {
        DefaultSnapshot snapshot{false, chooseDefault(
                                            settings.localDefault.read(),
                                            [&](const std::string& queue) {
                                                return requestQueueName(connection, queue);
                                            },
                                            [&] { return requestServerDefault(connection); })};
        // A default is a queue; without one, ask whether there is any.
        snapshot.anyQueue = snapshot.defaultDevice.device || requestAnyQueue(connection);
        return snapshot;
    });
}

std::vector<std::string> readFonts(const std::string& queue, const ScalableFamilies& families,
                                   const CupsSettings& settings, Deadline deadline,
                                   Cancellation& cancellation) {
    auto connection = ServerConnection::open(settings, deadline, cancellation);
    if (!connection) throwServerError(ServerFault::Stopped, "the print server has stopped");
    const std::optional<std::string> ppd = requestPpd(*connection, queue, kLargestPpd);
    if (!ppd) return {};
    return deviceFonts(residentFonts(*ppd), *families());
}

QueuesAndFonts readQueuesAndFonts(const ScalableFamilies& families, const CupsSettings& settings,
                                  Deadline deadline, Cancellation& cancellation) {
    QueuesAndFonts answer{readQueues(settings, deadline, cancellation), {}, {}};
    if (const auto& device = answer.queues.defaultDevice.device) {
        answer.queue = queueOf(*device);
        try {
            answer.fonts = readFonts(answer.queue, families, settings, deadline, cancellation);
        } catch (const PlatformError& error) {
            answer.fonts = error;  // the queues stand; the fonts' failure is the fonts' own
        }
    }
    return answer;
}

}  // namespace veltrane
