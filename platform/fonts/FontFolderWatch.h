#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "Descriptor.h"

namespace veltrane {

// Tells, with inotify, whether the installed fonts may have changed: it
// watches every path whose change may change what fontconfig reads, and for a
// path that does not exist yet, the nearest folder on the way to it that does,
// heeding there only the next step on the way (a font folder made in the home
// folder, not every file written there). A folder made in a watched font
// folder is watched at once, before its fonts are scanned. Where a path cannot
// be watched (inotify's limit reached, no permission), it is looked at
// instead, each time the watch is asked. Not thread-safe: one thread asks.
class FontFolderWatch {
public:
    FontFolderWatch();

    // Waits for events, for `wake` to become readable, or for `timeout`
    // milliseconds (-1: no bound), and a few seconds at most while some path
    // is looked at rather than watched.
    void wait(int wake, int timeout) const;
    // Watches these paths too from now on.
    void add(std::vector<std::string> paths);
    // Reads the events that have come; whether any may change the fonts. It
    // then watches the paths anew, as they are now.
    bool changed();

private:
    struct Watched {
        std::string path;
        bool target = false;  // else a folder on the way to one
    };

    void rewatch();
    void watchNearest(const std::string& path);
    bool onTheWay(const std::string& path) const;
    std::string lookedState() const;

    Descriptor inotify_;
    std::vector<std::string> paths_;
    std::unordered_map<int, Watched> watches_;
    std::vector<std::string> looked_;  // what could not be watched
    std::string lookedState_;
};

}  // namespace veltrane
