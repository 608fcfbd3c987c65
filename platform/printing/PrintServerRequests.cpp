#include "PrintServerRequests.h"

#include <set>
#include <string_view>

namespace veltrane {

QueueList requestQueues(ServerConnection& connection) {
    IppMessage request(ippNewRequest(IPP_OP_CUPS_GET_PRINTERS));
    static const char* const kAttributes[] = {"printer-name", "printer-type"};
    ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2,
                  nullptr, kAttributes);
    // A server without queues answers "not found".
    const IppMessage reply = connection.exchange(std::move(request), IPP_STATUS_ERROR_NOT_FOUND);
    return queuesIn(reply.get());
}

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

// Asked for by the queue's URI (CUPS-Get-PPD), which names any queue the server
// accepts, "<" and all.
std::optional<std::string> requestPpd(ServerConnection& connection, const std::string& queue,
                                      std::size_t largest) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", 0,
                     "/printers/%s", queue.c_str());
    IppMessage request(ippNewRequest(IPP_OP_CUPS_GET_PPD));
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    std::string ppd;
    const IppMessage reply =
        connection.exchange(std::move(request), IPP_STATUS_ERROR_NOT_FOUND, &ppd, largest);
    if (ippGetStatusCode(reply.get()) == IPP_STATUS_ERROR_NOT_FOUND) return std::nullopt;
    return ppd;
}

}  // namespace veltrane
