#include "FontFolderWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cstdint>

#include "Fontconfig.h"

namespace veltrane {

namespace {

// A font or configuration file added, removed, renamed or written, and a
// watched path itself replaced or gone.
constexpr std::uint32_t kChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                   IN_CLOSE_WRITE | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;

}  // namespace

FontFolderWatch::FontFolderWatch() : inotify_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (!inotify_.valid()) return;
    for (const std::string& path : fontconfig::configurationAndFontFolders()) {
        ::inotify_add_watch(inotify_.get(), path.c_str(), kChanges);
    }
}

bool FontFolderWatch::changed() {
    if (!inotify_.valid()) return false;
    bool any = false;
    alignas(inotify_event) char events[4096];
    while (::read(inotify_.get(), events, sizeof(events)) > 0) any = true;
    return any;
}

}  // namespace veltrane
