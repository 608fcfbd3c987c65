#include "Veltrane.h"

#include <cmath>

#include "PlatformError.h"
#include "ReloadUnderWay.h"

namespace veltrane {

namespace {

// A paint that found no device at all leaves no default loaded for, and a
// load that finds no default device loads for one that names none: both are
// the same, no default.
bool sameDefault(const std::optional<DefaultChoice>& loaded,
                 const std::optional<DefaultChoice>& seen) {
    const auto none = [](const std::optional<DefaultChoice>& choice) {
        return !choice || !choice->device;
    };
    return loaded == seen || (none(loaded) && none(seen));
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

Veltrane::Veltrane(const FormControls& controls, Services& services)
    : form_(controls.form),
      Text1(controls.Text1),
      List1(controls.List1),
      List2(controls.List2),
      services_(services),
      preview_(List1, List2, controls.Label3, controls.Label4, controls.Text2),
      clipboard_(List1, List2, services.clipboard),
      printerSide_(controls.Label5, controls.Label6, controls.Text4, services) {}

void Veltrane::Form_Load() {
    printerSide_.beginLoad();
    try {
        placeAtTopCentre();
        Text1.SetText(std::to_string(services_.screen.FontCount()));
        const bool deviceRead = printerSide_.writeDetails();
        fillScreenFontList();
        List1.SetSelected(0, true);
        if (deviceRead) {
            printerSide_.fillList2([this] { fillPrinterFontList(); });
            List2.SetSelected(0, true);
            preview_.clearSampleStyles();
        }
    } catch (const PlatformError&) {
        // The trap: the first failing step ends the load quietly, and the
        // window keeps what the steps before it wrote.
    }
    printerSide_.endLoad();
}

void Veltrane::placeAtTopCentre() {
    form_.SetTop(0);
    const float windowWidth = form_.Width();
    form_.SetLeft(centred(services_.screen.Width(), windowWidth));
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
// window showing what a fresh start would show, but for three things the
// design keeps: with no device at all only Label5 changes; a device added or
// removed beside the same default reloads nothing; a paint that cannot read
// the print server changes nothing. Each change reloads once: the paint
// compares the default it reads with the one last loaded for, "none" included,
// and the load takes the same answer of the server as the paint.
void Veltrane::Form_Paint() {
    try {
        // Fonts installed or removed reload the window as a new default does,
        // whatever the printer side's state, once a scan of them has completed.
        if (!reloading_ && services_.screen.RefreshFonts()) fontsChanged_ = true;
        if (fontsChanged_ && !reloading_) return reloadForFonts();
        const std::optional<DefaultChoice> now = checkDefault();
        if (!now) return printerSide_.showNoDevices();
        if (!reloading_ && printerSide_.needsReload(*now)) reload(*now);
    } catch (const PlatformError&) {
        // The trap: a paint that cannot check the device changes nothing, and
        // the next paint tries again.
    }
}

// The default device as a paint reads it; none when there is no device at
// all. A printer side empty because the server could not be read says why.
std::optional<DefaultChoice> Veltrane::checkDefault() {
    try {
        if (!services_.printers.Any()) return std::nullopt;
        return services_.printers.Default();
    } catch (const PlatformError& error) {
        printerSide_.showUnread(error);
        throw;
    }
}

// Fonts alone keep the user's place, beyond the design: each list's selected
// name where it is still listed.
void Veltrane::reloadForFonts() {
    const Selection kept{List1.Text(), List2.Text()};
    reload(printerSide_.loadedFor(), kept);
}

// The paint that Show causes, inside it or after, finds the device just
// loaded. Where the load could not read the default, the window is loaded for
// the one the paint saw. A new default shows entry 0 of each list.
void Veltrane::reload(std::optional<DefaultChoice> seen, const std::optional<Selection>& kept) {
    const ReloadUnderWay underWay(reloading_);
    fontsChanged_ = false;
    form_.Hide();
    List1.Clear();
    List2.Clear();
    Form_Load();
    printerSide_.loadedAtLeastFor(seen);
    form_.Show();
    const bool keep = kept && sameDefault(printerSide_.loadedFor(), seen);
    select(List1, keep ? std::optional(kept->screenFont) : std::nullopt);
    select(List2, keep ? std::optional(kept->printerFont) : std::nullopt);
    preview_.List1_GotFocus();
}

// The entry of that name, else entry 0.
void Veltrane::select(ListBox& list, const std::optional<std::string>& name) {
    list.SetSelected(name ? list.IndexOf(*name).value_or(0) : Int16{0}, true);
}

}  // namespace veltrane
