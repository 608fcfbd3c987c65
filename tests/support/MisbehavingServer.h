#pragma once

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Descriptor.h"

namespace veltrane::testing {

// A print server that misbehaves on purpose: a proxy on a socket of its own in
// front of a private cupsd, passing each connection's request on and answering
// as it is told when the connection opens, from as far away as it is told
// then. It counts what it is asked.
class MisbehavingServer {
public:
    enum class Behaviour {
        Honest,         // passes everything on
        Silent,         // takes requests, never answers
        Late,           // every part of an answer 1.2 s late
        Trickling,      // answers one byte every 0.1 s
        EndlessPpd,     // answers a printer description that never ends, as fast as it can
        StallingOnPpd,  // answers everything but a printer description, that never
        // Queue lists (CUPS-Get-Printers) that disagree with the server's default,
        // which CUPS-Get-Default still names, as cupsGetDests2 reads it:
        NoDefault,     // with no queue flagged the default
        OtherDefault,  // with the first queue that is not the default flagged it instead
    };

    // A free TCP port of an address to listen on.
    struct FreePort {
        std::string host = "127.0.0.1";
    };

    // A proxy in front of the server at `upstream`, named as CUPS_SERVER names
    // it (a Unix socket's path, or "127.0.0.1:631"), listening on the Unix
    // socket at `socket`, or on a free port.
    MisbehavingServer(const std::string& upstream, const std::string& socket);
    MisbehavingServer(const std::string& upstream, const FreePort& port);
    ~MisbehavingServer();
    MisbehavingServer(const MisbehavingServer&) = delete;
    MisbehavingServer& operator=(const MisbehavingServer&) = delete;

    void behave(Behaviour behaviour) { behaviour_ = behaviour; }
    // Every byte reaches the server `oneWay` after the client sent it, and the
    // client `oneWay` after the server did, as over a long way: a request costs
    // a round trip, and so does opening a connection, whose first bytes wait for
    // it as for a TCP handshake.
    void delayEachWay(std::chrono::milliseconds oneWay) { oneWay_ = oneWay; }
    // What CUPS_SERVER takes to reach the proxy: its socket's path, or
    // "127.0.0.1:PORT".
    const std::string& address() const { return address_; }
    int connections() const { return connections_; }
    // Requests of every kind, and the queues' records in the answers (each
    // record names its queue once).
    int requests() const { return requests_; }
    int queueRecords() const { return queueRecords_; }
    // The IPP requests by operation (0x4002 CUPS-Get-Printers): how many of each.
    std::map<int, int> operations() const;
    // Requests for a printer description (CUPS-Get-PPD).
    int ppdRequests() const;

private:
    class Connection;

    void start();
    void acceptConnections();
    void count(int operation);

    std::string upstream_;
    Descriptor listener_;
    std::string address_;
    std::atomic<Behaviour> behaviour_{Behaviour::Honest};
    std::atomic<std::chrono::milliseconds> oneWay_{};
    std::atomic<int> connections_{0};
    std::atomic<int> requests_{0};
    std::atomic<int> queueRecords_{0};
    mutable std::mutex operationsMutex_;
    std::map<int, int> operations_;
    std::atomic<bool> stopping_{false};
    std::mutex servingMutex_;
    std::vector<std::thread> serving_;
    std::thread acceptor_;
};

}  // namespace veltrane::testing
