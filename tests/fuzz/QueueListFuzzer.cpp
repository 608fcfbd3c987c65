// A print server's reply to the questions about its queues, of any bytes: read
// by libcups and walked by the check of the default, the user's own choice or
// the server's, and the queue list.
#include "Cancellation.h"
#include "FuzzedPrintServer.h"
#include "PrintServerReads.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrane;
    static fuzzing::FuzzedPrintServer server;
    server.answerWith(data, size);
    for (const auto& localDefault :
         {std::optional<std::string>(), std::optional<std::string>("A&B")}) {
        Cancellation cancellation;
        ServerConnection connection(cancellation);
        try {
            readServer(connection, server.settings(localDefault), ServerAnswer{});
        } catch (const PlatformError&) {
            // A reply that is no answer is the server's fault, reported as such.
        }
    }
    return 0;
}
