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

// A step that may fail, as the end of a stopped load takes it: what cannot be
// read stays as it was.
template <typename Step>
bool quietly(const Step& step) {
    try {
        step();
        return true;
    } catch (const PlatformError&) {
        return false;
    }
}

}  // namespace

PrinterSide::PrinterSide(Label& label5, Label& label6, TextBox& text4, Services& services)
    : Label5(label5), Label6(label6), Text4(text4), services_(services) {}

void PrinterSide::beginLoad() {
    written_ = Written::Nothing;
    noDevicesShown_ = false;
    whyStopped_.clear();
    loadedFor_.reset();
}

// Most machines have no printer at all: then the screen fonts are still shown.
bool PrinterSide::writeDetails() {
    written_ = Written::Begun;
    try {
        Text4.SetText(std::to_string(toInt16(services_.printer.FontCount())));
        written_ = Written::FontCount;
        writeDeviceCount();
        showDefaultDevice();
        written_ = Written::Name;
        return true;
    } catch (const PlatformError& error) {
        stop(error);
        return false;
    }
}

void PrinterSide::fillList2(const std::function<void()>& fill) {
    try {
        fill();
        written_ = Written::Fonts;
    } catch (const PlatformError& error) {
        stop(error);
        throw;
    }
}

void PrinterSide::stop(const PlatformError& error) {
    whyStopped_ = sentence(error.what());
}

// Part of the load's trap. A load stopped before the printer side changes
// nothing of it. One stopped in it leaves, beyond the design, what a start
// stopped there shows, so that no text names or counts another device: Text4
// and Label6 empty where they were not written, as at a start; Label5 naming
// the current default, or nothing where none can be named, and why the
// device's fonts are not listed.
void PrinterSide::endLoad() {
    if (written_ == Written::Nothing || written_ == Written::Fonts) return;
    if (written_ < Written::FontCount) quietly([&] { Text4.SetText(""); });
    if (written_ < Written::DeviceCaption) quietly([&] { Label6.SetCaption(""); });
    if (written_ < Written::DeviceCount) quietly([&] { Label6.SetToolTipText(""); });
    if (written_ == Written::Name) {
        quietly([&] { showInLabel5(loadedFor_->device.value_or("")); });
    } else if (!quietly([&] { showDefaultDevice(); })) {
        quietly([&] { showInLabel5(""); });
    }
}

// Label5 no longer names the device loaded for.
void PrinterSide::showNoDevices() {
    loadedFor_.reset();
    showInLabel5(kNoDevices);
    noDevicesShown_ = true;
}

// Part of a paint's trap, so quietly.
void PrinterSide::showUnread(const PlatformError& error) {
    if (written_ != Written::Begun || loadedFor_ || noDevicesShown_) return;
    const std::string why = sentence(error.what());
    if (why == whyStopped_) return;
    whyStopped_ = why;
    quietly([&] { showInLabel5(""); });
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
    written_ = Written::DeviceCaption;
    Label6.SetToolTipText(" Check your printer and fax folder for the " +
                          std::to_string(services_.printers.Count()) + " devices. ");
    written_ = Written::DeviceCount;
}

}  // namespace veltrane
