#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Process.h"
#include "TempDir.h"

namespace veltrane::testing {

// A print server of the test's own: cupsd on a socket in a temporary folder,
// with its configuration, spool and logs all in there. It never touches the
// machine's own print server or its configuration.
class PrivateCupsd {
public:
    PrivateCupsd();

    void start();
    void stop();
    // Starts the server again on the host `launcher` runs commands on (see
    // PrivateNetwork), listening on `address` too, where it requires every
    // client to encrypt; cupsd asks that of clients on other hosts only.
    void requireEncryption(const std::string& address, std::vector<std::string> launcher);
    // Starts the server again listening on a free port of the loopback address
    // too. Returns the address a client reaches it at there.
    std::string listenOnLoopback() { return restartOnLoopbackWith(""); }
    // The same, where it asks a password for the IPP operation named (as its
    // policy names it: "CUPS-Get-Printers") and for nothing else, and logs every
    // request.
    std::string requireAuthenticationFor(const std::string& operation);
    // The requests the server has logged so far (after requireAuthenticationFor).
    int loggedRequests() const;

    // What a client needs to reach this server and nothing of the machine's own.
    std::map<std::string, std::string> environment() const;
    // Points this process (libcups and the program's layer) at the server.
    void useInThisProcess() const;

    // A queue printing to /dev/null; with a PPD, or raw without one.
    void addQueue(const std::string& name, const std::optional<std::string>& ppd);
    void removeQueue(const std::string& name);
    // Adds `count` raw queues, named by `prefix` and a number, as a large shared
    // server has them: written into the server's configuration while it is
    // stopped, which thousands of lpadmin runs would take long to do.
    void addRawQueues(const std::string& prefix, int count);
    // Replaces the queue's description on the server by one no reader can parse.
    void spoilPpd(const std::string& name);
    void setDefault(const std::string& name);
    // Runs lpoptions with the given arguments, against this server and folder.
    void lpoptions(const std::vector<std::string>& arguments);

    std::string socket() const { return folder_ / "cups.sock"; }
    std::string folder() const { return folder_.path().string(); }

private:
    void admin(const std::vector<std::string>& arguments);
    void writeConfiguration();
    // Starts the server again with this configuration.
    void restartWith(const std::string& configuration);
    // Starts the server again listening on a free loopback port too, with more
    // configuration; the address there.
    std::string restartOnLoopbackWith(const std::string& more);

    TempDir folder_;
    std::vector<std::string> launcher_;
    std::unique_ptr<Process> cupsd_;
};

// A PostScript printer description listing the given resident fonts.
std::string testPpd(const std::vector<std::string>& fonts);

}  // namespace veltrane::testing
