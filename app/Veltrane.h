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
    void fillList(ListBox& list, Int16 count, const std::function<std::string(Int16&)>& fontAt);
    void fillScreenFontList();
    void fillPrinterFontList();
    void reload(const std::string& device);

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
    // The device whose reload stopped before its name reached Label5: repainting
    // must not reload it again and again.
    std::optional<std::string> failedReload_;
};

}  // namespace veltrane
