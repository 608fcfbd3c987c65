#pragma once

#include <functional>
#include <optional>
#include <string>

#include "Label.h"
#include "PlatformError.h"
#include "Services.h"
#include "TextBox.h"

namespace veltrane {

// The window's printer side as a load writes it: the default device's font
// count (Text4), the device count (Label6), the default's name (Label5) and
// its tooltip; and, beside Label5, the default the window was last loaded for,
// which tells a paint when to reload.
class PrinterSide {
public:
    PrinterSide(Label& label5, Label& label6, TextBox& text4, Services& services);

    // A load begins: nothing of the printer side read yet.
    void beginLoad();
    // The font count, the device count and the default's name; false when one
    // cannot be read, which ends the printer side's part of the load.
    bool writeDetails();
    // List2 filled by `fill`: what stops it is the printer side's, and is
    // thrown on to end the load.
    void fillList2(const std::function<void()>& fill);
    // The load's end: what a load that stopped leaves of the printer side.
    void endLoad();

    // With no device at all, Label5 says so.
    void showNoDevices();
    // A paint could not read the print server: a printer side that shows no
    // device for that reason says the latest.
    void showUnread(const PlatformError& error);
    // Whether a paint that reads `now` as the default reloads.
    bool needsReload(const DefaultChoice& now) const { return now != loadedFor_; }
    // The default the window was last loaded for; empty when unknown.
    const std::optional<DefaultChoice>& loadedFor() const { return loadedFor_; }
    // Where the load could not read the default itself, the one a paint saw.
    void loadedAtLeastFor(const std::optional<DefaultChoice>& seen);

private:
    // How far the load wrote the printer side, in the load's order.
    enum class Written { Nothing, Begun, FontCount, DeviceCaption, DeviceCount, Name, Fonts };

    void stop(const PlatformError& error);
    void showDefaultDevice();
    void showInLabel5(const std::string& caption);
    void writeDeviceCount();

    Label& Label5;
    Label& Label6;
    TextBox& Text4;
    Services& services_;
    Written written_ = Written::Nothing;
    bool noDevicesShown_ = false;
    std::string whyStopped_;  // a sentence for Label5's tooltip
    // Label5 cannot tell "no default" from a load stopped before naming one.
    std::optional<DefaultChoice> loadedFor_;
};

}  // namespace veltrane
