#include "DeviceFonts.h"

// libcups marks its PPD functions deprecated, but they are still the only way
// it offers to read a queue's resident fonts.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include <cups/ppd.h>
#include <sys/mman.h>

#include <set>
#include <string_view>
#include <unordered_set>

#include "CHandle.h"
#include "Descriptor.h"
#include "ServerFault.h"

namespace veltrane {

namespace {

// Called here, where the deprecation is silenced, not where the handle frees it.
void closePpd(ppd_file_t* ppd) {
    ppdClose(ppd);
}

[[noreturn]] void unreadable(const std::string& why) {
    throwServerError(ServerFault::Unreadable, "the printer description is unreadable: " + why);
}

// The text as a CUPS file, which libcups reads a description from: in memory,
// never on the disk.
CHandle<cups_file_t, cupsFileClose> inMemory(const std::string& text) {
    Descriptor memory(::memfd_create("veltrane-ppd", MFD_CLOEXEC));
    if (memory.get() < 0) unreadable("no memory file");
    for (std::size_t written = 0; written < text.size();) {
        const ssize_t wrote = ::write(memory.get(), text.data() + written, text.size() - written);
        if (wrote < 0) unreadable("no room for it");
        written += static_cast<std::size_t>(wrote);
    }
    ::lseek(memory.get(), 0, SEEK_SET);
    CHandle<cups_file_t, cupsFileClose> file(cupsFileOpenFd(memory.get(), "r"));
    if (!file) unreadable("cannot open it");
    memory.release();  // the CUPS file closes it now
    return file;
}

}  // namespace

std::vector<std::string> residentFonts(const std::string& ppd) {
    const CHandle<cups_file_t, cupsFileClose> file = inMemory(ppd);
    const CHandle<ppd_file_t, closePpd> description(ppdOpen2(file.get()));
    if (!description) unreadable(ppdErrorString(ppdLastError(nullptr)));
    // Each name once, and never an empty one, whatever the description lists.
    std::vector<std::string> fonts;
    std::set<std::string_view> seen;
    for (int i = 0; i < description->num_fonts; ++i) {
        const char* font = description->fonts[i];
        const std::string_view name = font != nullptr ? font : "";
        if (!name.empty() && seen.insert(name).second) fonts.emplace_back(name);
    }
    return fonts;
}

std::vector<std::string> deviceFonts(std::vector<std::string> resident,
                                     const std::vector<std::string>& families) {
    std::vector<std::string> fonts = std::move(resident);
    // Room first: the views below must not move.
    fonts.reserve(fonts.size() + families.size());
    const std::unordered_set<std::string_view> isResident(fonts.begin(), fonts.end());
    for (const std::string& family : families) {
        if (!isResident.contains(family)) fonts.push_back(family);
    }
    return fonts;
}

}  // namespace veltrane
