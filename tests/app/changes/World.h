#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace veltrane::testing {

// The driver's own account of what it has changed: which kinds of change may
// come next, and on what. It decides nothing about the window.
struct ServerAccount {
    std::vector<std::string> queues;
    std::optional<std::string> defaultQueue;  // the server's own default, a queue or the class
    bool classExists = false;
    std::string classMember;      // the class's only member, where it has one
    std::string policy = "none";  // the operation that asks a password
    bool running = true;
    bool paused = false;

    bool has(const std::string& queue) const {
        return std::find(queues.begin(), queues.end(), queue) != queues.end();
    }
    bool answers() const { return running && !paused; }
};

// Font families installed at once into one folder.
struct FontBatch {
    std::string tag;
    std::vector<std::string> families;
    std::vector<std::string> files;
};

struct FontFolder {
    std::string path;
    bool exists = false;
    bool configured = false;  // fontconfig's configuration names it
    bool readable = true;
    std::vector<FontBatch> batches{};
    std::string pipe{};  // a named pipe in it, named like a font; empty: none

    bool listed() const { return exists && configured; }
};

struct World {
    static constexpr const char* kClass = "team";

    std::map<std::string, ServerAccount> servers;  // "A" and "B"
    std::string current = "A";                     // the one client.conf names
    std::optional<std::string> lpoptionsDefault;   // ~/.cups/lpoptions's, when the file is there
    std::map<std::string, std::string> variables;  // LPDEST and PRINTER, where set
    std::map<std::string, FontFolder> folders;     // "private", "user" and "included"
    int batches = 0;

    ServerAccount& server() { return servers.at(current); }
    const ServerAccount& server() const { return servers.at(current); }
    bool anyPaused() const {
        return std::any_of(servers.begin(), servers.end(),
                           [](const auto& server) { return server.second.paused; });
    }
    // fontconfig's own tools would wait at it for ever.
    bool pipeListed() const {
        return std::any_of(folders.begin(), folders.end(), [](const auto& folder) {
            return folder.second.listed() && !folder.second.pipe.empty();
        });
    }
    // Every printer gone, as a client that gives no password can tell.
    bool noPrinters() const {
        const ServerAccount& s = server();
        return !s.running || (s.queues.empty() && !s.classExists && s.policy != kQueueList);
    }
    // What lp prints to: LPDEST, PRINTER, lpoptions, else the server's default.
    std::optional<std::string> localChoice() const {
        for (const char* name : {"LPDEST", "PRINTER"}) {
            if (variables.contains(name)) return variables.at(name);
        }
        return lpoptionsDefault ? lpoptionsDefault : server().defaultQueue;
    }

    static constexpr const char* kQueueList = "CUPS-Get-Printers";
};

}  // namespace veltrane::testing
