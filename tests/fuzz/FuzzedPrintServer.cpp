#include "FuzzedPrintServer.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

#include "Sockets.h"

namespace veltrane::fuzzing {

FuzzedPrintServer::FuzzedPrintServer()
    : folder_("veltrane-fuzz"), listener_(testing::listenOn(folder_ / "cups.sock")) {
    if (!listener_.valid()) throw std::runtime_error("cannot listen for the fuzzed replies");
    // A reply cut short leaves the program writing to a closed socket.
    std::signal(SIGPIPE, SIG_IGN);
    thread_ = std::thread([this] { serve(); });
}

FuzzedPrintServer::~FuzzedPrintServer() {
    stopping_ = true;
    thread_.join();
}

void FuzzedPrintServer::answerWith(const std::uint8_t* data, std::size_t size) {
    const std::lock_guard lock(mutex_);
    answer_.assign(reinterpret_cast<const char*>(data), size);
}

CupsSettings FuzzedPrintServer::settings(std::optional<std::string> localDefault) const {
    return {
        folder_ / "cups.sock", 0, HTTP_ENCRYPTION_IF_REQUESTED, {std::move(localDefault), {}}, {}};
}

void FuzzedPrintServer::serve() {
    while (!stopping_) {
        pollfd listening{listener_.get(), POLLIN, 0};
        if (::poll(&listening, 1, 20) <= 0) continue;
        const Descriptor client(::accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC));
        if (client.valid()) answer(client.get());
    }
}

// The whole answer, then what the program still sends until it is quiet a moment.
void FuzzedPrintServer::answer(int client) {
    std::string bytes;
    {
        const std::lock_guard lock(mutex_);
        bytes = answer_;
    }
    for (std::size_t sent = 0; sent < bytes.size();) {
        const ssize_t n = ::send(client, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
    }
    ::shutdown(client, SHUT_WR);
    char drain[4096];
    for (pollfd readable{client, POLLIN, 0};
         ::poll(&readable, 1, 10) > 0 && ::read(client, drain, sizeof(drain)) > 0;) {
    }
}

}  // namespace veltrane::fuzzing
