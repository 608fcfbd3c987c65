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

// The one queue a request asks for, with when it was last configured. The
// server answers "not found" when it has none such, or no queues at all.
std::optional<NamedQueue> requestOneQueue(ServerConnection& connection, IppMessage request) {
    const IppMessage reply = connection.exchange(std::move(request), IPP_STATUS_ERROR_NOT_FOUND);
    std::optional<std::string> name = firstQueueName(reply.get());
    if (!name) return std::nullopt;
    NamedQueue queue;
    queue.name = std::move(*name);
    ipp_attribute_t* type = ippFindAttribute(reply.get(), "printer-type", IPP_TAG_ENUM);
    queue.described = type == nullptr || (ippGetInteger(type, 0) & CUPS_PRINTER_CLASS) == 0 ||
                      ippFindAttribute(reply.get(), "member-names", IPP_TAG_ZERO) != nullptr;
    ipp_attribute_t* changed =
        ippFindAttribute(reply.get(), "printer-config-change-time", IPP_TAG_INTEGER);
    if (changed == nullptr) return queue;
    // Both times are on the server's clock: its "up time" for a printer, the
    // time of day for cupsd.
    ipp_attribute_t* now = ippFindAttribute(reply.get(), "printer-up-time", IPP_TAG_INTEGER);
    const int configured = ippGetInteger(changed, 0);
    queue.configured = std::to_string(configured);
    queue.settled = now == nullptr || ippGetInteger(now, 0) > configured;
    return queue;
}

const std::vector<const char*> kQueueAttributes = {"printer-name", "printer-type", "member-names",
                                                   "printer-config-change-time", "printer-up-time"};

}  // namespace

std::optional<NamedQueue> requestServerDefault(ServerConnection& connection) {
    return requestOneQueue(connection, newRequest(IPP_OP_CUPS_GET_DEFAULT, kQueueAttributes));
}

std::optional<NamedQueue> requestQueue(ServerConnection& connection, const std::string& queue) {
    return requestOneQueue(connection,
                           newRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, kQueueAttributes, &queue));
}

bool requestAnyQueue(ServerConnection& connection) {
    IppMessage request = newRequest(IPP_OP_CUPS_GET_PRINTERS, {"printer-name"});
    ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "limit", 1);
    const IppMessage reply = connection.exchange(std::move(request), IPP_STATUS_ERROR_NOT_FOUND);
    return firstQueueName(reply.get()).has_value();
}

std::vector<std::string> requestQueueNames(ServerConnection& connection) {
    const IppMessage reply = connection.exchange(
        newRequest(IPP_OP_CUPS_GET_PRINTERS, {"printer-name"}), IPP_STATUS_ERROR_NOT_FOUND);
    std::vector<std::string> names;
    std::set<std::string_view> seen;
    for (ipp_attribute_t* attribute = ippFindAttribute(reply.get(), "printer-name", IPP_TAG_ZERO);
         attribute != nullptr;
         attribute = ippFindNextAttribute(reply.get(), "printer-name", IPP_TAG_ZERO)) {
        const char* value = ippGetString(attribute, 0, nullptr);
        if (value == nullptr || *value == '\0' || !seen.insert(value).second) continue;
        names.emplace_back(value);
    }
    return names;
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
