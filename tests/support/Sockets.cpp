#include "Sockets.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdint>

namespace veltrane::testing {

namespace {

sockaddr_un unixAddress(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof(address.sun_path) - 1);
    return address;
}

sockaddr_in ipv4Address(const std::string& host, int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    ::inet_pton(AF_INET, host.c_str(), &address.sin_addr);
    return address;
}

template <typename Address>
Descriptor listening(Descriptor socket, const Address& address) {
    if (::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(socket.get(), 16) != 0) {
        return Descriptor(-1);
    }
    return socket;
}

template <typename Address>
Descriptor connected(Descriptor socket, const Address& address) {
    if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) !=
        0) {
        return Descriptor(-1);
    }
    return socket;
}

// Small writes leave at once rather than when the last is acknowledged, so
// that bytes a test holds back go when it lets them go.
void sendAtOnce(const Descriptor& socket) {
    const int on = 1;
    ::setsockopt(socket.get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof(on));
}

}  // namespace

Descriptor listenOn(const std::string& path) {
    ::unlink(path.c_str());
    return listening(Descriptor(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)),
                     unixAddress(path));
}

Descriptor listenOnFreePort(const std::string& host) {
    return listening(Descriptor(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)),
                     ipv4Address(host, 0));
}

int portOf(const Descriptor& socket) {
    sockaddr_in address{};
    socklen_t length = sizeof(address);
    ::getsockname(socket.get(), reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

Descriptor acceptFrom(const Descriptor& listener) {
    Descriptor connection(::accept4(listener.get(), nullptr, nullptr, SOCK_CLOEXEC));
    sendAtOnce(connection);  // a Unix socket has no such option, and keeps none
    return connection;
}

Descriptor connectTo(const std::string& address) {
    if (address.starts_with('/')) {
        return connected(Descriptor(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)),
                         unixAddress(address));
    }
    const auto colon = address.rfind(':');
    Descriptor socket =
        connected(Descriptor(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)),
                  ipv4Address(address.substr(0, colon), std::stoi(address.substr(colon + 1))));
    sendAtOnce(socket);
    return socket;
}

}  // namespace veltrane::testing
