// How long the shipped window goes without answering while its print server
// misbehaves: under a private Xvfb with a window manager, the program talks to
// a private cupsd through a proxy that answers as told. For each behaviour it
// prints the time from process start to the window found on the screen (xdotool
// looks twice a second, so this tells only whether the start waited), then
// the longest the window took to answer a clipboard request (another program
// asks every 20 ms) while it is uncovered again and again for 8 seconds, and
// the requests it then makes in 5 idle seconds. No event waits for the print
// server: any wait of note is a fault, and so is a request while nothing
// happens. Last, a real cupsd that asks a password for its queue list alone.
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "ClipboardProbe.h"
#include "MisbehavingServer.h"
#include "PrivateCupsd.h"
#include "PrivateWindowManager.h"
#include "PrivateXvfb.h"
#include "RunningProgram.h"
#include "Timing.h"

using namespace veltrane::testing;
using veltrane::bench::Timings;
using Behaviour = MisbehavingServer::Behaviour;
using Clock = std::chrono::steady_clock;

namespace {

// The longest the window goes without answering while it is uncovered again
// and again for 8 seconds, and the requests it makes in 5 idle seconds.
void measure(const char* name, std::map<std::string, std::string> environment,
             const std::string& log, const std::function<int()>& requests) {
    std::optional<RunningProgram> started;
    const double shown =
        Timings::time([&] { started.emplace(VELTRANE_EXECUTABLE, environment, log); });
    RunningProgram& program = *started;
    program.copyWith("alt+c");  // the window owns the clipboard the probe asks for

    const ClipboardProbe probe(environment.at("DISPLAY"));
    int uncovers = 0;
    for (const auto until = Clock::now() + std::chrono::seconds(8); Clock::now() < until;) {
        program.uncover();
        ++uncovers;
    }
    program.waitUntilIdle();
    const int beforeIdle = requests();
    std::this_thread::sleep_for(std::chrono::seconds(5));
    std::printf(
        "%-48s window found %7.0f ms   longest without answer %5lld ms"
        "   (%d answers, %d uncovers)   %d requests in 5 idle s\n",
        name, shown, static_cast<long long>(probe.longestWait().count()), probe.answers(), uncovers,
        requests() - beforeIdle);
}

void addOffice(PrivateCupsd& server) {
    server.addQueue("office", testPpd({"AAA-Office", "Courier"}));
    server.setDefault("office");
}

void measureThroughProxy(const char* name, Behaviour behaviour, const std::string& display) {
    PrivateCupsd server;
    addOffice(server);
    MisbehavingServer proxy(server.socket(), server.folder() + "/proxy.sock");
    proxy.behave(behaviour);
    std::map<std::string, std::string> environment = server.environment();
    environment["CUPS_SERVER"] = proxy.address();
    environment["DISPLAY"] = display;
    measure(name, environment, server.folder() + "/log/veltrane.log",
            [&] { return proxy.requests(); });
}

// A server whose policy asks a password for its queue list alone.
void measureAskingAPassword(const std::string& display) {
    PrivateCupsd server;
    addOffice(server);
    std::map<std::string, std::string> environment = server.environment();
    environment["CUPS_SERVER"] = server.requireAuthenticationFor("CUPS-Get-Printers");
    environment["DISPLAY"] = display;
    measure("a password asked for the queue list only", environment,
            server.folder() + "/log/veltrane.log", [&] { return server.loggedRequests(); });
}

}  // namespace

int main() {
    const PrivateXvfb xvfb;
    const PrivateWindowManager windowManager(xvfb.display());
    const std::vector<std::pair<const char*, Behaviour>> behaviours = {
        {"a print server that answers", Behaviour::Honest},
        {"takes requests, never answers", Behaviour::Silent},
        {"every part of an answer 1.2 s late", Behaviour::Late},
        {"one byte every 0.1 s", Behaviour::Trickling},
        {"a printer description that never ends", Behaviour::EndlessPpd},
        {"answers all but the printer description", Behaviour::StallingOnPpd},
    };
    std::printf(
        "The window under a misbehaving print server (target: no wait over 50 ms, no request "
        "while idle)\n");
    for (const auto& [name, behaviour] : behaviours) {
        measureThroughProxy(name, behaviour, xvfb.display());
    }
    measureAskingAPassword(xvfb.display());
    return 0;
}
