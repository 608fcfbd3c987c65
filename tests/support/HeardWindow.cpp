#include "HeardWindow.h"

namespace veltrane::testing {

namespace {

constexpr std::size_t kControls = 13;

// Each control with the nodes below it.
std::vector<std::vector<AccessibleNode>> controlsIn(const std::vector<AccessibleNode>& tree) {
    std::vector<std::vector<AccessibleNode>> controls;
    for (const AccessibleNode& node : tree) {
        if (node.depth == 2) controls.emplace_back();
        if (node.depth >= 2 && !controls.empty()) controls.back().push_back(node);
    }
    return controls;
}

HeardList listIn(const std::vector<AccessibleNode>& control) {
    HeardList list;
    for (const AccessibleNode& entry : control) {
        if (entry.depth != 3) continue;
        if (entry.selected) list.selected = list.entries.size();
        list.entries.push_back(entry.name);
    }
    return list;
}

}  // namespace

std::optional<HeardWindow> heardWindow(const std::vector<AccessibleNode>& tree) {
    const auto controls = controlsIn(tree);
    if (controls.size() != kControls) return std::nullopt;
    const auto& label5 = controls[8].front();
    const auto& label6 = controls[7].front();
    return HeardWindow{controls[5].front().text,
                       controls[2].front().text,
                       label5.name,
                       label5.description,
                       label6.name,
                       label6.description,
                       listIn(controls[6]),
                       listIn(controls[1])};
}

}  // namespace veltrane::testing
