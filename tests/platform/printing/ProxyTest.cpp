// The test support's misbehaving server as libcups sees a private cupsd through
// it: from far away, over TCP.
#include <cups/cups.h>
#include <gmock/gmock.h>

#include <chrono>

#include "CHandle.h"
#include "MisbehavingServer.h"
#include "PrivateCupsd.h"

namespace veltrane::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Http = CHandle<http_t, httpClose>;
using Ipp = CHandle<ipp_t, ippDelete>;

// A connection of its own to the server CUPS_SERVER would name by `address`.
Http connection(const std::string& address,
                http_encryption_t encryption = HTTP_ENCRYPTION_IF_REQUESTED) {
    const bool local = address.starts_with('/');
    const auto colon = address.rfind(':');
    return Http(httpConnect2(local ? address.c_str() : address.substr(0, colon).c_str(),
                             local ? 0 : std::stoi(address.substr(colon + 1)), nullptr, AF_UNSPEC,
                             encryption, 1, 30000, nullptr));
}

// A CUPS-Get-Printers for what one answer has as the next has it.
Ipp queueListRequest() {
    static const char* const kSteady[] = {"printer-name", "printer-type", "printer-info",
                                          "printer-is-accepting-jobs"};
    Ipp request(ippNewRequest(IPP_OP_CUPS_GET_PRINTERS));
    ippSetRequestId(request.get(), 1);
    ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(std::size(kSteady)), nullptr, kSteady);
    return request;
}

// The queue list's bytes, as the server sent them less the chunks' framing.
std::string queueList(http_t* http) {
    const Ipp request = queueListRequest();
    if (cupsSendRequest(http, request.get(), "/", ippLength(request.get())) !=
        HTTP_STATUS_CONTINUE) {
        return "";
    }
    while (httpUpdate(http) == HTTP_STATUS_CONTINUE) {
    }
    std::string body;
    char buffer[4096];
    for (ssize_t n; (n = httpRead2(http, buffer, sizeof(buffer))) > 0;) {
        body.append(buffer, static_cast<std::size_t>(n));
    }
    return body;
}

class ProxyTest : public ::testing::Test {
protected:
    ProxyTest() {
        server.useInThisProcess();
        server.addQueue("office", std::nullopt);
        server.addQueue("plain", std::nullopt);
        server.setDefault("plain");
    }

    PrivateCupsd server;
};

TEST_F(ProxyTest, AFarServerCostsARoundTripToConnectAndOneARequestAndAnswersAsItIs) {
    server.addRawQueues("raw", 300);  // an answer that comes in many pieces
    MisbehavingServer proxy(server.listenOnLoopback(), MisbehavingServer::FreePort{});
    proxy.delayEachWay(100ms);
    const std::string sent = queueList(connection(server.socket()).get());

    const auto start = Clock::now();
    const Http far = connection(proxy.address());
    EXPECT_TRUE(queueList(far.get()) == sent) << "byte for byte";
    const auto first = Clock::now() - start;
    EXPECT_TRUE(queueList(far.get()) == sent) << "byte for byte";
    const auto second = Clock::now() - start - first;

    EXPECT_GE(first, 400ms);
    EXPECT_LT(first, 500ms);
    EXPECT_GE(second, 200ms) << "on the connection kept";
    EXPECT_LT(second, 300ms) << "on the connection kept";
    EXPECT_EQ(proxy.connections(), 1);
    EXPECT_EQ(proxy.requests(), 2);
    EXPECT_EQ(proxy.operations(), (std::map<int, int>{{IPP_OP_CUPS_GET_PRINTERS, 2}}));
    EXPECT_EQ(proxy.queueRecords(), 2 * 302);
}

}  // namespace
}  // namespace veltrane::testing
