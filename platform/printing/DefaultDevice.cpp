#include "DefaultDevice.h"

namespace veltrane {

std::string queueOf(const std::string& destination) {
    return destination.substr(0, destination.find('/'));
}

DefaultChoice chooseDefault(
    const std::optional<std::string>& localDefault,
    const std::function<std::optional<std::string>(const std::string& queue)>& serversSpelling,
    const std::function<std::optional<std::string>()>& serverDefault) {
    if (localDefault) {
        const std::string queue = queueOf(*localDefault);
        if (auto spelt = serversSpelling(queue)) {
            return {*spelt + localDefault->substr(queue.size()), ""};
        }
        return {std::nullopt, "the default printer " + *localDefault + " does not exist"};
    }
    if (auto queue = serverDefault()) return {std::move(queue), ""};
    return {std::nullopt, "no default printer is set"};
}

}  // namespace veltrane
