// The shipped program on a Wayland desktop with no X server, where the
// compositor places the window: it shows, with both lists.
#include <gmock/gmock.h>

#include "PrivateAccessibilityBus.h"
#include "PrivateCompositor.h"
#include "PrivateCupsd.h"

namespace veltrane::testing {
namespace {

using ::testing::Contains;
using ::testing::Field;

TEST(WaylandTest, TheWindowShowsWithBothListsUnderAWaylandCompositor) {
    PrivateCupsd server;
    server.addQueue("office", testPpd({"AAA-Office"}));
    server.setDefault("office");
    PrivateCompositor weston;
    PrivateAccessibilityBus bus("");
    auto environment = server.environment();
    environment.insert(bus.environment().begin(), bus.environment().end());
    for (const auto& [name, value] : weston.environment()) environment[name] = value;
    Process veltrane({VELTRANE_EXECUTABLE}, environment, server.folder() + "/log/veltrane.log");

    const std::vector<AccessibleNode> tree = bus.tree("Veltrane");
    EXPECT_THAT(tree, Contains(AccessibleNode{
                          1, "frame", "Veltrane                 veltrane.example", "", true}));
    EXPECT_THAT(tree, Contains(AccessibleNode{2, "list", "Screen fonts", "", true}));
    EXPECT_THAT(tree, Contains(AccessibleNode{2, "list", "Printer fonts", "", true}));
    EXPECT_THAT(tree, Contains(Field(&AccessibleNode::name, "AAA-Office")))
        << "the printer's fonts are listed";
    EXPECT_TRUE(veltrane.running());
}

}  // namespace
}  // namespace veltrane::testing
