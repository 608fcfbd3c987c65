#include "PrinterSide.h"

namespace veltrane {

namespace {

const std::string kNoDevices = "No printers or fax programs";

// An error's account as a sentence of its own.
std::string sentence(std::string text) {
    if (!text.empty() && text.front() >= 'a' && text.front() <= 'z') {
        text.front() = static_cast<char>(text.front() - 'a' + 'A');
    }
    if (!text.empty() && text.back() != '.') text += '.';
    return text;
}

}  // namespace

PrinterSide::PrinterSide(Label& label5, Label& label6, TextBox& text4, Services& services)
    : Label5(label5), Label6(label6), Text4(text4), services_(services) {}

void PrinterSide::beginLoad() {
    state_ = State::Unread;
    whyStopped_.clear();
    loadedFor_.reset();
    deviceCountShown_ = false;
}

// Most machines have no printer at all: then the screen fonts are still shown.
bool PrinterSide::writeDetails() {
    try {
        Text4.SetText(std::to_string(toInt16(services_.printer.FontCount())));
        writeDeviceCount();
        showDefaultDevice();
        return true;
    } catch (const PlatformError& error) {
        stopLoad(error);
        return false;
    }
}

void PrinterSide::completeLoad() {
    state_ = State::Complete;
}

// A server that did not answer may answer later; a device that cannot be read
// will not be readable at the next paint either.
void PrinterSide::stopLoad(const PlatformError& error) {
    if (state_ != State::Unread) return;
    state_ = error.kind() == ErrorKind::NoAnswer ? State::StoppedByServer : State::StoppedByDevice;
    whyStopped_ = sentence(error.what());
}

// Part of the load's trap. When it stopped before List2 held every font of
// the default device, no text may name or count another device: the printer
// side shows the current default and the device count wherever they can be
// read, and no font count. Label5 shows nothing where no default can be named,
// and Label6 nothing where this load could not count the devices, as at a start.
void PrinterSide::endLoad() {
    if (state_ == State::Complete) return;
    const auto quietly = [](const auto& step) {
        try {
            step();
            return true;
        } catch (const PlatformError&) {
            return false;  // what cannot be read stays as it was
        }
    };
    quietly([&] { Text4.SetText(""); });
    quietly([&] { writeDeviceCount(); });
    if (!deviceCountShown_) {
        quietly([&] {
            Label6.SetCaption("");
            Label6.SetToolTipText("");
        });
    }
    if (!quietly([&] { showDefaultDevice(); })) quietly([&] { showInLabel5(""); });
}

// Label5 no longer names the device loaded for.
void PrinterSide::showNoDevices() {
    loadedFor_.reset();
    showInLabel5(kNoDevices);
}

// Another default reloads, names compared code unit by code unit; so does this
// one when the server stopped its load, now that the server answers again. A
// device that stopped its own is not tried again until the default changes.
bool PrinterSide::needsReload(const DefaultChoice& now) const {
    return now != loadedFor_ || state_ == State::StoppedByServer;
}

void PrinterSide::loadedAtLeastFor(const std::optional<DefaultChoice>& seen) {
    if (!loadedFor_) loadedFor_ = seen;
}

// Label5 names the default device, or nothing where there is none; the window
// is then loaded for what it read.
void PrinterSide::showDefaultDevice() {
    const DefaultChoice now = services_.printers.Default();
    loadedFor_ = now;
    showInLabel5(now.device.value_or(""));
}

// Label5 and its tooltip, written together: the tooltip holds the whole name,
// which the label cuts when it is long, and on a line of its own why the
// device's fonts are not listed.
void PrinterSide::showInLabel5(const std::string& caption) {
    Label5.SetCaption(caption);
    if (caption == kNoDevices) return Label5.SetToolTipText("");
    const std::string& why = whyStopped_;
    Label5.SetToolTipText(caption.empty() || why.empty() ? caption + why : caption + "\n" + why);
}

void PrinterSide::writeDeviceCount() {
    Label6.SetCaption("Number of Devices: " + std::to_string(services_.printers.Count()));
    deviceCountShown_ = true;
    Label6.SetToolTipText(" Check your printer and fax folder for the " +
                          std::to_string(services_.printers.Count()) + " devices. ");
}

}  // namespace veltrane
