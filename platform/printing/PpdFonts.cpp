#include "PpdFonts.h"

// libcups marks its PPD functions deprecated, but they are still the only way
// it offers to read a queue's resident fonts.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include <cups/ppd.h>

#include <stdio.h>

#include <set>
#include <string_view>

#include "CHandle.h"
#include "PlatformError.h"

namespace veltrane {

namespace {

// Called here, where the deprecation is silenced, not where the handle frees it.
void closePpd(ppd_file_t* ppd) {
    ppdClose(ppd);
}

[[noreturn]] void fail(const std::string& queue, const std::string& why) {
    throw PlatformError(ErrorKind::ServiceFailure, "cannot read the PPD of " + queue + ": " + why);
}

}  // namespace

std::optional<std::vector<std::string>> fetchResidentFonts(CupsConnection& connection,
                                                           const std::string& queue) {
    // An anonymous temporary file: it is gone from the disk before it is written.
    CHandle<FILE, fclose> file(tmpfile());
    if (!file) fail(queue, "no temporary file");
    const std::string resource = "/printers/" + queue + ".ppd";
    const http_status_t status =
        cupsGetFd(connection.handle(), resource.c_str(), fileno(file.get()));
    if (status == HTTP_STATUS_NOT_FOUND) return std::nullopt;
    if (status != HTTP_STATUS_OK) fail(queue, httpStatus(status));
    rewind(file.get());
    CHandle<ppd_file_t, closePpd> ppd(ppdOpen(file.get()));
    if (!ppd) fail(queue, ppdErrorString(ppdLastError(nullptr)));
    // Each name once, and never an empty one, whatever the description lists.
    std::vector<std::string> fonts;
    std::set<std::string_view> seen;
    for (int i = 0; i < ppd->num_fonts; ++i) {
        const std::string_view font = ppd->fonts[i] != nullptr ? ppd->fonts[i] : "";
        if (!font.empty() && seen.insert(font).second) fonts.emplace_back(font);
    }
    return fonts;
}

}  // namespace veltrane
