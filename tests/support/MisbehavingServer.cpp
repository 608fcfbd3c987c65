#include "MisbehavingServer.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>

#include "Sockets.h"

namespace veltrane::testing {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

bool sendAll(int fd, const std::string& bytes) {
    for (std::size_t sent = 0; sent < bytes.size();) {
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

// Whether a request's bytes so far show its IPP operation, and which.
std::optional<int> operationOf(const std::string& request) {
    const auto body = request.find("\r\n\r\n");
    if (body == std::string::npos || request.size() < body + 8) return std::nullopt;
    return (static_cast<unsigned char>(request[body + 6]) << 8) |
           static_cast<unsigned char>(request[body + 7]);
}

constexpr int kCupsGetPpd = 0x400F;

// Counts the times a pattern occurs in a stream that arrives in pieces.
class Occurrences {
public:
    explicit Occurrences(std::string pattern) : pattern_(std::move(pattern)) {}

    int in(const char* bytes, std::size_t size) {
        seen_.append(bytes, size);
        int found = 0;
        for (auto at = seen_.find(pattern_); at != std::string::npos;
             at = seen_.find(pattern_, at + 1)) {
            ++found;
        }
        // Keep only what may still begin a pattern.
        const std::size_t keep = std::min(seen_.size(), pattern_.size() - 1);
        seen_.erase(0, seen_.size() - keep);
        return found;
    }

private:
    std::string pattern_;
    std::string seen_;
};

std::string chunk(const std::string& bytes) {
    char size[16];
    std::snprintf(size, sizeof(size), "%zx\r\n", bytes.size());
    return size + bytes + "\r\n";
}

// A successful IPP answer with its two required attributes, and what follows it.
std::string endlessAnswerStart() {
    const std::string ipp = std::string("\x02\x00\x00\x00\x00\x00\x00\x01\x01", 9) +
                            std::string("\x47\x00\x12", 3) + "attributes-charset" +
                            std::string("\x00\x05", 2) + "utf-8" + std::string("\x48\x00\x1b", 3) +
                            "attributes-natural-language" + std::string("\x00\x02", 2) + "en" +
                            "\x03";
    return "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\n"
           "Transfer-Encoding: chunked\r\n\r\n" +
           chunk(ipp + "*PPD-Adobe: \"4.3\"\n");
}

std::string endlessFonts() {
    std::string fonts;
    for (int i = 0; fonts.size() < 60000; ++i) {
        fonts += "*Font Endless-" + std::to_string(i) + ": Standard \"(001.000)\" Standard ROM\n";
    }
    return chunk(fonts);
}

}  // namespace

MisbehavingServer::MisbehavingServer(const std::string& upstream, const std::string& socket)
    : upstream_(upstream), listener_(listenOn(socket)), address_(socket) {
    start();
}

MisbehavingServer::MisbehavingServer(const std::string& upstream, const FreePort& port)
    : upstream_(upstream),
      listener_(listenOnFreePort(port.host)),
      address_(port.host + ":" + std::to_string(portOf(listener_))) {
    start();
}

MisbehavingServer::~MisbehavingServer() {
    stopping_ = true;
    acceptor_.join();
    const std::lock_guard lock(servingMutex_);
    for (std::thread& thread : serving_) thread.join();
    if (address_.starts_with('/')) ::unlink(address_.c_str());
}

void MisbehavingServer::start() {
    if (!listener_.valid()) throw std::runtime_error("cannot listen on " + address_);
    acceptor_ = std::thread([this] { acceptConnections(); });
}

void MisbehavingServer::acceptConnections() {
    while (!stopping_) {
        pollfd listening{listener_.get(), POLLIN, 0};
        if (::poll(&listening, 1, 20) <= 0) continue;
        auto client = std::make_shared<Descriptor>(acceptFrom(listener_));
        if (!client->valid()) continue;
        ++connections_;
        const std::lock_guard lock(servingMutex_);
        serving_.emplace_back(
            [this, client, behaviour = behaviour_.load()] { serve(client->get(), behaviour); });
    }
}

void MisbehavingServer::serve(int client, Behaviour behaviour) {
    const Descriptor connection = connectTo(upstream_);
    if (!connection.valid()) return;
    const int upstream = connection.get();
    std::string request;
    bool silent = behaviour == Behaviour::Silent;
    std::deque<std::pair<Clock::time_point, char>> answer;  // each byte, when it may go
    Clock::time_point lastTrickle{};
    bool upstreamOpen = true;
    Occurrences posts("POST / HTTP/1.1\r\n");
    // The attribute printer-name, of the type name without language.
    Occurrences queueNames(std::string("\x42\x00\x0c", 3) + "printer-name");
    while (!stopping_ && (upstreamOpen || !answer.empty())) {
        pollfd ends[] = {{client, POLLIN, 0}, {upstreamOpen && !silent ? upstream : -1, POLLIN, 0}};
        ::poll(ends, 2, 10);
        char buffer[65536];
        if (ends[0].revents != 0) {
            const ssize_t n = ::read(client, buffer, sizeof(buffer));
            if (n <= 0) break;
            const bool judged = operationOf(request).has_value();
            request.append(buffer, static_cast<std::size_t>(n));
            requests_ += posts.in(buffer, static_cast<std::size_t>(n));
            if (!judged && operationOf(request) == kCupsGetPpd) {
                ++ppdRequests_;
                if (behaviour == Behaviour::StallingOnPpd) silent = true;
                if (behaviour == Behaviour::EndlessPpd) {
                    if (!sendAll(client, endlessAnswerStart())) break;
                    const std::string fonts = endlessFonts();
                    while (!stopping_ && sendAll(client, fonts)) {
                    }
                    break;
                }
            }
            if (!silent && !sendAll(upstream, std::string(buffer, static_cast<std::size_t>(n)))) {
                break;
            }
        }
        if (ends[1].revents != 0 && !silent) {
            const ssize_t n = ::read(upstream, buffer, sizeof(buffer));
            upstreamOpen = n > 0;
            if (n > 0) queueRecords_ += queueNames.in(buffer, static_cast<std::size_t>(n));
            const auto due = Clock::now() + (behaviour == Behaviour::Late ? 1200ms : 0ms);
            for (ssize_t i = 0; i < n; ++i) answer.emplace_back(due, buffer[i]);
        }
        std::string ready;
        const auto now = Clock::now();
        while (!answer.empty() && answer.front().first <= now) {
            if (behaviour == Behaviour::Trickling) {
                if (now - lastTrickle < 100ms) break;
                lastTrickle = now;
                ready += answer.front().second;
                answer.pop_front();
                break;
            }
            ready += answer.front().second;
            answer.pop_front();
        }
        if (!ready.empty() && !sendAll(client, ready)) break;
    }
}

}  // namespace veltrane::testing
