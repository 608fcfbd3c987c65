#include "PrivateWindowManager.h"

#include <stdexcept>

#include "Eventually.h"

namespace veltrane::testing {

PrivateWindowManager::PrivateWindowManager(const std::string& display) : home_("veltrane-openbox") {
    const std::map<std::string, std::string> environment = {
        {"DISPLAY", display}, {"HOME", home_.path().string()}, {"XDG_CONFIG_HOME", ""}};
    // One that went before may have left its mark.
    Process::run({"xprop", "-root", "-remove", "_NET_SUPPORTING_WM_CHECK"}, environment);
    openbox_ =
        std::make_unique<Process>(std::vector<std::string>{"openbox", "--sm-disable"}, environment);
    // A window manager announces itself on the root window once it manages the screen.
    const auto managing = [&] {
        return Process::capture({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}, environment)
                   .find("window id") != std::string::npos;
    };
    if (!eventually(10, [&] { return managing() || !openbox_->running(); }) || !managing()) {
        throw std::runtime_error("openbox did not start on " + display);
    }
}

}  // namespace veltrane::testing
