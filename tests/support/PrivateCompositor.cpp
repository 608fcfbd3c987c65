#include "PrivateCompositor.h"

#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>

#include "Eventually.h"

namespace veltrane::testing {

PrivateCompositor::PrivateCompositor() : folder_("veltrane-weston") {
    ::chmod(folder_.path().c_str(), 0700);  // as the runtime folder must be
    weston_ = std::make_unique<Process>(
        std::vector<std::string>{"weston", "--backend=headless-backend.so", "--socket=wayland",
                                 "--idle-time=0"},
        std::map<std::string, std::string>{
            {"XDG_RUNTIME_DIR", folder_.path().string()}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}},
        folder_ / "weston.log");
    if (!eventually(10, [&] { return std::filesystem::exists(folder_ / "wayland"); })) {
        throw std::runtime_error("weston did not start; see " + (folder_ / "weston.log"));
    }
}

std::map<std::string, std::string> PrivateCompositor::environment() const {
    return {
        {"WAYLAND_DISPLAY", folder_ / "wayland"}, {"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ""}};
}

}  // namespace veltrane::testing
