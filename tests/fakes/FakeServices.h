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

// The printing service: no device when `device` is empty, so every Printer
// operation throws DeviceUnavailable.
class FakePrinting : public Printer, public Printers {
public:
    explicit FakePrinting(CallLog& log) : log_(log) {}

    std::int64_t Count() override {
        log_.record("Printers.Count");
        return deviceCount;
    }
    bool Any() override {
        log_.record("Printers.Any");
        return deviceCount > 0;
    }
    std::int64_t FontCount() override {
        log_.record("Printer.FontCount");
        requireDevice();
        return countOverride ? *countOverride : static_cast<std::int64_t>(fonts.size());
    }
    std::string Fonts(Int16& index) override {
        log_.record("Printer.Fonts");
        requireDevice();
        return fonts.at(static_cast<std::size_t>(index));
    }
    std::string DeviceName() override {
        log_.record("Printer.DeviceName");
        requireDevice();
        return *device;
    }

    std::int64_t deviceCount = 1;
    std::optional<std::string> device = "Office";
    std::vector<std::string> fonts;
    std::optional<std::int64_t> countOverride;

private:
    void requireDevice() const {
        if (!device) throw PlatformError(ErrorKind::DeviceUnavailable, "no default device");
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
