#include "PrivateXvfb.h"

#include "Eventually.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

namespace veltrane::testing {

namespace {

// The socket file appears before the server listens on it.
bool accepts(const std::string& socket) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socket.copy(address.sun_path, sizeof(address.sun_path) - 1);
    const bool connected =
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return connected;
}

bool taken(int display) {
    const std::string number = std::to_string(display);
    return std::filesystem::exists("/tmp/.X11-unix/X" + number) ||
           std::filesystem::exists("/tmp/.X" + number + "-lock");
}

}  // namespace

PrivateXvfb::PrivateXvfb() {
    int display = 70 + static_cast<int>(::getpid() % 100);
    while (taken(display)) ++display;
    // A literal + a named string: with a temporary one GCC 12 at -O3 takes the
    // concatenation for an overlapping copy (its bug 105329).
    const std::string number = std::to_string(display);
    display_ = ":" + number;
    xvfb_ = std::make_unique<Process>(std::vector<std::string>{"Xvfb", display_, "-screen", "0",
                                                               "1280x1024x24", "-dpi", "96",
                                                               "-nolisten", "tcp", "-noreset"});
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(display);
    if (!eventually(10, [&] { return accepts(socket) || !xvfb_->running(); }) || !accepts(socket)) {
        throw std::runtime_error("Xvfb did not start on " + display_);
    }
}

}  // namespace veltrane::testing
