#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "PrivateAccessibilityBus.h"

namespace veltrane::testing {

// A list as a reader hears it: its entries in order, and which is selected.
struct HeardList {
    std::vector<std::string> entries;
    std::optional<std::size_t> selected;

    bool operator==(const HeardList&) const = default;
};

// What the window says, read from its accessible tree, but for the two
// samples: both counts, Label5 and Label6 with their tooltips (which a reader
// hears as their descriptions) and both lists.
struct HeardWindow {
    std::string text1;
    std::string text4;
    std::string label5;
    std::string label5Tooltip;
    std::string label6;
    std::string label6Tooltip;
    HeardList list1;
    HeardList list2;

    bool operator==(const HeardWindow&) const = default;
};

// The window's thirteen controls in the order the window makes them: Text2,
// List2, Text4, Command2, Command1, Text1, List1, Label6, Label5, Label4,
// Label3, Label2, Label1; nothing while the tree does not hold them all.
std::optional<HeardWindow> heardWindow(const std::vector<AccessibleNode>& tree);

}  // namespace veltrane::testing
