#include "PrivateXvfb.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <thread>

namespace veltrane::testing {

namespace {

bool taken(int display) {
    const std::string number = std::to_string(display);
    return std::filesystem::exists("/tmp/.X11-unix/X" + number) ||
           std::filesystem::exists("/tmp/.X" + number + "-lock");
}

}  // namespace

PrivateXvfb::PrivateXvfb() {
    int display = 70 + static_cast<int>(::getpid() % 100);
    while (taken(display)) ++display;
    display_ = ":" + std::to_string(display);
    xvfb_ = std::make_unique<Process>(std::vector<std::string>{
        "Xvfb", display_, "-screen", "0", "1280x1024x24", "-dpi", "96", "-nolisten", "tcp"});
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(display);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(socket)) {
        if (!xvfb_->running() || std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("Xvfb did not start on " + display_);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace veltrane::testing
