// A print server's reply to the request for a printer description, of any
// bytes: read by libcups and by the connection, which caps its size, and the
// font list taken from the description and merged with the system's families.
#include "Cancellation.h"
#include "DeviceFonts.h"
#include "FuzzedPrintServer.h"
#include "PrintServerReads.h"
#include "PrintServerRequests.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrane;
    static fuzzing::FuzzedPrintServer server;
    static const std::vector<std::string> families = {"AAA-Office", "Courier", "DejaVu Sans",
                                                      "Liberation Serif"};
    server.answerWith(data, size);
    Cancellation cancellation;
    ServerConnection connection(cancellation);
    try {
        if (!connection.reach(server.settings())) return 0;
        const std::optional<std::string> ppd = requestPpd(connection, "office", kLargestPpd);
        if (ppd) deviceFonts(residentFonts(*ppd), families);
    } catch (const PlatformError&) {
        // A reply that is no description is the device's fault, reported as such.
    }
    return 0;
}
