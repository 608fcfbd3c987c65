#pragma once

#include <functional>
#include <optional>
#include <string>

#include "ClipboardCopy.h"
#include "FontPreview.h"
#include "FormControls.h"
#include "Int16.h"
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
    void writeDeviceCount();
    void showDefaultWithoutFonts();
    void fillList(ListBox& list, Int16 count, const std::function<std::string(Int16&)>& fontAt);
    void fillScreenFontList();
    void fillPrinterFontList();
    void reload();

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
    // Whether List2 holds every font of the device Label5 names.
    bool printerSideComplete_ = false;
    // The device whose population stopped early: a paint does not populate it
    // again until the default changes, so the window never hides and shows
    // itself over and over.
    std::optional<std::string> failedDevice_;
    bool reloading_ = false;
};

}  // namespace veltrane
