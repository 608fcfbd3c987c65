#include "Veltrane.h"

#include <cmath>

#include "PlatformError.h"
#include "ReloadUnderWay.h"
#include "VeltraneControls.h"

namespace veltrane {

namespace {

const std::string kNoDevices = "No printers or fax programs";

std::string decimal(std::int64_t number) {
    return std::to_string(number);
}

// An error's account as a sentence of its own.
std::string sentence(std::string text) {
    if (!text.empty() && text.front() >= 'a' && text.front() <= 'z') {
        text.front() = static_cast<char>(text.front() - 'a' + 'A');
    }
    if (!text.empty() && text.back() != '.') text += '.';
    return text;
}

// Half a twip is kept; a result that is not a finite number is an error.
float centred(float screenWidth, float windowWidth) {
    const float left = (screenWidth - windowWidth) / 2.0F;
    if (!std::isfinite(left)) {
        throw PlatformError(ErrorKind::InvalidOperation, "the window cannot be centred");
    }
    return left;
}

}  // namespace

Veltrane::Veltrane(FormControls& controls, Services& services)
    : window_(controls.form()),
      Label5(controls[names::Label5]),
      Label6(controls[names::Label6]),
      Text1(controls[names::Text1]),
      Text4(controls[names::Text4]),
      List1(controls[names::List1]),
      List2(controls[names::List2]),
      services_(services),
      preview_(List1, List2, controls[names::Label3], controls[names::Label4],
               controls[names::Text2]),
      clipboard_(List1, List2, services.clipboard) {}

FormProcedures Veltrane::procedures() {
    FormProcedures procedures;
    procedures.Load = [this] { Form_Load(); };
    procedures.Paint = [this] { Form_Paint(); };
    ControlProcedures& list1 = procedures.of(names::List1);
    list1.GotFocus = [this] { preview_.List1_GotFocus(); };
    list1.KeyUp = [this](Int16 key, Int16 shift) { preview_.List1_KeyUp(key, shift); };
    list1.MouseDown = [this](Int16 button, Int16 shift, float x, float y) {
        preview_.List1_MouseDown(button, shift, x, y);
    };
    list1.MouseUp = [this](Int16 button, Int16 shift, float x, float y) {
        preview_.List1_MouseUp(button, shift, x, y);
    };
    ControlProcedures& list2 = procedures.of(names::List2);
    list2.KeyUp = [this](Int16 key, Int16 shift) { preview_.List2_KeyUp(key, shift); };
    list2.MouseDown = [this](Int16 button, Int16 shift, float x, float y) {
        preview_.List2_MouseDown(button, shift, x, y);
    };
    list2.MouseUp = [this](Int16 button, Int16 shift, float x, float y) {
        preview_.List2_MouseUp(button, shift, x, y);
    };
    procedures.of(names::Command1).Click = [this] { clipboard_.Command1_Click(); };
    procedures.of(names::Command2).Click = [this] { clipboard_.Command2_Click(); };
    return procedures;
}

void Veltrane::Form_Load() {
    printerSide_ = PrinterSide::Unread;
    whyPrinterSideStopped_.clear();
    populatedFor_.reset();
    try {
        placeAtTopCentre();
        Text1.SetText(decimal(services_.screen.FontCount()));
        const bool deviceRead = writeDeviceDetails();
        fillScreenFontList();
        List1.SetSelected(0, true);
        if (deviceRead) {
            fillPrinterFontList();
            printerSide_ = PrinterSide::Complete;
            List2.SetSelected(0, true);
            preview_.clearSampleStyles();
        }
    } catch (const PlatformError& error) {
        // The trap: the first failing step ends the population quietly, and the
        // window keeps what the steps before it wrote.
        if (printerSide_ == PrinterSide::Unread) recordWhyPrinterSideStopped(error);
    }
    if (printerSide_ != PrinterSide::Complete) showDefaultWithoutFonts();
}

// A server that did not answer may answer later; a device that cannot be read
// will not be readable at the next paint either.
void Veltrane::recordWhyPrinterSideStopped(const PlatformError& error) {
    printerSide_ = error.kind() == ErrorKind::NoAnswer ? PrinterSide::StoppedByServer
                                                       : PrinterSide::StoppedByDevice;
    whyPrinterSideStopped_ = sentence(error.what());
}

void Veltrane::placeAtTopCentre() {
    window_.SetTop(0);
    const float windowWidth = window_.Width();
    window_.SetLeft(centred(services_.screen.Width(), windowWidth));
}

// The default device's font count, the device count and the default's name.
// Most machines have no printer at all: then the screen fonts are still shown.
bool Veltrane::writeDeviceDetails() {
    try {
        Text4.SetText(decimal(toInt16(services_.printer.FontCount())));
        writeDeviceCount();
        showDefaultDevice();
        return true;
    } catch (const PlatformError& error) {
        recordWhyPrinterSideStopped(error);
        return false;
    }
}

// Label5 names the default device, or nothing where there is none; the window
// is then populated for what it read.
void Veltrane::showDefaultDevice() {
    const DefaultChoice now = services_.printers.Default();
    populatedFor_ = now;
    showInLabel5(now.device.value_or(""));
}

// Label5 and its tooltip, written together: the tooltip holds the whole name,
// which the label cuts when it is long, and on a line of its own why the
// device's fonts are not listed.
void Veltrane::showInLabel5(const std::string& caption) {
    Label5.SetCaption(caption);
    const std::string& why = whyPrinterSideStopped_;
    if (caption == kNoDevices) return Label5.SetToolTipText("");
    Label5.SetToolTipText(caption.empty() || why.empty() ? caption + why : caption + "\n" + why);
}

void Veltrane::writeDeviceCount() {
    Label6.SetCaption("Number of Devices: " + decimal(services_.printers.Count()));
    Label6.SetToolTipText(" Check your printer and fax folder for the " +
                          decimal(services_.printers.Count()) + " devices. ");
}

// Part of the population's trap. When it stopped before List2 held every font
// of the default device, no text may name or count another device: the printer
// side shows the current default and the device count wherever they can be
// read, and no font count. Label5 shows nothing where no default can be named,
// as at a start.
void Veltrane::showDefaultWithoutFonts() {
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
    if (!quietly([&] { showDefaultDevice(); })) quietly([&] { showInLabel5(""); });
}

// The bound is count - 1 in 16 bits, computed once; the counter is FontIndex.
void Veltrane::fillList(ListBox& list, Int16 count,
                        const std::function<std::string(Int16&)>& fontAt) {
    const Int16 bound = subtract16(count, 1);
    for (FontIndex = 0; FontIndex <= bound; FontIndex = add16(FontIndex, 1)) {
        list.AddItem(fontAt(FontIndex));
    }
}

void Veltrane::fillScreenFontList() {
    fillList(List1, services_.screen.FontCount(),
             [this](Int16& index) { return services_.screen.Fonts(index); });
}

void Veltrane::fillPrinterFontList() {
    fillList(List2, toInt16(services_.printer.FontCount()),
             [this](Int16& index) { return services_.printer.Fonts(index); });
}

// After any change on the machine, the first paint that can read it leaves the
// window showing what a fresh start would show once its first paint is done,
// but for three things the design keeps: with no device at all only Label5
// changes; a device added or removed beside the same default reloads nothing;
// and a paint that cannot read the print server changes nothing. Each change
// reloads once: the paint compares what it reads with the default the window
// was last populated for, "none" included, so a population the server stopped
// before it named a device is not repeated at every paint.
void Veltrane::Form_Paint() {
    try {
        // Fonts installed or removed reload the window as a new default does,
        // whatever the printer side's state, once a scan of them has completed.
        if (!reloading_ && services_.screen.RefreshFonts()) fontsChanged_ = true;
        if (fontsChanged_ && !reloading_) return reloadForFonts();
        if (!services_.printers.Any()) {
            // Label5 no longer names the device populated for.
            populatedFor_.reset();
            return showInLabel5(kNoDevices);
        }
        const DefaultChoice now = services_.printers.Default();
        if (needsReload(now)) reload(now);
    } catch (const PlatformError&) {
        // The trap: a paint that cannot check the device changes nothing, and
        // the next paint tries again.
    }
}

// Another default reloads, names compared code unit by code unit; so does this
// one when the server stopped its population, now that the server answers
// again. A device that stopped its own is not tried again until the default
// changes.
bool Veltrane::needsReload(const DefaultChoice& now) const {
    if (reloading_) return false;
    return now != populatedFor_ || printerSide_ == PrinterSide::StoppedByServer;
}

// Fonts alone keep the user's place, beyond the design: each list's selected
// name where it is still listed.
void Veltrane::reloadForFonts() {
    const Selection kept{List1.Text(), List2.Text()};
    reload(populatedFor_, kept);
}

// The window is hidden from its Hide to its Show only; the paint that Show
// causes, delivered inside it or after, finds the device just populated. Where
// the population could not read the default itself, the window is populated
// for the one the paint saw (for fonts alone, the one it was populated for).
// A new default shows entry 0 of each list, as the design has it, whatever
// else changed.
void Veltrane::reload(std::optional<DefaultChoice> seen, const std::optional<Selection>& kept) {
    const ReloadUnderWay underWay(reloading_);
    fontsChanged_ = false;
    window_.Hide();
    List1.Clear();
    List2.Clear();
    Form_Load();
    if (!populatedFor_) populatedFor_ = seen;
    window_.Show();
    const bool sameDefault = kept && populatedFor_ == seen;
    select(List1, sameDefault ? std::optional(kept->screenFont) : std::nullopt);
    select(List2, sameDefault ? std::optional(kept->printerFont) : std::nullopt);
    preview_.List1_GotFocus();
}

// The entry of that name, else entry 0.
void Veltrane::select(ListBox& list, const std::optional<std::string>& name) {
    list.SetSelected(name ? list.IndexOf(*name).value_or(0) : Int16{0}, true);
}

}  // namespace veltrane
