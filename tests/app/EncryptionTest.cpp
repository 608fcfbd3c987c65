// The shipped program against a print server on another host that requires
// encryption, as shared print servers are often set up.
#include <gmock/gmock.h>

#include <fstream>

#include "PrivateAccessibilityBus.h"
#include "PrivateCupsd.h"
#include "PrivateNetwork.h"
#include "RunningProgram.h"
#include "XvfbSession.h"

namespace veltrane::testing {
namespace {

using ::testing::Contains;
using ::testing::Field;

TEST(EncryptionTest, AServerThatRequiresEncryptionIsReachedAsLpReachesIt) {
    std::string whyNot;
    const auto network = PrivateNetwork::make(whyNot);
    if (!network)
        GTEST_SKIP() << "no second host for a server that enforces encryption: " << whyNot;
    PrivateCupsd server;
    server.addQueue("office", testPpd({"AAA-Secure"}));
    server.addQueue("annex", std::nullopt);
    server.setDefault("office");
    server.requireEncryption(PrivateNetwork::kServerAddress, network->onServer());
    const PrivateAccessibilityBus bus(testDisplay());
    auto environment = server.environment();
    environment.insert(bus.environment().begin(), bus.environment().end());
    environment["CUPS_SERVER"] = std::string(PrivateNetwork::kServerAddress) + ":631";
    const auto labels = [&] {
        RunningProgram veltrane(VELTRANE_EXECUTABLE, environment,
                                server.folder() + "/log/veltrane.log", network->onClient());
        veltrane.waitUntilIdle();
        std::vector<AccessibleNode> found;
        for (AccessibleNode node : bus.tree("Veltrane")) {
            node.showing = false;
            if (node.role == "label") found.push_back(node);
        }
        return std::make_pair(found, veltrane.copyWith("alt+o"));
    };

    const auto [secure, firstFont] = labels();
    EXPECT_THAT(secure, Contains(AccessibleNode{2, "label", "office", "office"}));
    EXPECT_THAT(secure, Contains(Field(&AccessibleNode::name, "Number of Devices: 2")));
    EXPECT_EQ(firstFont, "AAA-Secure");

    std::ofstream(server.folder() + "/client.conf") << "Encryption Never\n";
    const auto [forbidden, noFont] = labels();
    EXPECT_THAT(forbidden,
                Contains(AccessibleNode{2, "label", "",
                                        "The print server requires encryption, which your CUPS "
                                        "settings turn off."}));
    EXPECT_EQ(noFont, "");
}

}  // namespace
}  // namespace veltrane::testing
