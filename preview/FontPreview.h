#pragma once

#include <string>

#include "Label.h"
#include "ListBox.h"
#include "TextBox.h"

namespace veltrane {

// Writes the name of the font selected in each list in that very font, at 24
// points regular: the screen font (List1) in Label3, the printer font (List2) in
// Label4. The sample-text box Text2 takes the font last shown. It keeps the two
// names it last read; none of its procedures traps an error.
class FontPreview {
public:
    FontPreview(ListBox& list1, ListBox& list2, Label& label3, Label& label4, TextBox& text2);

    // Shows both samples, and gives Text2 the screen font.
    void List1_GotFocus();
    // Each list's sample, at any key or button of the list.
    void L1();
    void L2();

    // Bold and italic off on both samples, their size as it is.
    void clearSampleStyles();

private:
    void showSample(ListBox& list, Label& label, std::string& fontName);
    static void showName(ListBox& list, Label& label, std::string& fontName);
    static void applySampleStyle(Label& label);

    ListBox& List1;
    ListBox& List2;
    Label& Label3;
    Label& Label4;
    TextBox& Text2;
    std::string ScreenFontName;
    std::string PrinterFontName;
};

}  // namespace veltrane
