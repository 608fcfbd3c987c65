#include "PrivateAccessibilityBus.h"

#include <sys/stat.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "Eventually.h"

namespace veltrane::testing {

namespace {

// A name or description as the script writes it: \\, \t and \n for the characters.
std::string unescaped(const std::string& text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            plain += text[i];
            continue;
        }
        const char escaped = text[++i];
        plain += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
    }
    return plain;
}

}  // namespace

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
         << (node.text.empty() ? "" : " holding '" + node.text + "'")
         << (node.selected ? " selected" : "");
}

std::vector<AccessibleNode> PrivateAccessibilityBus::tree(const std::string& application,
                                                          pid_t pid) const {
    std::vector<std::string> argv{"/usr/bin/python3", VELTRANE_ACCESSIBILITY_TREE, application};
    if (pid != 0) argv.insert(argv.end(), {"10", std::to_string(pid)});
    // One node a line: depth, role, name, description, "showing", text and
    // "selected", by tabs.
    std::istringstream lines(Process::capture(argv, environment_));
    std::vector<AccessibleNode> nodes;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        AccessibleNode node;
        std::string depth;
        std::string showing;
        std::string selected;
        std::getline(fields, depth, '\t');
        std::getline(fields, node.role, '\t');
        std::getline(fields, node.name, '\t');
        std::getline(fields, node.description, '\t');
        std::getline(fields, showing, '\t');
        std::getline(fields, node.text, '\t');
        std::getline(fields, selected);
        node.name = unescaped(node.name);
        node.description = unescaped(node.description);
        node.depth = std::stoi(depth);
        node.showing = showing == "showing";
        node.selected = selected == "selected";
        nodes.push_back(node);
    }
    return nodes;
}

}  // namespace veltrane::testing
