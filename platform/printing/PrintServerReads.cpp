#include "PrintServerReads.h"

#include "DefaultDevice.h"
#include "PrintServerRequests.h"
#include "ServerConnection.h"

namespace veltrane {

namespace {

const char* const kNoServer = "no print server is running";

}  // namespace

PrintServerView readView(const CupsSettings& settings, Deadline deadline,
                         Cancellation& cancellation) {
    auto connection = ServerConnection::open(settings, deadline, cancellation);
    if (!connection) return {{}, {std::nullopt, kNoServer}};
    QueueList queues = requestQueues(*connection);
    DefaultChoice choice = chooseDefault(
        settings.localDefault.read(),
        [&](const std::string& queue) { return spellingIn(queues.names, queue); },
        [&] { return queues.serverDefault; });
    return {std::move(queues.names), std::move(choice)};
}

LightView readLightView(const CupsSettings& settings, Deadline deadline,
                        Cancellation& cancellation) {
    auto connection = ServerConnection::open(settings, deadline, cancellation);
    if (!connection) return {false, {std::nullopt, kNoServer}};
    LightView view{
        false, chooseDefault(
                   settings.localDefault.read(),
                   [&](const std::string& queue) { return requestQueueName(*connection, queue); },
                   [&] { return requestServerDefault(*connection); })};
    // A default is a queue; without one, ask whether there is any.
    view.anyQueue = view.defaultDevice.device || requestAnyQueue(*connection);
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
    if (const auto& device = answer.view.defaultDevice.device) {
        answer.queue = queueOf(*device);
        try {
            answer.fonts = readFonts(answer.queue, families, settings, deadline, cancellation);
        } catch (const PlatformError& error) {
            answer.fonts = error;  // the view stands; the fonts' failure is the fonts' own
        }
    }
    return answer;
}

}  // namespace veltrane
