#include "PrivateAccessibilityBus.h"

#include <sys/stat.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "Eventually.h"

namespace veltrane::testing {

PrivateAccessibilityBus::PrivateAccessibilityBus(const std::string& display)
    : folder_("veltrane-a11y") {
    ::chmod(folder_.path().c_str(), 0700);
    const std::string socket = folder_ / "bus";
    environment_ = {{"DISPLAY", display},
                    {"XDG_RUNTIME_DIR", folder_.path().string()},
                    {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + socket},
                    {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1"}};
    session_ = std::make_unique<Process>(
        std::vector<std::string>{"dbus-daemon", "--session", "--nofork", "--nopidfile",
                                 "--address=unix:path=" + socket},
        environment_);
    if (!eventually(10, [&] { return std::filesystem::exists(socket); })) {
        throw std::runtime_error("the private D-Bus session did not start");
    }
    launcher_ = std::make_unique<Process>(
        std::vector<std::string>{"/usr/libexec/at-spi-bus-launcher", "--launch-immediately"},
        environment_);
    // The launcher announces the accessibility bus on the session once it runs.
    const auto announced = [&] {
        return Process::run({"dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                             "/org/a11y/bus", "org.a11y.Bus.GetAddress"},
                            environment_) == 0;
    };
    if (!eventually(10, announced, std::chrono::milliseconds(50))) {
        throw std::runtime_error("the accessibility bus did not start");
    }
}

void PrintTo(const AccessibleNode& node, std::ostream* out) {
    *out << node.depth << " " << node.role << " '" << node.name << "' '" << node.description << "'"
         << (node.showing ? " showing" : "")
         << (node.text.empty() ? "" : " holding '" + node.text + "'");
}

namespace {

// A field as the script writes it, its backslashes, tabs and line ends escaped.
std::string unescaped(const std::string& field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            text += field[i];
            continue;
        }
        const char next = field[++i];
        text += next == 'n' ? '\n' : next == 't' ? '\t' : next;
    }
    return text;
}

}  // namespace

std::vector<AccessibleNode> PrivateAccessibilityBus::tree(const std::string& application,
                                                          pid_t pid) const {
    std::vector<std::string> argv{"/usr/bin/python3", VELTRANE_ACCESSIBILITY_TREE, application};
    if (pid != 0) argv.insert(argv.end(), {"10", std::to_string(pid)});
    // One node a line: depth, role, name, description, "showing" and text, by tabs.
    std::istringstream lines(Process::capture(argv, environment_));
    std::vector<AccessibleNode> nodes;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::vector<std::string> field(6);
        for (std::string& each : field) {
            std::getline(fields, each, '\t');
            each = unescaped(each);
        }
        nodes.push_back(
            {std::stoi(field[0]), field[1], field[2], field[3], field[4] == "showing", field[5]});
    }
    return nodes;
}

}  // namespace veltrane::testing
