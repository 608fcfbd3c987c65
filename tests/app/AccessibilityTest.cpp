// The shipped program as a screen reader reads it over the accessibility bus.
#include <gmock/gmock.h>

#include "PrivateAccessibilityBus.h"
#include "PrivateCupsd.h"
#include "PrivateFonts.h"
#include "RunningProgram.h"
#include "XvfbSession.h"

namespace veltrane::testing {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::Each;
using ::testing::Field;
using ::testing::Not;

using Node = AccessibleNode;

TEST(AccessibilityTest, AScreenReaderHearsEveryControlByItsRoleAndName) {
    PrivateCupsd server;
    server.addQueue("Café&Co", testPpd({"AAA-Cafe"}));
    server.addQueue("annex", testPpd({"AAA-Annex"}));
    server.setDefault("Café&Co");
    PrivateAccessibilityBus bus(testDisplay());
    auto environment = server.environment();
    environment.insert(bus.environment().begin(), bus.environment().end());
    RunningProgram veltrane(VELTRANE_EXECUTABLE, environment,
                            server.folder() + "/log/veltrane.log");

    const std::vector<Node> tree = bus.tree("Veltrane");
    ASSERT_GE(tree.size(), 2U) << "the program is on the accessibility bus";
    EXPECT_EQ(tree[1], (Node{1, "frame", "Veltrane                 veltrane.example", "", true}));
    std::vector<Node> controls;
    for (Node node : tree) {
        node.showing = false;  // what is said, not where
        node.text.clear();
        if (node.depth == 2) controls.push_back(node);
    }
    EXPECT_EQ(controls.size(), 13U);
    EXPECT_THAT(controls, Each(Field(&Node::name, Not(""))));
    EXPECT_THAT(controls, Each(Field(&Node::role, Not("filler"))));
    for (const Node& control : {
             Node{2, "label", "Number of Screen Fonts", ""},
             Node{2, "label", "Number of Fonts on the Default Printer/Fax Device:", ""},
             Node{2, "label", "Café&Co", "Café&Co"},
             Node{2, "label", "Number of Devices: 2",
                  "Check your printer and fax folder for the 2 devices."},
             Node{2, "label", "AAA-Cafe", "Sample of the selected printer font"},
             Node{2, "list", "Screen fonts", ""},
             Node{2, "list", "Printer fonts", ""},
             Node{2, "text", "Number of Screen Fonts", ""},
             Node{2, "text", "Number of Fonts on the Default Printer/Fax Device", ""},
             Node{2, "text", "Sample text", ""},
             Node{2, "push button", "Copy to Clipboard (screen font)",
                  "You may copy the screen font name to the clipboard by clicking here."},
             Node{2, "push button", "Copy to Clipboard (printer font)",
                  "You may copy the printer font name to the clipboard by clicking here."},
         }) {
        EXPECT_THAT(controls, Contains(control));
    }
    EXPECT_THAT(controls,
                Contains(AllOf(Field(&Node::role, "label"),
                               Field(&Node::description, "Sample of the selected screen font"))))
        << "the two samples are told apart, whatever font the screen list begins with";
}

// Names outside plain ASCII sort where a reader expects them, in both lists,
// even under the C locale: beside their plain letters, Latin before Cyrillic
// before Han.
TEST(AccessibilityTest, AScreenReaderHearsTheListsInTheReadersOrder) {
    const std::vector<std::string> families = {"Zebra", "Ärger", "Apfel", "Ångström", "Écran",
                                               "Eagle", "Čech",  "Cedar", "Łódź",     "Lamm",
                                               "Über",  "Ulme",  "東京",  "Азбука"};
    PrivateFonts fonts;
    fonts.install("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", families);
    PrivateCupsd server;
    server.addQueue("office", testPpd({"AAA-Office"}));
    server.setDefault("office");
    PrivateAccessibilityBus bus(testDisplay());
    auto environment = server.environment();
    environment.insert(bus.environment().begin(), bus.environment().end());
    const auto own = fonts.environment();
    environment.insert(own.begin(), own.end());
    environment.insert({{"LANG", "C.UTF-8"}, {"LC_ALL", ""}, {"LC_COLLATE", ""}});
    RunningProgram veltrane(VELTRANE_EXECUTABLE, environment,
                            server.folder() + "/log/veltrane.log");

    std::map<std::string, std::vector<std::string>> heard;  // by list
    std::string list;
    for (const Node& node : bus.tree("Veltrane")) {
        if (node.role == "list") list = node.name;
        const bool ours = std::find(families.begin(), families.end(), node.name) != families.end();
        if (node.role == "list item" && ours) heard[list].push_back(node.name);
    }
    const std::vector<std::string> readersOrder = {"Ångström", "Apfel", "Ärger",  "Čech", "Cedar",
                                                   "Eagle",    "Écran", "Lamm",   "Łódź", "Über",
                                                   "Ulme",     "Zebra", "Азбука", "東京"};
    EXPECT_EQ(heard, (std::map<std::string, std::vector<std::string>>{
                         {"Screen fonts", readersOrder}, {"Printer fonts", readersOrder}}));
}

}  // namespace
}  // namespace veltrane::testing
