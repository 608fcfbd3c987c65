#pragma once

#include <memory>
#include <string>
#include <vector>

namespace veltrane::testing {

// Two hosts of the test's own, network namespaces joined by a virtual cable: a
// server's and a client's, each reaching the other and nothing else. A server
// sees the client's connections come from another host, as a shared print
// server sees its users'.
class PrivateNetwork {
public:
    static constexpr const char* kServerAddress = "10.77.0.1";
    static constexpr const char* kClientAddress = "10.77.0.2";

    // Nothing when this machine cannot make namespaces (not root, say); `whyNot` says why.
    static std::unique_ptr<PrivateNetwork> make(std::string& whyNot);
    ~PrivateNetwork();
    PrivateNetwork(const PrivateNetwork&) = delete;
    PrivateNetwork& operator=(const PrivateNetwork&) = delete;

    // The start of a command line that runs the rest on the server's host, or the client's.
    std::vector<std::string> onServer() const { return inside(server_); }
    std::vector<std::string> onClient() const { return inside(client_); }

private:
    explicit PrivateNetwork(std::string name);
    static std::vector<std::string> inside(const std::string& host) {
        return {"ip", "netns", "exec", host};
    }

    std::string server_;
    std::string client_;
};

}  // namespace veltrane::testing
