#pragma once

#include "Descriptor.h"

namespace veltrane {

// Tells whether the installed fonts may have changed: it watches, with inotify,
// the paths fontconfig's own up-to-date check looks at (its configuration and
// font folders). Asking costs one system call, where fontconfig's check stats
// every path, a tenth of a millisecond on a plain desktop, and misses a change
// made within the second of its last look. Where inotify cannot be had, no
// change is ever seen, and the fonts stay as the program found them.
class FontFolderWatch {
public:
    // Watches the paths of fontconfig's current configuration.
    FontFolderWatch();

    // Whether any of them changed since the watch began.
    bool changed();

private:
    Descriptor inotify_;
};

}  // namespace veltrane
