#include "DefaultDevice.h"

#include <strings.h>

#include <algorithm>

namespace veltrane {

namespace {

// The server's queue that a destination the user named stands for: CUPS
// matches queue names ignoring letter case.
std::optional<std::string> serversQueue(const std::vector<std::string>& queues,
                                        const std::string& named) {
    const auto found = std::find_if(queues.begin(), queues.end(), [&](const std::string& queue) {
        return strcasecmp(queue.c_str(), named.c_str()) == 0;
    });
    if (found == queues.end()) return std::nullopt;
    return *found;
}

}  // namespace

std::string queueOf(const std::string& destination) {
    return destination.substr(0, destination.find('/'));
}

void chooseDefault(PrintServerView& view, const std::string& serverDefault,
                   const std::optional<std::string>& localDefault) {
    if (localDefault) {
        const std::string queue = queueOf(*localDefault);
        if (auto spelt = serversQueue(view.queues, queue)) {
            view.defaultDevice = *spelt + localDefault->substr(queue.size());
        } else {
            view.whyNoDefault = "the default destination " + *localDefault + " does not exist";
        }
    } else if (!serverDefault.empty()) {
        view.defaultDevice = serverDefault;
    } else {
        view.whyNoDefault = "no default destination is set";
    }
}

}  // namespace veltrane
