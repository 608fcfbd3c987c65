#include "UnixSocket.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace veltrane::testing {

namespace {

sockaddr_un addressOf(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof(address.sun_path) - 1);
    return address;
}

}  // namespace

Descriptor listenOn(const std::string& path) {
    Descriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const sockaddr_un address = addressOf(path);
    ::unlink(path.c_str());
    if (::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(socket.get(), 16) != 0) {
        return Descriptor(-1);
    }
    return socket;
}

Descriptor connectTo(const std::string& path) {
    Descriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const sockaddr_un address = addressOf(path);
    if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) !=
        0) {
        return Descriptor(-1);
    }
    return socket;
}

}  // namespace veltrane::testing
