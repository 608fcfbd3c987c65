#include "PrivateNetwork.h"

#include <unistd.h>

#include <atomic>
#include <optional>

#include "Process.h"

namespace veltrane::testing {

namespace {

// Runs each command in turn; the first that fails, or nothing.
std::optional<std::string> firstFailing(const std::vector<std::vector<std::string>>& commands) {
    for (const auto& command : commands) {
        if (Process::run(command) != 0) {
            std::string line;
            for (const std::string& word : command) line += word + " ";
            return line;
        }
    }
    return std::nullopt;
}

}  // namespace

PrivateNetwork::PrivateNetwork(std::string name) : server_(name + "s"), client_(name + "c") {}

std::unique_ptr<PrivateNetwork> PrivateNetwork::make(std::string& whyNot) {
    static std::atomic<int> made{0};
    // Interface names hold 15 characters at most.
    const std::string name = "vt" + std::to_string(::getpid()) + "n" + std::to_string(made++);
    std::unique_ptr<PrivateNetwork> network(new PrivateNetwork(name));
    const std::string server = network->server_;
    const std::string client = network->client_;
    const auto failed = firstFailing({
        {"ip", "netns", "add", server},
        {"ip", "netns", "add", client},
        {"ip", "link", "add", server, "type", "veth", "peer", "name", client},
        {"ip", "link", "set", server, "netns", server},
        {"ip", "link", "set", client, "netns", client},
        {"ip", "-n", server, "addr", "add", std::string(kServerAddress) + "/24", "dev", server},
        {"ip", "-n", client, "addr", "add", std::string(kClientAddress) + "/24", "dev", client},
        {"ip", "-n", server, "link", "set", "lo", "up"},
        {"ip", "-n", client, "link", "set", "lo", "up"},
        {"ip", "-n", server, "link", "set", server, "up"},
        {"ip", "-n", client, "link", "set", client, "up"},
    });
    if (failed) {
        whyNot = "this failed: " + *failed;
        return nullptr;
    }
    return network;
}

// Deleting a namespace deletes its end of the cable, and so the cable.
PrivateNetwork::~PrivateNetwork() {
    Process::run({"ip", "netns", "delete", server_});
    Process::run({"ip", "netns", "delete", client_});
}

}  // namespace veltrane::testing
