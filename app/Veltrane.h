#pragma once

#include <functional>
#include <optional>
#include <string>

#include "ClipboardCopy.h"
#include "FontPreview.h"
#include "FormControls.h"
#include "Int16.h"
#include "PlatformError.h"
#include "Project.h"
#include "Services.h"

namespace veltrane {

// The window's logic: the start-up population of the lists and counts, the
// reload when the default device changes, and the wiring of every event the
// window handles to its procedure.
class Veltrane : public FormProgram {
public:
    Veltrane(FormControls& controls, Services& services);

    FormProcedures procedures() override;

    void Form_Load();
    void Form_Paint();

    FontPreview& preview() { return preview_; }
    Int16 fontIndex() const { return FontIndex; }

private:
    void placeAtTopCentre();
    bool writeDeviceDetails();
    void showDefaultDevice();
    void showInLabel5(const std::string& caption);
    void writeDeviceCount();
    void showDefaultWithoutFonts();
    void recordWhyPrinterSideStopped(const PlatformError& error);
    void fillList(ListBox& list, Int16 count, const std::function<std::string(Int16&)>& fontAt);
    void fillScreenFontList();
    void fillPrinterFontList();
    bool needsReload(const DefaultChoice& now) const;
    // The names selected in both lists, which a reload for fonts alone keeps.
    struct Selection {
        std::string screenFont;
        std::string printerFont;
    };
    void reloadForFonts();
    void reload(std::optional<DefaultChoice> seen, const std::optional<Selection>& kept = {});
    static void select(ListBox& list, const std::optional<std::string>& name);

    Form& window_;
    Label& Label5;
    Label& Label6;
    TextBox& Text1;
    TextBox& Text4;
    ListBox& List1;
    ListBox& List2;
    Services& services_;
    Int16 FontIndex = 0;
    FontPreview preview_;
    ClipboardCopy clipboard_;
    // How the population of the device Label5 names ended: the window's rule for
    // trying a device again. A paint populates that device again only after the
    // print server's own failure (NoAnswer, which the layer also backs off), so
    // the window never hides and shows itself over and over for a device it
    // cannot read.
    enum class PrinterSide {
        Unread,           // the population is under way, or stopped before the printer
        Complete,         // List2 holds every font of the device
        StoppedByServer,  // the server did not answer in time
        StoppedByDevice,  // the device's fonts cannot be read, or there is none
    };
    PrinterSide printerSide_ = PrinterSide::Unread;
    std::string whyPrinterSideStopped_;  // a sentence for Label5's tooltip
    // The default device the window was last populated for, beside Label5,
    // which cannot tell "no default" from a population that stopped before it
    // named one: empty when unknown.
    std::optional<DefaultChoice> populatedFor_;
    bool fontsChanged_ = false;  // until a reload reads them
    bool reloading_ = false;
};

}  // namespace veltrane
