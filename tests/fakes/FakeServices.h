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

// The printing service: no default when `device` is empty, so every Printer
// operation throws DeviceUnavailable. As the real one, it answers a paint's
// check (an event that begins with Any) from a light view, and the rest from
// the full view; a request it is told to fail fails in the view that asks it,
// and after a NoAnswer it is backed off, every question failing alike.
class FakePrinting : public Printer, public Printers {
public:
    explicit FakePrinting(CallLog& log) : log_(log) {}

    std::int64_t Count() override {
        log_.record("Printers.Count");
        readFullView();
        return deviceCount;
    }
    bool Any() override {
        log_.record("Printers.Any");
        inCheck_ = true;
        fail(checkFails);
        return deviceCount > 0;
    }
    DefaultChoice Default() override {
        log_.record("Printers.Default");
        if (inCheck_) {
            fail(checkFails);
        } else {
            readFullView();
        }
        if (!device) return {std::nullopt, whyNone};
        return {*device, ""};
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
    std::vector<std::string> fonts;
    std::optional<std::int64_t> countOverride;
    // What the server fails to answer: a paint's check, the queue list, the
    // default's printer description.
    std::optional<ErrorKind> checkFails, listFails, fontsFail;

    // As another process sees the server, with no back-off of its own yet.
    void forgetBackOff() { backedOff_ = false; }

private:
    void fail(const std::optional<ErrorKind>& kind) {
        if (backedOff_) throw PlatformError(ErrorKind::NoAnswer, "backed off");
        if (!kind) return;
        backedOff_ = *kind == ErrorKind::NoAnswer;
        throw PlatformError(*kind, "the print server refused a request");
    }
    void readFullView() {
        inCheck_ = false;
        fail(listFails);
    }
    void readFonts() {
        readFullView();
        if (!device) throw PlatformError(ErrorKind::DeviceUnavailable, whyNone);
        fail(fontsFail);
    }

    CallLog& log_;
    bool inCheck_ = false;
    bool backedOff_ = false;
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
