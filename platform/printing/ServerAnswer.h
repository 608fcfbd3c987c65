#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Printers.h"
#include "ServerFault.h"

namespace veltrane {

// What the print server said at its last read: what a check of the default
// and a load of the window ask, all from one read, so that the two never
// disagree. Made on the print server's thread, read by the window.
struct ServerAnswer {
    // Set when the server could not be read at all: its first read is under
    // way, or the last one failed before it could name the default.
    std::optional<PlatformError> failure;
    bool running = false;  // without a server there are no devices
    bool anyQueue = false;
    DefaultChoice defaultDevice{std::nullopt, kNoServer};
    std::string configured;  // when the default's configuration last changed, as the server tells
    bool settled = true;     // no change of it within the same second can have gone unseen
    bool described = true;   // it has a description to read its fonts from
    JobResult<std::int64_t> queueCount{std::int64_t{0}};
    // The default device's resident fonts; nothing for a raw queue, which has
    // no description and so no fonts at all.
    JobResult<std::optional<std::vector<std::string>>> residentFonts{
        PlatformError(ErrorKind::DeviceUnavailable, kNoServer)};

    // What the window shows before the server's first answer.
    static ServerAnswer asking() {
        ServerAnswer answer;
        answer.failure = PlatformError(ErrorKind::NoAnswer, "the print server is being asked");
        return answer;
    }

    // Whether the server answered every part, or refused it: a part it did not
    // answer is asked again at the next read.
    bool complete() const {
        const auto answered = [](const auto& part) {
            const auto* error = std::get_if<PlatformError>(&part);
            return error == nullptr || error->kind() != ErrorKind::NoAnswer;
        };
        return !failure && answered(queueCount) && answered(residentFonts);
    }

    bool operator==(const ServerAnswer& other) const;
};

inline bool operator==(const PlatformError& a, const PlatformError& b) {
    return a.kind() == b.kind() && std::string(a.what()) == b.what();
}

inline bool ServerAnswer::operator==(const ServerAnswer& other) const {
    return failure == other.failure && running == other.running && anyQueue == other.anyQueue &&
           defaultDevice == other.defaultDevice && configured == other.configured &&
           settled == other.settled && described == other.described &&
           queueCount == other.queueCount && residentFonts == other.residentFonts;
}

}  // namespace veltrane
