#include "FontPreview.h"

namespace veltrane {

namespace {

constexpr float kSamplePoints = 24.0F;

}  // namespace

FontPreview::FontPreview(ListBox& list1, ListBox& list2, Label& label3, Label& label4,
                         TextBox& text2)
    : List1(list1), List2(list2), Label3(label3), Label4(label4), Text2(text2) {}

void FontPreview::L1() {
    showSample(List1, Label3, ScreenFontName);
}

void FontPreview::L2() {
    showSample(List2, Label4, PrinterFontName);
}

// The sample style goes on before and again after the font name changes.
void FontPreview::showSample(ListBox& list, Label& label, std::string& fontName) {
    applySampleStyle(label);
    showName(list, label, fontName);
    applySampleStyle(label);
    Text2.Font().SetName(fontName);
}

// The list's selected name, read into `fontName`, written in that font.
void FontPreview::showName(ListBox& list, Label& label, std::string& fontName) {
    fontName = list.Text();
    label.Font().SetName(fontName);
    label.SetCaption(list.Text());
}

void FontPreview::applySampleStyle(Label& label) {
    label.SetFontBold(false);
    label.SetFontItalic(false);
    label.SetFontSize(kSamplePoints);
}

void FontPreview::clearSampleStyles() {
    Label3.SetFontBold(false);
    Label4.SetFontBold(false);
    Label3.SetFontItalic(false);
    Label4.SetFontItalic(false);
}

// Refreshes both samples without touching their size.
void FontPreview::List1_GotFocus() {
    clearSampleStyles();
    showName(List1, Label3, ScreenFontName);
    showName(List2, Label4, PrinterFontName);
    Text2.Font().SetName(ScreenFontName);
}

}  // namespace veltrane
