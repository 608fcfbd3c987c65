// The program as it ships, on a private X server with a private print server,
// seen and driven from outside as a user and other programs see it.
#include <gmock/gmock.h>

#include <QImage>

#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "ClipboardProbe.h"
#include "Eventually.h"
#include "FontconfigFamilies.h"
#include "MisbehavingServer.h"
#include "PrivateCupsd.h"
#include "PrivateFonts.h"
#include "PrivateWindowManager.h"
#include "RunningProgram.h"
#include "XvfbSession.h"

namespace veltrane::testing {
namespace {

using ::testing::Contains;

std::string folded(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The shipped program on the run's X server, with a print server of its own.
class ShippedProgram : public ::testing::Test {
protected:
    ShippedProgram() {
        server.addQueue("office", testPpd({"AAA-Office", "AAB-Second", "Courier"}));
        server.addQueue("annex", testPpd({"AAA-Annex"}));
        server.setDefault("office");
        environment = server.environment();
        environment["DISPLAY"] = testDisplay();
    }

    RunningProgram& start() {
        program = std::make_unique<RunningProgram>(VELTRANE_EXECUTABLE, environment,
                                                   server.folder() + "/log/veltrane.log");
        program->waitUntilIdle();
        opened = program->frame();
        return *program;
    }

    void uncover() { program->uncover(); }

    // Moves the window away, as a user drags it.
    void moveAway() {
        Process::run({"xdotool", "windowmove", program->window(), "20", "250"}, environment);
    }

    // Where it opened, frame and all, within the 2 pixels by which the window
    // manager's frame may differ from the design's before it is known.
    bool whereItOpened() {
        const WindowGeometry at = program->frame();
        return std::abs(at.x - opened.x) <= 2 && at.y == opened.y && at.viewable;
    }
    bool backWhereItOpened() {
        return eventually(
            5, [&] { return whereItOpened(); }, std::chrono::milliseconds(50));
    }

    // How many colours the left edge of a list's first entry shows: one, the
    // selection's, unless the entry is framed.
    std::size_t firstEntryEdgeColours(int listLeft) {
        const std::string shot = server.folder() + "/shot.png";
        program->screenshot(shot);
        const QImage image(QString::fromStdString(shot));
        std::set<QRgb> colours;
        for (int y = 278; y < 296; ++y) colours.insert(image.pixel(listLeft + 1, y));
        return colours.size();
    }
    bool framed(int listLeft) {
        return eventually(5, [&] { return firstEntryEdgeColours(listLeft) > 1; });
    }

    PrivateCupsd server;
    std::map<std::string, std::string> environment;
    std::unique_ptr<RunningProgram> program;
    WindowGeometry opened;
};

enum class Desktop { Bare, Openbox };

// Every desktop test runs on a bare X server and under a window manager that
// frames the window, as a user's desktop does.
class DesktopTest : public ShippedProgram, public ::testing::WithParamInterface<Desktop> {
protected:
    DesktopTest() {
        if (GetParam() == Desktop::Openbox) {
            windowManager = std::make_unique<PrivateWindowManager>(testDisplay());
        }
    }
    ~DesktopTest() override { program.reset(); }

    std::unique_ptr<PrivateWindowManager> windowManager;
};

constexpr int kList1Left = 44;
constexpr int kList2Left = 497;

TEST_P(DesktopTest, TheWindowOpensAtTheTopEdgeCentredWithItsClientSize) {
    const WindowGeometry client = start().geometry();
    EXPECT_EQ(client.width, 886);
    EXPECT_EQ(client.height, 706);
    EXPECT_TRUE(client.viewable);
    if (GetParam() == Desktop::Bare) {
        EXPECT_EQ(client.x, 194) << "(1280 pixels in twips - 13380) / 2, with no window manager";
        EXPECT_EQ(client.y, 0);
    } else {
        const WindowGeometry frame = program->frame();
        EXPECT_EQ(frame.y, 0) << "the title bar too is on the screen";
        EXPECT_GT(client.y, frame.y) << "below its title bar";
        EXPECT_NEAR(frame.x + frame.width / 2.0, 640, 2) << "centred";
    }
}

TEST_P(DesktopTest, TheFocusedListFramesItsCurrentEntry) {
    RunningProgram& veltrane = start();
    EXPECT_TRUE(framed(kList1Left));
    EXPECT_EQ(firstEntryEdgeColours(kList2Left), 1U);
    veltrane.click(kList2Left + 60, 276 + 8);
    EXPECT_TRUE(framed(kList2Left)) << "the frame moves with the focus";
    EXPECT_EQ(firstEntryEdgeColours(kList1Left), 1U);
}

TEST_P(DesktopTest, ClosingTheWindowEndsTheProgramWithStatusZero) {
    RunningProgram& veltrane = start();
    veltrane.close();
    EXPECT_EQ(veltrane.exitStatus(5), 0);
}

TEST_P(DesktopTest, ClicksKeysAndAccessKeysCopyTheSelectedNames) {
    RunningProgram& veltrane = start();
    const FontconfigFamilies families = fontconfigFamilies();

    veltrane.click(kList1Left + 60, 276 + 8);  // the first entry of List1
    const std::string first = veltrane.copyWith("alt+c");
    EXPECT_THAT(families.names, Contains(first));
    for (const std::string& name : families.firstNames) EXPECT_LE(folded(first), folded(name));

    veltrane.click(kList2Left + 60, 276 + 8);  // the first entry of List2
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

TEST_P(DesktopTest, ANewDefaultPrinterReloadsTheWindowAtItsNextRedraw) {
    RunningProgram& veltrane = start();
    moveAway();
    server.setDefault("annex");
    uncover();
    EXPECT_TRUE(backWhereItOpened());
    EXPECT_EQ(veltrane.copyWith("alt+o"), "AAA-Annex");

    server.removeQueue("office");
    server.removeQueue("annex");
    uncover();
    EXPECT_TRUE(veltrane.running());
    EXPECT_EQ(veltrane.copyWith("alt+o"), "AAA-Annex") << "the lists keep what they showed";
}

TEST_P(DesktopTest, ThePrintServerStoppingAndComingBackWithAnotherDefault) {
    RunningProgram& veltrane = start();
    server.stop();
    uncover();
    uncover();
    EXPECT_TRUE(veltrane.running());
    EXPECT_TRUE(veltrane.geometry().viewable) << "no reload, no hiding";
    EXPECT_EQ(veltrane.copyWith("alt+o"), "AAA-Office");

    server.start();
    server.setDefault("annex");
    moveAway();
    uncover();
    EXPECT_TRUE(backWhereItOpened());
    EXPECT_EQ(veltrane.copyWith("alt+o"), "AAA-Annex");
}

// A server whose answers come after the redraw that asked for them: the window
// redraws itself with each, and a reload leaves it the active window it was.
TEST_P(DesktopTest, AFarServersAnswerIsShownWithoutAnotherRedraw) {
    using namespace std::chrono_literals;
    MisbehavingServer far(server.socket(), server.folder() + "/far.sock");
    far.delayEachWay(75ms);
    environment["CUPS_SERVER"] = far.address();
    RunningProgram& veltrane = start();
    const auto lists = [&](const std::string& font) {
        return eventually(10, [&] { return veltrane.copyWith("alt+o") == font; });
    };
    ASSERT_TRUE(lists("AAA-Office")) << "the start's reload, made while the window is active";
    EXPECT_TRUE(framed(kList1Left)) << "the list that has the keyboard shows it";

    std::this_thread::sleep_for(1s);  // past the redraws of the reload's own Show
    server.setDefault("annex");
    uncover();
    EXPECT_TRUE(lists("AAA-Annex"));
}

INSTANTIATE_TEST_SUITE_P(, DesktopTest, ::testing::Values(Desktop::Bare, Desktop::Openbox),
                         [](const auto& desktop) {
                             return desktop.param == Desktop::Bare ? "WithoutWindowManager"
                                                                   : "UnderOpenbox";
                         });

// Fonts installed or removed while the window is open, under a window manager:
// a redraw after their scan has completed reloads the window with them, as a
// new default printer does.
class FontChangeTest : public ShippedProgram {
protected:
    FontChangeTest() : windowManager(testDisplay()) {
        const auto own = fonts.environment();
        environment.insert(own.begin(), own.end());
        // The user's folders are the home folder's own.
        environment.insert({{"XDG_DATA_HOME", ""}, {"XDG_CONFIG_HOME", ""}});
    }
    ~FontChangeTest() override { program.reset(); }

    // Redraws the window until `shown` holds: the scan a change starts is
    // handed to the window once the folders are quiet, a redraw or two later.
    template <typename Shown>
    bool shownAfterRedraws(Shown&& shown) {
        return eventually(20, [&] {
            uncover();
            return shown();
        });
    }
    bool listedAfterRedraws(const std::string& family) {
        return shownAfterRedraws([&] { return selectInList1(family) == family; });
    }
    bool countedAfterRedraws(int left, int count) {
        return shownAfterRedraws([&] { return countIn(left) == std::to_string(count); });
    }
    // What a count box shows, copied as a user copies it.
    std::string countIn(int left) {
        program->click(left + 40, 84);
        program->press("ctrl+a");
        return program->copyWith("ctrl+c");
    }
    // Selects a name in List1 by typing it, and copies the name selected.
    std::string selectInList1(const std::string& name) {
        program->click(kList1Left + 60, 276 + 8);
        program->press("Home");  // a search skips the current entry
        // A list takes keys typed within 0.4 s of each other as one name.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        program->type(name);
        return program->copyWith("alt+c");
    }
    // The sample box as drawn, whose text stays while its font follows List1.
    QImage sampleBox() {
        const std::string shot = server.folder() + "/sample.png";
        program->screenshot(shot);
        return QImage(QString::fromStdString(shot)).copy(263, 60, 357, 56);
    }

    PrivateFonts fonts;
    PrivateWindowManager windowManager;
};

constexpr int kText1Left = 175;
constexpr int kText4Left = 628;
const char* const kDejaVu = "/usr/share/fonts/truetype/dejavu/";
const std::string kDejaVuSans = std::string(kDejaVu) + "DejaVuSans.ttf";

TEST_F(FontChangeTest, AFamilyInstalledOrRemovedIsListedCountedAndDrawnAfterTheNextRedraw) {
    const std::string added = "Veltrane Added Serif";
    start();
    const int screenFonts = std::stoi(countIn(kText1Left));
    const int printerFonts = std::stoi(countIn(kText4Left));
    moveAway();
    uncover();
    EXPECT_GT(program->frame().y, 100) << "nothing changed, so no reload";

    fonts.install(std::string(kDejaVu) + "DejaVuSerif.ttf", {added});
    EXPECT_TRUE(countedAfterRedraws(kText1Left, screenFonts + 1));
    EXPECT_TRUE(backWhereItOpened()) << "reloaded";
    EXPECT_EQ(countIn(kText4Left), std::to_string(printerFonts + 1));
    EXPECT_EQ(selectInList1(added), added);
    const QImage inAdded = sampleBox();
    EXPECT_EQ(selectInList1("DejaVu Serif"), "DejaVu Serif");
    EXPECT_EQ(sampleBox(), inAdded) << "drawn in its own face, a copy of DejaVu Serif";
    EXPECT_EQ(selectInList1("DejaVu Sans"), "DejaVu Sans");
    EXPECT_NE(sampleBox(), inAdded) << "the comparison tells the faces apart";

    program->click(kList2Left + 60, 276 + 8);
    program->press("Down");
    fonts.removeAll();
    EXPECT_TRUE(countedAfterRedraws(kText1Left, screenFonts));
    EXPECT_EQ(countIn(kText4Left), std::to_string(printerFonts));
    EXPECT_EQ(program->copyWith("alt+c"), "DejaVu Sans") << "the chosen entries stay chosen";
    EXPECT_EQ(program->copyWith("alt+o"), "AAB-Second");
    EXPECT_NE(selectInList1(added), added);
}

// A user's first fonts go into a font folder that did not exist when the
// window opened; a configuration file made later adds a folder of its own.
TEST_F(FontChangeTest, AFolderAndAConfigurationMadeAfterTheStartAreReadByTheNextRedraws) {
    start();
    const std::string home = server.folder();
    copyFontFamilies(kDejaVuSans, home + "/.local/share/fonts", {"Veltrane First Font"});
    EXPECT_TRUE(listedAfterRedraws("Veltrane First Font"));

    copyFontFamilies(kDejaVuSans, home + "/more-fonts", {"Veltrane Configured Font"});
    std::filesystem::create_directories(home + "/.config/fontconfig");
    std::ofstream(home + "/.config/fontconfig/fonts.conf")
        << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
        << "<fontconfig><dir>" << home << "/more-fonts</dir></fontconfig>\n";
    EXPECT_TRUE(listedAfterRedraws("Veltrane Configured Font"));
}

// A pipe named like a font, as a sync tool or a mistake makes one: fontconfig
// would wait at it for ever. The window opens with one there, answers all
// along as another comes while it is open, and lists the fonts beside them.
TEST_F(FontChangeTest, PipesInAFontFolderNeverStopTheWindow) {
    const std::string first = fonts.folder() + "/first-pipe.ttf";
    const std::string second = fonts.folder() + "/second-pipe.ttf";
    ASSERT_EQ(::mkfifo(first.c_str(), 0644), 0);
    start();
    ASSERT_EQ(::mkfifo(second.c_str(), 0644), 0);
    copyFontFamilies(kDejaVuSans, fonts.folder(), {"Veltrane Beside A Pipe"});
    program->copyWith("alt+c");  // the window owns the clipboard the probe asks for
    {
        const ClipboardProbe probe(testDisplay());
        moveAway();
        EXPECT_TRUE(shownAfterRedraws([&] { return whereItOpened(); })) << "reloaded";
        uncover();
        EXPECT_LT(probe.longestWait(), std::chrono::seconds(1));
    }
    EXPECT_TRUE(listedAfterRedraws("Veltrane Beside A Pipe"));

    std::filesystem::remove(first);
    std::filesystem::remove(second);
    copyFontFamilies(kDejaVuSans, fonts.folder(), {"Veltrane After The Pipes"});
    EXPECT_TRUE(listedAfterRedraws("Veltrane After The Pipes"));
}

// A print server that misbehaves, as a remote one that has gone away does: the
// window opens with the screen fonts and keeps answering whatever it does.
class UnreliablePrintServerTest
    : public ShippedProgram,
      public ::testing::WithParamInterface<MisbehavingServer::Behaviour> {
protected:
    UnreliablePrintServerTest() {
        proxy.behave(GetParam());
        environment["CUPS_SERVER"] = proxy.address();
    }

    MisbehavingServer proxy{server.socket(), server.folder() + "/proxy.sock"};
};

TEST_P(UnreliablePrintServerTest, TheWindowOpensWithTheScreenFontsAndKeepsAnswering) {
    using namespace std::chrono_literals;
    const auto launched = std::chrono::steady_clock::now();
    RunningProgram& veltrane = start();
    EXPECT_LT(std::chrono::steady_clock::now() - launched, 3s) << "the window shows at once";
    EXPECT_THAT(fontconfigFamilies().names, Contains(veltrane.copyWith("alt+c")))
        << "with the screen fonts, and owning the clipboard";

    ClipboardProbe probe(testDisplay());
    for (const auto until = std::chrono::steady_clock::now() + 4s;
         std::chrono::steady_clock::now() < until;) {
        uncover();
    }
    EXPECT_LT(probe.longestWait(), 3s) << "a freeze that ends";
    EXPECT_GT(probe.answers(), 20);
    EXPECT_TRUE(veltrane.running());
}

using Behaviour = MisbehavingServer::Behaviour;
INSTANTIATE_TEST_SUITE_P(, UnreliablePrintServerTest,
                         ::testing::Values(Behaviour::Silent, Behaviour::Late, Behaviour::Trickling,
                                           Behaviour::EndlessPpd),
                         [](const auto& behaviour) {
                             switch (behaviour.param) {
                                 case Behaviour::Silent:
                                     return "Silent";
                                 case Behaviour::Late:
                                     return "Late";
                                 case Behaviour::Trickling:
                                     return "Trickling";
                                 default:
                                     return "EndlessPpd";
                             }
                         });

}  // namespace
}  // namespace veltrane::testing
