// The test support's misbehaving server as libcups sees a private cupsd through
// it: from far away, over TCP, encrypted, and with queue lists that disagree
// with the server's.
#include <cups/cups.h>
#include <gmock/gmock.h>
#include <poll.h>
#include <sys/socket.h>

#include <chrono>
#include <thread>

#include "CHandle.h"
#include "MisbehavingServer.h"
#include "PrivateCupsd.h"
#include "Sockets.h"

namespace veltrane::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace std::chrono_literals;
using Behaviour = MisbehavingServer::Behaviour;
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

// The queues the queue list flags the default: cupsd lists each queue's type
// before its name.
std::vector<std::string> defaultsIn(http_t* http) {
    const Ipp list(cupsDoRequest(http, queueListRequest().release(), "/"));
    std::vector<std::string> defaults;
    for (ipp_attribute_t* type = ippFindAttribute(list.get(), "printer-type", IPP_TAG_ENUM);
         type != nullptr; type = ippFindNextAttribute(list.get(), "printer-type", IPP_TAG_ENUM)) {
        ipp_attribute_t* name = ippFindNextAttribute(list.get(), "printer-name", IPP_TAG_NAME);
        if ((ippGetInteger(type, 0) & CUPS_PRINTER_DEFAULT) != 0) {
            defaults.emplace_back(ippGetString(name, 0, nullptr));
        }
    }
    return defaults;
}

// A server of the test's own that answers one request with `body`, each of its
// bytes a chunk and a write of its own: every attribute straddles chunks, and
// most straddle reads.
class ByteByByteServer {
public:
    ByteByByteServer(const std::string& socket, const std::string& body)
        : listener_(listenOn(socket)), answering_([this, body] { answer(body); }) {}
    ~ByteByByteServer() { answering_.join(); }

private:
    void answer(const std::string& body) const {
        pollfd listening{listener_.get(), POLLIN, 0};
        if (::poll(&listening, 1, 5000) <= 0) return;
        const Descriptor client = acceptFrom(listener_);
        // All of the request first, as cupsd reads it: it ends with its attributes'.
        char buffer[4096];
        for (ssize_t n = 0; n == 0 || buffer[n - 1] != IPP_TAG_END;) {
            if ((n = ::read(client.get(), buffer, sizeof(buffer))) <= 0) return;
        }
        const auto send = [&](const std::string& bytes) {
            ::send(client.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
        };
        send(
            "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\n"
            "Transfer-Encoding: chunked\r\n\r\n");
        for (const char byte : body) send(std::string("1\r\n") + byte + "\r\n");
        send("0\r\n\r\n");
    }

    Descriptor listener_;
    std::thread answering_;
};

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
    MisbehavingServer proxy(server.address(), MisbehavingServer::FreePort{});
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

TEST_F(ProxyTest, QueueListsFlagNoQueueOrAnotherTheDefaultAsTheProxyIsTold) {
    MisbehavingServer proxy(server.socket(), server.folder() + "/proxy.sock");
    const auto defaults = [&](Behaviour behaviour) {
        proxy.behave(behaviour);
        return defaultsIn(connection(proxy.address()).get());
    };
    EXPECT_THAT(defaults(Behaviour::Honest), ElementsAre("plain"));
    EXPECT_THAT(defaults(Behaviour::NoDefault), IsEmpty());
    EXPECT_THAT(defaults(Behaviour::OtherDefault), ElementsAre("office"));

    const std::string bytes = server.folder() + "/bytes.sock";
    const ByteByByteServer byteByByte(bytes, queueList(connection(server.socket()).get()));
    MisbehavingServer inPieces(bytes, server.folder() + "/pieces.sock");
    inPieces.behave(Behaviour::OtherDefault);
    EXPECT_THAT(defaultsIn(connection(inPieces.address()).get()), ElementsAre("office"));
}

// What the proxy cannot read it passes as it is, however far it delays it.
TEST_F(ProxyTest, AnEncryptedConnectionPassesThroughAFarProxyUnchanged) {
    MisbehavingServer proxy(server.address(), MisbehavingServer::FreePort{});
    proxy.delayEachWay(50ms);
    proxy.behave(Behaviour::OtherDefault);
    const Http http = connection(proxy.address(), HTTP_ENCRYPTION_REQUIRED);
    ASSERT_NE(http, nullptr);
    EXPECT_TRUE(httpIsEncrypted(http.get()));
    EXPECT_THAT(defaultsIn(http.get()), ElementsAre("plain"));
}

}  // namespace
}  // namespace veltrane::testing
