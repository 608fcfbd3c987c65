#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CallLog.h"
#include "Services.h"

namespace veltrane::testing {

class FakeScreen : public Screen {
public:
    explicit FakeScreen(CallLog& log) : log_(log) {}

    float Width() override {
        log_.record("Screen.Width");
        return width;
    }
    Int16 FontCount() override {
        log_.record("Screen.FontCount");
        return countOverride ? *countOverride : static_cast<Int16>(fonts.size());
    }
    std::string Fonts(Int16 index) override {
        log_.record("Screen.Fonts");
        return fonts.at(static_cast<std::size_t>(index));
    }
    bool RefreshFonts() override {
        log_.record("Screen.RefreshFonts");
        return std::exchange(fontsChanged, false);
    }

    float width = 19200;        // 1280 pixels
    bool fontsChanged = false;  // until the next RefreshFonts
    std::vector<std::string> fonts;
    std::optional<Int16> countOverride;

private:
    CallLog& log_;
};

// The printing service as the window sees it: every question answered from
// one answer of the print server. No default when `device` is empty, so every
// Printer operation throws DeviceUnavailable. What the server could not be
// read for fails as the real service fails: the whole answer (`unreadable`),
// the queue list, or the default's description; like the real one, the
// default's revision tells which parts failed.
class FakePrinting : public Printer, public Printers {
public:
    explicit FakePrinting(CallLog& log) : log_(log) {}

    std::int64_t Count() override {
        log_.record("Printers.Count");
        answered();
        fail(listFails);
        return deviceCount;
    }
    bool Any() override {
        log_.record("Printers.Any");
        answered();
        return deviceCount > 0;
    }
    DefaultChoice Default() override {
        log_.record("Printers.Default");
        answered();
        const std::string failed =
            std::string(listFails ? "; list" : "") + (fontsFail ? "; fonts" : "");
        if (!device) return {std::nullopt, whyNone, server, revision + failed};
        return {*device, "", server, revision + failed};
    }
    std::int64_t FontCount() override {
        log_.record("Printer.FontCount");
        readFonts();
        return countOverride ? *countOverride : static_cast<std::int64_t>(fonts.size());
    }
    std::string Fonts(Int16& index) override {
        log_.record("Printer.Fonts");
        readFonts();
        return fonts.at(static_cast<std::size_t>(index));
    }

    std::int64_t deviceCount = 1;
    std::optional<std::string> device = "Office";
    std::string whyNone = "no default printer is set";
    std::string server = "localhost:631";
    std::string revision = "configured 1";
    std::vector<std::string> fonts;
    std::optional<std::int64_t> countOverride;
    // What the server could not be read for: anything at all, the queue list,
    // the default's printer description.
    std::optional<ErrorKind> unreadable, listFails, fontsFail;

private:
    static void fail(const std::optional<ErrorKind>& kind) {
        if (kind) throw PlatformError(*kind, "the print server refused a request");
    }
    void answered() const { fail(unreadable); }
    void readFonts() {
        answered();
        if (!device) throw PlatformError(ErrorKind::DeviceUnavailable, whyNone);
        fail(fontsFail);
    }

    CallLog& log_;
};

class FakeClipboard : public Clipboard {
public:
    explicit FakeClipboard(CallLog& log) : log_(log) {}

    void Clear() override {
        log_.record("Clipboard.Clear");
        text.reset();
    }
    void SetText(const std::string& value) override {
        log_.record("Clipboard.SetText=" + value);
        text = value;
    }

    std::optional<std::string> text = "held before";

private:
    CallLog& log_;
};

// The services and controls of one window, all fakes sharing one call log.
struct FakeWindow {
    CallLog log;
    FakeScreen screen{log};
    FakePrinting printing{log};
    FakeClipboard clipboard{log};
    Services services{screen, printing, printing, clipboard};
};

}  // namespace veltrane::testing
