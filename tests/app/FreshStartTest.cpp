// An open window as the print server and the user's settings change under it,
// beside a window started then: both read from outside over the accessibility
// bus, as a screen reader reads them, under a window manager.
#include <gmock/gmock.h>

#include <QImage>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "ClipboardProbe.h"
#include "HeardWindow.h"
#include "MisbehavingServer.h"
#include "PrivateAccessibilityBus.h"
#include "PrivateCupsd.h"
#include "PrivateWindowManager.h"
#include "ReloadCounter.h"
#include "RunningProgram.h"
#include "XvfbSession.h"

namespace veltrane::testing {
namespace {

using namespace std::chrono_literals;
using ::testing::Pair;

// Label5's caption and its tooltip, which a reader hears as its description.
std::pair<std::string, std::string> label5In(const std::vector<AccessibleNode>& tree) {
    const std::optional<HeardWindow> window = heardWindow(tree);
    if (!window) return {"no window", ""};
    return {window->label5, window->label5Tooltip};
}

class ProgramOnTheBus : public ::testing::Test {
protected:
    ProgramOnTheBus() : windowManager(testDisplay()), bus(testDisplay()) {
        environment = server.environment();
        environment.insert(bus.environment().begin(), bus.environment().end());
    }

    std::unique_ptr<RunningProgram> start() {
        auto program = std::make_unique<RunningProgram>(VELTRANE_EXECUTABLE, environment,
                                                        server.folder() + "/log/veltrane.log");
        program->waitUntilIdle();
        return program;
    }

    // Every node of the window with what it says and holds, not where it is.
    std::vector<AccessibleNode> heard(const RunningProgram& program) const {
        std::vector<AccessibleNode> tree = bus.tree("Veltrane", program.pid());
        for (AccessibleNode& node : tree) node.showing = false;
        return tree;
    }

    PrivateCupsd server;
    PrivateWindowManager windowManager;
    PrivateAccessibilityBus bus;
    std::map<std::string, std::string> environment;
};

class FreshStartTest : public ProgramOnTheBus {
protected:
    FreshStartTest() {
        server.addQueue("office", testPpd({"AAA-Office"}));
        server.addQueue("annex", testPpd({"AAA-Annex", "AAB-Annex"}));
        server.addQueue("third", testPpd({"AAA-Third"}));
        server.setDefault("office");
        open = start();
    }

    // After two redraws the open window is heard as a window started now is,
    // but for the two samples, which a reload that finds a list empty leaves as
    // they were, as designed. The second redraw comes after those that a
    // reload's own Show causes, which ask nothing. What the fresh window shows.
    std::vector<AccessibleNode> afterTwoRedraws() {
        open->uncover();
        std::this_thread::sleep_for(600ms);
        open->uncover();
        open->waitUntilIdle();
        const std::unique_ptr<RunningProgram> fresh = start();
        const std::vector<AccessibleNode> shown = heard(*fresh);
        EXPECT_THAT(withoutSamples(heard(*open)),
                    ::testing::ElementsAreArray(withoutSamples(shown)));
        return shown;
    }

    static std::vector<AccessibleNode> withoutSamples(std::vector<AccessibleNode> tree) {
        std::erase_if(tree, [](const AccessibleNode& node) {
            return node.description.starts_with("Sample of the selected");
        });
        return tree;
    }

    void chooseInLpoptions(const std::string& destination) {
        std::filesystem::create_directories(server.folder() + "/.cups");
        std::ofstream(server.folder() + "/.cups/lpoptions") << "Default " << destination << "\n";
    }

    std::unique_ptr<RunningProgram> open;
};

TEST_F(FreshStartTest, AfterEveryChangeAndTwoRedrawsTheOpenWindowShowsWhatAFreshStartShows) {
    server.removeQueue("office");
    EXPECT_THAT(label5In(afterTwoRedraws()), Pair("", "No default printer is set."))
        << "the server's default deleted";

    chooseInLpoptions("nowhere");
    EXPECT_THAT(label5In(afterTwoRedraws()),
                Pair("", "The default printer nowhere does not exist."));
    chooseInLpoptions("annex");
    EXPECT_THAT(label5In(afterTwoRedraws()), Pair("annex", "annex"));
    std::filesystem::remove(server.folder() + "/.cups/lpoptions");
    EXPECT_THAT(label5In(afterTwoRedraws()), Pair("", "No default printer is set."));

    server.stop();
    open->uncover();
    server.start();
    server.setDefault("third");
    std::this_thread::sleep_for(2s);  // the back-off the stopped server earned
    EXPECT_THAT(label5In(afterTwoRedraws()), Pair("third", "third"))
        << "the server restarted with another default";
}

// A server whose queue list flags no queue the default, or another one than
// the default it names: a change of its default reloads the window once, and
// the redraws after it, the window's own included, reload nothing.
TEST_F(ProgramOnTheBus, AServerWhoseQueueListDisagreesWithItsDefaultReloadsOncePerChange) {
    server.addQueue("office", testPpd({"AAA-Office"}));
    server.addQueue("annex", testPpd({"AAA-Annex"}));
    for (const auto behaviour :
         {MisbehavingServer::Behaviour::NoDefault, MisbehavingServer::Behaviour::OtherDefault}) {
        server.setDefault("office");
        MisbehavingServer proxy(server.socket(), server.folder() + "/disagreeing.sock");
        proxy.behave(behaviour);
        environment["CUPS_SERVER"] = proxy.address();
        const std::unique_ptr<RunningProgram> veltrane = start();
        ReloadCounter counter(testDisplay(), veltrane->window());

        server.setDefault("annex");
        for (int i = 0; i < 10; ++i) veltrane->uncover();
        std::this_thread::sleep_for(5s);
        EXPECT_EQ(counter.reloads(), 1);
        EXPECT_THAT(label5In(heard(*veltrane)), Pair("annex", "annex"));
    }
}

// A server whose policy asks a password for its queue list alone: the default
// is read, the queues cannot be counted.
TEST_F(ProgramOnTheBus, AServerAskingAPasswordForItsQueueListAloneNeverMakesTheWindowLoop) {
    server.addQueue("office", testPpd({"AAA-Office"}));
    server.setDefault("office");
    environment["CUPS_SERVER"] = server.requireAuthenticationFor("CUPS-Get-Printers");
    const std::unique_ptr<RunningProgram> veltrane = start();

    const std::string shot = server.folder() + "/drawn.png";
    veltrane->screenshot(shot);
    const QImage image(QString::fromStdString(shot));
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 7) colours.insert(image.pixel(image.width() / 2, y));
    EXPECT_GT(colours.size(), 2U) << "the window is drawn";
    EXPECT_THAT(label5In(heard(*veltrane)),
                Pair("office", "office\nThe print server refused a request: HTTP status 401."));

    veltrane->copyWith("alt+c");  // the window owns the clipboard the probe asks for
    const ClipboardProbe probe(testDisplay());
    const int beforeIdle = server.loggedRequests();
    std::this_thread::sleep_for(5s);
    EXPECT_EQ(server.loggedRequests(), beforeIdle) << "an idle window asks nothing";
    EXPECT_LT(probe.longestWait(), 1s);
    EXPECT_GT(probe.answers(), 50);

    const int beforeRedraws = server.loggedRequests();
    for (int i = 0; i < 3; ++i) veltrane->uncover();
    veltrane->waitUntilIdle();
    EXPECT_LE(server.loggedRequests() - beforeRedraws, 10) << "three redraws";
}

}  // namespace
}  // namespace veltrane::testing
