// The program as it ships, on a private X server with a private print server,
// seen and driven from outside as a user and other programs see it.
#include <gmock/gmock.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <sstream>
#include <thread>

#include "Eventually.h"
#include "FontconfigFamilies.h"
#include "PrivateCupsd.h"
#include "RunningProgram.h"
#include "XvfbSession.h"

namespace veltrane::testing {
namespace {

using ::testing::Contains;

std::string folded(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

class DesktopTest : public ::testing::Test {
protected:
    DesktopTest() {
        server.addQueue("office", testPpd({"AAA-Office", "AAB-Second", "Courier"}));
        server.addQueue("annex", testPpd({"AAA-Annex"}));
        server.setDefault("office");
        environment = server.environment();
        environment["DISPLAY"] = testDisplay();
    }

    RunningProgram& start() {
        program = std::make_unique<RunningProgram>(VELTRANE_EXECUTABLE, environment,
                                                   server.folder() + "/log/veltrane.log");
        return *program;
    }

    // Maps another window over ours and takes it away again, as a user uncovers
    // a window; the program sees only the X server's expose.
    void uncover() {
        const WindowGeometry at = program->geometry();
        {
            Process cover({"xmessage", "-geometry",
                           std::to_string(at.width) + "x" + std::to_string(at.height) + "+" +
                               std::to_string(at.x) + "+" + std::to_string(at.y),
                           "covering"},
                          environment);
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
    }

    bool backAtTopCentre() {
        return eventually(
            5,
            [&] {
                const WindowGeometry at = program->geometry();
                return at.x == 194 && at.y == 0 && at.viewable;
            },
            std::chrono::milliseconds(50));
    }

    PrivateCupsd server;
    std::map<std::string, std::string> environment;
    std::unique_ptr<RunningProgram> program;
};

TEST_F(DesktopTest, TheWindowOpensAtTheTopEdgeCentredWithItsClientSize) {
    const WindowGeometry at = start().geometry();
    EXPECT_EQ(at.width, 886);
    EXPECT_EQ(at.height, 706);
    EXPECT_EQ(at.x, 194) << "(1280 pixels in twips - 13380) / 2, with no window manager";
    EXPECT_EQ(at.y, 0);
    EXPECT_TRUE(at.viewable);
}

TEST_F(DesktopTest, ClosingTheWindowEndsTheProgramWithStatusZero) {
    RunningProgram& veltrane = start();
    veltrane.close();
    EXPECT_EQ(veltrane.exitStatus(5), 0);
}

TEST_F(DesktopTest, ClicksKeysAndAccessKeysCopyTheSelectedNames) {
    RunningProgram& veltrane = start();
    const FontconfigFamilies families = fontconfigFamilies();

    veltrane.click(44 + 60, 276 + 8);  // the first entry of List1
    const std::string first = veltrane.copyWith("alt+c");
    EXPECT_THAT(families.names, Contains(first));
    for (const std::string& name : families.firstNames) EXPECT_LE(folded(first), folded(name));

    veltrane.click(497 + 60, 276 + 8);  // the first entry of List2
    EXPECT_EQ(veltrane.copyWith("alt+o"), "AAA-Office") << "byte for byte, nothing added";
    veltrane.press("Down");
    EXPECT_EQ(veltrane.copyWith("alt+o"), "AAB-Second");
    EXPECT_EQ(veltrane.copyWith("alt+c"), first) << "Command1 copies List1 whatever has the focus";

    const std::string targets =
        Process::capture({"xclip", "-selection", "clipboard", "-o", "-t", "TARGETS"}, environment);
    std::istringstream offered(targets);
    for (std::string target; std::getline(offered, target);) {
        const std::set<std::string> allowed = {"TARGETS",      "MULTIPLE",     "TIMESTAMP",
                                               "SAVE_TARGETS", "UTF8_STRING",  "STRING",
                                               "TEXT",         "COMPOUND_TEXT"};
        EXPECT_TRUE(allowed.count(target) == 1 || target.rfind("text/", 0) == 0) << target;
    }
    std::filesystem::create_directories(VELTRANE_ARTIFACTS);
    veltrane.screenshot(VELTRANE_ARTIFACTS "/veltrane-samples.png");
    EXPECT_TRUE(veltrane.running());
}

TEST_F(DesktopTest, ANewDefaultPrinterReloadsTheWindowAtItsNextRedraw) {
    RunningProgram& veltrane = start();
    Process::run({"xdotool", "windowmove", veltrane.window(), "20", "250"}, environment);
    server.setDefault("annex");
    uncover();
    EXPECT_TRUE(backAtTopCentre());
    EXPECT_EQ(veltrane.copyWith("alt+o"), "AAA-Annex");

    server.removeQueue("office");
    server.removeQueue("annex");
    uncover();
    EXPECT_TRUE(veltrane.running());
    EXPECT_EQ(veltrane.copyWith("alt+o"), "AAA-Annex") << "the lists keep what they showed";
}

TEST_F(DesktopTest, ThePrintServerStoppingAndComingBackWithAnotherDefault) {
    RunningProgram& veltrane = start();
    server.stop();
    uncover();
    uncover();
    EXPECT_TRUE(veltrane.running());
    EXPECT_TRUE(veltrane.geometry().viewable) << "no reload, no hiding";
    EXPECT_EQ(veltrane.copyWith("alt+o"), "AAA-Office");

    server.start();
    server.setDefault("annex");
    Process::run({"xdotool", "windowmove", veltrane.window(), "20", "250"}, environment);
    uncover();
    EXPECT_TRUE(backAtTopCentre());
    EXPECT_EQ(veltrane.copyWith("alt+o"), "AAA-Annex");
}

}  // namespace
}  // namespace veltrane::testing
