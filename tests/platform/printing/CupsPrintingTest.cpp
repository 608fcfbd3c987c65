// The printing service against a real print server of the test's own.
#include <arpa/inet.h>
#include <cups/cups.h>
#include <gmock/gmock.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <set>
#include <thread>

#include "CupsPrinting.h"
#include "Descriptor.h"
#include "ErrorKindOf.h"
#include "FontconfigFamilies.h"
#include "InstalledFonts.h"
#include "MisbehavingServer.h"
#include "PlatformError.h"
#include "PrivateCupsd.h"
#include "Sockets.h"

namespace veltrane::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

class CupsPrintingTest : public ::testing::Test {
protected:
    CupsPrintingTest() {
        server.useInThisProcess();
        server.addQueue("office", testPpd({"AAA-Resident", "Courier"}));
        server.addQueue("plain", std::nullopt);
        server.setDefault("office");
    }

    // Every font of the default device, as a load reads them in one event.
    std::vector<std::string> defaultFonts() {
        std::vector<std::string> fonts;
        const auto count = printing.FontCount();
        for (Int16 i = 0; i < count; ++i) fonts.push_back(printing.Fonts(i));
        return fonts;
    }

    void nextEvent() { events.next(); }

    PrivateCupsd server;
    EventCounter events;
    InstalledFonts installed;
    CupsPrinting printing{events, installed.scalableFamilies()};
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

TEST_F(CupsPrintingTest, ChangesOnTheServerShowAtTheNextEvent) {
    server.setDefault("plain");
    nextEvent();
    EXPECT_EQ(printing.Default().device, "plain");
    EXPECT_EQ(printing.FontCount(), 0) << "a raw queue has no fonts";

    server.addQueue("plain", testPpd({"Replaced-Font"}));
    nextEvent();
    EXPECT_EQ(defaultFonts().front(), "Replaced-Font");

    server.removeQueue("office");
    nextEvent();
    EXPECT_EQ(printing.Count(), 1);
}

TEST_F(CupsPrintingTest, OneEventSeesOneViewEvenWhenTheDefaultChangesMeanwhile) {
    EXPECT_EQ(printing.Default().device, "office");
    server.setDefault("plain");
    server.addQueue("third", std::nullopt);
    EXPECT_EQ(printing.FontCount(), static_cast<std::int64_t>(defaultFonts().size()));
    EXPECT_GT(printing.FontCount(), 0) << "still the fonts of office";
    EXPECT_EQ(printing.Default().device, "office");
    EXPECT_EQ(printing.Count(), 2);

    nextEvent();
    EXPECT_EQ(printing.Default().device, "plain");
    EXPECT_EQ(printing.Count(), 3);
}

TEST_F(CupsPrintingTest, TheUsersChoiceComesBeforeTheServersDefault) {
    server.lpoptions({"-p", "office/wide", "-o", "media=A4"});
    server.lpoptions({"-d", "office/wide"});
    nextEvent();
    EXPECT_EQ(printing.Default().device, "office/wide");
    EXPECT_EQ(defaultFonts().front(), "AAA-Resident") << "an instance has its queue's fonts";

    ::setenv("LPDEST", "plain", 1);
    nextEvent();
    EXPECT_EQ(printing.Default().device, "plain");

    ::setenv("LPDEST", "PLAIN", 1);
    nextEvent();
    EXPECT_EQ(printing.Default().device, "plain")
        << "found ignoring case, in the server's spelling";
    ::unsetenv("LPDEST");
}

TEST_F(CupsPrintingTest, APpdsRepeatedAndEmptyFontNamesAreLeftOut) {
    server.addQueue("repeats", testPpd({"AAA-Twice", "", "AAA-Once", "AAA-Twice"}));
    server.setDefault("repeats");
    nextEvent();
    const std::vector<std::string> fonts = defaultFonts();
    ASSERT_GE(fonts.size(), 2U);
    EXPECT_THAT(std::vector(fonts.begin(), fonts.begin() + 2),
                ElementsAre("AAA-Twice", "AAA-Once"));
    EXPECT_EQ(std::set<std::string>(fonts.begin(), fonts.end()).size(), fonts.size());
    EXPECT_THAT(fonts, ::testing::Not(Contains("")));
}

TEST_F(CupsPrintingTest, QueuesWithoutADefaultHaveNoDevice) {
    server.removeQueue("office");
    server.addQueue("office", testPpd({"AAA-Resident"}));  // a new queue is no default
    nextEvent();
    EXPECT_EQ(printing.Count(), 2);
    EXPECT_EQ(printing.Default(), (DefaultChoice{std::nullopt, "no default printer is set"}));
    EXPECT_EQ(kindOf([&] { printing.FontCount(); }), ErrorKind::DeviceUnavailable);
}

TEST_F(CupsPrintingTest, OddQueueNamesArePlainNames) {
    server.addQueue("a&b", testPpd({"Odd&Font"}));
    server.setDefault("a&b");
    nextEvent();
    EXPECT_EQ(printing.Default().device, "a&b");
    EXPECT_EQ(defaultFonts().front(), "Odd&Font");

    // cupsd refuses the description's HTTP resource of a queue whose name holds "<".
    server.addQueue("<b>x<b>", testPpd({"AAA-Hidden"}));
    server.setDefault("<b>x<b>");
    nextEvent();
    EXPECT_EQ(printing.Default().device, "<b>x<b>");
    EXPECT_EQ(defaultFonts().front(), "AAA-Hidden");
}

TEST_F(CupsPrintingTest, AStoppedServerHasNoDevicesAndEveryPrinterOperationRaises) {
    server.stop();
    nextEvent();
    EXPECT_EQ(printing.Count(), 0);
    Int16 index = 0;
    EXPECT_EQ(printing.Default().device, std::nullopt);
    EXPECT_EQ(kindOf([&] { printing.FontCount(); }), ErrorKind::DeviceUnavailable);
    EXPECT_EQ(kindOf([&] { printing.Fonts(index); }), ErrorKind::DeviceUnavailable);

    server.start();
    nextEvent();
    EXPECT_EQ(printing.Default().device, "office");
}

TEST_F(CupsPrintingTest, AServerThatNeverAnswersFailsWithinTwoSeconds) {
    const std::string path = server.folder() + "/silent.sock";
    const Descriptor silent = listenOn(path);  // takes connections, never says a word
    ::setenv("CUPS_SERVER", path.c_str(), 1);
    cupsSetServer(nullptr);
    nextEvent();

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(kindOf([&] { printing.Count(); }), ErrorKind::NoAnswer)
        << "never 0 devices for a server that could not be read";
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(kindOf([&] { printing.Default(); }), ErrorKind::NoAnswer);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2))
        << "the same event does not ask again";
}

// A paint's check costs the same whatever the number of queues: at most two
// requests and one queue's record, where a load reads every queue.
TEST_F(CupsPrintingTest, APaintsCheckReadsAtMostOneQueuesRecord) {
    server.addQueue("third", std::nullopt);
    MisbehavingServer proxy{server.socket(), server.folder() + "/proxy.sock"};
    ::setenv("CUPS_SERVER", proxy.address().c_str(), 1);
    cupsSetServer(nullptr);
    const auto check = [&](const std::optional<std::string>& expected) {
        nextEvent();
        const int requests = proxy.requests();
        const int records = proxy.queueRecords();
        EXPECT_TRUE(printing.Any());
        if (expected) {
            EXPECT_EQ(printing.Default().device, *expected);
        } else {
            EXPECT_EQ(printing.Default().device, std::nullopt);
        }
        EXPECT_LE(proxy.requests() - requests, 2) << expected.value_or("no default");
        EXPECT_LE(proxy.queueRecords() - records, 1) << expected.value_or("no default");
    };
    check("office");
    ::setenv("LPDEST", "PLAIN", 1);
    check("plain");
    ::setenv("LPDEST", "nowhere", 1);
    check(std::nullopt);
    ::unsetenv("LPDEST");
    server.removeQueue("office");
    server.addQueue("office", std::nullopt);  // no default now
    check(std::nullopt);

    const int records = proxy.queueRecords();
    EXPECT_EQ(printing.Count(), 3) << "the same event's load reads every queue";
    EXPECT_EQ(proxy.queueRecords() - records, 3);
}

// A TCP port whose queue of connections is full: the host drops every further
// attempt, as one that has gone away does, and a connect never completes.
class UnreachablePort {
public:
    UnreachablePort() : listener_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        ::bind(listener_.get(), reinterpret_cast<sockaddr*>(&address), length);
        ::listen(listener_.get(), 0);
        ::getsockname(listener_.get(), reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        for (int i = 0; i < 2; ++i) {
            fillers_.emplace_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
            ::connect(fillers_.back().get(), reinterpret_cast<sockaddr*>(&address), length);
        }
    }

    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }

private:
    Descriptor listener_;
    std::vector<Descriptor> fillers_;
    int port_ = 0;
};

TEST_F(CupsPrintingTest, ARemoteServerThatHasGoneAwayIsNoAnswerNotNoPrinters) {
    UnreachablePort gone;
    ::setenv("CUPS_SERVER", gone.address().c_str(), 1);
    cupsSetServer(nullptr);
    nextEvent();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(kindOf([&] { printing.Count(); }), ErrorKind::NoAnswer);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

// How the printing service meets a print server that misbehaves.
struct Misbehaviour {
    const char* name;
    MisbehavingServer::Behaviour behaviour;
    bool listsItsQueues;
    std::optional<ErrorKind> fontsError;
    bool leftAlone;  // the next event raises at once without asking
};

class MisbehavingServerTest : public CupsPrintingTest,
                              public ::testing::WithParamInterface<Misbehaviour> {
protected:
    MisbehavingServerTest() {
        ::setenv("CUPS_SERVER", proxy.address().c_str(), 1);
        cupsSetServer(nullptr);
        proxy.behave(GetParam().behaviour);
    }

    MisbehavingServer proxy{server.socket(), server.folder() + "/proxy.sock"};
};

TEST_P(MisbehavingServerTest, NoEventWaitsLongAndAServerThatDidNotAnswerIsLeftAlone) {
    using namespace std::chrono_literals;
    const Misbehaviour& row = GetParam();
    const auto start = std::chrono::steady_clock::now();
    if (row.listsItsQueues) {
        EXPECT_EQ(printing.Count(), 2);
        EXPECT_EQ(kindOf([&] { printing.FontCount(); }), row.fontsError);
    } else {
        EXPECT_EQ(kindOf([&] { printing.Count(); }), ErrorKind::NoAnswer) << "never 0 devices";
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s) << "one deadline for the event";

    const int connections = proxy.connections();
    nextEvent();
    const auto again = std::chrono::steady_clock::now();
    if (row.leftAlone) {
        EXPECT_EQ(kindOf([&] { printing.Count(); }), ErrorKind::NoAnswer);
        EXPECT_LT(std::chrono::steady_clock::now() - again, 100ms) << "at once";
        EXPECT_EQ(proxy.connections(), connections) << "without asking";
    } else {
        EXPECT_EQ(printing.Count(), 2);
    }
}

using Behaviour = MisbehavingServer::Behaviour;
INSTANTIATE_TEST_SUITE_P(
    , MisbehavingServerTest,
    ::testing::Values(
        Misbehaviour{"Silent", Behaviour::Silent, false, std::nullopt, true},
        Misbehaviour{"Late", Behaviour::Late, false, std::nullopt, true},
        Misbehaviour{"Trickling", Behaviour::Trickling, false, std::nullopt, true},
        Misbehaviour{"StallingOnPpd", Behaviour::StallingOnPpd, true, ErrorKind::NoAnswer, true},
        Misbehaviour{"EndlessPpd", Behaviour::EndlessPpd, true, ErrorKind::ServiceFailure, false}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace veltrane::testing
