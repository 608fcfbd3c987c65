#include "PrintServerReads.h"

#include "DefaultDevice.h"
#include "DeviceFonts.h"
#include "PrintServerRequests.h"

namespace veltrane {

namespace {

ServerAnswer noServer(const CupsSettings& settings) {
    ServerAnswer answer;
    answer.defaultDevice.server = settings.server();
    return answer;
}

// A server that refuses to name its default (it asks a password, say) has
// none that the window can show, and says why; whether it has devices at all
// it does not tell either.
ServerAnswer refusingServer(const CupsSettings& settings, const PlatformError& refusal) {
    ServerAnswer answer;
    answer.running = true;
    answer.anyQueue = true;
    answer.defaultDevice = {std::nullopt, refusal.what(), settings.server()};
    answer.queueCount = refusal;
    answer.residentFonts = PlatformError(ErrorKind::DeviceUnavailable, refusal.what());
    return answer;
}

// The default as `lp` chooses it, with when its configuration last changed.
void checkDefault(ServerConnection& connection, const CupsSettings& settings,
                  ServerAnswer& answer) {
    const auto named = [&](std::optional<NamedQueue> queue) -> std::optional<std::string> {
        if (!queue) return std::nullopt;
        answer.configured = queue->configured;
        answer.settled = queue->settled;
        answer.described = queue->described;
        return queue->name;
    };
    answer.defaultDevice = chooseDefault(
        settings.localDefault.read(),
        [&](const std::string& queue) { return named(requestQueue(connection, queue)); },
        [&] { return named(requestServerDefault(connection)); });
    answer.defaultDevice.server = settings.server();
    // A default is a queue; without one, ask whether there is any.
    answer.anyQueue = answer.defaultDevice.device || requestAnyQueue(connection);
}

bool sameCheck(const ServerAnswer& a, const ServerAnswer& b) {
    return a.running == b.running && a.anyQueue == b.anyQueue && a.configured == b.configured &&
           a.described == b.described && a.defaultDevice.device == b.defaultDevice.device &&
           a.defaultDevice.whyNone == b.defaultDevice.whyNone &&
           a.defaultDevice.server == b.defaultDevice.server;
}

// A part of the answer, or the failure that stopped it. Once the server has
// not answered one part, the connection is gone: the rest is not asked.
template <typename Result, typename Read>
void readPart(JobResult<Result>& part, std::optional<PlatformError>& unanswered, Read read) {
    if (unanswered) {
        part = *unanswered;
        return;
    }
    try {
        part = read();
    } catch (const PlatformError& error) {
        part = error;
        if (error.kind() == ErrorKind::NoAnswer) unanswered = error;
    }
}

void readForLoad(ServerConnection& connection, ServerAnswer& answer) {
    std::optional<PlatformError> unanswered;
    readPart(answer.queueCount, unanswered,
             [&] { return static_cast<std::int64_t>(requestQueueNames(connection).size()); });
    const std::optional<std::string>& device = answer.defaultDevice.device;
    if (!device) {
        answer.residentFonts =
            PlatformError(ErrorKind::DeviceUnavailable, answer.defaultDevice.whyNone);
        return;
    }
    readPart(answer.residentFonts, unanswered, [&]() -> std::optional<std::vector<std::string>> {
        if (!answer.described) return std::nullopt;
        const std::optional<std::string> ppd =
            requestPpd(connection, queueOf(*device), kLargestPpd);
        if (!ppd) return std::nullopt;
        return residentFonts(*ppd);
    });
}

std::string failureOf(const auto& part) {
    const auto* error = std::get_if<PlatformError>(&part);
    return error != nullptr ? std::string("; ") + error->what() : "";
}

// What the window shows of the device's description: its fonts, in brief.
std::string fontsOf(const JobResult<std::optional<std::vector<std::string>>>& part) {
    const auto* fonts = std::get_if<std::optional<std::vector<std::string>>>(&part);
    if (fonts == nullptr || !*fonts) return "";
    std::size_t hash = (*fonts)->size();
    for (const std::string& font : **fonts) hash = hash * 31 + std::hash<std::string>{}(font);
    return "fonts " + std::to_string(hash);
}

}  // namespace

ServerAnswer readServer(ServerConnection& connection, const CupsSettings& settings,
                        const ServerAnswer& last) {
    if (!connection.reach(settings)) return noServer(settings);
    ServerAnswer answer;
    answer.running = true;
    try {
        checkDefault(connection, settings, answer);
    } catch (const PlatformError& error) {
        if (error.kind() == ErrorKind::DeviceUnavailable) return noServer(settings);  // stopped
        if (error.kind() == ErrorKind::ServiceFailure) return refusingServer(settings, error);
        throw;
    }
    if (!connection.openedInRead() && last.complete() && last.settled && sameCheck(answer, last)) {
        return last;
    }
    readForLoad(connection, answer);
    answer.defaultDevice.revision = fontsOf(answer.residentFonts) + failureOf(answer.queueCount) +
                                    failureOf(answer.residentFonts);
    return answer;
}

}  // namespace veltrane
