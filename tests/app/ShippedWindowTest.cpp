// The window as the program ships it: built from the same project the entry
// point hands over, with the real screen, printing and clipboard services.
#include <cups/cups.h>
#include <gmock/gmock.h>

#include <QApplication>
#include <QLineEdit>
#include <QListView>

#include <chrono>
#include <set>
#include <thread>

#include "DesktopServices.h"
#include "Eventually.h"
#include "FontconfigFamilies.h"
#include "MisbehavingServer.h"
#include "PrivateCupsd.h"
#include "Veltrane.h"
#include "VeltraneDesign.h"
#include "VeltraneWindow.h"

namespace veltrane::testing {
namespace {

using ::testing::Contains;

// The shipped window on the real services, against a print server of its own.
class ShippedWindowTest : public ::testing::Test {
protected:
    ShippedWindowTest() {
        server.addQueue("office", testPpd({"AAA-Office", "Courier"}));
        server.setDefault("office");
        server.useInThisProcess();
    }

    FormControls& started() {
        window = std::make_unique<VeltraneWindow>(design, desktop.fonts(), desktop.events());
        controls.emplace(window->controls());
        logic = std::make_unique<Veltrane>(*controls, desktop.services());
        window->start(*logic);
        QApplication::processEvents();
        return *controls;
    }

    // The window is covered and uncovered: every expose raises Paint.
    void redraw() {
        window->hide();
        window->show();
        QApplication::processEvents();
    }

    std::vector<std::string> rows(const char* list) {
        std::vector<std::string> texts;
        const QAbstractItemModel* model = window->findChild<QListView*>(list)->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            texts.push_back(model->index(row, 0).data().toString().toStdString());
        }
        return texts;
    }

    PrivateCupsd server;
    DesktopServices desktop;
    const FormDesign design = veltraneDesign();
    std::unique_ptr<VeltraneWindow> window;
    std::optional<FormControls> controls;
    std::unique_ptr<Veltrane> logic;
};

TEST_F(ShippedWindowTest, ShowsFontconfigsFamiliesAndTheDefaultQueuesFonts) {
    started();
    const std::vector<std::string> screenFonts = rows("List1");
    const FontconfigFamilies families = fontconfigFamilies();
    for (const std::string& name : screenFonts) EXPECT_THAT(families.names, Contains(name));
    const std::set<std::string> shown(screenFonts.begin(), screenFonts.end());
    EXPECT_EQ(shown.size(), screenFonts.size()) << "each family once";
    for (const std::string& first : families.firstNames) EXPECT_THAT(shown, Contains(first));

    const std::vector<std::string> printerFonts = rows("List2");
    ASSERT_FALSE(printerFonts.empty());
    EXPECT_EQ(printerFonts.front(), "AAA-Office");
    EXPECT_THAT(printerFonts, Contains("Courier"));
}

TEST_F(ShippedWindowTest, ADefaultWhoseFontsCannotBeReadIsNamedAloneAndTheEarlierComesBack) {
    server.addQueue("broken", testPpd({"AAA-Broken"}));
    server.spoilPpd("broken");
    FormControls& shown = started();

    server.setDefault("broken");
    redraw();
    EXPECT_EQ(shown.Label5.Caption(), "broken");
    EXPECT_EQ(window->findChild<QLineEdit*>("Text4")->text(), "");
    EXPECT_EQ(shown.Label6.Caption(), "Number of Devices: 2");
    EXPECT_TRUE(rows("List2").empty());

    server.setDefault("office");
    redraw();
    EXPECT_EQ(shown.Label5.Caption(), "office");
    ASSERT_FALSE(rows("List2").empty());
    EXPECT_EQ(rows("List2").front(), "AAA-Office") << "its fonts show again";
}

// Label5 cuts a long name and shows nothing where no default can be named: its
// tooltip, which a screen reader tells too, holds the name or says why.
TEST_F(ShippedWindowTest, Label5sTooltipHoldsTheWholeNameOrSaysWhyThereIsNone) {
    const auto tooltip = [&] {
        const QWidget* label = window->findChild<QWidget*>("Label5");
        EXPECT_EQ(label->accessibleDescription(), label->toolTip());
        return label->toolTip().toStdString();
    };
    ::setenv("LPDEST", "nowhere", 1);
    started();
    ::unsetenv("LPDEST");
    EXPECT_EQ(controls->Label5.Caption(), "");
    EXPECT_EQ(tooltip(), "The default printer nowhere does not exist.");

    const std::string longName =
        "Second-floor-east-wing-color-laser-printer-with-duplex-unit-and-stapler-"
        "finisher-shared-by-accounts-payable-and-receivable-dept";
    ASSERT_EQ(longName.size(), 127U);
    server.addQueue(longName, testPpd({"AAA-Long"}));
    server.setDefault(longName);
    redraw();
    EXPECT_EQ(controls->Label5.Caption(), longName);
    EXPECT_EQ(tooltip(), longName);
}

// Through a proxy that misbehaves on cue: a device that failed for the server's
// reason is tried again once the server answers, never while it is left alone;
// one that failed for its own reason is not tried again until the default changes.
TEST_F(ShippedWindowTest, TheServersFailuresAreRetriedWhenItAnswersTheDevicesAreNot) {
    using namespace std::chrono_literals;
    MisbehavingServer proxy(server.socket(), server.folder() + "/proxy.sock");
    ::setenv("CUPS_SERVER", proxy.address().c_str(), 1);
    cupsSetServer(nullptr);
    server.addQueue("annex", testPpd({"AAA-Annex"}));
    server.addQueue("broken", testPpd({"AAA-Broken"}));
    server.spoilPpd("broken");
    FormControls& shown = started();
    const auto redrawFor = [&](auto duration) {
        for (const auto until = std::chrono::steady_clock::now() + duration;
             std::chrono::steady_clock::now() < until;) {
            redraw();
            std::this_thread::sleep_for(100ms);
        }
    };

    server.setDefault("broken");
    redraw();
    const int afterBroken = proxy.ppdRequests();
    redrawFor(2500ms);
    EXPECT_EQ(proxy.ppdRequests(), afterBroken) << "the device's own failure";
    EXPECT_EQ(shown.Label5.Caption(), "broken");

    proxy.behave(MisbehavingServer::Behaviour::StallingOnPpd);
    server.setDefault("annex");
    redraw();
    EXPECT_EQ(shown.Label5.Caption(), "annex");
    EXPECT_TRUE(rows("List2").empty());
    const int afterStall = proxy.ppdRequests();
    redrawFor(1s);
    EXPECT_EQ(proxy.ppdRequests(), afterStall) << "left alone";

    proxy.behave(MisbehavingServer::Behaviour::Honest);
    EXPECT_TRUE(eventually(5, [&] {
        redraw();
        return !rows("List2").empty();
    }));
    EXPECT_EQ(rows("List2").front(), "AAA-Annex");
    EXPECT_EQ(proxy.ppdRequests(), afterStall + 1) << "tried again once";
}

}  // namespace
}  // namespace veltrane::testing
