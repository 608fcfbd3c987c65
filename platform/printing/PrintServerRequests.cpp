#include "PrintServerRequests.h"

#include <set>
#include <string_view>

namespace veltrane {

namespace {

// A request for the attributes named, of the queue `queue` when one is given.
IppMessage newRequest(ipp_op_t operation, std::vector<const char*> attributes,
                      const std::string* queue = nullptr) {
    IppMessage request(ippNewRequest(operation));
    if (queue != nullptr) {
        // The queue's URI names any queue the server accepts, "<" and all.
        char uri[HTTP_MAX_URI];
        httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", 0,
                         "/printers/%s", queue->c_str());
        ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    }
    if (!attributes.empty()) {
        ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                      static_cast<int>(attributes.size()), nullptr, attributes.data());
    }
    return request;
}

// The first queue name of a reply; none from a reply of "not found".
std::optional<std::string> firstQueueName(ipp_t* reply) {
    ipp_attribute_t* name = ippFindAttribute(reply, "printer-name", IPP_TAG_ZERO);
    const char* value = name != nullptr ? ippGetString(name, 0, nullptr) : nullptr;
    if (value == nullptr || *value == '\0') return std::nullopt;
    return value;
}

// The name of the one queue a request asks for. The server answers "not found"
// when it has none such, or no queues at all.
std::optional<std::string> requestOneName(ServerConnection& connection, IppMessage request) {
    const IppMessage reply = connection.exchange(std::move(request), IPP_STATUS_ERROR_NOT_FOUND);
    return firstQueueName(reply.get());
}

// The queues of a CUPS-Get-Printers reply.
QueueList queuesIn(ipp_t* reply) {
    QueueList queues;
    std::set<std::string> seen;
    std::string name;
    int type = 0;
    auto takeQueue = [&] {
        if (name.empty() || !seen.insert(name).second) return;
        queues.names.push_back(name);
        if ((type & CUPS_PRINTER_DEFAULT) != 0) queues.serverDefault = name;
    };
    for (ipp_attribute_t* attribute = ippFirstAttribute(reply); attribute != nullptr;
         attribute = ippNextAttribute(reply)) {
        const char* attributeName = ippGetName(attribute);
        if (attributeName == nullptr) {  // the separator between two queues
            takeQueue();
            name.clear();
            type = 0;
        } else if (std::string_view(attributeName) == "printer-name") {
            const char* value = ippGetString(attribute, 0, nullptr);
            name = value != nullptr ? value : "";
        } else if (std::string_view(attributeName) == "printer-type") {
            type = ippGetInteger(attribute, 0);
        }
    }
    takeQueue();
    return queues;
}

}  // namespace

QueueList requestQueues(ServerConnection& connection) {
    const IppMessage reply =
        connection.exchange(newRequest(IPP_OP_CUPS_GET_PRINTERS, {"printer-name", "printer-type"}),
                            IPP_STATUS_ERROR_NOT_FOUND);
    return queuesIn(reply.get());
}

bool requestAnyQueue(ServerConnection& connection) {
    IppMessage request = newRequest(IPP_OP_CUPS_GET_PRINTERS, {"printer-name"});
    ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "limit", 1);
    return requestOneName(connection, std::move(request)).has_value();
}

std::optional<std::string> requestServerDefault(ServerConnection& connection) {
    return requestOneName(connection, newRequest(IPP_OP_CUPS_GET_DEFAULT, {"printer-name"}));
}

std::optional<std::string> requestQueueName(ServerConnection& connection,
                                            const std::string& queue) {
    return requestOneName(connection,
                          newRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, {"printer-name"}, &queue));
}

std::optional<std::string> requestPpd(ServerConnection& connection, const std::string& queue,
                                      std::size_t largest) {
    std::string ppd;
    const IppMessage reply = connection.exchange(newRequest(IPP_OP_CUPS_GET_PPD, {}, &queue),
                                                 IPP_STATUS_ERROR_NOT_FOUND, &ppd, largest);
    if (ippGetStatusCode(reply.get()) == IPP_STATUS_ERROR_NOT_FOUND) return std::nullopt;
    return ppd;
}

}  // namespace veltrane
