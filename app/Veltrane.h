#pragma once

#include <functional>
#include <optional>
#include <string>

#include "ClipboardCopy.h"
#include "FontPreview.h"
#include "FormControls.h"
#include "FormProcedures.h"
#include "Int16.h"
#include "PrinterSide.h"
#include "Services.h"

namespace veltrane {

// The window's logic: the start-up load of the lists and counts, the reload
// when the default device or the installed fonts change, and the procedures
// of the samples and the copy buttons.
class Veltrane : public FormProcedures {
public:
    Veltrane(const FormControls& controls, Services& services);

    void Form_Load() override;
    void Form_Paint() override;
    void List1_GotFocus() override { preview_.List1_GotFocus(); }
    // Any key and any button, wherever and with whatever shift state, shows
    // the selected entry again.
    void List1_KeyUp(Int16, Int16) override { preview_.L1(); }
    void List1_MouseDown(Int16, Int16, float, float) override { preview_.L1(); }
    void List1_MouseUp(Int16, Int16, float, float) override { preview_.L1(); }
    void List2_KeyUp(Int16, Int16) override { preview_.L2(); }
    void List2_MouseDown(Int16, Int16, float, float) override { preview_.L2(); }
    void List2_MouseUp(Int16, Int16, float, float) override { preview_.L2(); }
    void Command1_Click() override { clipboard_.Command1_Click(); }
    void Command2_Click() override { clipboard_.Command2_Click(); }

private:
    // The names selected in both lists, which a reload for fonts alone keeps.
    struct Selection {
        std::string screenFont;
        std::string printerFont;
    };

    void placeAtTopCentre();
    void fillList(ListBox& list, Int16 count, const std::function<std::string(Int16&)>& fontAt);
    void fillScreenFontList();
    void fillPrinterFontList();
    std::optional<DefaultChoice> checkDefault();
    void reloadForFonts();
    void reload(std::optional<DefaultChoice> seen, const std::optional<Selection>& kept = {});
    static void select(ListBox& list, const std::optional<std::string>& name);

    Form& form_;
    TextBox& Text1;
    ListBox& List1;
    ListBox& List2;
    Services& services_;
    Int16 FontIndex = 0;
    FontPreview preview_;
    ClipboardCopy clipboard_;
    PrinterSide printerSide_;
    bool fontsChanged_ = false;  // until a reload reads them
    bool reloading_ = false;
};

}  // namespace veltrane
