#include "FontFolderWatch.h"

#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iterator>

namespace veltrane {

namespace {

// A font or configuration file added, removed, renamed or written, and a
// watched path itself replaced or gone.
constexpr std::uint32_t kChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                   IN_CLOSE_WRITE | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
// On the way to a path that does not exist: the next step made, or the folder
// itself gone.
constexpr std::uint32_t kSteps = IN_CREATE | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
// How often, in milliseconds, paths that cannot be watched are looked at.
constexpr int kLookEveryMs = 5000;

std::string parentOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return "";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

FontFolderWatch::FontFolderWatch() : inotify_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

// Paths once watched stay watched: a folder made since a scan began is not
// forgotten when the scan's own paths come.
void FontFolderWatch::add(std::vector<std::string> paths) {
    paths_.insert(paths_.end(), std::make_move_iterator(paths.begin()),
                  std::make_move_iterator(paths.end()));
    rewatch();
}

// Watches that stay keep their events; only those no longer wanted go.
void FontFolderWatch::rewatch() {
    std::sort(paths_.begin(), paths_.end());
    paths_.erase(std::unique(paths_.begin(), paths_.end()), paths_.end());
    std::unordered_map<int, Watched> before = std::move(watches_);
    watches_.clear();
    looked_.clear();
    for (const std::string& path : paths_) watchNearest(path);
    for (const auto& [watch, watched] : before) {
        if (!watches_.contains(watch)) ::inotify_rm_watch(inotify_.get(), watch);
    }
    lookedState_ = lookedState();
}

void FontFolderWatch::watchNearest(const std::string& target) {
    for (std::string path = target; !path.empty(); path = parentOf(path)) {
        const bool isTarget = path == target;
        const int watch = ::inotify_add_watch(inotify_.get(), path.c_str(),
                                              (isTarget ? kChanges : kSteps) | IN_MASK_ADD);
        if (watch >= 0) {
            Watched& watched = watches_[watch];
            watched.path = path;
            watched.target = watched.target || isTarget;
            return;
        }
        if (errno != ENOENT && errno != ENOTDIR) {
            looked_.push_back(target);
            return;
        }
        if (path == "/") return;
    }
}

void FontFolderWatch::wait(int wake, int timeout) const {
    if (!looked_.empty()) timeout = timeout < 0 ? kLookEveryMs : std::min(timeout, kLookEveryMs);
    pollfd ready[] = {{inotify_.get(), POLLIN, 0}, {wake, POLLIN, 0}};
    ::poll(ready, 2, timeout);
}

bool FontFolderWatch::onTheWay(const std::string& path) const {
    return std::any_of(paths_.begin(), paths_.end(), [&](const std::string& target) {
        return target == path || target.rfind(path + "/", 0) == 0;
    });
}

// What the paths that could not be watched are now: each one's inode, size
// and times, or its absence.
std::string FontFolderWatch::lookedState() const {
    std::string state;
    for (const std::string& path : looked_) {
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0) {
            state += "-;";
            continue;
        }
        state += std::to_string(status.st_ino) + ":" + std::to_string(status.st_size) + ":" +
                 std::to_string(status.st_mtim.tv_sec) + "." +
                 std::to_string(status.st_mtim.tv_nsec) + ":" +
                 std::to_string(status.st_ctim.tv_nsec) + ";";
    }
    return state;
}

bool FontFolderWatch::changed() {
    bool any = false;
    alignas(inotify_event) char events[4096];
    for (ssize_t got = 0; (got = ::read(inotify_.get(), events, sizeof(events))) > 0;) {
        for (const char* at = events; at < events + got;) {
            const auto& event = *reinterpret_cast<const inotify_event*>(at);
            at += sizeof(inotify_event) + event.len;
            if (event.mask & IN_Q_OVERFLOW) {
                any = true;
                continue;
            }
            const auto found = watches_.find(event.wd);
            if (found == watches_.end() || (event.mask & IN_IGNORED)) continue;
            const Watched& watched = found->second;
            const std::string step = event.len > 0 ? watched.path + "/" + event.name : "";
            if (watched.target) {
                any = true;
                const bool newFolder =
                    (event.mask & IN_ISDIR) && (event.mask & (IN_CREATE | IN_MOVED_TO));
                if (newFolder && !step.empty()) paths_.push_back(step);
            } else if ((event.mask & (IN_DELETE_SELF | IN_MOVE_SELF)) ||
                       (!step.empty() && onTheWay(step))) {
                any = true;
            }
        }
    }
    if (!looked_.empty() && lookedState() != lookedState_) any = true;
    if (any) rewatch();
    return any;
}

}  // namespace veltrane
