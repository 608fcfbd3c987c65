// A print server's reply to the request for a printer description, of any
// bytes: read by libcups and by the connection, which caps its size, and the
// font list taken from the description and merged with the system's families.
#include <chrono>

#include "FuzzedPrintServer.h"
#include "PrintServerReads.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrane;
    static fuzzing::FuzzedPrintServer server;
    static const auto families = std::make_shared<const std::vector<std::string>>(
        std::vector<std::string>{"AAA-Office", "Courier", "DejaVu Sans", "Liberation Serif"});
    server.answerWith(data, size);
    Cancellation cancellation;
    try {
        readFonts(
            "office", [] { return families; }, server.settings(),
            std::chrono::steady_clock::now() + std::chrono::seconds(2), cancellation);
    } catch (const PlatformError&) {
        // A reply that is no description is the device's fault, reported as such.
    }
    return 0;
}
