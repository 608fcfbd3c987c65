// The printing service against a real print server of the test's own: what a
// paint's check and a load are answered, and what each read asks the server.
#include <cups/cups.h>
#include <gmock/gmock.h>
#include <poll.h>
#include <sys/socket.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "CupsPrinting.h"
#include "Descriptor.h"
#include "ErrorKindOf.h"
#include "Eventually.h"
#include "FontconfigFamilies.h"
#include "InstalledFonts.h"
#include "MisbehavingServer.h"
#include "PlatformError.h"
#include "PrivateCupsd.h"
#include "Process.h"
#include "Sockets.h"

namespace veltrane::testing {
namespace {

using namespace std::chrono_literals;
using ::testing::Contains;
using ::testing::ElementsAre;

class CupsPrintingTest : public ::testing::Test {
protected:
    CupsPrintingTest() {
        installed.startScans();
        installed.useFirstScan();
        server.useInThisProcess();
        server.addQueue("office", testPpd({"AAA-Resident", "Courier"}));
        server.addQueue("plain", std::nullopt);
        server.setDefault("office");
        printing.onAnswer([this] { ++answers; });
        printing.start();
        eventually(5, [&] { return printing.takeAnswer(); });
    }

    // Asks as a paint does, a while after the last question, and takes the
    // answer the read brings: false when no new one came within `seconds`.
    bool readAgain(double seconds = 5) {
        const int before = answers;
        now += 1s;
        try {
            printing.Any();
        } catch (const PlatformError&) {
            // The answer at hand failed: the one asked for comes all the same.
        }
        const bool came = eventually(seconds, [&] { return answers > before; });
        printing.takeAnswer();
        return came;
    }

    // Every font of the default device, as a load reads them.
    std::vector<std::string> defaultFonts() {
        std::vector<std::string> fonts;
        const auto count = printing.FontCount();
        for (Int16 i = 0; i < count; ++i) fonts.push_back(printing.Fonts(i));
        return fonts;
    }

    void reachThrough(const std::string& address) { ::setenv("CUPS_SERVER", address.c_str(), 1); }

    // The printing service's clock, which the test moves on; its reads ask it too.
    class TestClock {
    public:
        ServerFailurePolicy::Clock::time_point operator()() const {
            return ServerFailurePolicy::Clock::time_point(
                ServerFailurePolicy::Clock::duration(ticks_));
        }
        TestClock& operator+=(ServerFailurePolicy::Clock::duration by) {
            ticks_ += by.count();
            return *this;
        }

    private:
        std::atomic<ServerFailurePolicy::Clock::rep> ticks_{
            ServerFailurePolicy::Clock::now().time_since_epoch().count()};
    };

    PrivateCupsd server;
    InstalledFonts installed;
    std::atomic<int> answers{0};
    TestClock now;
    CupsPrinting printing{installed.scalableFamilies(), [this] { return now(); }};
};

TEST_F(CupsPrintingTest, TheDefaultQueueHasItsResidentFontsAndTheSystemsScalableFamilies) {
    EXPECT_EQ(printing.Count(), 2);
    EXPECT_EQ(printing.Default().device, "office");
    const std::vector<std::string> fonts = defaultFonts();
    ASSERT_GE(fonts.size(), 2U);
    EXPECT_EQ(fonts[0], "AAA-Resident");
    EXPECT_EQ(fonts[1], "Courier");
    const std::set<std::string> shown(fonts.begin(), fonts.end());
    EXPECT_EQ(shown.size(), fonts.size()) << "each font once";
    for (const std::string& family : fontconfigFamilies(":scalable=true").firstNames) {
        EXPECT_THAT(shown, Contains(family));
    }
    Int16 index = 1;
    printing.Fonts(index);
    EXPECT_EQ(index, 1) << "the index is left unchanged";
    index = static_cast<Int16>(fonts.size());
    EXPECT_EQ(kindOf([&] { printing.Fonts(index); }), ErrorKind::NoSuchEntry);
}

// One answer until the next is taken, so one event never mixes two reads; a
// new default, and the default's description replaced, are new answers, the
// latter even within the second of the last change, which cupsd tells no finer.
TEST_F(CupsPrintingTest, ChangesShowOnceARedrawHasAskedAndTheirAnswerIsTaken) {
    server.setDefault("plain");
    EXPECT_EQ(printing.Default().device, "office") << "until an answer is taken";
    ASSERT_TRUE(readAgain());
    EXPECT_EQ(printing.Default().device, "plain");
    EXPECT_EQ(printing.FontCount(), 0) << "a raw queue has no fonts";

    const std::string revision = printing.Default().revision;
    server.addQueue("plain", testPpd({"Replaced-Font"}));
    ASSERT_TRUE(readAgain());
    EXPECT_EQ(defaultFonts().front(), "Replaced-Font");
    EXPECT_NE(printing.Default().revision, revision) << "another description";
}

TEST_F(CupsPrintingTest, TheUsersChoiceComesBeforeTheServersDefault) {
    server.lpoptions({"-p", "office/wide", "-o", "media=A4"});
    server.lpoptions({"-d", "office/wide"});
    ASSERT_TRUE(readAgain());
    EXPECT_EQ(printing.Default().device, "office/wide");
    EXPECT_EQ(defaultFonts().front(), "AAA-Resident") << "an instance has its queue's fonts";

    ::setenv("LPDEST", "PLAIN", 1);
    ASSERT_TRUE(readAgain());
    EXPECT_EQ(printing.Default().device, "plain")
        << "found ignoring case, in the server's spelling";

    ::setenv("LPDEST", "nowhere", 1);
    ASSERT_TRUE(readAgain());
    EXPECT_EQ(printing.Default(),
              (DefaultChoice{std::nullopt, "the default printer nowhere does not exist",
                             server.socket(), printing.Default().revision}));
    ::unsetenv("LPDEST");
}

TEST_F(CupsPrintingTest, QueuesWithoutADefaultHaveNoDevice) {
    server.removeQueue("office");
    server.addQueue("office", testPpd({"AAA-Resident"}));  // a new queue is no default
    ASSERT_TRUE(readAgain());
    EXPECT_TRUE(printing.Any());
    EXPECT_EQ(printing.Count(), 2);
    EXPECT_EQ(printing.Default().whyNone, "no default printer is set");
    EXPECT_EQ(kindOf([&] { printing.FontCount(); }), ErrorKind::DeviceUnavailable);
}

TEST_F(CupsPrintingTest, OddQueueNamesArePlainNames) {
    server.addQueue("a&b", testPpd({"Odd&Font"}));
    server.setDefault("a&b");
    ASSERT_TRUE(readAgain());
    EXPECT_EQ(printing.Default().device, "a&b");
    EXPECT_EQ(defaultFonts().front(), "Odd&Font");

    // cupsd refuses the description's HTTP resource of a queue whose name holds "<".
    server.addQueue("<b>x<b>", testPpd({"AAA-Hidden"}));
    server.setDefault("<b>x<b>");
    ASSERT_TRUE(readAgain());
    EXPECT_EQ(printing.Default().device, "<b>x<b>");
    EXPECT_EQ(defaultFonts().front(), "AAA-Hidden");
}

TEST_F(CupsPrintingTest, AStoppedServerHasNoDevicesAndEveryPrinterOperationRaises) {
    server.stop();
    ASSERT_TRUE(readAgain());
    EXPECT_FALSE(printing.Any());
    EXPECT_EQ(printing.Count(), 0);
    Int16 index = 0;
    EXPECT_EQ(printing.Default().whyNone, "no print server is running");
    EXPECT_EQ(kindOf([&] { printing.FontCount(); }), ErrorKind::DeviceUnavailable);
    EXPECT_EQ(kindOf([&] { printing.Fonts(index); }), ErrorKind::DeviceUnavailable);

    server.start();
    ASSERT_TRUE(readAgain());
    EXPECT_EQ(printing.Default().device, "office");
}

// A class default whose only member goes stays the default, without a
// description: it has no fonts, and cupsd, which dies when asked for the
// description of a class without members, is never asked for it.
TEST_F(CupsPrintingTest, AClassWithoutMembersHasNoFontsAndItsDescriptionIsNotAsked) {
    ASSERT_EQ(Process::run({"lpadmin", "-p", "plain", "-c", "pool"}, server.environment()), 0);
    server.setDefault("pool");
    ASSERT_TRUE(readAgain());
    EXPECT_EQ(printing.Default().device, "pool");
    server.removeQueue("plain");
    ASSERT_TRUE(readAgain());
    EXPECT_EQ(printing.Default().device, "pool");
    EXPECT_EQ(printing.FontCount(), 0);
    server.setDefault("office");
    ASSERT_TRUE(readAgain());
    EXPECT_EQ(printing.Default().device, "office") << "the server still runs";
}

// Beyond the design, a client.conf that names another server is followed: the
// environment of a running program cannot change, its files can.
TEST_F(CupsPrintingTest, AClientConfNamingAnotherServerIsReadAtTheNextRead) {
    PrivateCupsd other;
    other.addQueue("annex", testPpd({"AAA-Annex"}));
    other.setDefault("annex");
    ::unsetenv("CUPS_SERVER");
    std::filesystem::create_directories(server.folder() + "/.cups");
    std::ofstream(server.folder() + "/.cups/client.conf")
        << "ServerName " << other.socket() << "\n";
    ASSERT_TRUE(readAgain());
    EXPECT_EQ(printing.Default().device, "annex");
    EXPECT_EQ(printing.Default().server, other.socket());
    EXPECT_EQ(defaultFonts().front(), "AAA-Annex");
    EXPECT_EQ(printing.Count(), 1);
}

// On the kept connection a check is one request, two when there is no
// default; one that finds a change reads what a reload needs in the same
// read: three requests in all. Nothing is asked while a read is under way, nor
// by the redraws right after a load.
TEST_F(CupsPrintingTest, ACheckIsOneRequestOnTheKeptConnectionAndAReloadThree) {
    std::this_thread::sleep_for(1100ms);  // each queue's last change settled
    MisbehavingServer proxy{server.socket(), server.folder() + "/proxy.sock"};
    reachThrough(proxy.address());
    ASSERT_TRUE(readAgain()) << "another server";
    const auto requestsOf = [&](auto&& change) {
        const int before = proxy.requests();
        change();
        readAgain(1);
        return proxy.requests() - before;
    };
    EXPECT_EQ(requestsOf([] {}), 1);
    EXPECT_EQ(requestsOf([&] { server.setDefault("plain"); }), 3);
    EXPECT_EQ(requestsOf([&] { server.setDefault("office"); }), 3);
    EXPECT_EQ(proxy.connections(), 1) << "one connection, kept";

    server.removeQueue("office");
    EXPECT_EQ(requestsOf([] {}), 3) << "no default: a change, read with the queue list";
    EXPECT_EQ(requestsOf([] {}), 2) << "no default, and whether there is any queue";

    const int before = proxy.requests();
    EXPECT_ANY_THROW(printing.FontCount());  // a load, of no default
    printing.Any();
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(proxy.requests(), before) << "the redraws that a load's own Show causes";
    now += 1s;
    printing.Any();
    printing.Any();
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(proxy.requests(), before + 4) << "a burst during a read asks once more, after it";
}

// A read goes on as long as the server says something: a far server whose
// answers come after a silence shorter than ServerFailurePolicy::kSilence is
// read, one silent longer is given up; a trickle is never cut for silence.
TEST_F(CupsPrintingTest, OnlyASilenceLongerThanItsBoundEndsARead) {
    const auto readThrough = [&](MisbehavingServer& proxy) {
        reachThrough(proxy.address());
        const auto asked = std::chrono::steady_clock::now();
        EXPECT_TRUE(readAgain(15));
        return std::chrono::steady_clock::now() - asked;
    };
    // A new connection waits a round trip to open and one for its request.
    const auto within = (ServerFailurePolicy::kSilence - 600ms) / 4;
    MisbehavingServer near{server.socket(), server.folder() + "/near.sock"};
    near.delayEachWay(std::chrono::duration_cast<std::chrono::milliseconds>(within));
    EXPECT_GT(readThrough(near), ServerFailurePolicy::kSilence);
    EXPECT_EQ(printing.Default().device, "office");

    MisbehavingServer beyond{server.socket(), server.folder() + "/beyond.sock"};
    beyond.delayEachWay(std::chrono::duration_cast<std::chrono::milliseconds>(within + 300ms));
    EXPECT_LT(readThrough(beyond), ServerFailurePolicy::kSilence + 2s);
    EXPECT_EQ(kindOf([&] { printing.Any(); }), ErrorKind::NoAnswer);

    MisbehavingServer trickling{server.socket(), server.folder() + "/trickling.sock"};
    trickling.behave(MisbehavingServer::Behaviour::Trickling);
    reachThrough(trickling.address());
    now += 1h;  // past the back-off
    EXPECT_FALSE(
        readAgain(std::chrono::duration<double>(ServerFailurePolicy::kSilence + 2s).count()))
        << "still reading";
}

// A device's own failure is the answer's, and not asked again until something
// changes; a server that fails is left alone a while, then read again.
TEST_F(CupsPrintingTest, TheServersFailureIsRetriedOncePerBackOffStepTheDevicesIsNot) {
    server.addQueue("broken", testPpd({"AAA-Broken"}));
    server.spoilPpd("broken");
    server.setDefault("broken");
    std::this_thread::sleep_for(1100ms);  // its last change settled
    ASSERT_TRUE(readAgain());
    EXPECT_EQ(kindOf([&] { printing.FontCount(); }), ErrorKind::ServiceFailure);
    EXPECT_FALSE(readAgain(1)) << "the same answer";

    // A server that takes each connection and closes it at once.
    const std::string path = server.folder() + "/closing.sock";
    const Descriptor closing = listenOn(path);
    std::atomic<bool> stopping{false};
    std::atomic<int> accepted{0};
    std::thread closer([&] {
        while (!stopping) {
            pollfd listening{closing.get(), POLLIN, 0};
            if (::poll(&listening, 1, 20) > 0 &&
                Descriptor(::accept4(closing.get(), nullptr, nullptr, SOCK_CLOEXEC)).valid()) {
                ++accepted;
            }
        }
    });
    reachThrough(path);
    ASSERT_TRUE(readAgain());
    EXPECT_EQ(kindOf([&] { printing.Any(); }), ErrorKind::NoAnswer);
    const int first = accepted;
    for (const auto step : {2s, 4s}) {
        now += step - 100ms;
        printing.takeAnswer();
        EXPECT_ANY_THROW(printing.Any());
        std::this_thread::sleep_for(200ms);
        EXPECT_EQ(accepted, first + (step == 2s ? 0 : 1)) << "left alone";
        now += 100ms;
        EXPECT_TRUE(eventually(2, [&] { return accepted > first + (step == 2s ? 0 : 1); }))
            << "the redraw during the back-off is answered once it is over";
        std::this_thread::sleep_for(300ms);  // the next back-off counts from that read's end
    }
    stopping = true;
    closer.join();
}

}  // namespace
}  // namespace veltrane::testing
