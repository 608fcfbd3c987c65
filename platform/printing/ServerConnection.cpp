#include "ServerConnection.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace veltrane {

namespace {

bool noServerListening(int error) {
    // libcups reports a refused or missing socket as "host is down".
    return error == EHOSTDOWN || error == ECONNREFUSED || error == ENOENT;
}

// A status is kept as a number: libcups stores whatever number a server sends
// in its status types, and a number beyond their values is no value of theirs.
[[noreturn]] void refused(const std::string& why) {
    throwServerError(ServerFault::Refused, "the print server refused a request: " + why);
}

// An error page that comes with a refusal is read to its end, up to this.
constexpr std::size_t kLargestRefusal = 64 * 1024;

constexpr auto kSilence =
    std::chrono::duration_cast<std::chrono::milliseconds>(ServerFailurePolicy::kSilence);

}  // namespace

ServerConnection::ServerConnection(Cancellation& cancellation) : cancellation_(cancellation) {}

ServerConnection::~ServerConnection() {
    close();
}

void ServerConnection::close() {
    cancellation_.unwatch();
    http_.reset();
}

bool ServerConnection::reach(const CupsSettings& settings) {
    silent_ = false;
    openedInRead_ = false;
    if (!settings.sameServer(settings_)) {
        close();
        encrypted_ = false;
    }
    settings_ = settings;
    if (http_ && cancellation_.watch(httpGetFd(http_.get()))) return true;
    return connect();
}

bool ServerConnection::connect() {
    close();
    // Created unconnected, so that a failed connect leaves its reason in the
    // connection rather than in an errno that closing has overwritten.
    const std::string& host = settings_.host;
    http_.reset(httpConnect2(host.c_str(), settings_.port, nullptr, AF_UNSPEC, settings_.encryption,
                             1, 0, nullptr));
    if (!http_) {
        throwServerError(ServerFault::Unreachable, "the print server " + host + " cannot be found");
    }
    // libcups waits that long for each byte, ippRead included, which asks no callback.
    httpSetTimeout(http_.get(), static_cast<double>(kSilence.count()) / 1000, giveUp, this);
    if (httpReconnect2(http_.get(), static_cast<int>(kSilence.count()), nullptr) != 0) {
        const int error = httpError(http_.get());
        http_.reset();
        if (noServerListening(error)) return false;
        throwServerError(
            ServerFault::Unreachable,
            "the print server " + host + " cannot be reached: " + std::strerror(error));
    }
    openedInRead_ = true;
    exchanged_ = false;
    if (!cancellation_.watch(httpGetFd(http_.get()))) failed("was given up on");
    if (encrypted_) encrypt();
    return true;
}

// A kept connection that the server closed meanwhile fails before any of the
// answer arrives: the request goes again, once, on a new connection.
IppMessage ServerConnection::exchange(IppMessage request, ipp_status_t tolerated, std::string* data,
                                      std::size_t dataCap) {
    const bool kept = exchanged_;
    try {
        return attempt(request.get(), tolerated, data, dataCap);
    } catch (const PlatformError& error) {
        const bool serversFault = error.kind() == ErrorKind::NoAnswer;
        if (serversFault || httpGetState(http_.get()) != HTTP_STATE_WAITING) close();
        if (!serversFault || !kept || answering_ || cancellation_.cancelled()) {
            throw;
        }
    }
    if (!connect()) throwServerError(ServerFault::Stopped, kNoServer);
    return attempt(request.get(), tolerated, data, dataCap);
}

IppMessage ServerConnection::attempt(ipp_t* request, ipp_status_t tolerated, std::string* data,
                                     std::size_t dataCap) {
    if (!http_) failed("closed the connection");
    answering_ = false;
    int status = post(request);
    if (status == HTTP_STATUS_UPGRADE_REQUIRED) {
        upgradeToTls();
        status = post(request);
    }
    IppMessage response = receive(status, tolerated);
    if (data != nullptr) receiveData(*data, dataCap);
    finishExchange();
    exchanged_ = true;
    return response;
}

int ServerConnection::post(ipp_t* request) {
    send(request);
    int status = HTTP_STATUS_CONTINUE;
    while (status == HTTP_STATUS_CONTINUE) status = httpUpdate(http_.get());
    if (status == HTTP_STATUS_ERROR) failed("did not answer");
    answering_ = true;
    return status;
}

// As lp does: the server's answer "upgrade required" asks for TLS, with
// libcups's own certificate handling. cupsd closes the connection after asking:
// the upgrade goes on a new connection, and every later one starts with it.
void ServerConnection::upgradeToTls() {
    if (settings_.encryption == HTTP_ENCRYPTION_NEVER) {
        throwServerError(ServerFault::NotSecure,
                         "the print server requires encryption, which your CUPS "
                         "settings turn off");
    }
    encrypted_ = true;
    if (!connect()) throwServerError(ServerFault::Stopped, kNoServer);
}

void ServerConnection::encrypt() {
    http_t* http = http_.get();
    const int socket = httpGetFd(http);
    if (httpEncryption(http, HTTP_ENCRYPTION_REQUIRED) != 0) {
        throwServerError(ServerFault::NotSecure,
                         std::string("the print server could not be reached securely: ") +
                             cupsLastErrorString());
    }
    requireSocket(socket);
}

void ServerConnection::send(ipp_t* request) {
    http_t* http = http_.get();
    const int socket = httpGetFd(http);
    httpClearFields(http);
    httpSetField(http, HTTP_FIELD_CONTENT_TYPE, "application/ipp");
    httpSetLength(http, ippLength(request));
    if (httpPost(http, "/") != 0) failed("did not take the request");
    requireSocket(socket);
    ippSetState(request, IPP_STATE_IDLE);
    for (ipp_state_t state = IPP_STATE_IDLE; state != IPP_STATE_DATA;) {
        state = ippWrite(http, request);
        if (state == IPP_STATE_ERROR) failed("did not take the request");
    }
}

// libcups may reconnect on its own: the socket watched is then not the one in
// use, and a cancellation would no longer reach the exchange.
void ServerConnection::requireSocket(int socket) {
    if (httpGetFd(http_.get()) != socket) failed("dropped the connection");
}

IppMessage ServerConnection::receive(int status, ipp_status_t tolerated) {
    http_t* http = http_.get();
    if (status != HTTP_STATUS_OK) {
        std::string page;
        receiveData(page, kLargestRefusal);
        refused("HTTP status " + std::to_string(status));
    }
    IppMessage response(ippNew());
    for (ipp_state_t state = IPP_STATE_IDLE; state != IPP_STATE_DATA;) {
        state = ippRead(http, response.get());
        if (state == IPP_STATE_ERROR) failed("broke off its answer");
    }
    const int answer = ippGetStatusCode(response.get());
    if (answer > IPP_STATUS_OK_EVENTS_COMPLETE && answer != tolerated) {
        refused("IPP status " + std::to_string(answer));
    }
    return response;
}

void ServerConnection::receiveData(std::string& data, std::size_t cap) {
    http_t* http = http_.get();
    char buffer[32768];
    for (;;) {
        const ssize_t got = httpRead2(http, buffer, sizeof(buffer));
        if (got < 0 || (got == 0 && httpError(http) != 0)) failed("broke off its answer");
        if (got == 0) return;
        if (data.size() + static_cast<std::size_t>(got) > cap) {
            throwServerError(ServerFault::Oversized, "the print server's answer is larger than " +
                                                         std::to_string(cap / (1024 * 1024)) +
                                                         " MiB");
        }
        data.append(buffer, static_cast<std::size_t>(got));
    }
}

// What is left of an answer is read, so that the connection can be kept; one
// that cannot be read to its end is closed.
void ServerConnection::finishExchange() {
    if (httpGetState(http_.get()) == HTTP_STATE_WAITING) return;
    std::string rest;
    receiveData(rest, kLargestRefusal);
    if (httpGetState(http_.get()) != HTTP_STATE_WAITING) close();
}

// Why a wait for the server ended, as its fault.
void ServerConnection::failed(const std::string& what) {
    if (cancellation_.cancelled()) {
        throwServerError(ServerFault::TooSlow, "the print server took too long to answer");
    }
    if (silent_ || (http_ && httpError(http_.get()) == ETIMEDOUT)) {
        throwServerError(ServerFault::Silent, "the print server did not answer");
    }
    throwServerError(ServerFault::Dropped, "the print server " + what);
}

// Called by libcups when a wait has gone kSilence without a byte.
int ServerConnection::giveUp(http_t*, void* connection) {
    static_cast<ServerConnection*>(connection)->silent_ = true;
    return 0;
}

}  // namespace veltrane
