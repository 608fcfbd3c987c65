#pragma once

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
    // List2 holds every font of the default device.
    void completeLoad();
    // The load's trap: what stopped the printer side, when it did.
    void stopLoad(const PlatformError& error);
    // The load's end: a printer side that did not complete names no other
    // device than the current default.
    void endLoad();

    // With no device at all, Label5 says so.
    void showNoDevices();
    // Whether a paint that reads `now` as the default reloads.
    bool needsReload(const DefaultChoice& now) const;
    // The default the window was last loaded for; empty when unknown.
    const std::optional<DefaultChoice>& loadedFor() const { return loadedFor_; }
    // Where the load could not read the default itself, the one a paint saw.
    void loadedAtLeastFor(const std::optional<DefaultChoice>& seen);

private:
    void showDefaultDevice();
    void showInLabel5(const std::string& caption);
    void writeDeviceCount();

    Label& Label5;
    Label& Label6;
    TextBox& Text4;
    Services& services_;
    // How the load of the device Label5 names ended. A paint loads it again
    // only after the server's own failure (NoAnswer), so the window never
    // hides and shows itself over and over for a device it cannot read.
    enum class State {
        Unread,           // the load is under way, or stopped before the printer
        Complete,         // List2 holds every font of the device
        StoppedByServer,  // the server did not answer in time
        StoppedByDevice,  // the device's fonts cannot be read, or there is none
    };
    State state_ = State::Unread;
    std::string whyStopped_;         // a sentence for Label5's tooltip
    bool deviceCountShown_ = false;  // by this load, in Label6
    // Label5 cannot tell "no default" from a load stopped before naming one.
    std::optional<DefaultChoice> loadedFor_;
};

}  // namespace veltrane
