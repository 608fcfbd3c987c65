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
    ServerFailurePolicy::fail(ServerFault::Dropped, "the print server " + what);
}

[[noreturn]] void refused(const std::string& why) {
    ServerFailurePolicy::fail(ServerFault::Refused, "the print server refused a request: " + why);
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
    // Created unconnected, so that a failed connect leaves its reason in the
    // connection rather than in an errno that closing has overwritten.
    CHandle<http_t, httpClose> http(httpConnect2(settings.host.c_str(), settings.port, nullptr,
                                                 AF_UNSPEC, settings.encryption, 1, 0, nullptr));
    if (!http) {
        ServerFailurePolicy::fail(ServerFault::Unreachable,
                                  "the print server " + settings.host + " cannot be found");
    }
    httpSetTimeout(http.get(), kCancellationCheckSeconds, keepWaiting, &cancellation);
    if (httpReconnect2(http.get(), millisecondsUntil(deadline), nullptr) != 0) {
        const int error = httpError(http.get());
        if (noServerListening(error)) return nullptr;
        ServerFailurePolicy::fail(
            ServerFault::Unreachable,
            "the print server " + settings.host + " cannot be reached: " + std::strerror(error));
    }
    return std::unique_ptr<ServerConnection>(new ServerConnection(std::move(http), cancellation));
}

ServerConnection::ServerConnection(CHandle<http_t, httpClose> http, Cancellation& cancellation)
    : http_(std::move(http)), cancellation_(cancellation) {
    if (!cancellation_.watch(httpGetFd(http_.get()))) dropped("was given up on");
}

ServerConnection::~ServerConnection() {
    cancellation_.unwatch();
}

IppMessage ServerConnection::exchange(IppMessage request, ipp_status_t tolerated, std::string* data,
                                      std::size_t dataCap) {
    send(request.get());
    IppMessage response = receive(tolerated);
    if (data != nullptr) receiveData(*data, dataCap);
    return response;
}

void ServerConnection::send(ipp_t* request) {
    http_t* http = http_.get();
    const int socket = httpGetFd(http);
    httpClearFields(http);
    httpSetField(http, HTTP_FIELD_CONTENT_TYPE, "application/ipp");
    httpSetLength(http, ippLength(request));
    if (httpPost(http, "/") != 0) dropped("did not take the request");
    // libcups may reconnect on its own: the socket watched is then not the one in use.
    if (httpGetFd(http) != socket) dropped("dropped the connection");
    ippSetState(request, IPP_STATE_IDLE);
    for (ipp_state_t state = IPP_STATE_IDLE; state != IPP_STATE_DATA;) {
        state = ippWrite(http, request);
        if (state == IPP_STATE_ERROR) dropped("did not take the request");
    }
}

IppMessage ServerConnection::receive(ipp_status_t tolerated) {
    http_t* http = http_.get();
    http_status_t status = HTTP_STATUS_CONTINUE;
    while (status == HTTP_STATUS_CONTINUE) status = httpUpdate(http);
    if (status == HTTP_STATUS_ERROR) dropped("did not answer");
    if (status != HTTP_STATUS_OK) refused(httpStatus(status));
    IppMessage response(ippNew());
    for (ipp_state_t state = IPP_STATE_IDLE; state != IPP_STATE_DATA;) {
        state = ippRead(http, response.get());
        if (state == IPP_STATE_ERROR) dropped("broke off its answer");
    }
    const ipp_status_t answer = ippGetStatusCode(response.get());
    if (answer > IPP_STATUS_OK_EVENTS_COMPLETE && answer != tolerated) {
        refused(ippErrorString(answer));
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
            ServerFailurePolicy::fail(ServerFault::Oversized,
                                      "the print server's answer is larger than " +
                                          std::to_string(cap / (1024 * 1024)) + " MiB");
        }
        data.append(buffer, static_cast<std::size_t>(got));
    }
}

}  // namespace veltrane
