// A far print server's road, for a benchmark: the misbehaving server's proxy,
// holding every byte half a round trip each way, run as a program of its own so
// that it can run on the client's host of a PrivateNetwork while the program
// measured reaches it on a Unix socket. Runs until it is stopped.
//   far_proxy UPSTREAM SOCKET ONE-WAY-MILLISECONDS
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "MisbehavingServer.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: far_proxy UPSTREAM SOCKET ONE-WAY-MILLISECONDS\n");
        return 2;
    }
    veltrane::testing::MisbehavingServer proxy(argv[1], argv[2]);
    proxy.delayEachWay(std::chrono::milliseconds(std::stoi(argv[3])));
    for (;;) ::pause();
}
