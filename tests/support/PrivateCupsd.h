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
// with its configuration, spool and logs all in there, and on a port of the
// loopback address that it keeps when it starts again. It never touches the
// machine's own print server or its configuration.
class PrivateCupsd {
public:
    PrivateCupsd();
    ~PrivateCupsd();
    PrivateCupsd(const PrivateCupsd&) = delete;
    PrivateCupsd& operator=(const PrivateCupsd&) = delete;

    void start();
    void stop();
    // Stops the server's process where it stands (SIGSTOP), as a server that
    // hangs: it takes connections and answers nothing until resumed.
    void pause();
    void resume();
    // Starts the server again on the host `launcher` runs commands on (see
    // PrivateNetwork), listening on `address` too, where it requires every
    // client to encrypt; cupsd asks that of clients on other hosts only.
    void requireEncryption(const std::string& address, std::vector<std::string> launcher);
    // Starts the server again asking a password, on its loopback port, for the
    // IPP operation named (as its policy names it: "CUPS-Get-Printers") and for
    // nothing else. Returns the address a client reaches it at there.
    std::string requireAuthenticationFor(const std::string& operation);
    // Starts the server again asking no password.
    void requireNoAuthentication();
    // The requests the server has logged so far.
    int loggedRequests() const;

    // What a client needs to reach this server and nothing of the machine's own.
    std::map<std::string, std::string> environment() const;
    // Points this process (libcups and the program's layer) at the server.
    void useInThisProcess() const;

    // A queue printing to /dev/null; with a PPD, or raw without one.
    void addQueue(const std::string& name, const std::optional<std::string>& ppd);
    void removeQueue(const std::string& name);
    // Replaces the queue's printer description, as an administrator does.
    void replacePpd(const std::string& name, const std::string& ppd);
    // Adds the queue to the class, made where it is not there yet. Removing
    // its last member from it removes the class; removing that queue leaves
    // the class without a member.
    void addToClass(const std::string& queue, const std::string& className);
    void removeFromClass(const std::string& queue, const std::string& className);
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
    // The server's process; 0 while it is stopped.
    pid_t pid() const { return cupsd_ ? cupsd_->pid() : 0; }
    // "127.0.0.1:port": the server over TCP, where a password policy applies.
    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
    std::string folder() const { return folder_.path().string(); }

private:
    void admin(const std::vector<std::string>& arguments);
    void writeConfiguration();
    // The shared template's configuration, listening on the loopback port
    // too and logging every request, followed by `more`.
    std::string configuration(const std::string& more = "") const;
    // Starts the server again with this configuration.
    void restartWith(const std::string& text);

    TempDir folder_;
    int port_;
    std::vector<std::string> launcher_;
    std::unique_ptr<Process> cupsd_;
    bool paused_ = false;
};

// A PostScript printer description listing the given resident fonts.
std::string testPpd(const std::vector<std::string>& fonts);

}  // namespace veltrane::testing
