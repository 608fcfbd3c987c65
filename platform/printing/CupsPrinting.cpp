#include "CupsPrinting.h"

#include <strings.h>

#include <algorithm>
#include <set>
#include <string_view>
#include <unordered_set>

#include "LocalDefault.h"
#include "PlatformError.h"
#include "PpdFonts.h"
#include "ServerConnection.h"
#include "SystemFonts.h"

namespace veltrane {

namespace {

// The queue of a destination named "queue" or "queue/instance".
std::string queueOf(const std::string& destination) {
    return destination.substr(0, destination.find('/'));
}

// One light CUPS-Get-Printers asking only each queue's name and type.
IppMessage askForQueues(ServerConnection& connection) {
    IppMessage request(ippNewRequest(IPP_OP_CUPS_GET_PRINTERS));
    static const char* const kAttributes[] = {"printer-name", "printer-type"};
    ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2,
                  nullptr, kAttributes);
    // A server without queues answers "not found".
    return connection.exchange(std::move(request), IPP_STATUS_ERROR_NOT_FOUND);
}

// The queue's printer description as the server keeps it, asked for by the
// queue's URI (CUPS-Get-PPD), which names any queue the server accepts, "<" and
// all; empty for a queue without one (a raw queue).
std::optional<std::string> askForPpd(ServerConnection& connection, const std::string& queue) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", 0,
                     "/printers/%s", queue.c_str());
    IppMessage request(ippNewRequest(IPP_OP_CUPS_GET_PPD));
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    std::string ppd;
    const IppMessage response = connection.exchange(std::move(request), IPP_STATUS_ERROR_NOT_FOUND,
                                                    &ppd, CupsPrinting::kLargestPpd);
    if (ippGetStatusCode(response.get()) == IPP_STATUS_ERROR_NOT_FOUND) return std::nullopt;
    return ppd;
}

struct QueueList {
    std::vector<std::string> names;
    std::string serverDefault;  // the queue whose type carries the default bit
};

QueueList queuesIn(ipp_t* response) {
    QueueList queues;
    std::set<std::string> seen;
    std::string name;
    int type = 0;
    auto takeQueue = [&] {
        if (name.empty() || !seen.insert(name).second) return;
        queues.names.push_back(name);
        if ((type & CUPS_PRINTER_DEFAULT) != 0) queues.serverDefault = name;
    };
    for (ipp_attribute_t* attribute = ippFirstAttribute(response); attribute != nullptr;
         attribute = ippNextAttribute(response)) {
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

// The user's own choice wins over the server's, as it does for lp, shown in the
// server's spelling; a choice naming a queue the server lacks leaves no default.
void chooseDefault(PrintServerView& view, const std::string& serverDefault) {
    if (auto local = readLocalDefault()) {
        const std::string queue = queueOf(*local);
        if (auto spelt = serversQueue(view.queues, queue)) {
            view.defaultDevice = *spelt + local->substr(queue.size());
        } else {
            view.whyNoDefault = "the default destination " + *local + " does not exist";
        }
    } else if (!serverDefault.empty()) {
        view.defaultDevice = serverDefault;
    } else {
        view.whyNoDefault = "no default destination is set";
    }
}

// Talks to the server on the calling thread, which is never the user interface's.
PrintServerView listQueues(const ServerAddress& address, Deadline deadline, Hangup& hangup) {
    auto connection = ServerConnection::open(address, deadline, hangup);
    if (!connection) return {{}, std::nullopt, "no print server is running"};
    QueueList queues = queuesIn(askForQueues(*connection).get());
    PrintServerView view{std::move(queues.names), std::nullopt, ""};
    chooseDefault(view, queues.serverDefault);
    return view;
}

// The resident fonts of the queue's description; empty for a raw queue.
std::optional<std::vector<std::string>> residentFontsOf(const std::string& queue,
                                                        const ServerAddress& address,
                                                        Deadline deadline, Hangup& hangup) {
    auto connection = ServerConnection::open(address, deadline, hangup);
    if (!connection) {
        throw PlatformError(ErrorKind::DeviceUnavailable, "the print server has stopped");
    }
    const std::optional<std::string> ppd = askForPpd(*connection, queue);
    if (!ppd) return std::nullopt;
    return residentFonts(*ppd);
}

}  // namespace

// Every question to the server goes through here: within the event's allowance,
// on the server's thread. A server that does not answer is left alone a while.
template <typename Work>
auto CupsPrinting::ask(Work work) {
    const Deadline deadline = allowance_.admit();
    auto outcome = thread_.ask(
        deadline, [work = std::move(work), deadline, address = ServerAddress::current()](
                      Hangup& hangup) { return work(address, deadline, hangup); });
    if (auto* error = std::get_if<PlatformError>(&outcome)) {
        if (error->kind() == ErrorKind::NoAnswer) allowance_.noAnswer();
        throw *error;
    }
    return std::get<0>(std::move(outcome));
}

const PrintServerView& CupsPrinting::server() {
    return server_.get([this] { return ask(listQueues); });
}

// The resident fonts of the queue's description together with the scalable font
// families of the system, which the print pipeline embeds in every job.
std::vector<std::string> CupsPrinting::fontsOfQueue(const std::string& queue) {
    auto fonts = ask([queue](const ServerAddress& address, Deadline deadline, Hangup& hangup) {
        return residentFontsOf(queue, address, deadline, hangup);
    });
    if (!fonts) return {};
    const std::vector<std::string>& families = systemFonts_.scalableFamilies();
    // Room first: the views below must not move.
    fonts->reserve(fonts->size() + families.size());
    const std::unordered_set<std::string_view> resident(fonts->begin(), fonts->end());
    for (const std::string& family : families) {
        if (!resident.contains(family)) fonts->push_back(family);
    }
    return std::move(*fonts);
}

const std::string& CupsPrinting::defaultDevice() {
    const PrintServerView& current = server();
    if (!current.defaultDevice)
        throw PlatformError(ErrorKind::DeviceUnavailable, current.whyNoDefault);
    return *current.defaultDevice;
}

const std::vector<std::string>& CupsPrinting::defaultFonts() {
    const std::string& device = defaultDevice();
    return fonts_.get([&] { return fontsOfQueue(queueOf(device)); });
}

std::int64_t CupsPrinting::Count() {
    return static_cast<std::int64_t>(server().queues.size());
}

std::int64_t CupsPrinting::FontCount() {
    return static_cast<std::int64_t>(defaultFonts().size());
}

std::string CupsPrinting::Fonts(Int16& index) {
    const auto& fonts = defaultFonts();
    return fonts[entryIndex(index, fonts.size(), "the default device's font list")];
}

std::string CupsPrinting::DeviceName() {
    return defaultDevice();
}

}  // namespace veltrane
