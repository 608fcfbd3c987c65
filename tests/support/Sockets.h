#pragma once

#include <string>

#include "Descriptor.h"

namespace veltrane::testing {

// A socket listening on the Unix socket at `path`, taking connections into a
// queue it never empties unless asked; invalid when it cannot listen there.
Descriptor listenOn(const std::string& path);
// A socket listening on a port of the IPv4 address `host` that nothing used;
// invalid when it cannot listen there.
Descriptor listenOnFreePort(const std::string& host);
// The port a TCP socket is bound to.
int portOf(const Descriptor& socket);
// The next connection a listening socket takes, or an invalid one.
Descriptor acceptFrom(const Descriptor& listener);
// A socket connected to `address`, as CUPS_SERVER names a server: a Unix
// socket's path, or an IPv4 address and port, "127.0.0.1:631"; invalid when
// nothing listens there.
Descriptor connectTo(const std::string& address);

}  // namespace veltrane::testing
