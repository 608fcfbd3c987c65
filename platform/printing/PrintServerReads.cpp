#include "PrintServerReads.h"

#include "DefaultDevice.h"
#include "PrintServerRequests.h"
#include "ServerConnection.h"

namespace veltrane {

PrintServerView readView(const CupsSettings& settings, Deadline deadline,
                         Cancellation& cancellation) {
    auto connection = ServerConnection::open(settings, deadline, cancellation);
    if (!connection) return {{}, std::nullopt, "no print server is running"};
    QueueList queues = requestQueues(*connection);
    PrintServerView view{std::move(queues.names), std::nullopt, ""};
    chooseDefault(view, queues.serverDefault, settings.localDefault);
    return view;
}

std::vector<std::string> readFonts(const std::string& queue, const ScalableFamilies& families,
                                   const CupsSettings& settings, Deadline deadline,
                                   Cancellation& cancellation) {
    auto connection = ServerConnection::open(settings, deadline, cancellation);
    if (!connection)
        ServerFailurePolicy::fail(ServerFault::Stopped, "the print server has stopped");
    const std::optional<std::string> ppd = requestPpd(*connection, queue, kLargestPpd);
    if (!ppd) return {};
    return deviceFonts(residentFonts(*ppd), *families());
}

ViewAndFonts readViewAndFonts(const ScalableFamilies& families, const CupsSettings& settings,
                              Deadline deadline, Cancellation& cancellation) {
    ViewAndFonts answer{readView(settings, deadline, cancellation), {}, {}};
    if (answer.view.defaultDevice) {
        answer.queue = queueOf(*answer.view.defaultDevice);
        try {
            answer.fonts = readFonts(answer.queue, families, settings, deadline, cancellation);
        } catch (const PlatformError& error) {
            answer.fonts = error;  // the view stands; the fonts' failure is the fonts' own
        }
    }
    return answer;
}

}  // namespace veltrane
