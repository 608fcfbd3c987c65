// A print server's reply to the questions about its queues, of any bytes: read
// by libcups and walked by the queue list and the choice of the default device,
// the user's own choice or the server's.
#include <chrono>

#include "FuzzedPrintServer.h"
#include "PrintServerReads.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrane;
    static fuzzing::FuzzedPrintServer server;
    server.answerWith(data, size);
    for (const auto& localDefault :
         {std::optional<std::string>(), std::optional<std::string>("A&B")}) {
        const CupsSettings settings = server.settings(localDefault);
        const Deadline deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        Cancellation cancellation;
        try {
            readQueues(settings, deadline, cancellation);
        } catch (const PlatformError&) {
            // A reply that is no list of queues is the server's fault, reported as such.
        }
        try {
            readDefault(settings, deadline, cancellation);
        } catch (const PlatformError&) {
        }
    }
    return 0;
}
