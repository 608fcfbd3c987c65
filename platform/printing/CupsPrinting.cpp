#include "CupsPrinting.h"

#include <strings.h>

#include <algorithm>
#include <set>
#include <string_view>
#include <unordered_set>

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
void chooseDefault(PrintServerView& view, const std::string& serverDefault,
                   const std::optional<std::string>& local) {
    if (local) {
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

// The functions below talk to the server on the calling thread, which is never
// the user interface's.
PrintServerView listQueues(const CupsSettings& settings, Deadline deadline, Hangup& hangup) {
    auto connection = ServerConnection::open(settings, deadline, hangup);
    if (!connection) return {{}, std::nullopt, "no print server is running"};
    QueueList queues = queuesIn(askForQueues(*connection).get());
    PrintServerView view{std::move(queues.names), std::nullopt, ""};
    chooseDefault(view, queues.serverDefault, settings.localDefault);
    return view;
}

// The resident fonts of the queue's description together with the scalable font
// families of the system, which the print pipeline embeds in every job; none for
// a queue without a description (a raw queue).
std::vector<std::string> fontsOf(const std::string& queue, SystemFonts& systemFonts,
                                 const CupsSettings& settings, Deadline deadline, Hangup& hangup) {
    auto connection = ServerConnection::open(settings, deadline, hangup);
    if (!connection) {
        throw PlatformError(ErrorKind::DeviceUnavailable, "the print server has stopped");
    }
    const std::optional<std::string> ppd = askForPpd(*connection, queue);
    if (!ppd) return {};
    std::vector<std::string> fonts = residentFonts(*ppd);
    const auto families = systemFonts.scalableFamilies();
    // Room first: the views below must not move.
    fonts.reserve(fonts.size() + families->size());
    const std::unordered_set<std::string_view> resident(fonts.begin(), fonts.end());
    for (const std::string& family : *families) {
        if (!resident.contains(family)) fonts.push_back(family);
    }
    return fonts;
}

CupsPrinting::ViewAndFonts viewAndFonts(SystemFonts& systemFonts, const CupsSettings& settings,
                                        Deadline deadline, Hangup& hangup) {
    CupsPrinting::ViewAndFonts answer{listQueues(settings, deadline, hangup), {}, {}};
    if (answer.view.defaultDevice) {
        answer.queue = queueOf(*answer.view.defaultDevice);
        try {
            answer.fonts = fontsOf(answer.queue, systemFonts, settings, deadline, hangup);
        } catch (const PlatformError& error) {
            answer.fonts = error;  // the view stands; the fonts' failure is the fonts' own
        }
    }
    return answer;
}

}  // namespace

CupsPrinting::CupsPrinting(const EventEpoch& epoch,
                           std::function<ServerAllowance::Clock::time_point()> now)
    : epoch_(epoch),
      allowance_(epoch, std::move(now)),
      systemFonts_(std::make_shared<SystemFonts>()),
      server_(epoch),
      fonts_(epoch) {}

CupsPrinting::~CupsPrinting() {
    if (ahead_) ahead_->hangup->hangUp();
}

void CupsPrinting::askAhead() {
    ahead_ = thread_.put(
        [systemFonts = systemFonts_, settings = CupsSettings::current(),
         deadline = ServerAllowance::Clock::now() + ServerAllowance::kPerEvent](Hangup& hangup) {
            return viewAndFonts(*systemFonts, settings, deadline, hangup);
        });
}

// Every answer of the server comes through here, within the event's allowance.
// A server that does not answer is left alone a while.
template <typename Result>
Result CupsPrinting::settle(Outcome<Result> outcome) {
    if (auto* error = std::get_if<PlatformError>(&outcome)) {
        if (error->kind() == ErrorKind::NoAnswer) allowance_.noAnswer();
        throw *error;
    }
    return std::get<0>(std::move(outcome));
}

PrintServerView CupsPrinting::takeAhead() {
    const Deadline deadline = allowance_.admit();
    auto question = std::move(*ahead_);
    ahead_.reset();
    ViewAndFonts answer = settle(thread_.await(question, deadline));
    takenAhead_ = ViewAndFonts{{}, std::move(answer.queue), std::move(answer.fonts)};
    takenInEvent_ = epoch_.current();
    return std::move(answer.view);
}

const PrintServerView& CupsPrinting::server() {
    return server_.get([this] {
        if (ahead_) return takeAhead();
        const Deadline deadline = allowance_.admit();
        return settle(
            thread_.ask(deadline, [settings = CupsSettings::current(), deadline](Hangup& hangup) {
                return listQueues(settings, deadline, hangup);
            }));
    });
}

const std::string& CupsPrinting::defaultDevice() {
    const PrintServerView& current = server();
    if (!current.defaultDevice)
        throw PlatformError(ErrorKind::DeviceUnavailable, current.whyNoDefault);
    return *current.defaultDevice;
}

const std::vector<std::string>& CupsPrinting::defaultFonts() {
    const std::string queue = queueOf(defaultDevice());
    return fonts_.get([&] {
        if (takenAhead_ && takenInEvent_ == epoch_.current() && takenAhead_->queue == queue) {
            auto taken = std::move(takenAhead_->fonts);
            takenAhead_.reset();
            return settle(std::move(taken));
        }
        const Deadline deadline = allowance_.admit();
        return settle(
            thread_.ask(deadline, [queue, systemFonts = systemFonts_,
                                   settings = CupsSettings::current(), deadline](Hangup& hangup) {
                return fontsOf(queue, *systemFonts, settings, deadline, hangup);
            }));
    });
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
