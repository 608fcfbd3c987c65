#pragma once

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "Process.h"
#include "TempDir.h"

namespace veltrane::testing {

// One node of an application's accessible tree as a screen reader reads it.
struct AccessibleNode {
    int depth = 0;
    std::string role;
    std::string name;
    std::string description;
    bool showing = false;
    std::string text{};     // what a text box holds
    bool selected = false;  // a list's selected entry

    bool operator==(const AccessibleNode&) const = default;
};

void PrintTo(const AccessibleNode& node, std::ostream* out);

// A D-Bus session of the test's own with the accessibility bus on it, as a
// desktop with a screen reader has: the program joins it, and a reader reads
// what the program tells it.
class PrivateAccessibilityBus {
public:
    // On the X display given, or on none.
    explicit PrivateAccessibilityBus(const std::string& display);

    // What a program needs to join the bus, and to tell it what it shows.
    const std::map<std::string, std::string>& environment() const { return environment_; }

    // The accessible tree of the application named `application` (of the
    // process `pid` where given), depth first; empty when it never joins the bus.
    std::vector<AccessibleNode> tree(const std::string& application, pid_t pid = 0) const;

private:
    TempDir folder_;
    std::map<std::string, std::string> environment_;
    std::unique_ptr<Process> session_;
    std::unique_ptr<Process> launcher_;
};

}  // namespace veltrane::testing
