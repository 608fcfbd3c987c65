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

int millisecondsUntil(Deadline deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<long long>(left.count(), 1, 60'000));
}

[[noreturn]] void dropped(const std::string& what) {
    throwServerError(ServerFault::Dropped, "the print server " + what);
}

// A status is kept as a number: libcups stores whatever number a server sends
// in its status types, and a number beyond their values is no value of theirs.
[[noreturn]] void refused(const std::string& why) {
    throwServerError(ServerFault::Refused, "the print server refused a request: " + why);
}

// Called by libcups when a wait for the server has lasted a while: go on
// waiting, unless the caller has cancelled.
int keepWaiting(http_t*, void* cancellation) {
    return static_cast<Cancellation*>(cancellation)->cancelled() ? 0 : 1;
}

constexpr double kCancellationCheckSeconds = 0.25;

}  // namespace

std::unique_ptr<ServerConnection> ServerConnection::open(const CupsSettings& settings,
                                                         Deadline deadline,
                                                         Cancellation& cancellation) {
    std::unique_ptr<ServerConnection> connection(
        new ServerConnection(settings, deadline, cancellation));
    if (!connection->connect()) return nullptr;
    return connection;
}

ServerConnection::ServerConnection(const CupsSettings& settings, Deadline deadline,
                                   Cancellation& cancellation)
    : settings_(settings), deadline_(deadline), cancellation_(cancellation) {}

ServerConnection::~ServerConnection() {
    cancellation_.unwatch();
}

bool ServerConnection::connect() {
    cancellation_.unwatch();
    // Created unconnected, so that a failed connect leaves its reason in the
    // connection rather than in an errno that closing has overwritten.
    const std::string& host = settings_.host;
    http_.reset(httpConnect2(host.c_str(), settings_.port, nullptr, AF_UNSPEC, settings_.encryption,
                             1, 0, nullptr));
    if (!http_) {
        throwServerError(ServerFault::Unreachable, "the print server " + host + " cannot be found");
    }
    httpSetTimeout(http_.get(), kCancellationCheckSeconds, keepWaiting, &cancellation_);
    if (httpReconnect2(http_.get(), millisecondsUntil(deadline_), nullptr) != 0) {
        const int error = httpError(http_.get());
        if (noServerListening(error)) return false;
        throwServerError(
            ServerFault::Unreachable,
            "the print server " + host + " cannot be reached: " + std::strerror(error));
    }
    if (!cancellation_.watch(httpGetFd(http_.get()))) dropped("was given up on");
    return true;
}

IppMessage ServerConnection::exchange(IppMessage request, ipp_status_t tolerated, std::string* data,
                                      std::size_t dataCap) {
    int status = post(request.get());
    if (status == HTTP_STATUS_UPGRADE_REQUIRED) {
        upgradeToTls();
        status = post(request.get());
    }
    IppMessage response = receive(status, tolerated);
    if (data != nullptr) receiveData(*data, dataCap);
    return response;
}

int ServerConnection::post(ipp_t* request) {
    send(request);
    int status = HTTP_STATUS_CONTINUE;
    while (status == HTTP_STATUS_CONTINUE) status = httpUpdate(http_.get());
    if (status == HTTP_STATUS_ERROR) dropped("did not answer");
    return status;
}

// As lp does: the server's answer "upgrade required" asks for TLS, with
// libcups's own certificate handling. cupsd closes the connection after asking,
// and libcups, once a connection has had an error status, reconnects on its
// own: the upgrade goes on a new connection.
void ServerConnection::upgradeToTls() {
    if (settings_.encryption == HTTP_ENCRYPTION_NEVER) {
        throwServerError(ServerFault::NotSecure,
                         "the print server requires encryption, which your CUPS "
                         "settings turn off");
    }
    if (!connect()) dropped("has stopped");
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
    if (httpPost(http, "/") != 0) dropped("did not take the request");
    requireSocket(socket);
    ippSetState(request, IPP_STATE_IDLE);
    for (ipp_state_t state = IPP_STATE_IDLE; state != IPP_STATE_DATA;) {
        state = ippWrite(http, request);
        if (state == IPP_STATE_ERROR) dropped("did not take the request");
    }
}

// libcups may reconnect on its own: the socket watched is then not the one in
// use, and a cancellation would no longer reach the exchange.
void ServerConnection::requireSocket(int socket) {
    if (httpGetFd(http_.get()) != socket) dropped("dropped the connection");
}

IppMessage ServerConnection::receive(int status, ipp_status_t tolerated) {
    http_t* http = http_.get();
    if (status != HTTP_STATUS_OK) refused("HTTP status " + std::to_string(status));
    IppMessage response(ippNew());
    for (ipp_state_t state = IPP_STATE_IDLE; state != IPP_STATE_DATA;) {
        state = ippRead(http, response.get());
        if (state == IPP_STATE_ERROR) dropped("broke off its answer");
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
        if (got < 0 || (got == 0 && httpError(http) != 0)) dropped("broke off its answer");
        if (got == 0) return;
        if (data.size() + static_cast<std::size_t>(got) > cap) {
            throwServerError(ServerFault::Oversized, "the print server's answer is larger than " +
                                                         std::to_string(cap / (1024 * 1024)) +
                                                         " MiB");
        }
        data.append(buffer, static_cast<std::size_t>(got));
    }
}

}  // namespace veltrane
